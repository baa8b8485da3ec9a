#pragma once

#include "mainwindow/explorernodes.h"
#include "mainwindow/folderlisting.h"
#include "mainwindow/previewdecoder.h"
#include "mainwindow/volumes.h"

#include <QObject>
#include <QPersistentModelIndex>
#include <QSize>

#include <functional>

class ExplorerPane;
class QKeyEvent;
class QTreeWidgetItem;

// The behaviour of the explorer pane's tree trvTV and its image preview: the drive nodes,
// reading a folder when its node is clicked, the folder images on collapse and expand, the
// preview of a picture node pressed with any button. From the keyboard, Right opens a folder,
// Left closes it and Enter does either. The current node is the tree's current
// item: the node last pressed. What the frame does with a right-click or a double-click it
// learns from the signals.
class ExplorerTree : public QObject
{
    Q_OBJECT

public:
    explicit ExplorerTree(ExplorerPane &pane, QObject *parent = nullptr);

    // Adds the drive nodes; only the first call of a run adds any.
    void buildDrives(const QList<DriveNode> &drives);

    // The node click: shows the node's path in the status bar (pathShown) and, for a drive or
    // folder, replaces its children with the folder's current content. A folder that cannot be
    // read is left empty and reported; one that no longer exists is removed from the tree
    // without a message, and false says the node is gone.
    bool readNode(QTreeWidgetItem *node);

    QTreeWidgetItem *currentNode() const;
    void setCurrentNode(QTreeWidgetItem *node);
    QString currentPath() const;
    NodeKind currentKind() const;
    // The folder of the current node: its own path for a drive or folder, the folder holding it
    // for a file; empty without a current node.
    QString currentFolder() const;

    static QString pathOf(const QTreeWidgetItem *node);
    static NodeKind kindOf(const QTreeWidgetItem *node);
    static NodeImage imageOf(const QTreeWidgetItem *node);

    // Shows the picture at `path` in the preview with its name and size in the label; a picture
    // that cannot be read empties the preview and says so. Remembers the path as
    // strPreviewPath. False when nothing could be shown. A picture of very many pixels gets its
    // name and size at once and its pixels when they have been read on another thread
    // (previewShown then).
    bool preview(const QString &path);
    // The size in pixels of the picture last shown; empty when none is shown.
    QSize previewSize() const { return m_previewSize; }

    // The folder reader; tests put one in that fails as they need.
    using FolderReader = std::function<FolderListing(const QString &path, bool windowsCheck)>;
    void setFolderReader(FolderReader reader);

signals:
    // The path of a clicked node, for the first panel of the status bar.
    void pathShown(const QString &path);
    // A right-button release over a node, which is now the current node.
    void menuRequested(const QPoint &globalPos);
    // A double-click on a node, which is the current node.
    void nodeDoubleClicked();
    // A double-click on the preview picture.
    void previewDoubleClicked();
    // The pixels of a picture read on another thread are in the preview, or it says that they
    // could not be read.
    void previewShown();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void pressed(QTreeWidgetItem *node);
    // Reads a drive or folder node and opens it; false when its folder vanished.
    bool openFolder(QTreeWidgetItem *node);
    // Right opens the current folder, Enter opens or closes it (and acts on a file as a
    // double-click does); true when the key was used.
    bool keyPressed(const QKeyEvent &key);
    void reportUnreadable(const QString &path, int errorNumber);
    void setImage(QTreeWidgetItem *node, NodeImage image);
    QTreeWidgetItem *makeNode(const QString &text, const QString &path, NodeKind kind,
                              NodeImage image);

    ExplorerPane &m_pane;
    FolderReader m_reader;
    QPersistentModelIndex m_pressed;
    // Empties the preview and says why under it; answers false.
    bool refusePreview(const QString &name, const QString &problem);
    void showPreviewPicture(const QImage &picture);

    QSize m_previewSize;
    PreviewDecoder m_decoder;
    int m_previewRequest = 0; // the picture being read on another thread; 0 for none
    QString m_previewName;
    bool m_drivesBuilt = false;
};
