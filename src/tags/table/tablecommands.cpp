// The table commands of the HTML menu: a whole table, a row, a data cell and a header cell.

#include "tags/table/tablecommands.h"

#include "document/frmdocument.h"
#include "document/richtextbox.h"
#include "tags/shared/dialogcommand.h"
#include "tags/table/frmtableset.h"
#include "tags/table/frmtdset.h"
#include "tags/table/frmtrset.h"
#include "tags/table/tableformat.h"

#include <QCheckBox>

namespace {

void mnuHtmlTableTable_Click(frmDocument &doc)
{
    runTagCommand<frmTableSet>(doc, noPreparation, [](frmTableSet &dialog, const QString &result) {
        return result + tableGrid(dialog.rowCount(), dialog.cellCount());
    });
    bringDocumentForward(doc);
}

void mnuHtmlTableTr_Click(frmDocument &doc)
{
    // The selection becomes the row's content.
    runTagCommand<frmTrSet>(doc, noPreparation, [&doc](auto &, const QString &result) {
        return result + doc.txtText->selText() + QStringLiteral("</TR>");
    });
}

// A cell around the selection, closed to match chkTH as it stands after OK.
void insertCell(frmDocument &doc, bool header)
{
    runTagCommand<frmTdSet>(
        doc,
        [header](frmTdSet &dialog) {
            dialog.chkTH->setChecked(header);
            return true;
        },
        [&doc](frmTdSet &dialog, const QString &result) {
            return result + doc.txtText->selText() + cellEndTag(dialog.chkTH->isChecked());
        });
}

void mnuHtmlTableTd_Click(frmDocument &doc)
{
    insertCell(doc, false);
}

void mnuHtmlTableTh_Click(frmDocument &doc)
{
    insertCell(doc, true);
}

} // namespace

DocumentCommandTable tableCommands()
{
    return {
        {"mnuHtmlTableTable_Click", mnuHtmlTableTable_Click},
        {"mnuHtmlTableTr_Click", mnuHtmlTableTr_Click},
        {"mnuHtmlTableTd_Click", mnuHtmlTableTd_Click},
        {"mnuHtmlTableTh_Click", mnuHtmlTableTh_Click},
    };
}
