#pragma once

#include <QColor>
#include <QList>
#include <QPointF>
#include <QString>

class QPainter;
class QTextBlock;

// The characters that get a faint mark when the marks are shown: the full-width space
// (U+3000) and the tab, which otherwise look like nothing at all.
enum class SpaceMark { WideSpace, Tab };
struct MarkedCharacter
{
    int position; // within the line's text
    SpaceMark mark;
};
QList<MarkedCharacter> markedCharacters(const QString &line);

// Draws the marks of `block`'s characters over the painted text; `topLeft` is where the block
// is drawn and `textColor` the colour the marks are a faint shade of.
void paintSpaceMarks(QPainter &painter, const QTextBlock &block, QPointF topLeft, QColor textColor);
