#include "document/tagcolor.h"

#include "core/sharedstate.h"
#include "document/colorrules.h"
#include "document/frmdocument.h"
#include "document/frmprogress.h"
#include "document/linebreaks.h"
#include "document/richtextbox.h"
#include "document/typinghelp.h"

namespace {

// The look the colouring pass gives a character of each kind, on a plain text.
Look toLook(Markup kind)
{
    switch (kind) {
    case Markup::Bracket: return {TextColor::Red, true};
    case Markup::Punctuation: return {TextColor::Magenta, true};
    case Markup::InTag: return {TextColor::Blue, false};
    case Markup::Text: break;
    }
    return {TextColor::Black, false};
}

// The same as a run of the pass over a page, where the text's own bold stays unless the kind
// is drawn bold (brackets and punctuation).
ColorRun toColorRun(const MarkupRun &run)
{
    const Look look = toLook(run.kind);
    return {run.start, run.length, look.color, look.bold ? ColorRun::On : ColorRun::Unchanged};
}

// Colours the whole text of `box` in one undoable step. The caret ends at the end of the text,
// where the insertion colour is that of a character typed there.
void colorWholeText(RichTextBox &box, PunctuationSet punctuation, frmProgress *progress = nullptr)
{
    const QString text = box.text();
    if (progress)
        progress->advance(int(text.size()) / 10);
    bool endsInTag = false;
    box.applyColorRuns(
        0, int(text.size()), [&](const std::function<void(const ColorRun &)> &color) {
            endsInTag = scanMarkup(text, punctuation,
                                   [&color](const MarkupRun &run) { color(toColorRun(run)); });
        });
    if (progress)
        progress->advance(int(text.size()));
    box.setSelStart(int(text.size()));
    box.setSelColor(endsInTag ? TextColor::Blue : TextColor::Black);
}

// The looks of a fragment (line breaks "\n") as the colouring pass gives them on a fresh,
// plain text (or one that ends inside a tag), except that a line break takes the look of the
// character before it, as a paragraph mark does in RTF.
QList<LookRun> fragmentLooks(const QString &lines, bool startsInTag = false)
{
    QList<LookRun> looks;
    const auto append = [&looks](Look look) {
        if (!looks.isEmpty() && looks.last().look == look)
            ++looks.last().length;
        else
            looks.append(LookRun{1, look});
    };
    Look previous;
    scanMarkup(
        lines, PunctuationSet::Fragment,
        [&](const MarkupRun &run) {
            const Look look = toLook(run.kind);
            for (int i = run.start; i < run.start + run.length; ++i) {
                if (lines[i] != u'\n')
                    previous = look;
                append(previous);
            }
        },
        startsInTag);
    return looks;
}

} // namespace

void Color_set(frmDocument &doc)
{
    RichTextBox &box = *doc.txtText;
    const int n = box.textLength();
    if (n == 0)
        return;
    frmProgress progress(&doc);
    progress.start(n);
    colorWholeText(box, PunctuationSet::Document, &progress);
}

void colorOpenedPage(frmDocument &doc)
{
    RichTextBox &box = *doc.txtText;
    if (shared().blnTagColor)
        box.colorWithoutUndo([&doc] { Color_set(doc); });
    box.setSelStart(0);
}

bool colorOpenedPage(frmDocument &doc, const QString &readText,
                     const std::function<bool(qsizetype done)> &keepGoing)
{
    RichTextBox &box = *doc.txtText;
    bool finished = true;
    if (shared().blnTagColor && box.textLength() > 0) {
        // The text as read is the box's own when every line break in it was CR LF, which the
        // lengths tell; reading it spares building the box's text during the opening.
        const QString text = readText.size() == box.textLength() ? readText : box.text();
        const int length = int(text.size());
        constexpr int pieceLength = 1 << 20;
        bool inTag = false;
        box.colorWithoutUndo([&] {
            for (int start = 0; start < length; start += pieceLength) {
                if (start > 0 && !keepGoing(start)) {
                    finished = false;
                    return;
                }
                const int piece = std::min(pieceLength, length - start);
                box.applyColorRuns(
                    start, piece, [&](const std::function<void(const ColorRun &)> &color) {
                        inTag = scanMarkup(
                            QStringView(text).sliced(start, piece), PunctuationSet::Document,
                            [&](const MarkupRun &run) {
                                color(toColorRun({run.start + start, run.length, run.kind}));
                            },
                            inTag);
                    });
            }
        });
    }
    box.setSelStart(0);
    return finished;
}

void InsertFragment(frmDocument &doc, const QString &text)
{
    if (text.isEmpty()) {
        doc.txtText->setSelText(QString());
        return;
    }
    // The fragment goes in directly with its looks: the clipboard is the user's and stays as
    // it was.
    const QString lines = withLfBreaks(text);
    const QList<LookRun> looks
        = shared().blnTagColor ? fragmentLooks(lines) : QList<LookRun>{{int(lines.size()), Look{}}};
    doc.txtText->setSelLookedText(lines, looks);
}

void putText(RichTextBox &box, const QString &text)
{
    if (!shared().blnTagColor || text.isEmpty()) {
        box.setSelText(text);
        return;
    }
    const QString lines = withLfBreaks(text);
    const bool inTag = endsInTag(QStringView(box.text()).left(box.selStart()));
    box.setSelLookedText(lines, fragmentLooks(lines, inTag));
}

void replaceMatches(RichTextBox &box, const QList<int> &starts, int length,
                    const QString &replacement)
{
    if (!shared().blnTagColor || starts.isEmpty()) {
        box.replaceEach(starts, length, replacement);
        return;
    }
    const QString lines = withLfBreaks(replacement);
    const QList<LookRun> outside = fragmentLooks(lines, false);
    const QList<LookRun> inside = fragmentLooks(lines, true);
    const QString text = box.text();
    // Whether each match stands inside a tag, read on the text as it is once the matches
    // before it are replaced: one walk over the text for all of them.
    int read = 0;
    bool inTag = false;
    box.replaceEach(starts, length, replacement, [&](int match) {
        const int start = starts[match];
        inTag = endsInTag(QStringView(text).mid(read, start - read), inTag);
        const QList<LookRun> &looks = inTag ? inside : outside;
        inTag = endsInTag(replacement, inTag);
        read = start + length;
        return looks;
    });
}

void installCompletionColoring(frmDocument &doc)
{
    if (!doc.typingHelp)
        return;
    doc.typingHelp->setLooksOf([](const QString &inserted) {
        // The name goes in where a tag is being typed.
        return shared().blnTagColor ? fragmentLooks(inserted, true) : QList<LookRun>{};
    });
    QObject::connect(doc.typingHelp, &TypingHelp::completed, &doc, [&doc](const QString &text) {
        if (!shared().blnTagColor)
            return;
        doc.blnInTag = endsInTag(text, true);
        doc.blnTagMark = false;
        doc.txtText->setTypingColor(doc.blnInTag ? TextColor::Blue : TextColor::Black);
        doc.txtText->setTypingBold(false);
    });
}
