#pragma once

#include "tags/font/fontformat.h"
#include "tags/shared/tagdialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

// A horizontal rule: width (pixels or percent), thickness, alignment and shading.
class frmKeisenSet : public TagDialog
{
    Q_OBJECT

public:
    frmKeisenSet();

    QLineEdit *txtWidth;
    QCheckBox *chkWidth;
    QLineEdit *txtSize;
    QComboBox *cboAlign;
    QCheckBox *chk3D;

    using Values = RuleValues;
    RuleValues fields() const;
    void apply(const RuleValues &values);

protected:
    QString buildResult() override;
};
