#include "document/richtextbox.h"

#include "core/droppedfiles.h"
#include "document/clipboard.h"
#include "document/linebreaks.h"
#include "document/linelayout.h"
#include "document/rtf.h"
#include "document/spacemarks.h"

#include <QClipboard>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QInputMethod>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <utility>

namespace {

QFont editorFont()
{
    const QStringList installed = QFontDatabase::families();
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (const char *family : {"Noto Sans Mono CJK JP", "Noto Sans CJK JP", "IPAGothic",
                               "TakaoGothic", "VL Gothic", "Droid Sans Japanese"}) {
        if (installed.contains(QLatin1String(family))) {
            font = QFont(QLatin1String(family));
            break;
        }
    }
    font.setPointSizeF(13.5);
    return font;
}

} // namespace

RichTextBox::RichTextBox(QWidget *parent)
    : QPlainTextEdit(parent), mirror(useLineLayout(*this)),
      lookTracker(
          *document(), [this] { viewport()->update(); }, [this] { typed.end(); }),
      typed(*document(), lookTracker)
{
    // The document window shows its own menu on the mouse-up event.
    setContextMenuPolicy(Qt::PreventContextMenu);
    setDefaultLook();
    connect(this, &QPlainTextEdit::cursorPositionChanged, this,
            [this] { lookTracker.forgetInsertionLook(); });
    connect(document(), &QTextDocument::contentsChange, this,
            [this](int position, int removed, int added) {
                lastChangeEnd = position + added;
                lookTracker.follow(position, removed, added);
                mirror.follow(position, removed, added, lookTracker.formattingOnly());
                if (!m_filling && !lookTracker.formattingOnly() && (removed != 0 || added != 0)) {
                    // Any change of the text ends a run of typing; the typing itself notes
                    // its run again once it is made.
                    typed.end();
                    const int characters = document()->characterCount();
                    emit changed();
                    mirror.checkAfterReport(characters);
                }
            });
}

void RichTextBox::setDefaultLook()
{
    setFont(editorFont());
    QPalette colors = palette();
    colors.setColor(QPalette::Base, Qt::white);
    colors.setColor(QPalette::Text, Qt::black);
    setPalette(colors);
    setCurrentCharFormat(plainCharFormat());
}

void RichTextBox::setText(const QString &text)
{
    // The control gives the new text the insertion format of the old caret: make it plain.
    QTextCursor cursor = textCursor();
    cursor.clearSelection();
    setTextCursor(cursor);
    setCurrentCharFormat(plainCharFormat());
    mirror.reset(); // the whole text is replaced: nothing to patch
    setPlainText(withLfBreaks(text));
    setCurrentCharFormat(plainCharFormat());
    mirror.reset();
    lookTracker.reset();
}

bool RichTextBox::setText(const QString &text, const std::function<bool(qsizetype done)> &keepGoing)
{
    // Pieces of about a megabyte, cut neither inside a CR LF nor inside a surrogate pair.
    constexpr qsizetype pieceLength = 1 << 20;
    const auto pieceEnd = [&text](qsizetype start) {
        qsizetype end = std::min(start + pieceLength, text.size());
        while (end < text.size() && (text[end - 1] == u'\r' || text[end - 1].isHighSurrogate()))
            ++end;
        return end;
    };
    qsizetype done = pieceEnd(0);
    if (done == text.size()) {
        setText(text);
        return true;
    }
    // The text changes once, when it is all in: nothing (a recovery file) reads the pieces
    // while the rest is waited for.
    m_filling = true;
    setText(text.first(done));
    // The pieces after the first are part of the text as it opens, not edits to take back.
    document()->setUndoRedoEnabled(false);
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    bool finished = true;
    while (done < text.size()) {
        if (!keepGoing(done)) {
            finished = false;
            break;
        }
        const qsizetype next = pieceEnd(done);
        end.insertText(withLfBreaks(text.sliced(done, next - done)));
        done = next;
    }
    document()->setUndoRedoEnabled(true);
    mirror.reset();
    lookTracker.reset();
    m_filling = false;
    if (finished)
        emit changed();
    return finished;
}

QTextCursor RichTextBox::cursorFor(int start, int length) const
{
    QTextCursor cursor(document());
    cursor.setPosition(toDocumentPosition(start));
    cursor.setPosition(toDocumentPosition(endOf(start, length)), QTextCursor::KeepAnchor);
    return cursor;
}

void RichTextBox::setSelLength(int length)
{
    if (length < 0)
        return;
    const int start = selStart();
    const int end = std::min(endOf(start, length), textLength());
    // Refused when the end would split a CR LF pair.
    if (fromDocumentPosition(toDocumentPosition(end)) != end)
        return;
    select(start, end - start);
}

