#pragma once

#include "document/colorrun.h"
#include "document/colorstore.h"
#include "document/crlfpositions.h"
#include "document/looktracker.h"
#include "document/textmirror.h"
#include "document/typededits.h"

#include <QPlainTextEdit>

#include <functional>
#include <utility>

class QPainter;
class QTextBlock;
class QTextCursor;

// The rich-text edit control of a document window (txtText). Positions count a line break as
// the two characters CR LF, exactly as text() reads, although the underlying QTextDocument
// keeps one separator per line (see crlfpositions.h). Colours are 0x00BBGGRR.
// The document holds plain text: the colour and bold of every character are kept by a
// LookTracker, which follows each edit, undo and redo; text() is kept by a TextMirror. The
// control turns its events and the clipboard's formats into edits; typing and input methods
// edit through TypedEdits, which joins a run of typing into one undo step.
class RichTextBox : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit RichTextBox(QWidget *parent = nullptr);

    // The whole text with CR LF line breaks. Writing replaces all text and its colours; CR LF,
    // LF and a lone CR each become one line break.
    QString text() const { return mirror.text(); }
    void setText(const QString &text);
    // The same for a text of many megabytes, put in piece by piece: `keepGoing` is asked
    // between the pieces with the count of characters of `text` in so far, and a false answer
    // stops there (the box then holds the pieces in so far). Nothing of it can be undone.
    bool setText(const QString &text, const std::function<bool(qsizetype done)> &keepGoing);
    // Length of text() without building it.
    int textLength() const { return crLfLength(*document()); }

    int selStart() const { return fromDocumentPosition(textCursor().selectionStart()); }
    // Moves the caret to `position` (clamped to the text) and empties the selection.
    void setSelStart(int position) { select(position, 0); }
    int selLength() const { return selEnd() - selStart(); }
    // Extends the selection from its start; a length that ends inside a CR LF pair is refused
    // (the old length stays), as the classic control did.
    void setSelLength(int length);
    // selStart() + selLength().
    int selEnd() const { return fromDocumentPosition(textCursor().selectionEnd()); }
    void select(int start, int length)
    {
        typed.end(); // a caret put anywhere, even where it was, starts a new step
        setTextCursor(cursorFor(start, length));
    }

    // Takes back the last undo step (or, with `redo`, does again the last one taken back),
    // with its looks, and puts the caret where that change was; the Undo and Redo keys and the
    // Edit menu's entries come here. Characters typed one after another are one step (see
    // TypingRun).
    void undoStep(bool redo = false);
    // The clock (milliseconds, never going back) that tells a pause in typing; tests set
    // their own.
    void setTypingClock(std::function<qint64()> clock) { typed.setClock(std::move(clock)); }

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
    int selColor() const { return lookTracker.selectionLook(textCursor()).color; }
    // Colours the selection, or sets the insertion colour when nothing is selected.
    void setSelColor(int color) { lookTracker.setColor(textCursor(), color); }
    bool selBold() const { return lookTracker.selectionLook(textCursor()).bold; }
    void setSelBold(bool bold) { lookTracker.setBold(textCursor(), bold); }
    // The look of the character at `position` (a line break's two characters read the line's
    // end), without touching the caret.
    Look lookAt(int position) const { return lookTracker.lookAt(toDocumentPosition(position)); }
    // The look of the next character typed or committed by an input method, also where it
    // replaces the selection (which keeps its own looks until then).
    void setTypingColor(int color)
    {
        lookTracker.setInsertionLook(Look{color, lookTracker.typingLook(textCursor()).bold});
    }
    void setTypingBold(bool bold)
    {
        lookTracker.setInsertionLook(Look{lookTracker.typingLook(textCursor()).color, bold});
    }

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
    int toDocumentPosition(int position) const
    {
        return documentPositionOfCrLf(*document(), position);
    }
    int fromDocumentPosition(int documentPosition) const
    {
        return crLfPositionOfDocument(*document(), documentPosition);
    }
    // A cursor selecting [start, start + length) in the positions above.
    QTextCursor cursorFor(int start, int length) const;

    // Colours many stretches at once as one undoable step. Runs may come in any order; sorted
    // runs are cheapest. Colouring is not a change of the text: `changed` is not emitted.
    void applyColorRuns(const QList<ColorRun> &runs) { lookTracker.applyColorRuns(runs); }
    // The same for passes over a whole page, which should not hold millions of runs at once:
    // `source` hands each run, in ascending order and inside [start, start + length), to the
    // function it is given.
    using ColorRunSource = LookTracker::ColorRunSource;
    void applyColorRuns(int start, int length, const ColorRunSource &source)
    {
        lookTracker.applyColorRuns(start, length, source);
    }
    // Runs `colouring` (colour changes only) as part of the text as it stands rather than as an
    // edit: it adds no undo step. A page just read is coloured so, so that undo cannot take its
    // colours away.
    void colorWithoutUndo(const std::function<void()> &colouring)
    {
        lookTracker.colorWithoutUndo(colouring);
    }

    // Faint marks drawn over full-width spaces and tabs; the text itself is unchanged.
    bool spaceMarksShown() const { return m_spaceMarksShown; }
    void setSpaceMarksShown(bool shown)
    {
        if (std::exchange(m_spaceMarksShown, shown) != shown)
            viewport()->update();
    }

    // Called from a keyDown handler: the control does not handle this key itself.
    void ignoreKey() { keyIgnored = true; }
    // A pre-edit text of an input method is showing at the caret.
    bool composing() const;
    // Types `text` at the caret in place of the `replaced` characters before it, as keys typed
    // there would, joined to the undo step of the typing just before it; `after` goes in after
    // the caret in the same step. The new characters take `looks` when they add up to their
    // length, else the typing look.
    void typeCompletion(int replaced, const QString &text, const QString &after,
                        const QList<LookRun> &looks = {});

    // The line holding `position`, given the line count and the position where each line
    // starts (ascending): a binary search, so the cost grows with the log of the line count.
    static int lineAtPosition(int position, int lineCount, const std::function<int(int)> &lineStart)
    {
        return ::lineAtPosition(position, lineCount, lineStart);
    }

