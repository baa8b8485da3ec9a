#include "core/filestamp.h"

#include "core/nativepath.h"

#include <sys/stat.h>

namespace {

FileStamp stampOf(const struct stat &info)
{
    FileStamp stamp;
    if (!S_ISREG(info.st_mode))
        return stamp;
    stamp.exists = true;
    stamp.size = qint64(info.st_size);
    stamp.modifiedSeconds = qint64(info.st_mtim.tv_sec);
    stamp.modifiedNanoseconds = qint64(info.st_mtim.tv_nsec);
    stamp.device = info.st_dev;
    stamp.inode = info.st_ino;
    return stamp;
}

} // namespace

FileStamp fileStampOf(const QString &path)
{
    struct stat info;
    if (path.isEmpty() || ::stat(nativePath(path).constData(), &info) != 0)
        return {};
    return stampOf(info);
}

FileStamp fileStampOfDescriptor(int fd)
{
    struct stat info;
    if (::fstat(fd, &info) != 0)
        return {};
    return stampOf(info);
}
