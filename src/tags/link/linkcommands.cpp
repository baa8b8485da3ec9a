// The link commands of the HTML menu. Both take the selection as the link's display text and
// put the link in its place.

#include "tags/link/linkcommands.h"

#include "document/frmdocument.h"
#include "document/richtextbox.h"
#include "tags/link/frmlinkset.h"
#include "tags/link/frmmailtoset.h"
#include "tags/shared/dialogcommand.h"

#include <QLineEdit>

namespace {

void mnuLink_Click(frmDocument &doc)
{
    runTagCommand<frmLinkSet>(
        doc,
        [&doc](frmLinkSet &dialog) {
            if (!handOverBasePath(doc, dialog))
                return false;
            dialog.txtMIdashi->setText(doc.txtText->selText());
            return true;
        },
        [](auto &, const QString &result) { return result + QStringLiteral("</A>"); });
    bringDocumentForward(doc);
}

void mnuMailTo_Click(frmDocument &doc)
{
    runTagCommand<frmMailtoSet>(
        doc,
        [&doc](frmMailtoSet &dialog) {
            dialog.txtHyouji->setText(doc.txtText->selText());
            return true;
        },
        resultAlone);
}

} // namespace

DocumentCommandTable linkCommands()
{
    return {
        {"mnuLink_Click", mnuLink_Click},
        {"mnuMailTo_Click", mnuMailTo_Click},
    };
}
