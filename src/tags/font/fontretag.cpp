#include "tags/font/fontretag.h"

#include "document/frmdocument.h"
#include "document/richtextbox.h"
#include "tags/font/fontformat.h"
#include "tags/font/frmfontset.h"
#include "tags/font/frmkeisenset.h"
#include "tags/font/frmmidashi.h"
#include "tags/shared/dialogcommand.h"
#include "tags/shared/reedit.h"
#include "tags/shared/tagkinds.h"

void EditFontTag(frmDocument &doc, TagScratch &)
{
    reEditStartTag<frmFontSet>(doc, {readFontTag, fontAttributeNames, fontStartTag});
}

void EditHrTag(frmDocument &doc, TagScratch &)
{
    reEditStartTag<frmKeisenSet>(doc, {readHrTag, ruleAttributeNames, ruleTag});
}

void EditHeadingTag(frmDocument &doc, TagScratch &scratch)
{
    const HeadingElement element = splitHeadingElement(doc.txtText->selText());
    DialogUse<frmMidashi> dialog;
    dialog->apply(readHeadingTag(element.startTag));
    const QString untouched = headingStartTag(dialog->fields());
    const QString result = dialog.run();
    if (result != TagDialog::Cancel) {
        insertIntoDocument(
            doc, mergeReEditedTag(result, untouched, element.startTag, headingAttributeNames())
                     + element.content + headingEndTag(dialog->fields().level));
    }
    scratch = {};
}
