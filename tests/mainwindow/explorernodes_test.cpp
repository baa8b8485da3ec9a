#include "mainwindow/explorernodes.h"

#include "mainwindow/volumes.h"
#include "support/qstringprinter.h"

#include <gtest/gtest.h>

TEST(VolumeClassification, EachKindOfMountGetsItsDriveImageOrNone)
{
    struct Case
    {
        const char *name;
        MountedVolume volume;
        NodeImage image;
    };
    const Case cases[] = {
        {"root on a disk", {"/", "ext4", "/dev/sda2"}, NodeImage::FixedDisk},
        {"root as a container overlay", {"/", "overlay", "overlay"}, NodeImage::FixedDisk},
        {"a second local disk", {"/data", "xfs", "/dev/sdb1"}, NodeImage::FixedDisk},
        {"usb stick under /media",
         {"/media/taro/USB", "vfat", "/dev/sdc1"},
         NodeImage::RemovableDisk},
        {"usb stick under /run/media",
         {"/run/media/taro/USB", "exfat", "/dev/sdc1"},
         NodeImage::RemovableDisk},
        {"optical disc", {"/media/taro/CDROM", "iso9660", "/dev/sr0"}, NodeImage::CdRom},
        {"dvd in udf", {"/mnt/dvd", "udf", "/dev/sr0"}, NodeImage::CdRom},
        {"nfs share", {"/mnt/share", "nfs4", "server:/export"}, NodeImage::NetworkDrive},
        {"windows share", {"/mnt/win", "cifs", "//server/share"}, NodeImage::NetworkDrive},
        {"sshfs", {"/home/taro/remote", "fuse.sshfs", "taro@host:"}, NodeImage::NetworkDrive},
        {"proc", {"/proc", "proc", "proc"}, NodeImage::None},
        {"sysfs", {"/sys", "sysfs", "sysfs"}, NodeImage::None},
        {"system tmpfs", {"/run/user/1000", "tmpfs", "tmpfs"}, NodeImage::None},
        {"tmpfs for /tmp", {"/tmp", "tmpfs", "tmpfs"}, NodeImage::None},
        {"overlay layer",
         {"/var/lib/docker/overlay2/x/merged", "overlay", "overlay"},
         NodeImage::None},
        {"snap image", {"/snap/core/123", "squashfs", "/dev/loop3"}, NodeImage::None},
        {"boot partition", {"/boot/efi", "vfat", "/dev/sda1"}, NodeImage::None},
        {"a bind mount of a system file",
         {"/etc/hosts", "ext4", "/dev/sda2"},
         NodeImage::FixedDisk},
        {"unknown fuse without a device", {"/mnt/odd", "fuse.odd", "odd"}, NodeImage::None},
    };
    for (const Case &c : cases)
        EXPECT_EQ(volumeImageOf(c.volume), c.image) << c.name;
}

TEST(VolumeClassification, RootAndHomeComeFirstThenTheOtherVolumesOnce)
{
    const QList<MountedVolume> volumes = {
        {"/proc", "proc", "proc"},
        {"/", "ext4", "/dev/sda2"},
        {"/media/taro/USB", "vfat", "/dev/sdc1"},
        {"/home/taro", "ext4", "/dev/sda3"},
        {"/mnt/share", "nfs", "server:/x"},
    };
    const QList<DriveNode> nodes = driveNodes(volumes, QStringLiteral("/home/taro"));
    QStringList paths;
    for (const DriveNode &node : nodes)
        paths << node.path;
    EXPECT_EQ(paths, (QStringList{"/", "/home/taro", "/media/taro/USB", "/mnt/share"}));
    EXPECT_EQ(nodes[1].image, NodeImage::FixedDisk);
    EXPECT_EQ(nodes[2].image, NodeImage::RemovableDisk);
    EXPECT_EQ(nodes[3].image, NodeImage::NetworkDrive);
}

TEST(ExplorerNodes, FilesGetTheirImageByExtensionInAnyLetterCase)
{
    struct Case
    {
        const char *name;
        NodeImage image;
        bool withoutWindowsCheck;
    };
    const Case cases[] = {
        {"c.HTML", NodeImage::Page, true},    {"index.htm", NodeImage::Page, true},
        {"a.JPG", NodeImage::Picture, true},  {"p.jpeg", NodeImage::Picture, true},
        {"x.Gif", NodeImage::Picture, true},  {"s.png", NodeImage::Picture, true},
        {"w.webp", NodeImage::Picture, true}, {"v.svg", NodeImage::Picture, true},
        {"b.bmp", NodeImage::Picture, true},  {"b.cgi", NodeImage::Script, false},
        {"m.PL", NodeImage::Script, false},   {"notes.txt", NodeImage::None, false},
        {"htm", NodeImage::None, false},      {"page.html.bak", NodeImage::None, false},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(fileImageOf(QString::fromUtf8(c.name)), c.image) << c.name;
        EXPECT_EQ(listedWithoutWindowsCheck(QString::fromUtf8(c.name)), c.withoutWindowsCheck)
            << c.name;
    }
}

TEST(ExplorerNodes, TreeMenusEnableTheEntriesOfTheNodeKind)
{
    struct Case
    {
        const char *name;
        NodeKind kind;
        DocumentTreeMenu document;
        FrameTreeMenu frame;
    };
    const DocumentTreeMenu pictureEntries{false, false, true, true, false};
    const DocumentTreeMenu pageEntries{true, true, false, false, false};
    const DocumentTreeMenu explorerEntry{false, false, false, false, true};
    const Case cases[] = {
        {"picture", NodeKind::Picture, pictureEntries, {false, true}},
        {"page", NodeKind::Page, pageEntries, {true, false}},
        {"script", NodeKind::Script, pageEntries, {true, false}},
        {"drive", NodeKind::Drive, explorerEntry, {false, true}},
        {"folder", NodeKind::Folder, explorerEntry, {false, true}},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(documentTreeMenuFor(c.kind), c.document) << c.name;
        EXPECT_EQ(frameTreeMenuFor(c.kind), c.frame) << c.name;
    }
}

TEST(ExplorerNodes, TextsOfThePreviewAndTheInsertedTags)
{
    EXPECT_EQ(previewLabel(QStringLiteral("logo.gif"), QSize(120, 60)),
              QStringLiteral("Name : logo.gif\nﾖｺ=120ﾄﾞｯﾄ / ﾀﾃ=60ﾄﾞｯﾄ "));
    EXPECT_EQ(imageTag(QStringLiteral("img/logo.gif"), QSize(120, 60)),
              QStringLiteral("<IMG SRC=\"img/logo.gif\" WIDTH=\"120\" HEIGHT=\"60\">"));
    EXPECT_EQ(linkTag(QStringLiteral("../page.htm")),
              QStringLiteral("<A HREF=\"../page.htm\"></A>"));
    EXPECT_EQ(childPath(QStringLiteral("/"), QStringLiteral("home")), QStringLiteral("/home"));
    EXPECT_EQ(childPath(QStringLiteral("/site"), QStringLiteral("img")),
              QStringLiteral("/site/img"));
}
