#pragma once

#include "document/colorrun.h"
#include "document/colorstore.h"

#include <QList>
#include <QString>
#include <QTextLayout>

#include <functional>
#include <memory>

class QTextBlock;
class QTextCharFormat;
class QTextCursor;
class QTextDocument;
struct LookChange;
struct RtfSpan;

// The colour and bold of every character of a QTextDocument that holds plain text. They live
// in a ColorStore, one look per document character with the line separators, that follows each
// edit the document reports; every change of the text or of the looks puts the looks it
// changed on the document's undo stack, so that undo and redo take them back with the text.
// They reach the screen as the formats of the blocks' layouts, except on long lines, where the
// box draws them as it paints (looksDrawnWhenPainting). Positions are the document's (one
// separator per line break) unless said otherwise.
class LookTracker
{
public:
    // How an edit of the text makes its undo step: one of its own, joined to the step before
    // it, or as the document makes it (the looks join its last step afterwards).
    enum class Grouping { OneBlock, JoinPrevious, AsItComes };
    using ColorRunSource = std::function<void(const std::function<void(const ColorRun &)> &)>;

    // `repaint` runs when looks change outside an edit of the text (colouring, undo, redo);
    // `lookStepAdded` when a change of looks alone adds an undo step.
    LookTracker(QTextDocument &document, std::function<void()> repaint,
                std::function<void()> lookStepAdded);

    // One plain look for every character, as for a new text; no insertion look.
    void reset();

    Look lookAt(int documentPosition) const;
    // The look Qt's cursor rule gives at `documentPosition`: the character before it, or the
    // first of a line at the line's start.
    Look lookBefore(int documentPosition) const;
    // The insertion look while one is set, else the look before the caret.
    Look caretLook(const QTextCursor &caret) const;
    // The first selected character's (a selected line break reads the end of its line), or
    // the caret's without a selection.
    Look selectionLook(const QTextCursor &selection) const;
    // The look of text typed at `caret` now: the insertion look, or the look at the caret.
    Look typingLook(const QTextCursor &caret) const;
    // The look of the next text typed, until the caret moves (forgetInsertionLook).
    void setInsertionLook(Look look);
    void forgetInsertionLook() { insertionLookSet = false; }
    // Colours (emboldens) the selection as one undo step, or sets the insertion look when
    // nothing is selected.
    void setColor(const QTextCursor &selection, int color);
    void setBold(const QTextCursor &selection, bool bold);

    // Runs `edit`, a change of the text, as an undo step that also keeps the looks: the new
    // characters take `insertedLooks` when they match in length, else `look`.
    void editText(Look look, const QList<LookRun> &insertedLooks, const std::function<void()> &edit,
                  Grouping grouping = Grouping::OneBlock);
    // Runs `colouring` (colour changes only) without adding undo steps.
    void colorWithoutUndo(const std::function<void()> &colouring);
    // Colours runs given in CR LF positions, in any order, as one undo step.
    void applyColorRuns(const QList<ColorRun> &runs);
    // The same for runs that `source` hands out in ascending order inside [start, start +
    // length) (CR LF positions).
    void applyColorRuns(int start, int length, const ColorRunSource &source);

    // Replaces each [starts[i], ends[i]) (ascending, apart) by `lines` as one undo step.
    // Each replacement takes the looks `looksOf` gives for it when they add up to its
    // length, else the look of the first character it replaces; the text between keeps its
    // looks.
    void replaceEach(const QList<int> &starts, const QList<int> &ends, const QString &lines,
                     const std::function<QList<LookRun>(int)> &looksOf);
    // The text and looks of [documentStart, documentEnd) as RTF spans.
    QList<RtfSpan> spansBetween(int documentStart, int documentEnd) const;

    // Keeps one look per character through a change the document reports (contentsChange).
    void follow(int position, int removed, int added);
    // Hands the looks of `block` to its layout, beside the pre-edit text of an input method;
    // true when they changed. A long line's layout gets only what changes its glyphs' widths.
    bool showLooksOf(const QTextBlock &block);

    // Lines longer than this keep their colours out of their layout. Each colour run would be
    // a format range of the layout, which splits the line into pieces that Qt shapes apart and
    // lays out again on every key: the cost of a key grows with the square of the runs on the
    // line. Such a line is laid out as plain text and painted in its looks (formatsBetween).
    static int longLineLength();
    static bool looksDrawnWhenPainting(const QTextBlock &block);
    // The looks of [from, to) of `block`'s layout (whose text holds the pre-edit text of an
    // input method, if any) as format ranges counted from `from`, with the formats the input
    // method gave its pre-edit text.
    QList<QTextLayout::FormatRange> formatsBetween(const QTextBlock &block, int from, int to) const;

    // While one lives, what the document reports is a change of layouts or formats only.
    class FormattingOnly
    {
    public:
        explicit FormattingOnly(LookTracker &tracker) : depth(tracker.formattingDepth) { ++depth; }
        ~FormattingOnly() { --depth; }
        FormattingOnly(const FormattingOnly &) = delete;
        FormattingOnly &operator=(const FormattingOnly &) = delete;

    private:
        int &depth;
    };
    bool formattingOnly() const { return formattingDepth > 0; }

private:
    // Changes the looks of [documentStart, documentEnd) by `change`, as one undo step.
    void changeLooks(int documentStart, int documentEnd, const std::function<void()> &change);
    void showLooksOfEditedBlocks(int position, int added);
    // One edit of the text that replaceEach makes: [start, end) becomes `text`.
    struct Replacement
    {
        int start;
        int end;
        QString text;
    };
    // The edits that replace each [starts[i], ends[i]) by `lines`, neighbours on one line
    // joined into one.
    QList<Replacement> replacementsJoined(const QList<int> &starts, const QList<int> &ends,
                                          const QString &lines) const;
    // Which looks layoutFormats turns into formats.
    enum class Shown { All, Bold, None };
    // The looks of [from, to) of the layout of `block` as formats counted from `from`, with the
    // formats the input method gave its pre-edit text.
    QList<QTextLayout::FormatRange> layoutFormats(const QTextBlock &block, int from, int to,
                                                  Shown shown) const;
    // The looks of [starts.first(), ends.last()) once replaceEach has replaced each stretch by
    // `replacementLength` characters.
    QList<LookRun> looksAfterReplacing(const QList<int> &starts, const QList<int> &ends,
                                       int replacementLength,
                                       const std::function<QList<LookRun>(int)> &looksOf) const;

    QTextDocument &document;
    std::function<void()> repaint;
    std::function<void()> lookStepAdded;
    ColorStore looks; // one look per document character, line separators included
    Look insertionLook;
    bool insertionLookSet = false; // until the caret moves
    int textEditDepth = 0;
    Look lookOfNewText;
    QList<LookRun> looksOfNewText;
    std::shared_ptr<LookChange> openChange; // the edit under way, filled when reported
    bool changeFollowedByUndo = false;      // the looks of the coming report are already in place
    int formattingDepth = 0;                // > 0 while only formats change
    int looksOutsideHistory = 0;            // > 0 while colour changes add no undo step
};

// The format of text without a look of its own: black, not bold.
QTextCharFormat plainCharFormat();
