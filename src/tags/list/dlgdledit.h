#pragma once

#include "tags/list/listformat.h"
#include "tags/shared/tagdialog.h"

class QLineEdit;

// One entry of a definition list: a term and its description, both required.
class dlgDlEdit : public TagDialog
{
    Q_OBJECT

public:
    dlgDlEdit();

    QLineEdit *txtYougo;
    QLineEdit *txtSetsumei;

    using Values = DefinitionEntry;
    DefinitionEntry fields() const;
    void apply(const DefinitionEntry &values);

protected:
    bool validate() override;
    QString buildResult() override;
};
