#include "tags/gradation/colorbox.h"

#include <QMouseEvent>
#include <QPalette>

ColorBox::ColorBox(const QString &name, QWidget *parent) : QFrame(parent)
{
    setObjectName(name);
    setFrameShape(QFrame::Box);
    setMinimumSize(48, 24);
    setAutoFillBackground(true);
    // Until a colour is chosen the box holds the window's own background.
    const QColor window = palette().color(QPalette::Window);
    setColor(window.red() | window.green() << 8 | window.blue() << 16);
}

void ColorBox::setColor(int color)
{
    m_color = color & 0xFFFFFF;
    QPalette p = palette();
    p.setColor(QPalette::Window,
               QColor(m_color & 255, (m_color >> 8) & 255, (m_color >> 16) & 255));
    setPalette(p);
}

void ColorBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
    emit doubleClicked();
}
