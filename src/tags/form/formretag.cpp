#include "tags/form/formretag.h"

#include "tags/form/formformat.h"
#include "tags/form/frmformset.h"
#include "tags/form/frminput.h"
#include "tags/form/frmtextboxset.h"
#include "tags/shared/reedit.h"
#include "tags/shared/tagoption.h"

void EditFormTag(frmDocument &doc)
{
    reEdit<frmFormSet>(
        doc, {.read = readFormTag, .write = formStartTag, .managedAttributes = formAttributeNames});
}

void EditInputTag(frmDocument &doc)
{
    reEdit<frmInput>(
        doc, {.read = readInputTag, .write = inputTag, .managedAttributes = inputAttributeNames});
}

namespace {

// The whole element is replaced; a start tag selected without its end tag is replaced alone,
// so that the content and end tag after it are not doubled.
bool isWholeTextArea(const QString &selection)
{
    return endsWithAsciiCaseless(selection, u"</textarea>");
}

} // namespace

void EditTextareaTag(frmDocument &doc)
{
    using Format = ReEditFormat<frmTextBoxSet>;
    reEdit(doc, Format{
                    .span = ReEditSpan::Selection,
                    .read =
                        [](const QString &selection) {
                            return readTextAreaElement(isWholeTextArea(selection)
                                                           ? selection
                                                           : leadingStartTag(selection));
                        },
                    .write = textAreaElement,
                    .managedAttributes = textAreaAttributeNames,
                    .compose = [](const Format::Outcome &done) -> ReEditReplacement {
                        const QString startTag = leadingStartTag(done.spanText);
                        const QString kept = done.keptAttributes(done.result, startTag);
                        if (isWholeTextArea(done.spanText))
                            return kept;
                        return {leadingStartTag(kept), startTag.size()};
                    },
                });
}
