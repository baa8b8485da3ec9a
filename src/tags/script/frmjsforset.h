#pragma once

#include "tags/script/scriptformat.h"
#include "tags/shared/tagdialog.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

// The header of a JavaScript for loop, previewed in lblFor while it is typed. The initial,
// end and step boxes take numbers only: anything else is reported and the last good preview
// stays.
class frmJsForSet : public TagDialog
{
    Q_OBJECT

public:
    frmJsForSet();

    QLineEdit *txtHensu;
    QLineEdit *txtSyokichi;
    QComboBox *cmbJouken;
    QLineEdit *txtOwari;
    QLineEdit *txtZougen;
    QCheckBox *chkZouka;
    QLabel *lblFor;

    ForLoopValues fields() const;

protected:
    QString buildResult() override;

private:
    void rebuildPreview();
    // A number box changed: a number (or nothing) rebuilds the preview, anything else is
    // reported.
    void numberChanged(const QString &text);
};
