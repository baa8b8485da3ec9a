#include "mainwindow/folderlisting.h"

#include "core/nativepath.h"
#include "mainwindow/explorernodes.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <sys/stat.h>

namespace {

int errorNumberOf(int error)
{
    switch (error) {
    case EACCES:
    case EPERM: return 70;
    case ENOENT:
    case ENOTDIR: return 76;
    default: return 75;
    }
}

bool isFolder(const QByteArray &folder, const dirent &entry)
{
    if (entry.d_type == DT_DIR)
        return true;
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN)
        return false;
    // A link, or a file system that does not say: ask for what the name leads to.
    struct stat info;
    const QByteArray full = folder + '/' + entry.d_name;
    return ::stat(full.constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

class Folder
{
public:
    explicit Folder(const QByteArray &path) : m_dir(::opendir(path.constData())) {}
    ~Folder()
    {
        if (m_dir)
            ::closedir(m_dir);
    }
    Folder(const Folder &) = delete;
    Folder &operator=(const Folder &) = delete;

    DIR *handle() const { return m_dir; }

private:
    DIR *m_dir;
};

} // namespace

bool nameLess(const QString &a, const QString &b)
{
    const int folded = a.compare(b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
}

FolderListing listFolder(const QString &path, bool windowsCheck)
{
    FolderListing listing;
    const QByteArray native = nativePath(path);
    Folder folder(native);
    if (!folder.handle()) {
        listing.errorNumber = errorNumberOf(errno);
        return listing;
    }
    errno = 0;
    while (const dirent *entry = ::readdir(folder.handle())) {
        if (entry->d_name[0] == '.')
            continue;
        // The name as the bytes the file system gave: one that is not UTF-8 keeps its bytes.
        const QString name = pathFromNative(entry->d_name);
        if (isFolder(native, *entry))
            listing.folders.append(name);
        else if (windowsCheck ? fileImageOf(name) != NodeImage::None
                              : listedWithoutWindowsCheck(name))
            listing.files.append(name);
        errno = 0;
    }
    if (errno != 0) {
        listing = {};
        listing.errorNumber = errorNumberOf(errno);
        return listing;
    }
    std::sort(listing.folders.begin(), listing.folders.end(), nameLess);
    std::sort(listing.files.begin(), listing.files.end(), nameLess);
    return listing;
}
