#include "mainwindow/explorertree.h"

#include "core/documentfile.h"
#include "core/imagesize.h"
#include "core/interaction.h"
#include "core/nativepath.h"
#include "core/paths.h"
#include "core/plainfile.h"
#include "core/sharedstate.h"
#include "mainwindow/explorerpane.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QStyle>
#include <QTreeWidget>

#include <array>

namespace {

enum Role { PathRole = Qt::UserRole, KindRole, ImageRole };

// A picture larger than this on either side is read scaled down: the preview never shows more.
constexpr int LargestPreviewSide = 2048;
// A longer file is not read for the preview at all: pressing a node must answer at once.
constexpr qint64 LargestPreviewFile = 64 * 1024 * 1024;

QIcon themed(const char *name, QStyle::StandardPixmap fallback)
{
    return QIcon::fromTheme(QLatin1String(name), QApplication::style()->standardIcon(fallback));
}

const QIcon &iconOf(NodeImage image)
{
    static const std::array<QIcon, 12> icons = [] {
        std::array<QIcon, 12> list;
        list[int(NodeImage::FixedDisk)]
            = QApplication::style()->standardIcon(QStyle::SP_DriveHDIcon);
        list[int(NodeImage::RemovableDisk)]
            = QApplication::style()->standardIcon(QStyle::SP_DriveFDIcon);
        list[int(NodeImage::CdRom)] = QApplication::style()->standardIcon(QStyle::SP_DriveCDIcon);
        list[int(NodeImage::NetworkDrive)]
            = QApplication::style()->standardIcon(QStyle::SP_DriveNetIcon);
        list[int(NodeImage::Folder)] = QApplication::style()->standardIcon(QStyle::SP_DirIcon);
        list[int(NodeImage::FolderClosed)]
            = QApplication::style()->standardIcon(QStyle::SP_DirClosedIcon);
        list[int(NodeImage::FolderOpen)]
            = QApplication::style()->standardIcon(QStyle::SP_DirOpenIcon);
        list[int(NodeImage::Page)] = themed("text-html", QStyle::SP_FileIcon);
        list[int(NodeImage::Picture)] = themed("image-x-generic", QStyle::SP_FileIcon);
        list[int(NodeImage::Script)] = themed("text-x-script", QStyle::SP_FileIcon);
        return list;
    }();
    return icons[std::size_t(image)];
}

// The wait pointer while a folder is read.
class WaitPointer
{
public:
    WaitPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitPointer() { QApplication::restoreOverrideCursor(); }
    WaitPointer(const WaitPointer &) = delete;
    WaitPointer &operator=(const WaitPointer &) = delete;
};

} // namespace

ExplorerTree::ExplorerTree(ExplorerPane &pane, QObject *parent)
    : QObject(parent), m_pane(pane), m_reader(listFolder)
{
    m_pane.trvTV->viewport()->installEventFilter(this);
    m_pane.trvTV->installEventFilter(this);
    m_pane.picImgRef->installEventFilter(this);
    connect(m_pane.trvTV, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem *node) {
        if (kindOf(node) == NodeKind::Folder)
            setImage(node, NodeImage::FolderOpen);
    });
    connect(m_pane.trvTV, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem *node) {
        if (kindOf(node) == NodeKind::Folder)
            setImage(node, NodeImage::FolderClosed);
    });
    connect(&m_decoder, &PreviewDecoder::decoded, this, [this](int request, const QImage &picture) {
        if (request != m_previewRequest)
            return; // another picture was chosen meanwhile
        m_previewRequest = 0;
        if (picture.isNull())
            refusePreview(m_previewName, tr("イメージを表示できません。"));
        else
            showPreviewPicture(picture);
        emit previewShown();
    });
}

void ExplorerTree::setFolderReader(FolderReader reader)
{
    m_reader = std::move(reader);
}

QTreeWidgetItem *ExplorerTree::makeNode(const QString &text, const QString &path, NodeKind kind,
                                        NodeImage image)
{
    auto *node = new QTreeWidgetItem(QStringList{text});
    node->setData(0, PathRole, path);
    node->setData(0, KindRole, int(kind));
    setImage(node, image);
    return node;
}

void ExplorerTree::setImage(QTreeWidgetItem *node, NodeImage image)
{
    node->setData(0, ImageRole, int(image));
    node->setIcon(0, iconOf(image));
}

void ExplorerTree::buildDrives(const QList<DriveNode> &drives)
{
    if (m_drivesBuilt)
        return;
    QList<QTreeWidgetItem *> nodes;
    for (const DriveNode &drive : drives)
        nodes.append(makeNode(drive.path, drive.path, NodeKind::Drive, drive.image));
    m_pane.trvTV->addTopLevelItems(nodes);
    m_drivesBuilt = true;
}

