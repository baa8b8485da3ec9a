#pragma once

#include <QWidget>

class ExplorerPane;
class QMdiArea;

// The frame's client area: the explorer pane docked to the left edge over the full height,
// the documents' area in the rest.
class FrameClient : public QWidget
{
    Q_OBJECT

public:
    FrameClient(ExplorerPane *pane, QMdiArea *area, QWidget *parent = nullptr);

    // Places the pane (when shown) and the documents' area.
    void placeChildren();

signals:
    // The client area changed its size; the frame runs its layout.
    void resized();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    ExplorerPane *m_pane;
    QMdiArea *m_area;
};
