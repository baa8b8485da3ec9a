#include "mainwindow/volumes.h"

#include <QStorageInfo>
#include <QStringList>

namespace {

bool isUnder(const QString &path, const QString &folder)
{
    return path == folder || path.startsWith(folder + u'/');
}

bool isUnderAny(const QString &path, const QStringList &folders)
{
    for (const QString &folder : folders)
        if (isUnder(path, folder))
            return true;
    return false;
}

// File systems that hold no user files, or only the layers of another one.
bool isPseudoFileSystem(const QString &type)
{
    static const QStringList types = {
        QStringLiteral("proc"),          QStringLiteral("sysfs"),
        QStringLiteral("devtmpfs"),      QStringLiteral("devpts"),
        QStringLiteral("tmpfs"),         QStringLiteral("ramfs"),
        QStringLiteral("cgroup"),        QStringLiteral("cgroup2"),
        QStringLiteral("securityfs"),    QStringLiteral("debugfs"),
        QStringLiteral("tracefs"),       QStringLiteral("pstore"),
        QStringLiteral("bpf"),           QStringLiteral("autofs"),
        QStringLiteral("mqueue"),        QStringLiteral("hugetlbfs"),
        QStringLiteral("configfs"),      QStringLiteral("fusectl"),
        QStringLiteral("binfmt_misc"),   QStringLiteral("efivarfs"),
        QStringLiteral("nsfs"),          QStringLiteral("overlay"),
        QStringLiteral("squashfs"),      QStringLiteral("rpc_pipefs"),
        QStringLiteral("nfsd"),          QStringLiteral("selinuxfs"),
        QStringLiteral("rootfs"),        QStringLiteral("fuse.gvfsd-fuse"),
        QStringLiteral("fuse.portal"),   QStringLiteral("fuse.lxcfs"),
        QStringLiteral("fuse.snapfuse"),
    };
    return types.contains(type);
}

// Folders where the system keeps its own mounts.
const QStringList &systemFolders()
{
    static const QStringList folders = {
        QStringLiteral("/proc"),
        QStringLiteral("/sys"),
        QStringLiteral("/dev"),
        QStringLiteral("/run"),
        QStringLiteral("/snap"),
        QStringLiteral("/boot"),
        QStringLiteral("/var/lib/docker"),
        QStringLiteral("/var/lib/snapd"),
        QStringLiteral("/var/snap"),
    };
    return folders;
}

bool isNetworkFileSystem(const QString &type)
{
    static const QStringList types = {
        QStringLiteral("nfs"),
        QStringLiteral("nfs4"),
        QStringLiteral("cifs"),
        QStringLiteral("smb3"),
        QStringLiteral("smbfs"),
        QStringLiteral("sshfs"),
        QStringLiteral("fuse.sshfs"),
        QStringLiteral("afs"),
        QStringLiteral("ceph"),
        QStringLiteral("glusterfs"),
        QStringLiteral("fuse.glusterfs"),
        QStringLiteral("davfs"),
        QStringLiteral("fuse.davfs2"),
        QStringLiteral("fuse.rclone"),
        QStringLiteral("9p"),
        QStringLiteral("lustre"),
    };
    return types.contains(type);
}

bool isRemovableFolder(const QString &path)
{
    return isUnder(path, QStringLiteral("/media")) || isUnder(path, QStringLiteral("/run/media"));
}

} // namespace

NodeImage volumeImageOf(const MountedVolume &volume)
{
    const QString type = volume.fileSystemType.toLower();
    const QString &path = volume.rootPath;
    // The root is a fixed disk whatever it is made of (an overlay in a container).
    if (path == QLatin1String("/"))
        return NodeImage::FixedDisk;
    if (isPseudoFileSystem(type))
        return NodeImage::None;
    if (type == QLatin1String("iso9660") || type == QLatin1String("udf"))
        return NodeImage::CdRom;
    if (isNetworkFileSystem(type))
        return NodeImage::NetworkDrive;
    if (isRemovableFolder(path))
        return NodeImage::RemovableDisk;
    if (isUnderAny(path, systemFolders()))
        return NodeImage::None;
    if (volume.device.startsWith(QLatin1String("/dev/")))
        return NodeImage::FixedDisk;
    return NodeImage::None;
}

QList<DriveNode> driveNodes(const QList<MountedVolume> &volumes, const QString &homePath)
{
    QList<DriveNode> nodes{{QStringLiteral("/"), NodeImage::FixedDisk}};
    auto listed = [&nodes](const QString &path) {
        for (const DriveNode &node : nodes)
            if (node.path == path)
                return true;
        return false;
    };
    if (!homePath.isEmpty() && !listed(homePath))
        nodes.append({homePath, NodeImage::FixedDisk});
    for (const MountedVolume &volume : volumes) {
        const NodeImage image = volumeImageOf(volume);
        if (image != NodeImage::None && !listed(volume.rootPath))
            nodes.append({volume.rootPath, image});
    }
    return nodes;
}

QList<MountedVolume> mountedVolumes()
{
    QList<MountedVolume> volumes;
    for (const QStorageInfo &info : QStorageInfo::mountedVolumes())
        volumes.append({info.rootPath(), QString::fromLocal8Bit(info.fileSystemType()),
                        QString::fromLocal8Bit(info.device())});
    return volumes;
}
