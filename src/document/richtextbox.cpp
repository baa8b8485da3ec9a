#include "document/richtextbox.h"

#include "core/droppedfiles.h"
#include "document/clipboard.h"
#include "document/linebreaks.h"
#include "document/rtf.h"
#include "document/spacemarks.h"

#include <QClipboard>
#include <QDeadlineTimer>
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
#include <climits>
#include <utility>

namespace {

QTextCharFormat plainFormat()
{
    QTextCharFormat format;
    format.setForeground(QColor(Qt::black));
    format.setFontWeight(QFont::Normal);
    return format;
}

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
    : QPlainTextEdit(parent), mirror(*document()),
      lookTracker(
          *document(), [this] { viewport()->update(); }, [this] { typing.end(); })
{
    // The document window shows its own menu on the mouse-up event.
    setContextMenuPolicy(Qt::PreventContextMenu);
    setDefaultLook();
    typingClock = [] { return QDeadlineTimer::current().deadline(); };
    connect(this, &QPlainTextEdit::cursorPositionChanged, this,
            [this] { lookTracker.forgetInsertionLook(); });
    connect(document(), &QTextDocument::contentsChange, this,
            [this](int position, int removed, int added) {
                lastChangeEnd = position + added;
                lookTracker.follow(position, removed, added);
                mirror.follow(position, removed, added, lookTracker.formattingOnly());
                if (!lookTracker.formattingOnly() && (removed != 0 || added != 0)) {
                    // Any change of the text ends a run of typing; the typing itself notes
                    // its run again once it is made.
                    typing.end();
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
    setCurrentCharFormat(plainFormat());
}

QString RichTextBox::text() const
{
    return mirror.text();
}

void RichTextBox::setText(const QString &text)
{
    // The control gives the new text the insertion format of the old caret: make it plain.
    QTextCursor cursor = textCursor();
    cursor.clearSelection();
    setTextCursor(cursor);
    setCurrentCharFormat(plainFormat());
    mirror.reset(); // the whole text is replaced: nothing to patch
    setPlainText(withLfBreaks(text));
    setCurrentCharFormat(plainFormat());
    mirror.reset();
    lookTracker.reset();
}

QTextCursor RichTextBox::cursorFor(int start, int length) const
{
    QTextCursor cursor(document());
    cursor.setPosition(toDocumentPosition(start));
    cursor.setPosition(toDocumentPosition(endOf(start, length)), QTextCursor::KeepAnchor);
    return cursor;
}

int RichTextBox::selStart() const
{
    return fromDocumentPosition(textCursor().selectionStart());
}

void RichTextBox::setSelStart(int position)
{
    select(position, 0);
}

int RichTextBox::selLength() const
{
    const QTextCursor cursor = textCursor();
    return fromDocumentPosition(cursor.selectionEnd())
           - fromDocumentPosition(cursor.selectionStart());
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

int RichTextBox::selEnd() const
{
    return fromDocumentPosition(textCursor().selectionEnd());
}

void RichTextBox::select(int start, int length)
{
    typing.end(); // a caret put anywhere, even where it was, starts a new step
    setTextCursor(cursorFor(start, length));
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
    for (int start : starts) {
        documentStarts << toDocumentPosition(start);
        documentEnds << toDocumentPosition(start + length);
    }
    // The looks of the whole changed stretch after the edit, which the document reports as one
    // change: the text between the matches as it is, each replacement in its match's look.
    const QList<LookRun> after
        = lookTracker.looksAfterReplacing(documentStarts, documentEnds, int(lines.size()), looksOf);
    lookTracker.editText(lookTracker.lookBefore(documentStarts.first()), after, [&] {
        QTextCursor cursor(document());
        // From the end, so that the positions still to replace do not move.
        for (int i = int(documentStarts.size()) - 1; i >= 0; --i) {
            cursor.setPosition(documentStarts[i]);
            cursor.setPosition(documentEnds[i], QTextCursor::KeepAnchor);
            cursor.insertText(lines);
        }
    });
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

void RichTextBox::setTypingColor(int color)
{
    lookTracker.setInsertionLook(Look{color, lookTracker.typingLook(textCursor()).bold});
}

void RichTextBox::setTypingBold(bool bold)
{
    lookTracker.setInsertionLook(Look{lookTracker.typingLook(textCursor()).color, bold});
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

void RichTextBox::ignoreKey()
{
    keyIgnored = true;
}

// Whether `key` types a character (a tab or a line break too), or is Backspace or Delete with
// nothing selected: edits made here, as the control's own would be undo steps that nothing can
// join (and its Enter on an empty line is two).
bool RichTextBox::editsAlone(const QKeyEvent &key) const
{
    if (isReadOnly())
        return false;
    const Qt::KeyboardModifiers modifiers
        = key.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter)
        return modifiers == Qt::NoModifier;
    if (key.key() == Qt::Key_Backspace || key.key() == Qt::Key_Delete)
        return modifiers == Qt::NoModifier && !textCursor().hasSelection();
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = key.text();
    return !text.isEmpty() && std::all_of(text.cbegin(), text.cend(), [](QChar c) {
        return c.isPrint() || c.isSurrogate() || c == u'\t';
    });
}

void RichTextBox::setTypingClock(std::function<qint64()> clock)
{
    typingClock = std::move(clock);
}

void RichTextBox::undoStep(bool redo)
{
    if (isReadOnly())
        return;
    typing.end();
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
        if (!editsAlone(*key)) {
            const QTextCursor before = textCursor();
            lookTracker.editText(
                look, {}, [&] { QPlainTextEdit::keyPressEvent(key); },
                LookTracker::Grouping::AsItComes);
            // A key that moves the caret ends the typing; Shift alone or a shortcut does not.
            const QTextCursor after = textCursor();
            if (after.position() != before.position() || after.anchor() != before.anchor())
                typing.end();
            return;
        }
        typeKey(*key, look);
        key->accept();
    };
    if (enter && event->modifiers().testFlag(Qt::ShiftModifier)) {
        // Shift+Enter would insert a line separator inside the line; a line break is a line
        // break here.
        QKeyEvent plain(event->type(), event->key(), event->modifiers() & ~Qt::ShiftModifier,
                        event->text(), event->isAutoRepeat(), event->count());
        handle(&plain);
        event->setAccepted(plain.isAccepted());
        return;
    }
    handle(event);
}

// A typed character, Backspace and Delete are made here, with their looks, joined to the
// typing before them.
void RichTextBox::typeKey(const QKeyEvent &key, Look look)
{
    QTextCursor edit = textCursor();
    TypingRun::Kind kind = TypingRun::Kind::Typing;
    const bool lineBreak = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
    const QString typed = lineBreak ? QStringLiteral("\n") : key.text();
    QString characters = typed;
    if (key.key() == Qt::Key_Backspace) {
        kind = TypingRun::Kind::Backspace;
        characters
            = edit.atStart() ? QString() : QString(document()->characterAt(edit.position() - 1));
    } else if (key.key() == Qt::Key_Delete) {
        kind = TypingRun::Kind::Delete;
        characters = edit.atEnd() ? QString() : QString(document()->characterAt(edit.position()));
    }
    editAsTyped(kind, characters, look, edit, [&] {
        if (kind == TypingRun::Kind::Backspace)
            edit.deletePreviousChar();
        else if (kind == TypingRun::Kind::Delete)
            edit.deleteChar();
        else {
            // Overwrite mode replaces the character after the caret, never a line break.
            if (!lineBreak && overwriteMode() && !edit.hasSelection() && !edit.atBlockEnd())
                edit.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
            edit.insertText(typed);
        }
    });
    setTextCursor(edit); // after the edit block: the control reads its layout
    ensureCursorVisible();
}

void RichTextBox::editAsTyped(TypingRun::Kind kind, const QString &characters, Look look,
                              const QTextCursor &caret, const std::function<void()> &change)
{
    // Text typed over a selection starts a step: the selection goes with it.
    const bool joins = !caret.hasSelection()
                       && typing.continues(kind, characters, caret.position(),
                                           document()->availableUndoSteps(), typingClock());
    lookTracker.editText(look, {}, change,
                         joins ? LookTracker::Grouping::JoinPrevious
                               : LookTracker::Grouping::OneBlock);
    typing.noteEdit(kind, characters, caret.position(), document()->availableUndoSteps(),
                    typingClock());
}

int RichTextBox::overwrittenEnd(int from, const QString &committed) const
{
    QTextCursor end(document());
    end.setPosition(from);
    for (int i = int(committed.toUcs4().size()); i > 0 && !end.atBlockEnd(); --i)
        end.movePosition(QTextCursor::NextCharacter);
    return end.position();
}

void RichTextBox::inputMethodEvent(QInputMethodEvent *event)
{
    // The text an input method commits goes in here, as typed characters do: live colouring
    // sets its look first, and the edit with its looks is one undo step. The control's own
    // handling then only shows the pre-edit text, which is not part of the document; the
    // layout change it reports is no change of the text.
    const QString committed = event->commitString();
    const bool replaces = event->replacementLength() > 0;
    QTextCursor edit = textCursor();
    const bool typesOverSelection
        = edit.hasSelection() && (!committed.isEmpty() || !event->preeditString().isEmpty());
    if (!committed.isEmpty() || replaces || typesOverSelection) {
        if (!committed.isEmpty())
            emit inputCommitting(committed);
        const Look look = lookTracker.typingLook(textCursor());
        // Overwrite mode types over as many characters as the commit brings, except where the
        // commit takes the place of a selection.
        const bool overwrites = overwriteMode() && !replaces && !edit.hasSelection()
                                && !typing.awaitsCommitAt(edit.position());
        const auto change = [&] {
            edit.removeSelectedText();
            if (committed.isEmpty() && !replaces)
                return;
            const int last = document()->characterCount() - 1;
            const int from = std::clamp(edit.position() + event->replacementStart(), 0, last);
            const int to = overwrites
                               ? overwrittenEnd(from, committed)
                               : std::min(from + std::max(event->replacementLength(), 0), last);
            edit.setPosition(from);
            edit.setPosition(to, QTextCursor::KeepAnchor);
            edit.insertText(committed);
        };
        if (committed.isEmpty() && !replaces) {
            // A composition starts over the selection, which goes now; the commit joins this step.
            lookTracker.editText(look, {}, change);
            typing.openForCommit(edit.position(), document()->availableUndoSteps());
        } else if (replaces) {
            // An input method rewriting text before the caret (a conversion again) is a step
            // of its own.
            lookTracker.editText(look, {}, change);
        } else {
            editAsTyped(TypingRun::Kind::Typing, committed, look, edit, change);
        }
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
    showLooksOfVisibleBlocks();
    QPlainTextEdit::paintEvent(event);
    if (!m_spaceMarksShown)
        return;
    QPainter painter(viewport());
    const QPointF offset = contentOffset();
    const int bottom = viewport()->height();
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        const QRectF bounds = blockBoundingGeometry(block).translated(offset);
        if (bounds.top() > bottom)
            break;
        paintSpaceMarks(painter, block, bounds.topLeft(), palette().color(QPalette::Text));
    }
}

void RichTextBox::setSpaceMarksShown(bool shown)
{
    if (m_spaceMarksShown == shown)
        return;
    m_spaceMarksShown = shown;
    viewport()->update();
}

void RichTextBox::showLooksOfVisibleBlocks()
{
    const QPointF offset = contentOffset();
    const int bottom = viewport()->height();
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        if (blockBoundingGeometry(block).translated(offset).top() > bottom)
            break;
        lookTracker.showLooksOf(block);
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
    typing.end();
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
    typing.end();
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
