// The image commands of the HTML menu: an image tag and the page's BODY start tag. Both write
// references relative to the document, so a never-saved document is offered a save first.

#include "tags/image/imagecommands.h"

#include "document/frmdocument.h"
#include "document/richtextbox.h"
#include "tags/image/frmbodyset.h"
#include "tags/image/frmimageset.h"
#include "tags/shared/dialogcommand.h"

#include <QLineEdit>

namespace {

void mnuHtmlImage_Click(frmDocument &doc)
{
    // The selected text becomes the image's alternative text; the tag replaces it.
    runTagCommand<frmImageSet>(
        doc,
        [&doc](frmImageSet &dialog) {
            if (!handOverBasePath(doc, dialog))
                return false;
            const QString selected = doc.txtText->selText();
            if (!selected.isEmpty())
                dialog.txtAlt->setText(selected);
            return true;
        },
        resultAlone);
    bringDocumentForward(doc);
}

void mnuHtmlPageBody_Click(frmDocument &doc)
{
    // The selection becomes the page's body.
    runTagCommand<frmBodySet>(
        doc, [&doc](frmBodySet &dialog) { return handOverBasePath(doc, dialog); },
        [&doc](auto &, const QString &result) {
            return result + doc.txtText->selText() + QStringLiteral("</BODY>\r\n");
        });
    bringDocumentForward(doc);
}

} // namespace

DocumentCommandTable imageCommands()
{
    return {
        {"mnuHtmlImage_Click", mnuHtmlImage_Click},
        {"mnuHtmlPageBody_Click", mnuHtmlPageBody_Click},
    };
}
