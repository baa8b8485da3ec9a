#include "document/richtextbox.h"

#include "core/droppedfiles.h"
#include "document/clipboard.h"
#include "document/linebreaks.h"
#include "document/lookundo.h"
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

QColor toQColor(int value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

QTextCharFormat plainFormat()
{
    QTextCharFormat format;
    format.setForeground(QColor(Qt::black));
    format.setFontWeight(QFont::Normal);
    return format;
}

// The format that draws `look`, each built once: a reused format keeps its shared data.
QTextCharFormat formatOf(Look look)
{
    static QList<std::pair<Look, QTextCharFormat>> built;
    for (const auto &[known, format] : std::as_const(built)) {
        if (known == look)
            return format;
    }
    QTextCharFormat format;
    format.setForeground(toQColor(look.color));
    if (look.bold)
        format.setFontWeight(QFont::Bold);
    built.append({look, format});
    return format;
}

// start + length without overflow.
int endOf(int start, int length)
{
    return int(std::clamp<qint64>(qint64(start) + std::max(length, 0), INT_MIN, INT_MAX));
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

// Maps an ascending series of positions to document positions by walking from one line to
// the next, falling back to a binary search for jumps; used for many runs at once.
class PositionWalker
{
public:
    explicit PositionWalker(const RichTextBox &box) : box(box), document(*box.document()) {}

    int map(int position)
    {
        position = std::max(position, 0);
        if (!block.isValid() || position < blockStart) {
            jumpTo(position);
        } else {
            // Runs come in order: most stay in the block of the one before, or the next.
            for (int steps = 0; position >= blockStart + blockLength + 1; ++steps) {
                const QTextBlock next = block.next();
                if (!next.isValid())
                    break;
                if (steps == 32) {
                    jumpTo(position);
                    break;
                }
                blockPosition += blockLength;
                blockStart += blockLength + 1;
                block = next;
                blockLength = block.length();
            }
        }
        return blockPosition + std::min(position - blockStart, blockLength - 1);
    }

private:
    void jumpTo(int position)
    {
        block = document.findBlock(box.toDocumentPosition(position));
        blockPosition = block.position();
        blockStart = blockPosition + block.blockNumber();
        blockLength = block.length();
    }

    const RichTextBox &box;
    const QTextDocument &document;
    QTextBlock block;
    int blockPosition = 0; // the block's first character in the document
    int blockStart = 0;    // the same in the box's positions
    int blockLength = 0;   // its characters and its separator
};

// The layout of the line being composed in an input method also holds the pre-edit text,
// which is not part of the document: the looks after it move behind it, and the formats the
// input method gave the pre-edit text (its underline) stay.
QList<QTextLayout::FormatRange> besidePreedit(QList<QTextLayout::FormatRange> looks,
                                              const QTextLayout *layout)
{
    const int preeditStart = layout->preeditAreaPosition();
    const int preeditLength = int(layout->preeditAreaText().size());
    if (preeditLength == 0)
        return looks;
    for (QTextLayout::FormatRange &range : looks) {
        if (range.start >= preeditStart)
            range.start += preeditLength;
        else if (range.start + range.length > preeditStart)
            range.length += preeditLength; // the pre-edit text sits inside this run
    }
    for (const QTextLayout::FormatRange &range : layout->formats()) {
        if (range.start >= preeditStart
            && range.start + range.length <= preeditStart + preeditLength)
            looks.append(range);
    }
    std::stable_sort(looks.begin(), looks.end(),
                     [](const auto &a, const auto &b) { return a.start < b.start; });
    return looks;
}

} // namespace

RichTextBox::RichTextBox(QWidget *parent) : QPlainTextEdit(parent)
{
    // The document window shows its own menu on the mouse-up event.
    setContextMenuPolicy(Qt::PreventContextMenu);
    setDefaultLook();
    knownBlockCount = document()->blockCount();
    looks.reset(document()->characterCount());
    typingClock = [] { return QDeadlineTimer::current().deadline(); };
    connect(this, &QPlainTextEdit::cursorPositionChanged, this,
            [this] { insertionLookSet = false; });
    connect(document(), &QTextDocument::contentsChange, this,
            [this](int position, int removed, int added) {
                followContentsChange(position, removed, added);
                noteContentsChange(position, removed, added);
                if (formattingDepth == 0 && (removed != 0 || added != 0)) {
                    // Any change of the text ends a run of typing; the typing itself notes
                    // its run again once it is made.
                    typing.end();
                    const int characters = document()->characterCount();
                    emit changed();
                    // The document does not report edits made while it reports one.
                    if (document()->characterCount() != characters
                        || document()->blockCount() != knownBlockCount) {
                        knownBlockCount = document()->blockCount();
                        dropCachedText();
                    }
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
    if (cachedTextValid && !pendingEdits.isEmpty()) {
        for (const TextEdit &edit : std::as_const(pendingEdits)) {
            if (edit.start < 0 || edit.removed < 0
                || edit.start > cachedText.size() - edit.removed) {
                cachedTextValid = false;
                break;
            }
            cachedText.replace(edit.start, edit.removed, edit.added);
        }
        pendingEdits.clear();
        if (cachedText.size() != textLength())
            cachedTextValid = false;
    }
    if (!cachedTextValid) {
        cachedText = withCrLfBreaks(document()->toRawText());
        cachedTextValid = true;
    }
    return cachedText;
}

void RichTextBox::dropCachedText() const
{
    cachedTextValid = false;
    cachedText.clear();
    pendingEdits.clear();
}

// `position`, `removed` and `added` are the document's report of a change: in its positions,
// one separator per line break.
void RichTextBox::noteContentsChange(int position, int removed, int added)
{
    const int blocks = document()->blockCount();
    const int oldBlocks = std::exchange(knownBlockCount, blocks);
    if (!cachedTextValid || formattingDepth > 0 || (removed == 0 && added == 0))
        return;
    // A change that reaches the end counts the document's final separator, which is not text.
    const int length = document()->characterCount() - 1;
    const int beyond = position + added - length;
    if (beyond > 0) {
        added -= beyond;
        removed -= beyond;
    }
    if (position < 0 || position > length || removed < 0 || added < 0) {
        dropCachedText();
        return;
    }
    QString inserted;
    if (added > 0) {
        QTextCursor cursor(document());
        cursor.setPosition(position);
        cursor.setPosition(position + added, QTextCursor::KeepAnchor);
        inserted = cursor.selectedText();
    }
    // The removed characters are gone: the change of the block count tells how many line
    // breaks were among them.
    const int addedBreaks = int(inserted.count(QChar::ParagraphSeparator));
    const int removedBreaks = oldBlocks - blocks + addedBreaks;
    if (removedBreaks < 0 || removedBreaks > removed) {
        dropCachedText();
        return;
    }
    const int start = fromDocumentPosition(position);
    const int externalRemoved = removed + removedBreaks;
    QString addedText = withCrLfBreaks(inserted);
    // Only colours or bold changed (an undone colouring reports its stretch as replaced).
    if (pendingEdits.isEmpty() && externalRemoved == addedText.size()
        && start <= cachedText.size() - externalRemoved
        && QStringView(cachedText).mid(start, externalRemoved) == addedText)
        return;
    recordTextEdit(start, externalRemoved, std::move(addedText));
}

// Keeps an edit of the text as it was after the earlier pending edits.
void RichTextBox::recordTextEdit(int start, int removed, QString added)
{
    if (!pendingEdits.isEmpty()) {
        TextEdit &last = pendingEdits.last();
        const int lastEnd = last.start + int(last.added.size());
        if (start <= lastEnd && start + removed >= last.start) {
            // It touches the text the last edit put in: one edit does both.
            const int from = std::max(start, last.start) - last.start;
            const int to = std::min(start + removed, lastEnd) - last.start;
            last.removed += removed - (to - from);
            last.added.replace(from, to - from, added);
            last.start = std::min(start, last.start);
            return;
        }
    }
    // Each patch moves the rest of the string once; past a few, building it afresh is cheaper.
    if (pendingEdits.size() >= 16) {
        dropCachedText();
        return;
    }
    pendingEdits.append(TextEdit{start, removed, std::move(added)});
}

void RichTextBox::setText(const QString &text)
{
    // The control gives the new text the insertion format of the old caret: make it plain.
    QTextCursor cursor = textCursor();
    cursor.clearSelection();
    setTextCursor(cursor);
    setCurrentCharFormat(plainFormat());
    dropCachedText(); // the whole text is replaced: nothing to patch
    setPlainText(withLfBreaks(text));
    setCurrentCharFormat(plainFormat());
    knownBlockCount = document()->blockCount();
    dropCachedText();
    looks.reset(document()->characterCount());
    insertionLookSet = false;
}

int RichTextBox::textLength() const
{
    return document()->characterCount() - 1 + document()->blockCount() - 1;
}

int RichTextBox::lineAtPosition(int position, int lineCount,
                                const std::function<int(int)> &lineStart)
{
    int low = 0;
    int high = lineCount - 1;
    while (low < high) {
        const int middle = low + (high - low + 1) / 2;
        if (lineStart(middle) <= position)
            low = middle;
        else
            high = middle - 1;
    }
    return low;
}

int RichTextBox::externalStartOfBlock(int blockNumber) const
{
    return document()->findBlockByNumber(blockNumber).position() + blockNumber;
}

int RichTextBox::toDocumentPosition(int position) const
{
    position = std::clamp(position, 0, textLength());
    const int line = lineAtPosition(position, document()->blockCount(),
                                    [this](int n) { return externalStartOfBlock(n); });
    const QTextBlock block = document()->findBlockByNumber(line);
    // A position between the CR and the LF of a line break maps to the end of the line.
    return block.position() + std::min(position - (block.position() + line), block.length() - 1);
}

int RichTextBox::fromDocumentPosition(int documentPosition) const
{
    documentPosition = std::clamp(documentPosition, 0, document()->characterCount() - 1);
    return documentPosition + document()->findBlock(documentPosition).blockNumber();
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
    editText(selectionLook(), {}, [&] { cursor.insertText(withLfBreaks(text)); });
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
    QList<LookRun> after;
    for (int i = 0; i < documentStarts.size(); ++i) {
        if (i > 0 && documentStarts[i] > documentEnds[i - 1])
            after += looks.runs(documentEnds[i - 1], documentStarts[i] - documentEnds[i - 1]);
        if (looksOf) {
            const QList<LookRun> given = looksOf(int(i));
            if (lengthOf(given) == lines.size()) {
                after += given;
                continue;
            }
        }
        const QList<LookRun> replaced = looks.runs(documentStarts[i], 1);
        const Look look
            = replaced.isEmpty() ? lookBefore(documentStarts[i]) : replaced.first().look;
        if (!lines.isEmpty())
            after << LookRun{int(lines.size()), look};
    }
    editText(lookBefore(documentStarts.first()), after, [&] {
        QTextCursor cursor(document());
        // From the end, so that the positions still to replace do not move.
        for (int i = int(documentStarts.size()) - 1; i >= 0; --i) {
            cursor.setPosition(documentStarts[i]);
            cursor.setPosition(documentEnds[i], QTextCursor::KeepAnchor);
            cursor.insertText(lines);
        }
    });
}

QList<RtfSpan> RichTextBox::spansBetween(int documentStart, int documentEnd) const
{
    QList<RtfSpan> spans;
    for (QTextBlock block = document()->findBlock(documentStart);
         block.isValid() && block.position() <= documentEnd; block = block.next()) {
        if (block.position() > documentStart) {
            if (spans.isEmpty())
                spans.append(RtfSpan{});
            spans.last().text += u'\n';
        }
        const int from = std::max(block.position(), documentStart);
        const int to = std::min(block.position() + block.length() - 1, documentEnd);
        if (from >= to)
            continue;
        const QString line = block.text();
        int offset = from - block.position();
        for (const LookRun &run : looks.runs(from, to - from)) {
            appendRtfSpan(spans, line.mid(offset, run.length), run.look.color, run.look.bold);
            offset += run.length;
        }
    }
    return spans;
}

QString RichTextBox::selRtf() const
{
    const QTextCursor cursor = textCursor();
    return rtfFromSpans(spansBetween(cursor.selectionStart(), cursor.selectionEnd()));
}

void RichTextBox::setSelLookedText(const QString &lines, const QList<LookRun> &looks)
{
    QTextCursor cursor = textCursor();
    editText(caretLook(), looks, [&] {
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

Look RichTextBox::lookBefore(int documentPosition) const
{
    const QTextBlock block = document()->findBlock(documentPosition);
    if (documentPosition == block.position() && block.length() > 1)
        return looks.lookAt(documentPosition);
    return looks.lookAt(std::max(documentPosition - 1, 0));
}

Look RichTextBox::caretLook() const
{
    return insertionLookSet ? insertionLook : lookBefore(textCursor().position());
}

Look RichTextBox::selectionLook() const
{
    const QTextCursor cursor = textCursor();
    if (!cursor.hasSelection())
        return caretLook(); // the insertion look, or the character before the caret
    // The first selected character; a selected line break reads the end of its line.
    const int start = cursor.selectionStart();
    const int next = std::min(start + 1, document()->characterCount() - 1);
    return lookBefore(document()->findBlock(next).position() == next ? start : next);
}

Look RichTextBox::lookAt(int position) const
{
    return looks.lookAt(toDocumentPosition(position));
}

Look RichTextBox::typingLook() const
{
    if (insertionLookSet)
        return insertionLook;
    const QTextCursor cursor = textCursor();
    return cursor.hasSelection() ? lookBefore(cursor.position()) : caretLook();
}

void RichTextBox::setTypingColor(int color)
{
    setInsertionLook(Look{color, typingLook().bold});
}

void RichTextBox::setTypingBold(bool bold)
{
    setInsertionLook(Look{typingLook().color, bold});
}

void RichTextBox::setInsertionLook(Look look)
{
    insertionLook = look;
    insertionLookSet = true;
}

void RichTextBox::changeLooks(int documentStart, int documentEnd,
                              const std::function<void()> &change)
{
    const int length = documentEnd - documentStart;
    if (length <= 0)
        return;
    auto record = std::make_shared<LookChange>();
    record->position = documentStart;
    record->before = looks.record(documentStart, length);
    change();
    record->after = looks.record(documentStart, length);
    record->known = true;
    if (looksOutsideHistory == 0) {
        typing.end();
        document()->appendUndoItem(
            new LookUndoItem(looks, record, [this] { viewport()->update(); }));
    }
    viewport()->update();
}

void RichTextBox::colorWithoutUndo(const std::function<void()> &colouring)
{
    struct Depth
    {
        int &depth;
        explicit Depth(int &depth) : depth(depth) { ++depth; }
        ~Depth() { --depth; }
    } outside(looksOutsideHistory);
    colouring();
}

void RichTextBox::editText(Look look, const QList<LookRun> &insertedLooks,
                           const std::function<void()> &edit, EditGrouping grouping)
{
    lookOfNewText = look;
    looksOfNewText = insertedLooks;
    const bool outermost = textEditDepth++ == 0;
    if (outermost)
        openChange = std::make_shared<LookChange>();
    const int stepsBefore = document()->availableUndoSteps();
    QTextCursor group(document());
    // The control's own key handling reads its layout while it edits, which a pending edit
    // block leaves stale: it runs as it is and is joined afterwards.
    if (grouping == EditGrouping::OneBlock)
        group.beginEditBlock();
    else if (grouping == EditGrouping::JoinPrevious)
        group.joinPreviousEditBlock();
    edit();
    if (grouping != EditGrouping::AsItComes)
        group.endEditBlock(); // the document reports the edit, which fills openChange in
    if (outermost && openChange->known && document()->isUndoRedoEnabled()
        && document()->availableUndoSteps() > stepsBefore) {
        // The looks join the edit's undo step.
        group.joinPreviousEditBlock();
        document()->appendUndoItem(new LookUndoItem(looks, openChange, [this] {
            changeFollowedByUndo = true;
            viewport()->update();
        }));
        group.endEditBlock();
    }
    if (outermost)
        openChange.reset();
    looksOfNewText.clear();
    --textEditDepth;
}

// Keeps one look per document character through a change the document reports.
void RichTextBox::followContentsChange(int position, int removed, int added)
{
    lastChangeEnd = position + added;
    const int characters = document()->characterCount();
    if (formattingDepth == 0 && (removed != 0 || added != 0)) {
        if (std::exchange(changeFollowedByUndo, false)) {
            // The undo item has put the looks in place already.
        } else {
            const Look look
                = textEditDepth > 0 ? lookOfNewText : looks.lookAt(std::max(position - 1, 0));
            QList<LookRun> after = lengthOf(looksOfNewText) == added
                                       ? looksOfNewText
                                       : QList<LookRun>{LookRun{added, look}};
            if (openChange && openChange->known) {
                // The edit comes in more than one report (the control's own Enter does): the
                // record grows to hold them all, or undo would take back the first alone.
                LookChange &record = *openChange;
                const int start = std::min(record.position, position);
                const int end
                    = std::max(record.position + record.after.length(), position + removed);
                looks.replace(record.position, record.after.length(), record.before);
                const LookRecord before = looks.record(start, end - start - record.after.length()
                                                                  + record.before.length());
                looks.replace(record.position, record.before.length(), record.after);
                looks.replace(position, removed, after);
                record.position = start;
                record.before = before;
                record.after = looks.record(start, end - start - removed + added);
            } else if (openChange) {
                openChange->position = position;
                openChange->before = looks.record(position, removed);
                looks.replace(position, removed, after);
                openChange->after = looks.record(position, added);
                openChange->known = true;
            } else {
                looks.replace(position, removed, after);
            }
        }
    }
    // A report that counts the document's final separator, or one missed, must not leave
    // the looks out of step with the characters.
    if (looks.size() < characters)
        looks.replace(looks.size(), 0, characters - looks.size(), Look{});
    else if (looks.size() > characters)
        looks.replace(characters, looks.size() - characters, 0, Look{});
    if (formattingDepth == 0 && (removed != 0 || added != 0))
        showLooksOfEditedBlocks(position, added);
}

int RichTextBox::selColor() const
{
    return selectionLook().color;
}

void RichTextBox::setSelColor(int color)
{
    const QTextCursor cursor = textCursor();
    if (!cursor.hasSelection()) {
        setInsertionLook(Look{color, caretLook().bold});
        return;
    }
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    changeLooks(start, end, [&] { looks.setColor(start, end - start, color); });
}

bool RichTextBox::selBold() const
{
    return selectionLook().bold;
}

void RichTextBox::setSelBold(bool bold)
{
    const QTextCursor cursor = textCursor();
    if (!cursor.hasSelection()) {
        setInsertionLook(Look{caretLook().color, bold});
        return;
    }
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    changeLooks(start, end, [&] { looks.setBold(start, end - start, bold); });
}

void RichTextBox::applyColorRuns(const QList<ColorRun> &runs)
{
    if (runs.isEmpty())
        return;
    const bool sorted
        = std::is_sorted(runs.cbegin(), runs.cend(),
                         [](const ColorRun &a, const ColorRun &b) { return a.start < b.start; });
    QList<ColorRun> ordered;
    if (!sorted) {
        ordered = runs;
        std::stable_sort(ordered.begin(), ordered.end(),
                         [](const ColorRun &a, const ColorRun &b) { return a.start < b.start; });
    }
    const QList<ColorRun> &list = sorted ? runs : ordered;

    int first = INT_MAX;
    int last = INT_MIN;
    for (const ColorRun &run : list) {
        if (run.length <= 0)
            continue;
        first = std::min(first, run.start);
        last = std::max(last, endOf(run.start, run.length));
    }
    first = std::max(first, 0);
    last = std::min(last, textLength());
    if (first >= last)
        return;
    applyColorRuns(first, last - first,
                   [&list](const std::function<void(const ColorRun &)> &color) {
                       for (const ColorRun &run : list)
                           color(run);
                   });
}

void RichTextBox::applyColorRuns(int start, int length, const ColorRunSource &source)
{
    PositionWalker walker(*this);
    const int first = walker.map(start);
    const int last = walker.map(endOf(start, length));
    changeLooks(first, last, [&] {
        PositionWalker runWalker(*this);
        source([&](const ColorRun &run) {
            if (run.length <= 0)
                return;
            // A run outside the stretch would change looks the undo step does not hold.
            const int from = std::max(runWalker.map(run.start), first);
            const int to = std::min(runWalker.map(endOf(run.start, run.length)), last);
            if (from >= to)
                return;
            if (run.bold == ColorRun::Unchanged)
                looks.setColor(from, to - from, run.color);
            else
                looks.setLook(from, to - from, Look{run.color, run.bold == ColorRun::On});
        });
    });
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
    return externalStartOfBlock(line);
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
        const Look look = typingLook();
        if (!editsAlone(*key)) {
            const QTextCursor before = textCursor();
            editText(
                look, {}, [&] { QPlainTextEdit::keyPressEvent(key); }, EditGrouping::AsItComes);
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
    editText(look, {}, change, joins ? EditGrouping::JoinPrevious : EditGrouping::OneBlock);
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
        const Look look = typingLook();
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
            editText(look, {}, change);
            typing.openForCommit(edit.position(), document()->availableUndoSteps());
        } else if (replaces) {
            // An input method rewriting text before the caret (a conversion again) is a step
            // of its own.
            editText(look, {}, change);
        } else {
            editAsTyped(TypingRun::Kind::Typing, committed, look, edit, change);
        }
        setTextCursor(edit); // after the edit block: the control reads its layout
        ensureCursorVisible();
    }
    QInputMethodEvent preeditOnly(event->preeditString(), event->attributes());
    ++formattingDepth;
    QPlainTextEdit::inputMethodEvent(&preeditOnly);
    --formattingDepth;
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
    editText(
        caretLook(), {}, [&] { QPlainTextEdit::dropEvent(event); }, EditGrouping::AsItComes);
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

// Hands the looks of the blocks in view to their layouts; a block whose formats are already
// right is left alone, so that an unchanged view costs no layout.
bool RichTextBox::showLooksOf(const QTextBlock &block)
{
    QList<QTextLayout::FormatRange> formats;
    int start = 0;
    for (const LookRun &run : looks.runs(block.position(), block.length() - 1)) {
        if (run.look != Look{})
            formats.append(QTextLayout::FormatRange{start, run.length, formatOf(run.look)});
        start += run.length;
    }
    QTextLayout *layout = block.layout();
    formats = besidePreedit(formats, layout);
    if (layout->formats() == formats)
        return false;
    layout->setFormats(formats);
    // The block is laid out again with its new formats: at once when painting, or together
    // with the edit under way.
    ++formattingDepth;
    document()->markContentsDirty(block.position(), block.length());
    --formattingDepth;
    return true;
}

void RichTextBox::showLooksOfVisibleBlocks()
{
    const QPointF offset = contentOffset();
    const int bottom = viewport()->height();
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        if (blockBoundingGeometry(block).translated(offset).top() > bottom)
            break;
        showLooksOf(block);
    }
}

void RichTextBox::showLooksOfEditedBlocks(int position, int added)
{
    // A few lines typed or pasted get their formats before the edit is laid out, so that they
    // are laid out and painted once; the view catches up with anything longer when it paints.
    constexpr int editedBlocksShownAtOnce = 16;
    QTextBlock block = document()->findBlock(position);
    for (int count = 0; block.isValid() && block.position() <= position + added; ++count) {
        if (count == editedBlocksShownAtOnce)
            return;
        showLooksOf(block);
        block = block.next();
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
    ++formattingDepth;
    group.beginEditBlock(); // the document reports the new layout of the line now
    block.layout()->setPreeditArea(-1, QString());
    group.endEditBlock();
    --formattingDepth;
    showLooksOf(block); // the looks of the line without the pre-edit text and its underline
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