QString ExplorerTree::pathOf(const QTreeWidgetItem *node)
{
    return node ? node->data(0, PathRole).toString() : QString();
}

NodeKind ExplorerTree::kindOf(const QTreeWidgetItem *node)
{
    return node ? NodeKind(node->data(0, KindRole).toInt()) : NodeKind::Other;
}

NodeImage ExplorerTree::imageOf(const QTreeWidgetItem *node)
{
    return node ? NodeImage(node->data(0, ImageRole).toInt()) : NodeImage::None;
}

QTreeWidgetItem *ExplorerTree::currentNode() const
{
    return m_pane.trvTV->currentItem();
}

void ExplorerTree::setCurrentNode(QTreeWidgetItem *node)
{
    m_pane.trvTV->setCurrentItem(node);
}

QString ExplorerTree::currentPath() const
{
    return pathOf(currentNode());
}

NodeKind ExplorerTree::currentKind() const
{
    return currentNode() ? kindOf(currentNode()) : NodeKind::Other;
}

QString ExplorerTree::currentFolder() const
{
    const QTreeWidgetItem *node = currentNode();
    if (!node)
        return {};
    const NodeKind kind = kindOf(node);
    if (kind == NodeKind::Drive || kind == NodeKind::Folder)
        return pathOf(node);
    return FolderOf(pathOf(node));
}

bool ExplorerTree::readNode(QTreeWidgetItem *node)
{
    if (!node)
        return false;
    const QString path = pathOf(node);
    emit pathShown(displayPath(path));
    const NodeKind kind = kindOf(node);
    if (kind != NodeKind::Drive && kind != NodeKind::Folder)
        return true;

    WaitPointer wait;
    qDeleteAll(node->takeChildren());
    m_pane.lstDir->clear();
    m_pane.lstFile->clear();
    const FolderListing listing = m_reader(path, shared().blnWindowsCheck);
    if (!listing.ok()) {
        constexpr int PathNotFound = 76;
        if (listing.errorNumber != PathNotFound) {
            reportUnreadable(path, listing.errorNumber);
            return true;
        }
        // The folder was removed (or replaced by a file) since it was listed: its node goes
        // without a word. A drive keeps its node for the whole run, empty.
        if (kind == NodeKind::Folder) {
            delete node;
            return false;
        }
        return true;
    }
    // A name that is not UTF-8 is shown with its kept bytes as "\xNN"; the node keeps the bytes.
    for (const QString &name : listing.folders)
        m_pane.lstDir->addItem(displayPath(name));
    for (const QString &name : listing.files)
        m_pane.lstFile->addItem(displayPath(name));

    QList<QTreeWidgetItem *> children;
    children.reserve(listing.folders.size() + listing.files.size());
    for (const QString &name : listing.folders)
        children.append(makeNode(displayPath(name), childPath(path, name), NodeKind::Folder,
                                 NodeImage::Folder));
    for (const QString &name : listing.files)
        children.append(makeNode(displayPath(name), childPath(path, name), fileKindOf(name),
                                 fileImageOf(name)));
    node->addChildren(children);
    return true;
}

