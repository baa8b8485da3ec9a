#pragma once

#include <QPlainTextDocumentLayout>

class QPlainTextEdit;

// The text box's plain-text layout, told of each change as narrowly as the change allows.
//
// QPlainTextDocumentLayout finds the last line a change touches by counting its removed and
// added characters one after the other. A typed key whose line also gets its colours (handed to
// the line's layout, which reports the whole line as changed) comes out as the line removed and
// added again: twice its length, which reaches into the lines below. Those were laid out again
// and the whole view repainted on every key. A change that stays inside one line, with as many
// lines as before, is handed on as a change of that line alone.
class LineLayout : public QPlainTextDocumentLayout
{
public:
    explicit LineLayout(QTextDocument *document);

protected:
    void documentChanged(int from, int charsRemoved, int charsAdded) override;

private:
    int blockCount; // the document's lines when the last change was handed on
};

// A document laid out by a LineLayout, given to `edit` in place of its own.
QTextDocument &useLineLayout(QPlainTextEdit &edit);
