#pragma once

#include "tags/list/listformat.h"
#include "tags/shared/tagdialog.h"

class QPushButton;
class QTreeWidget;

// The entries of a definition list, kept in the list view lvwYougo (term, description) and
// added or changed one at a time with dlgDlEdit. OK needs at least one entry.
class dlgDlSet : public TagDialog
{
    Q_OBJECT

public:
    dlgDlSet();

    QTreeWidget *lvwYougo;
    QPushButton *cmdDtAdd;
    QPushButton *cmdEdit;

    using Values = DefinitionEntries;
    DefinitionEntries fields() const;
    void apply(const DefinitionEntries &values);

    void lvwYougo_Click();
    void cmdDtAdd_Click();
    void cmdEdit_Click();

protected:
    bool validate() override;
    QString buildResult() override;
    void resizeEvent(QResizeEvent *event) override;
};
