#pragma once

#include "document/colorrun.h"
#include "document/colorstore.h"
#include "document/typingrun.h"

#include <QPlainTextEdit>

#include <functional>
#include <memory>

class QTextBlock;
class QTextCursor;
struct LookChange;
struct RtfSpan;

// The rich-text edit control of a document window (txtText). Positions count a line break as
// the two characters CR LF, exactly as text() reads, although the underlying QTextDocument
// keeps one separator per line; the mapping between the two is block arithmetic, never a scan
// of the text. Colours are 0x00BBGGRR.
// The document holds plain text: the colour and bold of every character live in a
// ColorStore that follows each edit, undo and redo, and reach the screen as the formats of
// the layouts of the blocks being painted.
class RichTextBox : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit RichTextBox(QWidget *parent = nullptr);

    // The whole text with CR LF line breaks. Writing replaces all text and its colours; CR LF,
    // LF and a lone CR each become one line break.
    QString text() const;
    void setText(const QString &text);
    // Length of text() without building it.
    int textLength() const;

    int selStart() const;
    // Moves the caret to `position` (clamped to the text) and empties the selection.
    void setSelStart(int position);
    int selLength() const;
    // Extends the selection from its start; a length that ends inside a CR LF pair is refused
    // (the old length stays), as the classic control did.
    void setSelLength(int length);
    // selStart() + selLength().
    int selEnd() const;
    void select(int start, int length);

    // Takes back the last undo step (or, with `redo`, does again the last one taken back),
    // with its looks, and puts the caret where that change was; the Undo and Redo keys and the
    // Edit menu's entries come here. Characters typed one after another are one step (see
    // TypingRun).
    void undoStep(bool redo = false);
    // The clock (milliseconds, never going back) that tells a pause in typing; tests set
    // their own.
    void setTypingClock(std::function<qint64()> clock);

    QString selText() const;
    // Replaces the selection by plain text in the insertion colour and bold state, caret after.
    void setSelText(const QString &text);
    // Replaces the `length` characters at each of `starts` (ascending, apart from each other)
    // by `replacement`, as one undo step. Each replacement takes the looks `looksOf` gives for
    // its match (asked in ascending order, the runs adding up to the replacement's length with
    // its line breaks as one character), or else the look of the first character it replaces;
    // the text between keeps its looks.
    using ReplacementLooks = std::function<QList<LookRun>(int match)>;
    void replaceEach(const QList<int> &starts, int length, const QString &replacement,
                     const ReplacementLooks &looksOf = {});
    // The selection as RTF, and replacing the selection by RTF (caret after, nothing selected).
    QString selRtf() const;
    void setSelRtf(const QString &rtf);
    // Replaces the selection by `lines` (line breaks "\n") whose characters take `looks` in
    // order, as one undo step; caret after, nothing selected. Looks that do not add up to the
    // text's length give way to the caret's look.
    void setSelLookedText(const QString &lines, const QList<LookRun> &looks);

    // The colour of the selection's first character, or at the caret (the character before
    // it) when nothing is selected.
    int selColor() const;
    // Colours the selection, or sets the insertion colour when nothing is selected.
    void setSelColor(int color);
    bool selBold() const;
    void setSelBold(bool bold);
    // The look of the character at `position` (a line break's two characters read the line's
    // end), without touching the caret.
    Look lookAt(int position) const;
    // The look of the next character typed or committed by an input method, also where it
    // replaces the selection (which keeps its own looks until then).
    void setTypingColor(int color);
    void setTypingBold(bool bold);

    // 0-based position of the first match of `what` at or after `start` and ending at or
    // before `end` (-1: the end of the text), or -1.
    int find(const QString &what, int start = 0, int end = -1, bool matchCase = false) const;

    // 0-based line of `position`; -1 means the caret (the selection's end).
    int lineFromChar(int position = -1) const;
    // Position of the first character of `line`; -1 means the caret's line.
    int charFromLine(int line = -1) const;

    // Conversions between the positions above and QTextDocument positions.
    // The character that the last double-click hit (text position), or -1 when it hit none.
    int doubleClickedCharacter() const { return m_doubleClickedCharacter; }
    void setDoubleClickedCharacter(int position) { m_doubleClickedCharacter = position; }
    int toDocumentPosition(int position) const;
    int fromDocumentPosition(int documentPosition) const;
    // A cursor selecting [start, start + length) in the positions above.
    QTextCursor cursorFor(int start, int length) const;

    // Colours many stretches at once as one undoable step. Runs may come in any order; sorted
    // runs are cheapest. Colouring is not a change of the text: `changed` is not emitted.
    void applyColorRuns(const QList<ColorRun> &runs);
    // The same for passes over a whole page, which should not hold millions of runs at once:
    // `source` hands each run, in ascending order and inside [start, start + length), to the
    // function it is given.
    using ColorRunSource = std::function<void(const std::function<void(const ColorRun &)> &)>;
    void applyColorRuns(int start, int length, const ColorRunSource &source);
    // Runs `colouring` (colour changes only) as part of the text as it stands rather than as an
    // edit: it adds no undo step. A page just read is coloured so, so that undo cannot take its
    // colours away.
    void colorWithoutUndo(const std::function<void()> &colouring);

    // Faint marks drawn over full-width spaces and tabs; the text itself is unchanged.
    bool spaceMarksShown() const { return m_spaceMarksShown; }
    void setSpaceMarksShown(bool shown);

    // Called from a keyDown handler: the control does not handle this key itself.
    void ignoreKey();

    // The line holding `position`, given the line count and the position where each line
    // starts (ascending): a binary search, so the cost grows with the log of the line count.
    static int lineAtPosition(int position, int lineCount,
                              const std::function<int(int)> &lineStart);

