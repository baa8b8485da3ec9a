#include "document/looktracker.h"

#include "document/crlfpositions.h"
#include "document/lookundo.h"
#include "document/rtf.h"

#include <QFontMetricsF>
#include <QHash>
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

// Whether the bold glyphs of `font` take the room of the regular ones, as in the monospaced
// fonts the editor uses: then a line laid out without its bold runs puts every character
// where it is drawn in bold.
bool boldKeepsWidths(const QFont &font)
{
    static QHash<QString, bool> known;
    const QString key = font.key();
    if (const auto found = known.constFind(key); found != known.cend())
        return *found;
    QFont bold(font);
    bold.setWeight(QFont::Bold);
    const QFontMetricsF regular(font);
    const QFontMetricsF heavy(bold);
    QString sample = QStringLiteral("あア日本語ｱｲｳ、。「」　＜＞");
    for (char16_t c = 0x20; c < 0x7F; ++c)
        sample += QChar(c);
    bool same = true;
    for (const QChar c : std::as_const(sample))
        same = same && regular.horizontalAdvance(c) == heavy.horizontalAdvance(c);
    known.insert(key, same);
    return same;
}

} // namespace

QTextCharFormat plainCharFormat()
{
    QTextCharFormat format;
    format.setForeground(QColor(Qt::black));
    format.setFontWeight(QFont::Normal);
    return format;
}

LookTracker::LookTracker(QTextDocument &document, std::function<void()> repaint,
                         std::function<void()> lookStepAdded)
    : document(document), repaint(std::move(repaint)), lookStepAdded(std::move(lookStepAdded))
{
    reset();
}

void LookTracker::reset()
{
    looks.reset(document.characterCount());
    insertionLookSet = false;
}

Look LookTracker::lookAt(int documentPosition) const
{
    return looks.lookAt(documentPosition);
}

Look LookTracker::lookBefore(int documentPosition) const
{
    const QTextBlock block = document.findBlock(documentPosition);
    if (documentPosition == block.position() && block.length() > 1)
        return looks.lookAt(documentPosition);
    return looks.lookAt(std::max(documentPosition - 1, 0));
}

Look LookTracker::caretLook(const QTextCursor &caret) const
{
    return insertionLookSet ? insertionLook : lookBefore(caret.position());
}

Look LookTracker::selectionLook(const QTextCursor &selection) const
{
    if (!selection.hasSelection())
        return caretLook(selection); // the insertion look, or the character before the caret
    // The first selected character; a selected line break reads the end of its line.
    const int start = selection.selectionStart();
    const int next = std::min(start + 1, document.characterCount() - 1);
    return lookBefore(document.findBlock(next).position() == next ? start : next);
}

Look LookTracker::typingLook(const QTextCursor &caret) const
{
    if (insertionLookSet)
        return insertionLook;
    return caret.hasSelection() ? lookBefore(caret.position()) : caretLook(caret);
}

void LookTracker::setInsertionLook(Look look)
{
    insertionLook = look;
    insertionLookSet = true;
}

void LookTracker::setColor(const QTextCursor &selection, int color)
{
    if (!selection.hasSelection()) {
        setInsertionLook(Look{color, caretLook(selection).bold});
        return;
    }
    const int start = selection.selectionStart();
    const int end = selection.selectionEnd();
    changeLooks(start, end, [&] { looks.setColor(start, end - start, color); });
}

void LookTracker::setBold(const QTextCursor &selection, bool bold)
{
    if (!selection.hasSelection()) {
        setInsertionLook(Look{caretLook(selection).color, bold});
        return;
    }
    const int start = selection.selectionStart();
    const int end = selection.selectionEnd();
    changeLooks(start, end, [&] { looks.setBold(start, end - start, bold); });
}

void LookTracker::changeLooks(int documentStart, int documentEnd,
                              const std::function<void()> &change)
{
    const int length = documentEnd - documentStart;
    if (length <= 0)
        return;
    if (looksOutsideHistory > 0) {
        // Nothing to take back: no record of the looks before and after (a page's colouring
        // holds millions of runs).
        change();
        repaint();
        return;
    }
    auto record = std::make_shared<LookChange>();
    record->position = documentStart;
    record->before = looks.record(documentStart, length);
    change();
    record->after = looks.record(documentStart, length);
    record->known = true;
    lookStepAdded();
    document.appendUndoItem(new LookUndoItem(looks, record, repaint));
    repaint();
}

void LookTracker::colorWithoutUndo(const std::function<void()> &colouring)
{
    struct Depth
    {
        int &depth;
        explicit Depth(int &depth) : depth(depth) { ++depth; }
        ~Depth() { --depth; }
    } outside(looksOutsideHistory);
    colouring();
}