signals:
    // The text changed (typing, deleting, pasting, undo, any write above). Colour and bold
    // changes alone do not count.
    void changed();
    // Key events with the key, the modifiers and the produced text (empty for non-character
    // keys). keyPressPreview comes first, before the control handles the key.
    void keyPressPreview(const QString &text);
    void keyDown(int key, Qt::KeyboardModifiers modifiers, const QString &text);
    void keyUp(int key, Qt::KeyboardModifiers modifiers, const QString &text);
    // After the control has handled a key that no keyDown handler took.
    void keyHandled(int key, Qt::KeyboardModifiers modifiers, const QString &text);
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
    friend class LineNumberGutter; // draws beside the blocks in view, in the viewport's margin

    // What the control can paste from `source`: rich text, or else plain text that is not empty.
    static bool canPasteFrom(const QMimeData *source);
    bool hitsPreedit(const QPoint &point) const;
    // Ends a composition before the control's own mouse handling does: the input method may
    // commit what it holds, which comes in as typed text; what it leaves is taken off the
    // screen as a change of the view only (the control would report its line as rewritten,
    // which would cost the line its colours and mark the document changed).
    void endComposition();
    // Runs `visit` on each block in view, with the top left corner it is drawn at.
    void forEachVisibleBlock(const std::function<void(const QTextBlock &, QPointF topLeft)> &visit);
    // The control's own painting, except that long lines, whose layouts hold no colours, are
    // drawn in their looks (richtextboxpaint.cpp).
    void paintDrawingLooks(QPaintEvent *event);
    void drawInLooks(QPainter &painter, const QTextBlock &block, QPointF offset,
                     const QList<QTextLayout::FormatRange> &selections, const QRectF &clip);
    void setDefaultLook();

    TextMirror mirror; // text()
    LookTracker lookTracker;
    int lastChangeEnd = -1; // document position after the last change of the text
    bool keyIgnored = false;
    TypedEdits typed; // after lookTracker, which it uses
    int m_doubleClickedCharacter = -1;
    bool m_spaceMarksShown = false;
    bool m_filling = false; // a text is being put in piece by piece
};

// Colour values of the markup classes, 0x00BBGGRR.
namespace TextColor {
constexpr int Black = 0x000000;
constexpr int Red = 0x0000FF;
constexpr int Blue = 0xFF0000;
constexpr int Magenta = 0xFF00FF;
} // namespace TextColor