QString RichTextBox::selText() const
{
    const QTextCursor cursor = textCursor();
    const int start = fromDocumentPosition(cursor.selectionStart());
    return text().mid(start, fromDocumentPosition(cursor.selectionEnd()) - start);
}

void RichTextBox::setSelText(const QString &text)
{
    QTextCursor cursor = textCursor();
    lookTracker.editText(lookTracker.selectionLook(cursor), {},
                         [&] { cursor.insertText(withLfBreaks(text)); });
    setTextCursor(cursor);
}

void RichTextBox::replaceEach(const QList<int> &starts, int length, const QString &replacement,
                              const ReplacementLooks &looksOf)
{
    if (starts.isEmpty())
        return;
    const QString lines = withLfBreaks(replacement);
    QList<int> documentStarts;
    QList<int> documentEnds;
    documentStarts.reserve(starts.size());
    documentEnds.reserve(starts.size());
    // The matches come in order: one walk over the lines maps them all.
    PositionWalker walker(*document());
    for (int start : starts) {
        documentStarts << walker.map(start);
        documentEnds << walker.map(endOf(start, length));
    }
    lookTracker.replaceEach(documentStarts, documentEnds, lines, looksOf);
}

QString RichTextBox::selRtf() const
{
    const QTextCursor cursor = textCursor();
    return rtfFromSpans(lookTracker.spansBetween(cursor.selectionStart(), cursor.selectionEnd()));
}

void RichTextBox::setSelLookedText(const QString &lines, const QList<LookRun> &looks)
{
    QTextCursor cursor = textCursor();
    lookTracker.editText(lookTracker.caretLook(cursor), looks, [&] {
        cursor.removeSelectedText();
        cursor.insertText(lines);
    });
    setTextCursor(cursor);
}

void RichTextBox::setSelRtf(const QString &rtf)
{
    QString text;
    QList<LookRun> looks;
    for (const RtfSpan &span : spansFromRtf(rtf)) {
        const QString lines = withLfBreaks(span.text);
        text += lines;
        looks.append(LookRun{int(lines.size()), Look{span.color, span.bold}});
    }
    setSelLookedText(text, looks);
}

int RichTextBox::find(const QString &what, int start, int end, bool matchCase) const
{
    if (what.isEmpty())
        return -1;
    const QString &all = text();
    const int limit = end < 0 ? int(all.size()) : std::min(end, int(all.size()));
    const int found = int(
        all.indexOf(what, std::max(start, 0), matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive));
    if (found < 0 || found + what.size() > limit)
        return -1;
    return found;
}

int RichTextBox::lineFromChar(int position) const
{
    const int documentPosition
        = position < 0 ? textCursor().selectionEnd() : toDocumentPosition(position);
    return document()->findBlock(documentPosition).blockNumber();
}

int RichTextBox::charFromLine(int line) const
{
    if (line < 0)
        line = textCursor().block().blockNumber();
    if (line >= document()->blockCount())
        return -1;
    return crLfStartOfLine(*document(), line);
}

void RichTextBox::undoStep(bool redo)
{
    if (isReadOnly())
        return;
    typed.end();
    // The caret goes where the undone or redone change was; the looks' own undo items would
    // otherwise leave it at the start of the text.
    lastChangeEnd = -1;
    if (redo)
        QPlainTextEdit::redo();
    else
        QPlainTextEdit::undo();
    if (lastChangeEnd >= 0) {
        QTextCursor caret(document());
        caret.setPosition(qMin(lastChangeEnd, document()->characterCount() - 1));
        setTextCursor(caret);
    }
    ensureCursorVisible();
}