void LookTracker::editText(Look look, const QList<LookRun> &insertedLooks,
                           const std::function<void()> &edit, Grouping grouping)
{
    lookOfNewText = look;
    looksOfNewText = insertedLooks;
    const bool outermost = textEditDepth++ == 0;
    if (outermost)
        openChange = std::make_shared<LookChange>();
    const int stepsBefore = document.availableUndoSteps();
    QTextCursor group(&document);
    // The control's own key handling reads its layout while it edits, which a pending edit
    // block leaves stale: it runs as it is and is joined afterwards.
    if (grouping == Grouping::OneBlock)
        group.beginEditBlock();
    else if (grouping == Grouping::JoinPrevious)
        group.joinPreviousEditBlock();
    edit();
    if (grouping != Grouping::AsItComes)
        group.endEditBlock(); // the document reports the edit, which fills openChange in
    if (outermost && openChange->known && document.isUndoRedoEnabled()
        && document.availableUndoSteps() > stepsBefore) {
        // The looks join the edit's undo step.
        group.joinPreviousEditBlock();
        document.appendUndoItem(new LookUndoItem(looks, openChange, [this] {
            changeFollowedByUndo = true;
            repaint();
        }));
        group.endEditBlock();
    }
    if (outermost)
        openChange.reset();
    looksOfNewText.clear();
    --textEditDepth;
}

void LookTracker::follow(int position, int removed, int added)
{
    const int characters = document.characterCount();
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

void LookTracker::applyColorRuns(const QList<ColorRun> &runs)
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
    last = std::min(last, crLfLength(document));
    if (first >= last)
        return;
    applyColorRuns(first, last - first,
                   [&list](const std::function<void(const ColorRun &)> &color) {
                       for (const ColorRun &run : list)
                           color(run);
                   });
}

