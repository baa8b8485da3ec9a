#pragma once

#include <QSize>
#include <QString>

// What the explorer tree shows for each kind of node, and the texts it writes. No widgets here.

// The tree's images. The numbers are the image list positions; the closed and open folder
// images replace the folder image once a folder has been collapsed or expanded.
enum class NodeImage {
    None = 0,
    FixedDisk = 1,
    RemovableDisk = 2,
    CdRom = 3,
    Folder = 4,
    Page = 6,
    Picture = 7,
    NetworkDrive = 8,
    Script = 9,
    FolderClosed = 10,
    FolderOpen = 11,
};

// The kinds of nodes the tree's menus and double-click tell apart.
enum class NodeKind { Drive, Folder, Page, Picture, Script, Other };

// The kind of a file node by its name's extension, in any letter case: ".htm", ".html" pages;
// ".gif", ".jpg", ".jpeg", ".png", ".webp", ".svg", ".bmp" pictures; ".cgi", ".pl" scripts.
NodeKind fileKindOf(const QString &fileName);
// The image of a file node, None for a file the tree does not show.
NodeImage fileImageOf(const QString &fileName);
bool isDriveImage(NodeImage image);
// Files listed when the Windows-style folder reading is off: pages and pictures only.
bool listedWithoutWindowsCheck(const QString &fileName);
// Pages and scripts are opened as documents.
bool opensAsDocument(NodeKind kind);

// The full path of `name` inside the folder `folder` ("/" joins them once).
QString childPath(const QString &folder, const QString &name);

// The text under the preview: the file's name, then its size in pixels.
QString previewLabel(const QString &name, const QSize &pixels);
// The text under the preview when the picture cannot be shown.
QString brokenPreviewLabel(const QString &name, const QString &problem);

// The tags the tree's menus insert: `reference` is already relative to the document.
QString linkTag(const QString &reference);
QString imageTag(const QString &reference, const QSize &pixels);

// Which entries of the document window's tree menu are enabled for a node.
struct DocumentTreeMenu
{
    bool popUrl = false;
    bool popOpen = false;
    bool popImage = false;
    bool popImageEdit = false;
    bool popExplorer = false;

    bool operator==(const DocumentTreeMenu &) const = default;
};
DocumentTreeMenu documentTreeMenuFor(NodeKind kind);

// Which entries of the frame's tree menu are enabled for a node (no document window open).
struct FrameTreeMenu
{
    bool popUpEdit = false;
    bool popupExplorer = false;

    bool operator==(const FrameTreeMenu &) const = default;
};
FrameTreeMenu frameTreeMenuFor(NodeKind kind);
