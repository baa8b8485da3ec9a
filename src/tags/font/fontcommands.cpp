#include "tags/font/fontcommands.h"

#include "document/frmdocument.h"
#include "document/richtextbox.h"
#include "tags/font/fontformat.h"
#include "tags/font/frmfontset.h"
#include "tags/font/frmkeisenset.h"
#include "tags/font/frmmidashi.h"
#include "tags/shared/dialogcommand.h"

namespace {

const QString CrLf = QStringLiteral("\r\n");

// The selection goes inside a FONT element and is selected again there.
void mnuHtmlTextFont_Click(frmDocument &doc)
{
    RichTextBox &text = *doc.txtText;
    const int start = text.selStart();
    const QString selected = text.selText();
    qsizetype openingLength = 0;
    const bool inserted
        = runTagCommand<frmFontSet>(doc, noPreparation, [&](auto &, const QString &result) {
              openingLength = result.size();
              return result + selected + fontEndTag();
          });
    if (inserted)
        text.select(start + int(openingLength), int(selected.size()));
    bringDocumentForward(doc);
}

void mnuHtmlTextMidashi_Click(frmDocument &doc)
{
    runTagCommand<frmMidashi>(
        doc, noPreparation, [&doc](frmMidashi &dialog, const QString &result) {
            return result + doc.txtText->selText() + headingEndTag(dialog.fields().level);
        });
}

void mnuHtmlTextKeisen_Click(frmDocument &doc)
{
    runTagCommand<frmKeisenSet>(doc, noPreparation,
                                [](auto &, const QString &result) { return result + CrLf; });
}

} // namespace

DocumentCommandTable fontCommands()
{
    return {
        {"mnuHtmlTextFont_Click", mnuHtmlTextFont_Click},
        {"mnuHtmlTextMidashi_Click", mnuHtmlTextMidashi_Click},
        {"mnuHtmlTextKeisen_Click", mnuHtmlTextKeisen_Click},
    };
}
