#include "tags/font/fontretag.h"

#include "tags/font/fontformat.h"
#include "tags/font/frmfontset.h"
#include "tags/font/frmkeisenset.h"
#include "tags/font/frmmidashi.h"
#include "tags/shared/reedit.h"

void EditFontTag(frmDocument &doc)
{
    reEdit<frmFontSet>(
        doc, {.read = readFontTag, .write = fontStartTag, .managedAttributes = fontAttributeNames});
}

void EditHrTag(frmDocument &doc)
{
    reEdit<frmKeisenSet>(
        doc, {.read = readHrTag, .write = ruleTag, .managedAttributes = ruleAttributeNames});
}

void EditHeadingTag(frmDocument &doc)
{
    using Format = ReEditFormat<frmMidashi, HeadingElement>;
    reEdit(doc, Format{
                    .span = ReEditSpan::Selection,
                    .read = splitHeadingElement,
                    .prepare =
                        [](frmMidashi &dialog, const HeadingElement &element) {
                            dialog.apply(readHeadingTag(element.startTag));
                        },
                    .write = headingStartTag,
                    .managedAttributes = headingAttributeNames,
                    // The new start tag, the old content and the end tag of the new level.
                    .compose = [](const Format::Outcome &done) -> ReEditReplacement {
                        return done.keptAttributes(done.result, done.reading.startTag)
                               + done.reading.content + headingEndTag(done.dialog.fields().level);
                    },
                });
}
