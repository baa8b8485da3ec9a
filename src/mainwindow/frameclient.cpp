#include "mainwindow/frameclient.h"

#include "mainwindow/explorerpane.h"

#include <QMdiArea>

#include <algorithm>

FrameClient::FrameClient(ExplorerPane *pane, QMdiArea *area, QWidget *parent)
    : QWidget(parent), m_pane(pane), m_area(area)
{
    m_pane->setParent(this);
    m_area->setParent(this);
    connect(m_pane, &ExplorerPane::widthDragged, this, &FrameClient::placeChildren);
}

void FrameClient::placeChildren()
{
    // The pane's own width is kept even where the frame is narrower; the area gets what is left.
    const int paneWidth = m_pane->isHidden() ? 0 : std::min(m_pane->widthPixels(), width());
    if (!m_pane->isHidden())
        m_pane->setGeometry(0, 0, paneWidth, height());
    m_area->setGeometry(paneWidth, 0, width() - paneWidth, height());
}

void FrameClient::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    emit resized();
}
