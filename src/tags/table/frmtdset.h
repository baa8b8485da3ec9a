#pragma once

#include "tags/shared/tagdialog.h"
#include "tags/table/tableformat.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

// A TD or TH start tag: chkTH decides the kind, and the commands close the cell to match it.
class frmTdSet : public TagDialog
{
    Q_OBJECT

public:
    frmTdSet();

    QCheckBox *chkTH;
    QLineEdit *txtBgcolor;
    QPushButton *cmdColRef;
    QComboBox *cboAlign;
    QComboBox *cboValign;
    QCheckBox *chkWrap;
    QLineEdit *txtColspan;
    QLineEdit *txtRowspan;
    QLineEdit *txtWidth;
    QCheckBox *chkWidth;
    QLineEdit *txtHeight;
    QCheckBox *chkHeight;

    using Values = CellFields;
    CellFields fields() const;
    void apply(const CellFields &values);

protected:
    QString buildResult() override;
};