void RichTextBox::keyPressEvent(QKeyEvent *event)
{
    emit keyPressPreview(event->text());
    keyIgnored = false;
    emit keyDown(event->key(), event->modifiers(), event->text());
    if (keyIgnored) {
        event->accept();
        return;
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    auto handle = [this](QKeyEvent *key) {
        // The control pastes only what it can read; with nothing of that kind on the clipboard
        // the paste key is handed on, to say so.
        if (key->matches(QKeySequence::Paste) && !isReadOnly()
            && !canPasteFrom(QGuiApplication::clipboard()->mimeData())) {
            key->accept();
            emit nothingToPaste();
            return;
        }
        // Undo and redo restore the looks through the undo stack; every other key may edit.
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)) {
            undoStep(key->matches(QKeySequence::Redo));
            key->accept();
            return;
        }
        const Look look = lookTracker.typingLook(textCursor());
        if (isReadOnly() || !TypedEdits::editsAlone(*key, textCursor().hasSelection())) {
            const QTextCursor before = textCursor();
            lookTracker.editText(
                look, {}, [&] { QPlainTextEdit::keyPressEvent(key); },
                LookTracker::Grouping::AsItComes);
            // A key that moves the caret ends the typing; Shift alone or a shortcut does not.
            const QTextCursor after = textCursor();
            if (after.position() != before.position() || after.anchor() != before.anchor())
                typed.end();
            return;
        }
        // A typed character, Backspace and Delete are made here, with their looks, joined to the
        // typing before them.
        QTextCursor edit = textCursor();
        typed.typeKey(edit, *key, look, overwriteMode());
        setTextCursor(edit); // after the edit block: the control reads its layout
        ensureCursorVisible();
        key->accept();
    };
    if (enter && event->modifiers().testFlag(Qt::ShiftModifier)) {
        // Shift+Enter would insert a line separator inside the line; a line break is a line
        // break here.
        QKeyEvent plain(event->type(), event->key(), event->modifiers() & ~Qt::ShiftModifier,
                        event->text(), event->isAutoRepeat(), event->count());
        handle(&plain);
        event->setAccepted(plain.isAccepted());
    } else {
        handle(event);
    }
    emit keyHandled(event->key(), event->modifiers(), event->text());
}

void RichTextBox::typeCompletion(int replaced, const QString &text, const QString &after,
                                 const QList<LookRun> &looks)
{
    QTextCursor edit = textCursor();
    edit.clearSelection();
    typed.typeCompletion(edit, replaced, text, after, lookTracker.typingLook(edit), looks);
    setTextCursor(edit);
    ensureCursorVisible();
}

void RichTextBox::inputMethodEvent(QInputMethodEvent *event)
{
    // The text an input method commits goes in here, as typed characters do: live colouring
    // sets its look first, and the edit with its looks is one undo step. The control's own
    // handling then only shows the pre-edit text, which is not part of the document; the
    // layout change it reports is no change of the text.
    const QString committed = event->commitString();
    QTextCursor edit = textCursor();
    if (TypedEdits::editsText(*event, edit)) {
        if (!committed.isEmpty())
            emit inputCommitting(committed);
        typed.inputMethodEdit(edit, *event, lookTracker.typingLook(textCursor()), overwriteMode());
        setTextCursor(edit); // after the edit block: the control reads its layout
        ensureCursorVisible();
    }
    QInputMethodEvent preeditOnly(event->preeditString(), event->attributes());
    {
        const LookTracker::FormattingOnly preeditShown(lookTracker);
        QPlainTextEdit::inputMethodEvent(&preeditOnly);
    }
    event->accept();
    if (!committed.isEmpty())
        emit inputCommitted(committed);
}

void RichTextBox::dropEvent(QDropEvent *event)
{
    const QStringList files = droppedFiles(event->mimeData());
    if (!files.isEmpty()) {
        // The drop marker of the drag goes away as when the drag leaves.
        QDragLeaveEvent leave;
        QPlainTextEdit::dragLeaveEvent(&leave);
        event->acceptProposedAction();
        emit filesDropped(files);
        return;
    }
    lookTracker.editText(
        lookTracker.caretLook(textCursor()), {}, [&] { QPlainTextEdit::dropEvent(event); },
        LookTracker::Grouping::AsItComes);
}

void RichTextBox::paintEvent(QPaintEvent *event)
{
    // The blocks in view get their looks before they are painted.
    bool longLineInView = false;
    forEachVisibleBlock([&](const QTextBlock &block, QPointF) {
        lookTracker.showLooksOf(block);
        longLineInView = longLineInView || LookTracker::looksDrawnWhenPainting(block);
    });
    if (longLineInView)
        paintDrawingLooks(event);
    else
        QPlainTextEdit::paintEvent(event);
    if (!m_spaceMarksShown)
        return;
    QPainter painter(viewport());
    forEachVisibleBlock([&](const QTextBlock &block, QPointF topLeft) {
        paintSpaceMarks(painter, block, topLeft, palette().color(QPalette::Text));
    });
}

void RichTextBox::forEachVisibleBlock(
    const std::function<void(const QTextBlock &, QPointF topLeft)> &visit)
{
    const QPointF offset = contentOffset();
    const int bottom = viewport()->height();
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        const QRectF bounds = blockBoundingGeometry(block).translated(offset);
        if (bounds.top() > bottom)
            break;
        visit(block, bounds.topLeft());
    }
}

