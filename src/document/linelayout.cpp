#include "document/linelayout.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

LineLayout::LineLayout(QTextDocument *document)
    : QPlainTextDocumentLayout(document), blockCount(document->blockCount())
{}

void LineLayout::documentChanged(int from, int charsRemoved, int charsAdded)
{
    const QTextDocument *text = document();
    const int reach = std::max(charsRemoved, charsAdded);
    const QTextBlock block = text->findBlock(from);
    if (text->blockCount() == blockCount && reach > 0 && block.isValid()
        && block.contains(from + reach - 1))
        QPlainTextDocumentLayout::documentChanged(from, 0, reach);
    else
        QPlainTextDocumentLayout::documentChanged(from, charsRemoved, charsAdded);
    blockCount = text->blockCount();
}

QTextDocument &useLineLayout(QPlainTextEdit &edit)
{
    auto *document = new QTextDocument(&edit);
    document->setDocumentLayout(new LineLayout(document));
    edit.setDocument(document);
    return *document;
}
