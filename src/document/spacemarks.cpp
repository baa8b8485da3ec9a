#include "document/spacemarks.h"

#include <QPainter>
#include <QPainterPath>
#include <QTextBlock>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

QList<MarkedCharacter> markedCharacters(const QString &line)
{
    QList<MarkedCharacter> marked;
    for (int i = 0; i < line.size(); ++i) {
        if (line[i] == QChar(0x3000))
            marked.append({i, SpaceMark::WideSpace});
        else if (line[i] == u'\t')
            marked.append({i, SpaceMark::Tab});
    }
    return marked;
}

namespace {

// A hollow square for the full-width space, the way Japanese editors show it.
void drawWideSpace(QPainter &painter, const QRectF &cell)
{
    const qreal side = std::min(cell.width(), cell.height()) * 0.7;
    QRectF square(0, 0, side, side);
    square.moveCenter(cell.center());
    painter.drawRect(square);
}

// A small arrow pointing right for the tab.
void drawTab(QPainter &painter, const QRectF &cell)
{
    const qreal y = cell.center().y();
    const qreal head = cell.height() * 0.2;
    const qreal left = cell.left() + 2;
    const qreal right = std::max(left + head * 2, std::min(cell.right() - 2, left + cell.height()));
    painter.drawLine(QPointF(left, y), QPointF(right, y));
    painter.drawLine(QPointF(right - head, y - head), QPointF(right, y));
    painter.drawLine(QPointF(right - head, y + head), QPointF(right, y));
}

} // namespace

void paintSpaceMarks(QPainter &painter, const QTextBlock &block, QPointF topLeft, QColor textColor)
{
    const QList<MarkedCharacter> marked = markedCharacters(block.text());
    if (marked.isEmpty())
        return;
    const QTextLayout *layout = block.layout();
    // While an input method composes in this line, its pre-edit text sits in the layout.
    const int preeditStart = layout->preeditAreaPosition();
    const int preeditLength = int(layout->preeditAreaText().size());
    textColor.setAlpha(70);
    painter.save();
    painter.setPen(QPen(textColor, 1));
    painter.setBrush(Qt::NoBrush);
    for (const MarkedCharacter &character : marked) {
        int position = character.position;
        if (preeditLength > 0 && position >= preeditStart)
            position += preeditLength;
        const QTextLine line = layout->lineForTextPosition(position);
        if (!line.isValid())
            continue;
        const qreal left = line.cursorToX(position);
        const qreal right = line.cursorToX(position + 1);
        const QRectF cell(topLeft.x() + std::min(left, right), topLeft.y() + line.y(),
                          std::abs(right - left), line.height());
        if (character.mark == SpaceMark::WideSpace)
            drawWideSpace(painter, cell);
        else
            drawTab(painter, cell);
    }
    painter.restore();
}
