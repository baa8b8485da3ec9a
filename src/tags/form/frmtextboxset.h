#pragma once

#include "tags/form/formformat.h"
#include "tags/shared/tagdialog.h"

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;

// A whole TEXTAREA element: name, wrapping, row and column counts and the initial text.
class frmTextBoxSet : public TagDialog
{
    Q_OBJECT

public:
    frmTextBoxSet();

    QLineEdit *txtName;
    // Several lines: the initial text is often the selection of a page.
    QPlainTextEdit *txtValue;
    QLineEdit *txtCols;
    QLineEdit *txtRows;
    QCheckBox *chkWrap;

    using Values = TextAreaFields;
    TextAreaFields fields() const;
    void apply(const TextAreaFields &values);

protected:
    bool validate() override;
    QString buildResult() override;
};
