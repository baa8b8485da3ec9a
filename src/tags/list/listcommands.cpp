// The list commands: the selected lines become the items of a new list, which replaces them.

#include "tags/list/listcommands.h"

#include "document/frmdocument.h"
#include "document/richtextbox.h"
#include "tags/list/dlgdlset.h"
#include "tags/list/dlglistmark.h"
#include "tags/list/dlglistnumber.h"
#include "tags/list/listformat.h"
#include "tags/shared/dialogcommand.h"

#include <QLineEdit>

namespace {

QStringList selectedLines(const frmDocument &doc)
{
    return selectionLines(doc.txtText->selText());
}

void mnuListUl_Click(frmDocument &doc)
{
    insertIntoDocument(doc, unmarkedList(selectedLines(doc)));
}

void mnuListUlLi_Click(frmDocument &doc)
{
    runTagCommand<dlgListMark>(doc, noPreparation, [&doc](dlgListMark &dialog, const QString &) {
        return markedList(dialog.fields(), selectedLines(doc));
    });
}

void mnuListOLLI_Click(frmDocument &doc)
{
    runTagCommand<dlgListNumber>(
        doc,
        [](dlgListNumber &dialog) {
            dialog.txtStartNo->clear();
            return true;
        },
        [&doc](dlgListNumber &dialog, const QString &) {
            return numberedList(dialog.fields(), selectedLines(doc));
        });
}

// The selection is replaced by the list; its text is not used.
void mnuListDl_Click(frmDocument &doc)
{
    runTagCommand<dlgDlSet>(doc, noPreparation, [](dlgDlSet &dialog, const QString &) {
        return definitionList(dialog.fields());
    });
}

} // namespace

DocumentCommandTable listCommands()
{
    return {
        {"mnuListUl_Click", mnuListUl_Click},
        {"mnuListUlLi_Click", mnuListUlLi_Click},
        {"mnuListOLLI_Click", mnuListOLLI_Click},
        {"mnuListDl_Click", mnuListDl_Click},
    };
}
