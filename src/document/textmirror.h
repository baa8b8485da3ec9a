#pragma once

#include <QList>
#include <QString>

class QTextDocument;

// The text of a QTextDocument with CR LF line breaks, kept between reads. The document's
// changes are kept as patches in the kept text's coordinates and applied when the text is next
// read, so that a keystroke on a long page does not move the whole string; neighbouring edits
// (typing, deleting) join into one patch. Whatever it cannot follow makes the next read build
// the text afresh from the document.
class TextMirror
{
public:
    explicit TextMirror(const QTextDocument &document);

    QString text() const;
    // A change as the document reports it (contentsChange), in its positions: one separator per
    // line break. `layoutOnly`: only the layout or the formats changed, not the text.
    void follow(int position, int removed, int added, bool layoutOnly = false);
    // Called once the slots of a report have run, with the character count the report left:
    // the document does not report edits made while it reports one, so a count that moved
    // since means the kept text no longer follows.
    void checkAfterReport(int charactersReported);
    // The next read builds the text afresh (the whole text is being replaced).
    void reset();

private:
    struct TextEdit
    {
        int start = 0;
        int removed = 0;
        QString added;
    };

    void drop() const;
    void record(int start, int removed, QString added);

    const QTextDocument &document;
    mutable QString cachedText;
    mutable bool cachedTextValid = false;
    mutable QList<TextEdit> pendingEdits;
    int knownBlockCount = 1; // the block count when the last change was seen
};
