#include "document/textmirror.h"

#include "document/crlfpositions.h"
#include "document/linebreaks.h"

#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <utility>

TextMirror::TextMirror(const QTextDocument &document)
    : document(document), knownBlockCount(document.blockCount())
{}

QString TextMirror::text() const
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
        if (cachedText.size() != crLfLength(document))
            cachedTextValid = false;
    }
    if (!cachedTextValid) {
        cachedText = withCrLfBreaks(document.toRawText());
        cachedTextValid = true;
    }
    return cachedText;
}

void TextMirror::reset()
{
    knownBlockCount = document.blockCount();
    drop();
}

void TextMirror::drop() const
{
    cachedTextValid = false;
    cachedText.clear();
    pendingEdits.clear();
}

void TextMirror::checkAfterReport(int charactersReported)
{
    if (document.characterCount() != charactersReported
        || document.blockCount() != knownBlockCount) {
        knownBlockCount = document.blockCount();
        drop();
    }
}

void TextMirror::follow(int position, int removed, int added, bool layoutOnly)
{
    const int blocks = document.blockCount();
    const int oldBlocks = std::exchange(knownBlockCount, blocks);
    if (!cachedTextValid || layoutOnly || (removed == 0 && added == 0))
        return;
    // A change that reaches the end counts the document's final separator, which is not text.
    const int length = document.characterCount() - 1;
    const int beyond = position + added - length;
    if (beyond > 0) {
        added -= beyond;
        removed -= beyond;
    }
    if (position < 0 || position > length || removed < 0 || added < 0) {
        drop();
        return;
    }
    QString inserted;
    if (added > 0) {
        QTextCursor cursor(document.findBlock(position));
        cursor.setPosition(position);
        cursor.setPosition(position + added, QTextCursor::KeepAnchor);
        inserted = cursor.selectedText();
    }
    // The removed characters are gone: the change of the block count tells how many line
    // breaks were among them.
    const int addedBreaks = int(inserted.count(QChar::ParagraphSeparator));
    const int removedBreaks = oldBlocks - blocks + addedBreaks;
    if (removedBreaks < 0 || removedBreaks > removed) {
        drop();
        return;
    }
    const int start = crLfPositionOfDocument(document, position);
    const int crLfRemoved = removed + removedBreaks;
    QString addedText = withCrLfBreaks(inserted);
    // Only colours or bold changed (an undone colouring reports its stretch as replaced).
    if (pendingEdits.isEmpty() && crLfRemoved == addedText.size()
        && start <= cachedText.size() - crLfRemoved
        && QStringView(cachedText).mid(start, crLfRemoved) == addedText)
        return;
    record(start, crLfRemoved, std::move(addedText));
}

// Keeps an edit of the text as it was after the earlier pending edits.
void TextMirror::record(int start, int removed, QString added)
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
        drop();
        return;
    }
    pendingEdits.append(TextEdit{start, removed, std::move(added)});
}
