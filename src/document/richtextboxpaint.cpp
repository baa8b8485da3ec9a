// Painting of a RichTextBox with long lines in view. A long line's layout holds no colours (see
// LookTracker::looksDrawnWhenPainting), so the control's own painting would draw it black: the
// box paints as the control does, block backgrounds, selections, extra selections, caret and
// pre-edit text alike, and draws each visual line of a long line as a small layout of its own
// that carries the looks of that line only.
#include "document/richtextbox.h"

#include <QAbstractTextDocumentLayout>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace {

// The selections of a layout that reach its visual line from `lineStart` (`textLength`
// characters, `shownLength` of them without the blanks where it wraps), counted from the
// line's start, for a layout of that line alone. There the line is the last one, so a
// selection that goes on past it is cut where the line ends, or the line-break mark of a last
// line would be drawn.
QList<QTextLayout::FormatRange> selectionsOnLine(const QList<QTextLayout::FormatRange> &selections,
                                                 int lineStart, int textLength, int shownLength,
                                                 bool lastLine)
{
    // A block's last line holds its line break too, which a selection over it shows.
    const int lineLength = textLength + (lastLine ? 1 : 0);
    QList<QTextLayout::FormatRange> onLine;
    for (QTextLayout::FormatRange range : selections) {
        const int start = range.start - lineStart;
        int end = range.start + range.length - lineStart;
        if (end < 0 || start >= lineLength)
            continue;
        if (!lastLine && end >= lineLength) {
            if (range.format.boolProperty(QTextFormat::FullWidthSelection)) {
                // A full-width selection still reaches the right edge of the view.
                end = std::max(end, shownLength + 1);
            } else {
                end = shownLength;
            }
        }
        range.start = start;
        range.length = end - start;
        onLine.append(range);
    }
    return onLine;
}

} // namespace

void RichTextBox::paintDrawingLooks(QPaintEvent *event)
{
    // As QPlainTextEdit::paintEvent, apart from how a long line is drawn. (No placeholder
    // text: a long line is in view, so the text is not empty.)
    QPainter painter(viewport());
    QPointF offset(contentOffset());
    QRect exposed = event->rect();
    const QRect viewportRect = viewport()->rect();
    const bool editable = !isReadOnly();
    QTextBlock block = firstVisibleBlock();
    const qreal maximumWidth = document()->documentLayout()->documentSize().width();

    // The origin of patterned underlines (a pre-edit text's may be one).
    painter.setBrushOrigin(offset);
    // A full-width selection leaves the right margin clean.
    const int maxX = int(offset.x() + std::max(qreal(viewportRect.width()), maximumWidth)
                         - document()->documentMargin() + cursorWidth());
    exposed.setRight(std::min(exposed.right(), maxX));
    painter.setClipRect(exposed);

    const QAbstractTextDocumentLayout::PaintContext context = getPaintContext();
    painter.setPen(context.palette.text().color());

    while (block.isValid()) {
        const QRectF bounds = blockBoundingRect(block).translated(offset);
        QTextLayout *layout = block.layout();
        if (!block.isVisible()) {
            offset.ry() += bounds.height();
            block = block.next();
            continue;
        }
        if (bounds.bottom() >= exposed.top() && bounds.top() <= exposed.bottom()) {
            const QBrush background = block.blockFormat().background();
            if (background != Qt::NoBrush) {
                QRectF contents = bounds;
                contents.setWidth(std::max(bounds.width(), maximumWidth));
                painter.fillRect(contents, background);
            }

            QList<QTextLayout::FormatRange> selections;
            const int blockStart = block.position();
            const int blockLength = block.length();
            for (const QAbstractTextDocumentLayout::Selection &range : context.selections) {
                const int start = range.cursor.selectionStart() - blockStart;
                const int end = range.cursor.selectionEnd() - blockStart;
                if (start < blockLength && end > 0 && end > start) {
                    selections.append(QTextLayout::FormatRange{start, end - start, range.format});
                } else if (!range.cursor.hasSelection()
                           && range.format.hasProperty(QTextFormat::FullWidthSelection)
                           && block.contains(range.cursor.position())) {
                    // A full-width selection without a selection marks the caret's visual line.
                    const QTextLine line
                        = layout->lineForTextPosition(range.cursor.position() - blockStart);
                    QTextLayout::FormatRange whole{line.textStart(), line.textLength(),
                                                   range.format};
                    if (whole.start + whole.length == blockLength - 1)
                        ++whole.length; // with the line break
                    selections.append(whole);
                }
            }

            const bool drawCursor
                = (editable || textInteractionFlags().testFlag(Qt::TextSelectableByKeyboard))
                  && context.cursorPosition >= blockStart
                  && context.cursorPosition < blockStart + blockLength;
            bool drawCursorAsBlock = drawCursor && overwriteMode();
            if (drawCursorAsBlock) {
                if (context.cursorPosition == blockStart + blockLength - 1) {
                    drawCursorAsBlock = false;
                } else {
                    QTextLayout::FormatRange cell;
                    cell.start = context.cursorPosition - blockStart;
                    cell.length = 1;
                    cell.format.setForeground(palette().base());
                    cell.format.setBackground(palette().text());
                    selections.append(cell);
                }
            }

            if (LookTracker::looksDrawnWhenPainting(block))
                drawInLooks(painter, block, offset, selections, exposed);
            else
                layout->draw(&painter, offset, selections, exposed);

            if ((drawCursor && !drawCursorAsBlock)
                || (editable && context.cursorPosition < -1
                    && !layout->preeditAreaText().isEmpty())) {
                int cursor = context.cursorPosition;
                if (cursor < -1)
                    cursor = layout->preeditAreaPosition() - (cursor + 2);
                else
                    cursor -= blockStart;
                painter.setPen(context.palette.text().color());
                layout->drawCursor(&painter, offset, cursor, cursorWidth());
            }
        }
        offset.ry() += bounds.height();
        if (offset.y() > viewportRect.height())
            break;
        block = block.next();
    }

    if (backgroundVisible() && !block.isValid() && offset.y() <= exposed.bottom()
        && (centerOnScroll() || verticalScrollBar()->maximum() == verticalScrollBar()->minimum())) {
        painter.fillRect(QRect(QPoint(exposed.left(), int(offset.y())), exposed.bottomRight()),
                         palette().window());
    }
}

