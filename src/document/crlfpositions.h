#pragma once

#include <QTextBlock>

#include <functional>

class QTextDocument;

// The text of a document window counts a line break as the two characters CR LF, as the
// classic control did, while a QTextDocument keeps one separator per line. These map between
// the two by block arithmetic, never by a scan of the text.

// Length of the document's text with CR LF line breaks.
int crLfLength(const QTextDocument &document);
// Position, in the CR LF text, of the first character of line `blockNumber`.
int crLfStartOfLine(const QTextDocument &document, int blockNumber);
// A position of the CR LF text (clamped to it) in the document; a position between the CR and
// the LF of a line break maps to the end of the line.
int documentPositionOfCrLf(const QTextDocument &document, int position);
// A document position (clamped to the document) in the CR LF text.
int crLfPositionOfDocument(const QTextDocument &document, int documentPosition);

// The line holding `position`, given the line count and the position where each line starts
// (ascending): a binary search, so the cost grows with the log of the line count.
int lineAtPosition(int position, int lineCount, const std::function<int(int)> &lineStart);

// start + length without overflow; a negative length counts as none.
int endOf(int start, int length);

// Maps an ascending series of CR LF positions to document positions by walking from one line
// to the next, falling back to a binary search for jumps; used for many runs at once.
class PositionWalker
{
public:
    explicit PositionWalker(const QTextDocument &document) : document(document) {}

    int map(int position);

private:
    void jumpTo(int position);

    const QTextDocument &document;
    QTextBlock block;
    int blockPosition = 0; // the block's first character in the document
    int blockStart = 0;    // the same in CR LF positions
    int blockLength = 0;   // its characters and its separator
};
