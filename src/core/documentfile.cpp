#include "core/documentfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <tuple>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qsizetype writeChunk = 64 * 1024;

FileError makeError(int number)
{
    return FileError{number, fileErrorDescription(number)};
}

FileError makeReadError(int number)
{
    return FileError{number, fileReadErrorDescription(number)};
}

QByteArray nativeName(const QString &path)
{
    return QFile::encodeName(path);
}

bool statPath(const QString &path, struct stat *info)
{
    return ::stat(nativeName(path).constData(), info) == 0;
}

QString folderOf(const QString &path)
{
    return QFileInfo(path).absolutePath();
}

bool folderExists(const QString &path)
{
    struct stat info;
    return statPath(folderOf(path), &info) && S_ISDIR(info.st_mode);
}

// Write protection as the mode bits say it, for root too: root may write anything, but a
// file or folder without a single write bit was protected on purpose and is left alone.
bool writeProtected(const QString &path, const struct stat &info)
{
    return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0
        || ::access(nativeName(path).constData(), W_OK) != 0;
}

int openErrorNumber(int error, const QString &path)
{
    switch (error) {
    case ENOENT:
        return folderExists(path) ? 53 : 76;
    case ENOTDIR:
        return 76;
    case EACCES:
    case EPERM:
        return 70;
    default:
        return 75;
    }
}

int writeErrorNumber(int error, QFileDevice::FileError qtError)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return 61;
    case EACCES:
    case EPERM:
    case EROFS:
        return 75;
    case ENOENT:
    case ENOTDIR:
        return 76;
    default:
        return qtError == QFileDevice::ResourceError ? 61 : 57;
    }
}

class FileDescriptor
{
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

// Reads to the end, not just the size seen at opening, in case the file grows meanwhile.
bool readAll(int fd, qsizetype sizeHint, QByteArray *bytes)
{
    bytes->resize(sizeHint + 1);
    qsizetype used = 0;
    for (;;) {
        if (used == bytes->size())
            bytes->resize(bytes->size() * 2);
        const ssize_t got = ::read(fd, bytes->data() + used, size_t(bytes->size() - used));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            break;
        used += got;
    }
    bytes->truncate(used);
    return true;
}

// Why the file may not be written, checked before anything is touched; 0 when it may.
int refusalBeforeWriting(const QString &path, struct stat *existing, bool *exists)
{
    *exists = false;
    if (path.isEmpty())
        return 75;
    const QString folder = folderOf(path);
    struct stat folderInfo;
    if (!statPath(folder, &folderInfo) || !S_ISDIR(folderInfo.st_mode))
        return 76;
    if (statPath(path, existing)) {
        // Only plain files are replaced: a folder, device or pipe is never swapped for a file.
        if (!S_ISREG(existing->st_mode) || writeProtected(path, *existing))
            return 75;
        *exists = true;
    }
    if (writeProtected(folder, folderInfo))
        return 75;
    return 0;
}

// The new file takes the old one's mode, and its owner where the writer may hand it over
// (root saving another user's page).
void keepOwnerAndMode(int fd, const struct stat &old)
{
    if (::geteuid() == 0)
        std::ignore = ::fchown(fd, old.st_uid, old.st_gid);
    ::fchmod(fd, old.st_mode & 07777);
}

// Replaces the file through a temporary file in the same folder. Every write is checked, so a
// full disk cancels the save and the old file stays as it was.
int replaceFile(const QString &path, const QByteArray &bytes, const struct stat *existing)
{
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return writeErrorNumber(errno, file.error());
    if (existing)
        keepOwnerAndMode(file.handle(), *existing);
    for (qsizetype done = 0; done < bytes.size();) {
        const qsizetype chunk = qMin(writeChunk, bytes.size() - done);
        errno = 0;
        const qint64 written = file.write(bytes.constData() + done, chunk);
        if (written != chunk) {
            const int error = errno;
            const QFileDevice::FileError qtError = file.error();
            file.cancelWriting();
            file.commit(); // discards the temporary file
            return writeErrorNumber(error, qtError);
        }
        done += chunk;
    }
    errno = 0;
    if (!file.commit())
        return writeErrorNumber(errno, file.error());
    return 0;
}

} // namespace

QString fileErrorDescription(int number)
{
    switch (number) {
    case 0:
        return QString();
    case 53:
        return QStringLiteral("ファイルが見つかりません。");
    case 57:
        return QStringLiteral("デバイス I/O エラーです。");
    case 61:
        return QStringLiteral("ディスクの空き容量が足りません。");
    case 70:
        return QStringLiteral("アクセスが拒否されました。");
    case 75:
        return QStringLiteral("パス名が無効か、ファイルにアクセスできません。");
    case 76:
        return QStringLiteral("パスが見つかりません。");
    default:
        return QStringLiteral("ファイルの操作に失敗しました。");
    }
}

QString fileReadErrorDescription(int number)
{
    switch (number) {
    case 57:
        return QStringLiteral("ファイルの読み込み中にデバイス I/O エラーが発生しました。");
    case 70:
        return QStringLiteral("ファイルを読み込む権限がありません。");
    case 75:
        return QStringLiteral("パス名が無効か、ファイルを読み込めません。");
    default:
        return fileErrorDescription(number);
    }
}

ReadResult readDocumentFile(const QString &path, std::optional<TextEncoding> encoding)
{
    ReadResult result;
    if (path.isEmpty()) {
        result.error = makeReadError(75);
        return result;
    }
    struct stat info;
    if (!statPath(path, &info)) {
        result.error = makeReadError(openErrorNumber(errno, path));
        return result;
    }
    // Folders, devices and pipes are not documents (a pipe would block the read forever).
    if (!S_ISREG(info.st_mode)) {
        result.error = makeReadError(75);
        return result;
    }
    const FileDescriptor fd(::open(nativeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) {
        result.error = makeReadError(openErrorNumber(errno, path));
        return result;
    }
    QByteArray bytes;
    if (!readAll(fd.get(), qsizetype(info.st_size), &bytes)) {
        result.error = makeReadError(57);
        return result;
    }
    result.encoding = encoding.value_or(detectEncoding(bytes));
    result.lines = std::make_shared<const FileLines>(std::move(bytes), result.encoding);
    result.text = result.lines->text();
    return result;
}

WriteResult writeDocumentFile(const QString &path, const QString &text, TextEncoding encoding,
                              std::shared_ptr<const FileLines> previous)
{
    WriteResult result;
    WrittenLines written = writeLines(text, encoding, previous.get(), &result.encoding);
    struct stat existing;
    bool exists = false;
    int number = refusalBeforeWriting(path, &existing, &exists);
    if (number == 0)
        number = replaceFile(path, written.bytes, exists ? &existing : nullptr);
    result.error = makeError(number);
    if (result.error.ok())
        result.lines = written.unchanged ? std::move(previous)
                                         : std::make_shared<const FileLines>(std::move(written.bytes), encoding,
                                                                             written.finalBreak);
    return result;
}