void ExplorerTree::reportUnreadable(const QString &path, int errorNumber)
{
    QApplication::restoreOverrideCursor();
    Interaction::inform(
        QStringLiteral("エラー番号：%1\r\nエラー内容：%2\r\nNode Path：%3\r\nCurFullPath:%4")
            .arg(errorNumber)
            .arg(fileErrorDescription(errorNumber), displayPath(path),
                 displayPath(shared().strLastFullPath)),
        Interaction::Icon::None, applicationTitle() + QStringLiteral(" NodeClick"));
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

bool ExplorerTree::preview(const QString &path)
{
    shared().strPreviewPath = path;
    m_previewRequest = 0; // a picture still being read is not shown any more
    m_decoder.leave();
    const QString name = QFileInfo(path).fileName();
    m_previewName = name;
    // Only plain files of a bounded length are read: a pipe named "*.png" would block for good.
    QFile file;
    switch (openPlainFile(path, file, LargestPreviewFile)) {
    case PlainFileRefusal::None: break;
    case PlainFileRefusal::NotPlain:
        return refusePreview(name, tr("ファイルではないため表示できません。"));
    case PlainFileRefusal::TooLarge:
        return refusePreview(name, tr("ファイルが大きすぎるため表示できません（%1 MB まで）。")
                                       .arg(LargestPreviewFile / (1024 * 1024)));
    case PlainFileRefusal::Missing:
    case PlainFileRefusal::Unreadable: return refusePreview(name, tr("イメージを表示できません。"));
    }
    // The extension is only a hint, for formats the content alone does not give away.
    const QByteArray format = QFileInfo(path).suffix().toLatin1();
    QImageReader reader(&file, format);
    reader.setDecideFormatFromContent(true);
    // The size as the picture is shown: a phone's portrait photo is measured upright.
    const QSize shown = uprightSize(reader);
    const QSize size = reader.size();
    QSize scaled;
    if (size.isValid() && (size.width() > LargestPreviewSide || size.height() > LargestPreviewSide))
        scaled = size.scaled(LargestPreviewSide, LargestPreviewSide, Qt::KeepAspectRatio);
    const auto shownOr = [&shown](const QSize &read) {
        return shown.isValid() && !shown.isEmpty() ? shown : read;
    };
    if (PreviewDecoder::isLarge(size)) {
        // Name and size now, from the file's header; the pixels when they have been read.
        m_previewSize = shownOr(size);
        m_pane.picWork->clear();
        m_pane.fitPreview();
        m_previewRequest = m_decoder.decodeLater(path, format, scaled);
    } else {
        if (scaled.isValid())
            reader.setScaledSize(scaled);
        const QImage picture = reader.read();
        if (picture.isNull())
            return refusePreview(name, tr("イメージを表示できません。"));
        m_previewSize = shownOr(picture.size());
        showPreviewPicture(picture);
    }
    m_pane.lblImageName->setText(previewLabel(name, m_previewSize));
    return true;
}

bool ExplorerTree::refusePreview(const QString &name, const QString &problem)
{
    m_previewSize = {};
    m_pane.picWork->clear();
    m_pane.fitPreview();
    m_pane.lblImageName->setText(brokenPreviewLabel(name, problem));
    return false;
}

void ExplorerTree::showPreviewPicture(const QImage &picture)
{
    m_pane.picWork->setPixmap(QPixmap::fromImage(picture));
    m_pane.picWork->resize(picture.size());
    m_pane.fitPreview();
}

bool ExplorerTree::openFolder(QTreeWidgetItem *node)
{
    // Read afresh on every opening, as a click does, so the node shows the folder as it is now.
    if (!readNode(node))
        return false;
    node->setExpanded(true);
    return true;
}

bool ExplorerTree::keyPressed(const QKeyEvent &key)
{
    if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    QTreeWidgetItem *node = currentNode();
    if (!node)
        return false;
    const NodeKind kind = kindOf(node);
    const bool folder = kind == NodeKind::Drive || kind == NodeKind::Folder;
    switch (key.key()) {
    case Qt::Key_Right:
        // An open folder lets the tree step into its first child.
        if (!folder || node->isExpanded())
            return false;
        openFolder(node);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!folder) {
            // A file: what a double-click does (open a page, edit a picture).
            emit nodeDoubleClicked();
            return true;
        }
        if (node->isExpanded())
            node->setExpanded(false);
        else
            openFolder(node);
        return true;
    default:
        // Left closes an open folder or steps to the parent, as in any tree.
        return false;
    }
}

void ExplorerTree::pressed(QTreeWidgetItem *node)
{
    setCurrentNode(node);
    if (kindOf(node) == NodeKind::Picture)
        preview(pathOf(node));
}

bool ExplorerTree::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_pane.picImgRef) {
        if (event->type() == QEvent::MouseButtonDblClick)
            emit previewDoubleClicked();
        return false;
    }
    QTreeWidget *tree = m_pane.trvTV;
    if (watched == tree) {
        if (event->type() == QEvent::KeyPress)
            return keyPressed(*static_cast<QKeyEvent *>(event));
        return false;
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        const QModelIndex index = tree->indexAt(mouse->position().toPoint());
        m_pressed = index;
        if (QTreeWidgetItem *node = tree->itemAt(mouse->position().toPoint()))
            pressed(node);
        break;
    }
    case QEvent::MouseButtonRelease: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        const QPoint at = mouse->position().toPoint();
        QTreeWidgetItem *node = tree->itemAt(at);
        const bool sameNode
            = node && m_pressed.isValid() && tree->indexAt(at) == QModelIndex(m_pressed);
        m_pressed = QPersistentModelIndex();
        if (!node)
            break;
        if (mouse->button() == Qt::RightButton) {
            setCurrentNode(node);
            emit menuRequested(mouse->globalPosition().toPoint());
        } else if (mouse->button() == Qt::LeftButton && sameNode) {
            readNode(node);
        }
        break;
    }
    case QEvent::MouseButtonDblClick: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        m_pressed = QPersistentModelIndex();
        if (QTreeWidgetItem *node = tree->itemAt(mouse->position().toPoint())) {
            setCurrentNode(node);
            emit nodeDoubleClicked();
        }
        break;
    }
    default: break;
    }
    return false;
}
