#include "mainwindow/explorernodes.h"

#include <QStringList>

namespace {

bool endsWithAny(const QString &name, const QStringList &extensions)
{
    for (const QString &extension : extensions)
        if (name.endsWith(extension, Qt::CaseInsensitive))
            return true;
    return false;
}

const QStringList &pageExtensions()
{
    static const QStringList list = {QStringLiteral(".htm"), QStringLiteral(".html")};
    return list;
}

const QStringList &pictureExtensions()
{
    static const QStringList list
        = {QStringLiteral(".gif"), QStringLiteral(".jpg"),  QStringLiteral(".jpeg"),
           QStringLiteral(".png"), QStringLiteral(".webp"), QStringLiteral(".svg"),
           QStringLiteral(".bmp")};
    return list;
}

const QStringList &scriptExtensions()
{
    static const QStringList list = {QStringLiteral(".cgi"), QStringLiteral(".pl")};
    return list;
}

} // namespace

NodeKind fileKindOf(const QString &fileName)
{
    if (endsWithAny(fileName, pageExtensions()))
        return NodeKind::Page;
    if (endsWithAny(fileName, pictureExtensions()))
        return NodeKind::Picture;
    if (endsWithAny(fileName, scriptExtensions()))
        return NodeKind::Script;
    return NodeKind::Other;
}

NodeImage fileImageOf(const QString &fileName)
{
    switch (fileKindOf(fileName)) {
    case NodeKind::Page: return NodeImage::Page;
    case NodeKind::Picture: return NodeImage::Picture;
    case NodeKind::Script: return NodeImage::Script;
    default: return NodeImage::None;
    }
}

bool isDriveImage(NodeImage image)
{
    return image == NodeImage::FixedDisk || image == NodeImage::RemovableDisk
           || image == NodeImage::CdRom || image == NodeImage::NetworkDrive;
}

bool listedWithoutWindowsCheck(const QString &fileName)
{
    const NodeKind kind = fileKindOf(fileName);
    return kind == NodeKind::Page || kind == NodeKind::Picture;
}

bool opensAsDocument(NodeKind kind)
{
    return kind == NodeKind::Page || kind == NodeKind::Script;
}

QString childPath(const QString &folder, const QString &name)
{
    if (folder.endsWith(u'/'))
        return folder + name;
    return folder + u'/' + name;
}

QString previewLabel(const QString &name, const QSize &pixels)
{
    return QStringLiteral("Name : %1\nﾖｺ=%2ﾄﾞｯﾄ / ﾀﾃ=%3ﾄﾞｯﾄ ")
        .arg(name)
        .arg(pixels.width())
        .arg(pixels.height());
}

QString brokenPreviewLabel(const QString &name, const QString &problem)
{
    return QStringLiteral("Name : %1\n%2").arg(name, problem);
}

QString linkTag(const QString &reference)
{
    return QStringLiteral("<A HREF=\"%1\"></A>").arg(reference);
}

QString imageTag(const QString &reference, const QSize &pixels)
{
    return QStringLiteral("<IMG SRC=\"%1\" WIDTH=\"%2\" HEIGHT=\"%3\">")
        .arg(reference)
        .arg(pixels.width())
        .arg(pixels.height());
}

DocumentTreeMenu documentTreeMenuFor(NodeKind kind)
{
    DocumentTreeMenu menu;
    if (kind == NodeKind::Picture) {
        menu.popImage = true;
        menu.popImageEdit = true;
    } else if (opensAsDocument(kind)) {
        menu.popUrl = true;
        menu.popOpen = true;
    } else {
        menu.popExplorer = true;
    }
    return menu;
}

FrameTreeMenu frameTreeMenuFor(NodeKind kind)
{
    if (opensAsDocument(kind))
        return {true, false};
    return {false, true};
}
