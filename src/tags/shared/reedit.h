#pragma once

#include "tags/shared/tagdialog.h"
#include "tags/shared/tagoption.h"

#include <QString>
#include <QStringList>

class frmDocument;

// The start tag at the beginning of the selection. A selection holding a whole element (which
// the context menu offers) keeps its content and end tag: only the start tag is read and
// replaced.
struct SelectedStartTag
{
    int start = 0;
    QString text;
};
SelectedStartTag selectedStartTag(const frmDocument &doc);
// The start tag at the beginning of `selText`: up to and including its first ">" outside quoted
// values, or all of it when it has none.
QString leadingStartTag(const QString &selText);

// Puts `result` in place of the start tag; the caret ends after the new text.
void replaceStartTag(frmDocument &doc, const SelectedStartTag &tag, const QString &result);

// What a family tells the re-edit routine about one of its dialogs: how its format reads a tag
// into the dialog's values, which attributes the dialog manages, and how it writes the values
// (what the dialog's OK writes).
template <class D> struct ReEditFormat
{
    typename D::Values (*read)(const QString &tag);
    QStringList (*managedAttributes)();
    QString (*write)(const typename D::Values &values);
};

inline constexpr auto noAfterStep = [](auto &) {};

// The one re-edit routine of every tag family: reads the start tag at the beginning of the
// selection, loads dialog D, puts the values into it (apply), shows it and, on OK, replaces
// the start tag by the dialog's result merged with the old tag (mergeReEditedTag: what the
// dialog does not manage or could not show comes back spelled as it was); then runs `afterOk`
// while the dialog is still loaded. Cancel leaves the text as it was. The dialog is discarded
// either way. Answers whether the tag was replaced.
template <class D, class AfterOk = decltype(noAfterStep)>
bool reEditStartTag(frmDocument &doc, const ReEditFormat<D> &format, AfterOk afterOk = noAfterStep)
{
    const SelectedStartTag tag = selectedStartTag(doc);
    DialogUse<D> dialog;
    dialog->apply(format.read(tag.text));
    const QString untouched = format.write(dialog->fields());
    const QString result = dialog.run();
    if (result == TagDialog::Cancel)
        return false;
    replaceStartTag(doc, tag,
                    mergeReEditedTag(result, untouched, tag.text, format.managedAttributes()));
    afterOk(*dialog);
    return true;
}
