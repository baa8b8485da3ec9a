#include "tags/form/formretag.h"

#include "document/frmdocument.h"
#include "document/richtextbox.h"
#include "tags/form/formformat.h"
#include "tags/form/frmformset.h"
#include "tags/form/frminput.h"
#include "tags/form/frmtextboxset.h"
#include "tags/shared/dialogcommand.h"
#include "tags/shared/reedit.h"
#include "tags/shared/tagkinds.h"

void EditFormTag(frmDocument &doc, TagScratch &)
{
    reEditStartTag<frmFormSet>(doc, {readFormTag, formAttributeNames, formStartTag});
}

void EditInputTag(frmDocument &doc, TagScratch &)
{
    reEditStartTag<frmInput>(doc, {readInputTag, inputAttributeNames, inputTag});
}

void EditTextareaTag(frmDocument &doc, TagScratch &scratch)
{
    const QString selection = doc.txtText->selText();
    // The whole element is replaced; a start tag selected without its end tag is replaced
    // alone, so that the content and end tag after it are not doubled.
    const bool wholeElement = endsWithAsciiCaseless(selection, u"</textarea>");
    const SelectedStartTag tag = selectedStartTag(doc);
    scratch.intTagStart = int(tag.text.size()) - 1;
    DialogUse<frmTextBoxSet> dialog;
    dialog->apply(readTextAreaElement(wholeElement ? selection : tag.text));
    const QString untouched = textAreaElement(dialog->fields());
    const QString result = dialog.run();
    if (result == TagDialog::Cancel)
        return;
    const QString kept = mergeReEditedTag(result, untouched, tag.text, textAreaAttributeNames());
    if (wholeElement)
        insertIntoDocument(doc, kept);
    else
        replaceStartTag(doc, tag, leadingStartTag(kept));
}