// Each visual line of the block that the clip reaches is drawn as a layout of that line's text
// alone, in its looks, at the place and on the baseline the block's layout gives it. Qt shapes
// a handful of short lines, however long the block; the block's own layout (all of it plain
// text, bold drawn no wider) keeps the caret, the clicks and the line breaks where they are
// drawn.
void RichTextBox::drawInLooks(QPainter &painter, const QTextBlock &block, QPointF offset,
                              const QList<QTextLayout::FormatRange> &selections, const QRectF &clip)
{
    const QTextLayout *layout = block.layout();
    QString text = block.text();
    if (!layout->preeditAreaText().isEmpty())
        text.insert(layout->preeditAreaPosition(), layout->preeditAreaText());
    QTextOption option = layout->textOption();
    option.setWrapMode(QTextOption::NoWrap);
    const QPointF position = offset + layout->position();
    const QPen textPen = painter.pen(); // for text without a colour of its own
    const int lineCount = layout->lineCount();
    for (int i = 0; i < lineCount; ++i) {
        const QTextLine line = layout->lineAt(i);
        const QRectF lineBounds = line.rect().translated(position);
        if (lineBounds.bottom() < clip.top())
            continue;
        if (lineBounds.top() > clip.bottom())
            break;
        const int start = line.textStart();
        const bool lastLine = i == lineCount - 1;
        // The blanks where a line wraps are no part of what the block's layout draws or
        // selects.
        int length = line.textLength();
        while (!lastLine && length > 0 && text.at(start + length - 1).isSpace())
            --length;
        const int end = start + length;
        QTextLayout piece(text.mid(start, length), document()->defaultFont());
        piece.setTextOption(option);
        piece.setFormats(lookTracker.formatsBetween(block, start, end));
        piece.beginLayout();
        QTextLine pieceLine = piece.createLine();
        pieceLine.setLeadingIncluded(line.leadingIncluded());
        pieceLine.setLineWidth(line.width());
        // On the baseline of the block's line, whatever the height of the piece's own fonts.
        pieceLine.setPosition(QPointF(line.x(), line.y() + line.ascent() - pieceLine.ascent()));
        piece.endLayout();
        const QList<QTextLayout::FormatRange> selected
            = selectionsOnLine(selections, start, line.textLength(), length, lastLine);
        painter.setPen(textPen);
        piece.draw(&painter, position, selected, clip);
    }
}