void RichTextBox::keyReleaseEvent(QKeyEvent *event)
{
    QPlainTextEdit::keyReleaseEvent(event);
    emit keyUp(event->key(), event->modifiers(), event->text());
}

bool RichTextBox::composing() const
{
    const QTextLayout *layout = textCursor().block().layout();
    return layout && !layout->preeditAreaText().isEmpty();
}

// A click on the pre-edit text itself belongs to the input method (it may move its cursor
// there), as in the control's own handling; a click anywhere else, on another line too, ends
// the composition.
bool RichTextBox::hitsPreedit(const QPoint &point) const
{
    const QTextCursor caret = textCursor();
    const QTextBlock block = caret.block();
    const QTextLayout *layout = block.layout();
    if (!layout || !blockBoundingGeometry(block).translated(contentOffset()).contains(point))
        return false;
    // The layout of the line counts the pre-edit text among its characters.
    const int offset = cursorForPosition(point).position() - caret.position();
    return offset >= 0 && offset <= layout->preeditAreaText().size();
}

void RichTextBox::endComposition()
{
    if (!composing())
        return;
    QGuiApplication::inputMethod()->commit();
    if (!composing())
        return;
    const QTextBlock block = textCursor().block();
    QTextCursor group(document());
    {
        const LookTracker::FormattingOnly layoutOnly(lookTracker);
        group.beginEditBlock(); // the document reports the new layout of the line now
        block.layout()->setPreeditArea(-1, QString());
        group.endEditBlock();
    }
    lookTracker.showLooksOf(
        block); // the looks of the line without the pre-edit text and its underline
    viewport()->update();
}

void RichTextBox::mousePressEvent(QMouseEvent *event)
{
    typed.end();
    if (composing() && !hitsPreedit(event->position().toPoint()))
        endComposition();
    QPlainTextEdit::mousePressEvent(event);
}

void RichTextBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        endComposition();
    // The character under the pointer, which Qt's word selection may run into a neighbour
    // ("><" of two tags side by side is one word to it).
    const QPoint point = event->position().toPoint();
    const QTextCursor boundary = cursorForPosition(point);
    int clicked = boundary.position();
    if (point.x() < cursorRect(boundary).x() && clicked > 0)
        --clicked;
    m_doubleClickedCharacter
        = clicked < document()->characterCount() - 1 ? fromDocumentPosition(clicked) : -1;
    QPlainTextEdit::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

void RichTextBox::mouseReleaseEvent(QMouseEvent *event)
{
    QPlainTextEdit::mouseReleaseEvent(event);
    emit mouseUp(event->button(), event->modifiers(), event->position().toPoint());
}

void RichTextBox::mouseMoveEvent(QMouseEvent *event)
{
    // Dragging from the pre-edit text ends the composition in the control's own handling.
    if (event->buttons().testFlag(Qt::LeftButton) && composing()
        && !hitsPreedit(event->position().toPoint()))
        endComposition();
    QPlainTextEdit::mouseMoveEvent(event);
    emit mouseMoved();
}

void RichTextBox::focusInEvent(QFocusEvent *event)
{
    QPlainTextEdit::focusInEvent(event);
    emit focusGained();
}

void RichTextBox::focusOutEvent(QFocusEvent *event)
{
    typed.end();
    QPlainTextEdit::focusOutEvent(event);
    emit focusLost();
}

QMimeData *RichTextBox::createMimeDataFromSelection() const
{
    auto *data = new QMimeData;
    data->setText(selText());
    data->setData(QStringLiteral("text/rtf"), rtfToBytes(selRtf()));
    return data;
}

bool RichTextBox::canPasteFrom(const QMimeData *source)
{
    return source
           && (mimeHasFormat(source, ClipboardFormat::Rtf)
               || !mimeGetText(source, ClipboardFormat::Text).isEmpty());
}

bool RichTextBox::canInsertFromMimeData(const QMimeData *source) const
{
    // Dropped files are taken too: they are opened, not inserted (see dropEvent).
    return canPasteFrom(source) || (source && !droppedFiles(source).isEmpty());
}

// Every paste, drop and middle-click paste of the control ends here; Qt's own reading, which
// ends the program on mime data without any format, is never reached.
void RichTextBox::insertFromMimeData(const QMimeData *source)
{
    if (!source)
        return;
    if (mimeHasFormat(source, ClipboardFormat::Rtf))
        setSelRtf(mimeGetText(source, ClipboardFormat::Rtf));
    else if (canPasteFrom(source))
        setSelText(mimeGetText(source, ClipboardFormat::Text));
}
