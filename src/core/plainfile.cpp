#include "core/plainfile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

PlainFileRefusal refusalOf(const struct stat &info, qint64 maxBytes)
{
    if (!S_ISREG(info.st_mode))
        return PlainFileRefusal::NotPlain;
    if (qint64(info.st_size) > maxBytes)
        return PlainFileRefusal::TooLarge;
    return PlainFileRefusal::None;
}

} // namespace

PlainFileRefusal openPlainFile(const QString &path, QFile &file, qint64 maxBytes)
{
    if (path.isEmpty())
        return PlainFileRefusal::Missing;
    const QByteArray native = QFile::encodeName(path);
    struct stat info;
    if (::stat(native.constData(), &info) != 0)
        return errno == EACCES ? PlainFileRefusal::Unreadable : PlainFileRefusal::Missing;
    if (const PlainFileRefusal refusal = refusalOf(info, maxBytes);
        refusal != PlainFileRefusal::None)
        return refusal;
    // Not blocking, should a pipe have taken the file's place since the look above.
    const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return errno == ENOENT ? PlainFileRefusal::Missing : PlainFileRefusal::Unreadable;
    PlainFileRefusal refusal
        = ::fstat(fd, &info) == 0 ? refusalOf(info, maxBytes) : PlainFileRefusal::Unreadable;
    if (refusal == PlainFileRefusal::None) {
        // Reads of a plain file never wait, so the descriptor may block again.
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
            refusal = PlainFileRefusal::Unreadable;
        else
            return PlainFileRefusal::None;
    }
    ::close(fd);
    return refusal;
}
