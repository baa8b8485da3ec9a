#include "tags/list/listretag.h"

#include "document/frmdocument.h"
#include "document/richtextbox.h"
#include "tags/list/dlgdlset.h"
#include "tags/list/dlglistmark.h"
#include "tags/list/dlglistnumber.h"
#include "tags/list/listformat.h"
#include "tags/shared/dialogcommand.h"
#include "tags/shared/reedit.h"

namespace {

// The list dialogs answer with a choice code, not a tag: the new start tag is built from the
// dialog's values after OK, and the dialog opens with its scope fixed by the tag.
template <class D> void prepareList(D &dialog, const typename D::Values &values)
{
    dialog.apply(values);
    dialog.fixScope(values.wholeList);
}

template <class D> ReEditReplacement composeList(const ReEditOutcome<D, typename D::Values> &done)
{
    return done.keptAttributes(done.format.write(done.dialog.fields()), done.spanText);
}

// The re-edit of a list start tag named `Name` (an item only with a type the dialog knows).
template <class D, const char *Name>
ReEditFormat<D> listFormat(typename D::Values (*read)(const QString &),
                           QString (*write)(const typename D::Values &), QStringList (*managed)())
{
    return {.read = read,
            .accepts = [](const QString &tag,
                          const typename D::Values &) { return isStartTagNamed(tag, Name); },
            .prepare = prepareList<D>,
            .write = write,
            .managedAttributes = managed,
            .compose = composeList<D>};
}

constexpr char Ul[] = "ul";
constexpr char Ol[] = "ol";
constexpr char Li[] = "li";

// Puts `newText` in place of the selection, rewriting only the part that differs: from the
// last tag start before the first difference to the end of the first tag after the last one,
// so that the rewritten part is coloured as a whole. A long list re-edited with few changes
// then costs little.
void replaceChangedPart(frmDocument &doc, const SelectedSpan &,
                        const ReEditReplacement &replacement)
{
    const QString &newText = replacement.text;
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

void EditUlTag(frmDocument &doc)
{
    reEdit(doc, listFormat<dlgListMark, Ul>(readUlTag, ulStartTag, ulAttributeNames));
}

void EditOlTag(frmDocument &doc)
{
    reEdit(doc, listFormat<dlgListNumber, Ol>(readOlTag, olStartTag, olAttributeNames));
}

void EditLiTag(frmDocument &doc)
{
    switch (listItemKind(selectedSpan(doc, ReEditSpan::StartTag).text)) {
    case ListItemKind::Untyped: return;
    case ListItemKind::Marked:
        reEdit(doc, listFormat<dlgListMark, Li>(readLiMarkTag, liMarkTag, liMarkAttributeNames));
        return;
    case ListItemKind::Numbered:
        reEdit(doc,
               listFormat<dlgListNumber, Li>(readLiNumberTag, liNumberTag, liNumberAttributeNames));
        return;
    }
}

void EditDlTag(frmDocument &doc)
{
    using Format = ReEditFormat<dlgDlSet, std::optional<DefinitionEntries>>;
    reEdit(
        doc,
        Format{
            .span = ReEditSpan::Selection,
            .read = readDefinitionList,
            .accepts
            = [](const QString &,
                 const std::optional<DefinitionEntries> &entries) { return entries.has_value(); },
            .refusal = QT_TR_NOOP(
                "<DT>～</DT> と <DD>～</DD> の組だけでできた定義形式リストのほかは編集できません。"),
            .prepare
            = [](dlgDlSet &dialog,
                 const std::optional<DefinitionEntries> &entries) { dialog.apply(*entries); },
            // The selection ends with "</DL>", not with the line break after it: the list takes its
            // place without one, so that a list re-edited unchanged stays as it was.
            .compose = [](const Format::Outcome &done) -> ReEditReplacement {
                return definitionList(done.dialog.fields()).chopped(2);
            },
            .replace = replaceChangedPart,
        });
}
