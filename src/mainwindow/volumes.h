#pragma once

#include "mainwindow/explorernodes.h"

#include <QList>
#include <QString>

// The tree's "drives" on this system: the mounted volumes a user keeps files on. No widgets.

struct MountedVolume
{
    QString rootPath;       // where it is mounted, "/media/usb"
    QString fileSystemType; // "ext4", "iso9660", "nfs4", "fuse.sshfs"
    QString device;         // "/dev/sdb1", "server:/export"
};

struct DriveNode
{
    QString path;    // the node's text and its full path
    NodeImage image; // FixedDisk, RemovableDisk, CdRom or NetworkDrive
};

// The image of a volume's node, or None for a volume that gets no node: pseudo and system
// file systems (proc, sysfs, tmpfs, overlay layers, snap images, boot partitions ...).
NodeImage volumeImageOf(const MountedVolume &volume);

// The drive nodes in order: the root file system, the user's home, then every other volume
// that gets a node, in mount order, each path once.
QList<DriveNode> driveNodes(const QList<MountedVolume> &volumes, const QString &homePath);

// The volumes mounted now.
QList<MountedVolume> mountedVolumes();
