#pragma once

#include "mainwindow/panelayout.h"

#include <QWidget>

class QComboBox;
class QFrame;
class QLabel;
class QListWidget;
class QTabWidget;
class QTreeWidget;

// The left pane of the frame (picTree): the tab strip with its one page holding the drive and
// folder tree, the image preview with the image's name under it, and the hidden helpers the
// explorer uses. Its controls are placed by PaneLayout, in twips. The right edge and the gap
// above the preview are splitters: dragging them changes the pane's width or the preview's
// height. `mouseFlag` is the frame's flgMouse: the pointer shape a drag started with.
class ExplorerPane : public QWidget
{
    Q_OBJECT

public:
    ExplorerPane(int &mouseFlag, QWidget *parent = nullptr);

    QTabWidget *TabStrip1 = nullptr;
    QWidget *picTR1 = nullptr;
    QTreeWidget *trvTV = nullptr;
    QFrame *picHyouji = nullptr;
    QLabel *picImgRef = nullptr;
    QLabel *lblImageName = nullptr;
    // Hidden helpers: the picture last loaded for the preview, a spare picture, the drive list
    // and the folder and file names collected while a folder is read.
    QLabel *picWork = nullptr;
    QLabel *picDummy = nullptr;
    QComboBox *Drive1 = nullptr;
    QListWidget *lstFile = nullptr;
    QListWidget *lstDir = nullptr;

    const PaneLayout &geometryTwips() const { return m_layout; }
    int widthTwips() const { return m_layout.width; }
    int previewHeightTwips() const { return m_layout.preview.height; }
    // Width and preview height as stored; the controls' widths follow (load step).
    void setWidthTwips(int width);
    void setPreviewHeightTwips(int height);
    // The pane's width in pixels, for the frame that places it.
    int widthPixels() const;
    // Arranges the controls for the pane's current height.
    void arrange();
    // Sizes the preview image to the picture in picWork, its proportions kept, centred.
    void fitPreview();

    // The pointer shape now showing over the pane (PanePointer).
    int pointerShape() const { return m_pointer; }
    // Normal pointer, no drag.
    void resetPointer();

    int twipsX(int pixels) const;
    int twipsY(int pixels) const;

signals:
    // The width changed by a drag; the frame places the pane and the documents' area again.
    void widthDragged();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setPointer(int shape);
    void applyGeometry();

    PaneLayout m_layout;
    int &m_mouseFlag;
    int m_pointer = PointerDefault;
};

// Where a picture of `picture` size goes inside a box of `box` size: as large as the box
// allows with its proportions kept, centred across the other direction.
QRect fitPicture(const QSize &picture, const QSize &box);
