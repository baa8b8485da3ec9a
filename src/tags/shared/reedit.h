#pragma once

#include "tags/shared/dialogcommand.h"
#include "tags/shared/tagdialog.h"
#include "tags/shared/tagoption.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <type_traits>

class frmDocument;

// The re-edit routine every tag family uses: it reads part of the selection, opens the family's
// dialog with what it read, and on OK puts the dialog's text in its place. A family declares
// each of its re-edits as a ReEditFormat: which part it reads, the reader, and how the new
// text is composed; the routine does the rest the same way for all.

// The part of the selection a re-edit reads and replaces.
enum class ReEditSpan {
    // The start tag at the selection's beginning: up to and including its first ">" outside
    // quoted values. A selection holding a whole element keeps its content and end tag.
    StartTag,
    // The whole selection: an element with its content.
    Selection,
};

// Where the part begins in the text and what it reads.
struct SelectedSpan
{
    int start = 0;
    QString text;
};
SelectedSpan selectedSpan(const frmDocument &doc, ReEditSpan span);
// The start tag at the beginning of `selText`: up to and including its first ">" outside quoted
// values, or all of it when it has none.
QString leadingStartTag(const QString &selText);

// The new text for the part: it replaces the first `length` characters of the part (all of it
// when negative); the caret ends after it.
struct ReEditReplacement
{
    ReEditReplacement(const QString &text, qsizetype length = -1) : text(text), length(length) {}
    QString text;
    qsizetype length;
};
void replaceSpan(frmDocument &doc, const SelectedSpan &span, const ReEditReplacement &replacement);

template <class D, class Reading> struct ReEditFormat;

// What the composer of the new text has at hand after OK.
template <class D, class Reading> struct ReEditOutcome
{
    const ReEditFormat<D, Reading> &format;
    D &dialog;
    const QString &result;            // the dialog's result string
    const Reading &reading;           // what was read from the part
    const typename D::Values &opened; // the values the dialog opened with
    const QString &spanText;          // the part's text as it was

    // What the user left as the dialog showed it keeps the old spelling, and the attributes of
    // `oldTag` the dialog does not manage come back after its own (mergeReEditedTag).
    QString keptAttributes(const QString &written, const QString &oldTag) const
    {
        return mergeReEditedTag(written, format.write(opened), oldTag, format.managedAttributes());
    }
};

// One re-edit of a family: dialog D reads a Reading of the part (by default its values).
template <class D, class Reading = typename D::Values> struct ReEditFormat
{
    using Values = typename D::Values;
    using Outcome = ReEditOutcome<D, Reading>;

    ReEditSpan span = ReEditSpan::StartTag;
    // The dialog writes references to files: the page must have a folder first, and the
    // dialog gets the page's path.
    bool needsFolder = false;
    // Reads the part's text.
    Reading (*read)(const QString &spanText) = nullptr;
    // Whether the routine takes what it read; nothing happens otherwise, after `refusal` (when
    // given) is shown as a warning.
    bool (*accepts)(const QString &spanText, const Reading &reading) = nullptr;
    const char *refusal = nullptr;
    // Puts the reading into the dialog; by default the dialog's apply(reading).
    void (*prepare)(D &dialog, const Reading &reading) = nullptr;
    // What the dialog's OK writes for its values, and the attributes it manages.
    QString (*write)(const Values &values) = nullptr;
    QStringList (*managedAttributes)() = nullptr;
    // The new text; by default the result with the old tag's spelling and other attributes kept.
    ReEditReplacement (*compose)(const Outcome &outcome) = nullptr;
    // How the new text goes in; by default in place of the part (replaceSpan).
    void (*replace)(frmDocument &doc, const SelectedSpan &span,
                    const ReEditReplacement &replacement)
        = nullptr;
    // After the new text went in, with the dialog still loaded.
    void (*afterOk)(frmDocument &doc, D &dialog, const Reading &reading) = nullptr;
};

// Runs the re-edit `format` on the document's selection. Cancel leaves the text as it was;
// the dialog is discarded either way. Answers whether the text was replaced.
template <class D, class Reading = typename D::Values>
bool reEdit(frmDocument &doc, const ReEditFormat<D, Reading> &format)
{
    const SelectedSpan span = selectedSpan(doc, format.span);
    const Reading reading = format.read(span.text);
    if (format.accepts && !format.accepts(span.text, reading)) {
        if (format.refusal)
            Interaction::ask(QObject::tr(format.refusal), Interaction::Icon::Warning,
                             Interaction::Buttons::Ok);
        return false;
    }
    // Asked before the dialog is loaded: declining leaves no dialog behind.
    if (format.needsFolder && !ensurePageHasFolder(doc))
        return false;
    typename D::Values opened{};
    return useDialog<D>(
        [&](D &dialog) {
            if (format.needsFolder)
                handOverBasePath(doc, dialog);
            if (format.prepare)
                format.prepare(dialog, reading);
            else if constexpr (std::is_same_v<Reading, typename D::Values>)
                dialog.apply(reading);
            opened = dialog.fields();
            return true;
        },
        [&](D &dialog, const QString &result) {
            const ReEditOutcome<D, Reading> outcome{format,  dialog, result,
                                                    reading, opened, span.text};
            const ReEditReplacement replacement
                = format.compose ? format.compose(outcome)
                                 : ReEditReplacement(outcome.keptAttributes(result, span.text));
            (format.replace ? format.replace : replaceSpan)(doc, span, replacement);
            if (format.afterOk)
                format.afterOk(doc, dialog, reading);
        });
}
