#include "document/crlfpositions.h"

#include <QTextDocument>

#include <algorithm>
#include <climits>

int crLfLength(const QTextDocument &document)
{
    return document.characterCount() - 1 + document.blockCount() - 1;
}

int crLfStartOfLine(const QTextDocument &document, int blockNumber)
{
    return document.findBlockByNumber(blockNumber).position() + blockNumber;
}

int documentPositionOfCrLf(const QTextDocument &document, int position)
{
    position = std::clamp(position, 0, crLfLength(document));
    const int line = lineAtPosition(position, document.blockCount(),
                                    [&document](int n) { return crLfStartOfLine(document, n); });
    const QTextBlock block = document.findBlockByNumber(line);
    // A position between the CR and the LF of a line break maps to the end of the line.
    return block.position() + std::min(position - (block.position() + line), block.length() - 1);
}

int crLfPositionOfDocument(const QTextDocument &document, int documentPosition)
{
    documentPosition = std::clamp(documentPosition, 0, document.characterCount() - 1);
    return documentPosition + document.findBlock(documentPosition).blockNumber();
}

int lineAtPosition(int position, int lineCount, const std::function<int(int)> &lineStart)
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

int endOf(int start, int length)
{
    return int(std::clamp<qint64>(qint64(start) + std::max(length, 0), INT_MIN, INT_MAX));
}

int PositionWalker::map(int position)
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

void PositionWalker::jumpTo(int position)
{
    block = document.findBlock(documentPositionOfCrLf(document, position));
    blockPosition = block.position();
    blockStart = blockPosition + block.blockNumber();
    blockLength = block.length();
}
