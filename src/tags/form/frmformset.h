#pragma once

#include "tags/form/formformat.h"
#include "tags/shared/tagdialog.h"

#include <QList>

class QLineEdit;
class QRadioButton;

// A FORM start tag: name, target URL and sending method; every combination is accepted.
class frmFormSet : public TagDialog
{
    Q_OBJECT

public:
    frmFormSet();

    QLineEdit *txtName;
    QLineEdit *txtAction;
    QList<QRadioButton *> optMethod;

    using Values = FormFields;
    FormFields fields() const;
    void apply(const FormFields &values);

protected:
    QString buildResult() override;
};
