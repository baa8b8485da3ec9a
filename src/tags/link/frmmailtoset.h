#pragma once

#include "tags/link/linkformat.h"
#include "tags/shared/tagdialog.h"

class QComboBox;
class QLineEdit;

// A mail link, whole element. The address box lists the addresses used before; OK with a new
// address adds it to that history.
class frmMailtoSet : public TagDialog
{
    Q_OBJECT

public:
    frmMailtoSet();

    QComboBox *cmbMail;
    QLineEdit *txtHyouji;

    using Values = MailFields;
    MailFields fields() const;
    void apply(const MailFields &values);

protected:
    QString buildResult() override;
};