void LookTracker::applyColorRuns(int start, int length, const ColorRunSource &source)
{
    PositionWalker walker(document);
    const int first = walker.map(start);
    const int last = walker.map(endOf(start, length));
    changeLooks(first, last, [&] {
        PositionWalker runWalker(document);
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

void LookTracker::replaceEach(const QList<int> &starts, const QList<int> &ends,
                              const QString &lines,
                              const std::function<QList<LookRun>(int)> &looksOf)
{
    // The looks of the whole changed stretch after the edit, which the document reports as one
    // change: the text between the matches as it is, each replacement in its match's look.
    const QList<LookRun> after = looksAfterReplacing(starts, ends, int(lines.size()), looksOf);
    const QList<Replacement> edits = replacementsJoined(starts, ends, lines);
    editText(lookBefore(starts.first()), after, [&] {
        QTextCursor cursor(&document);
        // From the end, so that the positions still to replace do not move.
        for (auto edit = edits.crbegin(); edit != edits.crend(); ++edit) {
            cursor.setPosition(edit->start);
            cursor.setPosition(edit->end, QTextCursor::KeepAnchor);
            cursor.insertText(edit->text);
        }
    });
}

QList<LookTracker::Replacement> LookTracker::replacementsJoined(const QList<int> &starts,
                                                                const QList<int> &ends,
                                                                const QString &lines) const
{
    // The document's cost is per edit, hardly per character: matches a few characters apart
    // on one line go in as one edit, the text between them put back as it was.
    constexpr int nearEnough = 64;
    QList<Replacement> edits;
    edits.reserve(starts.size());
    QTextBlock block;
    int blockStart = 0;
    int blockEnd = -1; // the position of the block's separator
    QString blockText;
    bool blockTextRead = false;
    for (qsizetype i = 0; i < starts.size();) {
        if (starts[i] < blockStart || starts[i] > blockEnd) {
            block = document.findBlock(starts[i]);
            blockStart = block.position();
            blockEnd = blockStart + block.length() - 1;
            blockTextRead = false;
        }
        qsizetype last = i;
        if (ends[i] <= blockEnd) {
            while (last + 1 < starts.size() && ends[last + 1] <= blockEnd
                   && starts[last + 1] - ends[last] <= nearEnough)
                ++last;
        }
        if (last == i) {
            edits.append(Replacement{starts[i], ends[i], lines});
            ++i;
            continue;
        }
        if (!blockTextRead) {
            blockText = block.text();
            blockTextRead = true;
        }
        QString text;
        for (qsizetype k = i; k <= last; ++k) {
            text += lines;
            if (k < last)
                text
                    += QStringView(blockText).sliced(ends[k] - blockStart, starts[k + 1] - ends[k]);
        }
        edits.append(Replacement{starts[i], ends[last], std::move(text)});
        i = last + 1;
    }
    return edits;
}

QList<LookRun>
LookTracker::looksAfterReplacing(const QList<int> &starts, const QList<int> &ends,
                                 int replacementLength,
                                 const std::function<QList<LookRun>(int)> &looksOf) const
{
    QList<LookRun> after;
    for (int i = 0; i < starts.size(); ++i) {
        if (i > 0 && starts[i] > ends[i - 1])
            after += looks.runs(ends[i - 1], starts[i] - ends[i - 1]);
        if (looksOf) {
            const QList<LookRun> given = looksOf(int(i));
            if (lengthOf(given) == replacementLength) {
                after += given;
                continue;
            }
        }
        const QList<LookRun> replaced = looks.runs(starts[i], 1);
        const Look look = replaced.isEmpty() ? lookBefore(starts[i]) : replaced.first().look;
        if (replacementLength > 0)
            after << LookRun{replacementLength, look};
    }
    return after;
}

QList<RtfSpan> LookTracker::spansBetween(int documentStart, int documentEnd) const
{
    QList<RtfSpan> spans;
    for (QTextBlock block = document.findBlock(documentStart);
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

// A block whose formats are already right is left alone, so that an unchanged view costs no
// layout.
bool LookTracker::showLooksOf(const QTextBlock &block)
{
    Shown shown = Shown::All;
    if (looksDrawnWhenPainting(block))
        shown = boldKeepsWidths(document.defaultFont()) ? Shown::None : Shown::Bold;
    const QList<QTextLayout::FormatRange> formats = layoutFormats(block, 0, INT_MAX, shown);
    QTextLayout *layout = block.layout();
    if (layout->formats() == formats)
        return false;
    layout->setFormats(formats);
    // The block is laid out again with its new formats: at once when painting, or together
    // with the edit under way.
    const FormattingOnly formatting(*this);
    document.markContentsDirty(block.position(), block.length());
    return true;
}

// A key on a line of this length costs about twice as much with its colours as formats as
// without them, still well under a millisecond; beyond it the cost grows with the line.
int LookTracker::longLineLength()
{
    return 1000;
}

bool LookTracker::looksDrawnWhenPainting(const QTextBlock &block)
{
    return block.length() - 1 > longLineLength();
}

QList<QTextLayout::FormatRange> LookTracker::formatsBetween(const QTextBlock &block, int from,
                                                            int to) const
{
    return layoutFormats(block, from, to, Shown::All);
}

QList<QTextLayout::FormatRange> LookTracker::layoutFormats(const QTextBlock &block, int from,
                                                           int to, Shown shown) const
{
    const QTextLayout *layout = block.layout();
    const int preeditStart = layout->preeditAreaPosition();
    const int preeditLength = int(layout->preeditAreaText().size());
    const int lineLength = block.length() - 1;
    // A position of the layout's text as a position of the line's own text.
    const auto inLine = [&](int position) {
        if (preeditLength > 0 && position > preeditStart)
            position = std::max(preeditStart, position - preeditLength);
        return std::clamp(position, 0, lineLength);
    };
    const int first = inLine(from);
    const int last = std::max(inLine(to), first);
    QList<QTextLayout::FormatRange> formats;
    if (shown != Shown::None) {
        int start = first;
        for (const LookRun &run : looks.runs(block.position() + first, last - first)) {
            if (run.look != Look{} && (shown == Shown::All || run.look.bold))
                formats.append(QTextLayout::FormatRange{start, run.length, formatOf(run.look)});
            start += run.length;
        }
    }
    formats = besidePreedit(formats, layout);
    if (from == 0 && to == INT_MAX)
        return formats;
    QList<QTextLayout::FormatRange> between;
    for (const QTextLayout::FormatRange &range : std::as_const(formats)) {
        const int start = std::max(range.start, from);
        const int end = std::min(range.start + range.length, to);
        if (start < end)
            between.append(QTextLayout::FormatRange{start - from, end - start, range.format});
    }
    return between;
}

void LookTracker::showLooksOfEditedBlocks(int position, int added)
{
    // A few lines typed or pasted get their formats before the edit is laid out, so that they
    // are laid out and painted once; the view catches up with anything longer when it paints.
    constexpr int editedBlocksShownAtOnce = 16;
    QTextBlock block = document.findBlock(position);
    for (int count = 0; block.isValid() && block.position() <= position + added; ++count) {
        if (count == editedBlocksShownAtOnce)
            return;
        showLooksOf(block);
        block = block.next();
    }
}
