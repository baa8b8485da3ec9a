#include "app/runtimefolder.h"

#include <QFile>
#include <QStringList>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

bool isPrivateFolder(const QString &path)
{
    if (path.isEmpty())
        return false;
    struct stat info;
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return false;
    return S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() && (info.st_mode & 07777) == 0700;
}

namespace {

// The folder when it is private; a missing one is made private first.
bool makePrivate(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    if (::mkdir(native.constData(), 0700) == 0)
        ::chmod(native.constData(), 0700); // whatever the umask took away
    return isPrivateFolder(path);
}

QString userName()
{
    const struct passwd *entry = ::getpwuid(::geteuid());
    return entry && entry->pw_name ? QString::fromLocal8Bit(entry->pw_name) : QString();
}

} // namespace

QString privateRuntimeFolder(const QString &xdgRuntimeDir, const QString &tempFolder)
{
    if (isPrivateFolder(xdgRuntimeDir))
        return xdgRuntimeDir;
    if (tempFolder.isEmpty())
        return {};
    QStringList candidates;
    const QString user = userName();
    if (!user.isEmpty() && !user.contains(QLatin1Char('/')))
        candidates << tempFolder + QStringLiteral("/runtime-") + user;
    const QString own = tempFolder + QStringLiteral("/orvine-") + QString::number(::geteuid());
    candidates << own;
    for (int i = 1; i <= 9; ++i)
        candidates << own + QLatin1Char('-') + QString::number(i);
    for (const QString &folder : candidates) {
        if (makePrivate(folder))
            return folder;
    }
    return {};
}
