#include "tags/list/listretag.h"

#include "core/interaction.h"
#include "document/frmdocument.h"
#include "document/richtextbox.h"
#include "tags/list/dlgdlset.h"
#include "tags/list/dlglistmark.h"
#include "tags/list/dlglistnumber.h"
#include "tags/list/listformat.h"
#include "tags/shared/dialogcommand.h"
#include "tags/shared/reedit.h"

#include <QObject>

namespace {

// The list dialogs answer with a choice code, not a tag: the new start tag is built from the
// dialog's values after OK.
template <class D>
void reEditListTag(frmDocument &doc, const char *name, const ReEditFormat<D> &format)
{
    const SelectedStartTag tag = selectedStartTag(doc);
    if (!isStartTagNamed(tag.text, name))
        return;
    const typename D::Values values = format.read(tag.text);
    DialogUse<D> dialog;
    dialog->apply(values);
    dialog->fixScope(values.wholeList);
    const QString untouched = format.write(dialog->fields());
    if (dialog.run() == TagDialog::Cancel)
        return;
    replaceStartTag(doc, tag,
                    mergeReEditedTag(format.write(dialog->fields()), untouched, tag.text,
                                     format.managedAttributes()));
}

// Puts `newText` in place of the selection, rewriting only the part that differs: from the
// last tag start before the first difference to the end of the first tag after the last one,
// so that the rewritten part is coloured as a whole. A long list re-edited with few changes
// then costs little.
void replaceChangedPart(frmDocument &doc, const QString &newText)
{
    RichTextBox &text = *doc.txtText;
    const QString old = text.selText();
    const qsizetype shorter = qMin(old.size(), newText.size());
    qsizetype head = 0;
    while (head < shorter && old[head] == newText[head])
        ++head;
    if (head == old.size() && head == newText.size()) {
        text.select(text.selStart() + int(old.size()), 0);
        return;
    }
    qsizetype tail = 0;
    while (tail < shorter - head
           && old[old.size() - 1 - tail] == newText[newText.size() - 1 - tail])
        ++tail;
    head = qMax<qsizetype>(0, old.lastIndexOf(QLatin1Char('<'), head));
    const qsizetype close = old.indexOf(QLatin1Char('>'), old.size() - tail);
    tail = close < 0 ? 0 : qMin(old.size() - close - 1, newText.size() - head);
    text.select(text.selStart() + int(head), int(old.size() - head - tail));
    insertIntoDocument(doc, newText.mid(head, newText.size() - head - tail));
}

} // namespace

void EditUlTag(frmDocument &doc, TagScratch &)
{
    reEditListTag<dlgListMark>(doc, "ul", {readUlTag, ulAttributeNames, ulStartTag});
}

void EditOlTag(frmDocument &doc, TagScratch &)
{
    reEditListTag<dlgListNumber>(doc, "ol", {readOlTag, olAttributeNames, olStartTag});
}

void EditLiTag(frmDocument &doc, TagScratch &)
{
    switch (listItemKind(selectedStartTag(doc).text)) {
    case ListItemKind::Untyped: return;
    case ListItemKind::Marked:
        reEditListTag<dlgListMark>(doc, "li", {readLiMarkTag, liMarkAttributeNames, liMarkTag});
        return;
    case ListItemKind::Numbered:
        reEditListTag<dlgListNumber>(doc, "li",
                                     {readLiNumberTag, liNumberAttributeNames, liNumberTag});
        return;
    }
}

void EditDlTag(frmDocument &doc, TagScratch &)
{
    const auto entries = readDefinitionList(doc.txtText->selText());
    if (!entries) {
        Interaction::ask(QObject::tr("<DT>～</DT> と <DD>～</DD> の組だけでできた定義形式リストの"
                                     "ほかは編集できません。"),
                         Interaction::Icon::Warning, Interaction::Buttons::Ok);
        return;
    }
    DialogUse<dlgDlSet> dialog;
    dialog->apply(*entries);
    if (dialog.run() == TagDialog::Cancel)
        return;
    // The selection ends with "</DL>", not with the line break after it: the list takes its
    // place without one, so that a list re-edited unchanged stays as it was.
    replaceChangedPart(doc, definitionList(dialog->fields()).chopped(2));
}