signals:
    // The text changed (typing, deleting, pasting, undo, any write above). Colour and bold
    // changes alone do not count.
    void changed();
    // Key events with the key, the modifiers and the produced text (empty for non-character
    // keys). keyPressPreview comes first, before the control handles the key.
    void keyPressPreview(const QString &text);
    void keyDown(int key, Qt::KeyboardModifiers modifiers, const QString &text);
    void keyUp(int key, Qt::KeyboardModifiers modifiers, const QString &text);
    // After the control's own double-click word selection.
    void doubleClicked();
    // `position` is in the coordinates of viewport(), where the text is drawn.
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint &position);
    void mouseMoved();
    void focusGained();
    void focusLost();
    // Local files were dropped on the text; they are not inserted.
    void filesDropped(const QStringList &files);
    // The paste key (Ctrl+V, Shift+Insert) found nothing on the clipboard that the control can
    // paste; the control has changed nothing.
    void nothingToPaste();
    // An input method commits `text`: before it goes in, and after.
    void inputCommitting(const QString &text);
    void inputCommitted(const QString &text);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    // The control's own copy, cut, paste and drag carry the colours as RTF.
    QMimeData *createMimeDataFromSelection() const override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    // What the control can paste from `source`: rich text, or else plain text that is not empty.
    static bool canPasteFrom(const QMimeData *source);
    // A pre-edit text of an input method is showing at the caret.
    bool composing() const;
    bool hitsPreedit(const QPoint &point) const;
    // Ends a composition before the control's own mouse handling does: the input method may
    // commit what it holds, which comes in as typed text; what it leaves is taken off the
    // screen as a change of the view only (the control would report its line as rewritten,
    // which would cost the line its colours and mark the document changed).
    void endComposition();
    int externalStartOfBlock(int blockNumber) const;
    // The look Qt's cursor rule gives at `documentPosition`: the character before it, or the
    // first of a line at the line's start.
    Look lookBefore(int documentPosition) const;
    Look caretLook() const;
    Look selectionLook() const;
    // The look of text typed now: the one set for it, or the look at the caret.
    Look typingLook() const;
    void setInsertionLook(Look look);
    // Changes the looks of [documentStart, documentEnd) by `change`, as one undo step.
    void changeLooks(int documentStart, int documentEnd, const std::function<void()> &change);
    // Runs `edit`, a change of the text, as one undo step that also keeps the looks: the new
    // characters take `insertedLooks` when they match in length, else `look`.
    // OneBlock is a step of its own; JoinPrevious joins the undo step before it.
    enum class EditGrouping { OneBlock, JoinPrevious, AsItComes };
    void editText(Look look, const QList<LookRun> &insertedLooks, const std::function<void()> &edit,
                  EditGrouping grouping = EditGrouping::OneBlock);
    void followContentsChange(int position, int removed, int added);
    bool editsAlone(const QKeyEvent &key) const;
    // Makes `change`, an edit of the keyboard or of an input method at the caret, joined to the
    // undo step of the typing before it when it continues that run.
    void editAsTyped(TypingRun::Kind kind, const QString &characters, Look look,
                     const QTextCursor &caret, const std::function<void()> &change);
    void typeKey(const QKeyEvent &key, Look look);
    // Where a commit of `committed` at `from` in overwrite mode stops: as many characters as it
    // brings, never past the end of the line.
    int overwrittenEnd(int from, const QString &committed) const;
    // Hands the looks of `block` to its layout; true when they changed.
    bool showLooksOf(const QTextBlock &block);
    void showLooksOfVisibleBlocks();
    void showLooksOfEditedBlocks(int position, int added);
    QList<RtfSpan> spansBetween(int documentStart, int documentEnd) const;
    void setDefaultLook();
    void noteContentsChange(int position, int removed, int added);
    void recordTextEdit(int start, int removed, QString added);
    void dropCachedText() const;

    // text() is cached. Edits are kept as patches in the cached text's coordinates and applied
    // when the text is next read, so that a keystroke on a long page does not move the whole
    // string; neighbouring edits (typing, deleting) join into one patch.
    struct TextEdit
    {
        int start = 0;
        int removed = 0;
        QString added;
    };
    mutable QString cachedText;
    mutable bool cachedTextValid = false;
    mutable QList<TextEdit> pendingEdits;
    int knownBlockCount = 1; // the block count when the last change was seen
    ColorStore looks;        // one look per document character, line separators included
    Look insertionLook;
    bool insertionLookSet = false; // until the caret moves
    int textEditDepth = 0;
    Look lookOfNewText;
    QList<LookRun> looksOfNewText;
    std::shared_ptr<LookChange> openChange; // the edit under way, filled when reported
    int lastChangeEnd = -1;                 // document position after the last change of the text
    bool changeFollowedByUndo = false;      // the looks of the coming report are already in place
    int formattingDepth = 0;                // > 0 while only formats change
    int looksOutsideHistory = 0;            // > 0 while colour changes add no undo step
    bool keyIgnored = false;
    TypingRun typing;
    std::function<qint64()> typingClock;
    int m_doubleClickedCharacter = -1;
    bool m_spaceMarksShown = false;
};

// Colour values of the markup classes, 0x00BBGGRR.
namespace TextColor {
constexpr int Black = 0x000000;
constexpr int Red = 0x0000FF;
constexpr int Blue = 0xFF0000;
constexpr int Magenta = 0xFF00FF;
} // namespace TextColor
