#include "core/documentfile.h"

#include "core/nativepath.h"

#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <tuple>
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

// Every name reaches the file system as the bytes it came from (nativepath.h), so that a file
// whose name is not UTF-8 is read and written under its own name.
QByteArray nativeName(const QString &path)
{
    return nativePath(path);
}

bool statPath(const QByteArray &native, struct stat *info)
{
    return ::stat(native.constData(), info) == 0;
}

bool statPath(const QString &path, struct stat *info)
{
    return statPath(nativeName(path), info);
}

// The folder that holds `native`: "." for a bare name, "/" for a file in the root.
QByteArray folderOf(const QByteArray &native)
{
    const qsizetype cut = native.lastIndexOf('/');
    if (cut < 0)
        return QByteArrayLiteral(".");
    if (cut == 0)
        return QByteArrayLiteral("/");
    return native.left(cut);
}

QByteArray folderOf(const QString &path)
{
    return folderOf(nativeName(path));
}

bool folderExists(const QString &path)
{
    struct stat info;
    return statPath(folderOf(path), &info) && S_ISDIR(info.st_mode);
}

// Write protection as the mode bits say it, for root too: root may write anything, but a
// file or folder without a single write bit was protected on purpose and is left alone.
bool writeProtected(const QByteArray &native, const struct stat &info)
{
    return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0
           || ::access(native.constData(), W_OK) != 0;
}

int openErrorNumber(int error, const QString &path)
{
    switch (error) {
    case ENOENT: return folderExists(path) ? 53 : 76;
    case ENOTDIR: return 76;
    case EACCES:
    case EPERM: return 70;
    default: return 75;
    }
}

} // namespace

int writeErrorNumber(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return 61;
    case EACCES:
    case EPERM:
    case EROFS:
    case ENAMETOOLONG: return 75;
    case ENOENT:
    case ENOTDIR: return 76;
    default: return 57;
    }
}

namespace {

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

// The file a save replaces: a link is followed to the file it names (a relative target from
// the link's own folder), so that the link stays a link and its file gets the new text.
QByteArray linkTarget(const QByteArray &native)
{
    QByteArray current = native;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info;
        if (::lstat(current.constData(), &info) != 0 || !S_ISLNK(info.st_mode))
            return current;
        QByteArray target(qMax<qsizetype>(qsizetype(info.st_size), 255) + 1, '\0');
        const ssize_t length
            = ::readlink(current.constData(), target.data(), size_t(target.size()));
        if (length <= 0 || length >= target.size())
            return current;
        target.truncate(length);
        current = target.startsWith('/') ? target : folderOf(current) + '/' + target;
    }
    return current; // a circle of links: opening it fails and is reported
}

// Why the file may not be written, checked before anything is touched; 0 when it may.
int refusalBeforeWriting(const QByteArray &native, struct stat *existing, bool *exists)
{
    *exists = false;
    if (native.isEmpty())
        return 75;
    const QByteArray folder = folderOf(native);
    struct stat folderInfo;
    if (!statPath(folder, &folderInfo) || !S_ISDIR(folderInfo.st_mode))
        return 76;
    if (statPath(native, existing)) {
        // Only plain files are replaced: a folder, device or pipe is never swapped for a file.
        if (!S_ISREG(existing->st_mode) || writeProtected(native, *existing))
            return 75;
        *exists = true;
    } else if (errno != ENOENT) {
        return 75; // a circle of links, a name too long: nothing is put in its place
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

// A temporary file beside the target: hidden (the explorer does not list it), named after the
// target so that one left by a crash tells what it was, created exclusively. The mode of a new
// file is 0666 less the user's umask, as for any file the user creates.
int createTemporaryBeside(const QByteArray &native, QByteArray *temporary)
{
    const QByteArray folder = folderOf(native);
    QByteArray name = native.mid(native.lastIndexOf('/') + 1);
    name.truncate(200); // room for the rest within the longest name a file system takes
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        QByteArray suffix(8, 'x');
        for (char &c : suffix)
            c = letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))];
        *temporary = folder + "/." + name + '.' + suffix;
        int fd;
        do {
            fd = ::open(temporary->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        } while (fd < 0 && errno == EINTR);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

void syncFolder(const QByteArray &folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Writes everything, going on after a short write; false with errno set on a failure. A write
// that takes nothing without an error counts as a full disk.
bool writeAll(int fd, const QByteArray &bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const qsizetype chunk = qMin(writeChunk, bytes.size() - done);
        errno = 0;
        const ssize_t written = ::write(fd, bytes.constData() + done, size_t(chunk));
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return false;
        if (written == 0) {
            errno = ENOSPC;
            return false;
        }
        done += written;
    }
    return true;
}

// Replaces the file through a temporary file in the same folder, renamed over the old one once
// every byte is written and on the disk. Any failure removes the temporary file, and the old
// file stays as it was. The names are used as bytes, so a name that is not UTF-8 is written
// in place. `written` receives the stamp of the new file.
int replaceFile(const QByteArray &native, const QByteArray &bytes, const struct stat *existing,
                FileStamp *written, FolderSyncs *folderSyncs)
{
    QByteArray temporary;
    errno = 0;
    const int fd = createTemporaryBeside(native, &temporary);
    if (fd < 0)
        return writeErrorNumber(errno);
    auto fail = [&](int error, bool open) {
        if (open)
            ::close(fd);
        ::unlink(temporary.constData());
        return writeErrorNumber(error);
    };
    if (existing)
        keepOwnerAndMode(fd, *existing);
    if (!writeAll(fd, bytes))
        return fail(errno, true);
    // Delayed allocation reports a full disk only here.
    if (::fsync(fd) != 0)
        return fail(errno, true);
    *written = fileStampOfDescriptor(fd);
    if (::close(fd) != 0)
        return fail(errno, false);
    if (::rename(temporary.constData(), native.constData()) != 0)
        return fail(errno, false);
    // The rename itself reaches the disk with the folder.
    if (folderSyncs)
        folderSyncs->add(folderOf(native));
    else
        syncFolder(folderOf(native));
    return 0;
}

} // namespace

QString fileErrorDescription(int number)
{
    switch (number) {
    case 0: return QString();
    case 53: return QStringLiteral("ファイルが見つかりません。");
    case 57: return QStringLiteral("デバイス I/O エラーです。");
    case 61: return QStringLiteral("ディスクの空き容量が足りません。");
    case 70: return QStringLiteral("アクセスが拒否されました。");
    case 75: return QStringLiteral("パス名が無効か、ファイルにアクセスできません。");
    case 76: return QStringLiteral("パスが見つかりません。");
    default: return QStringLiteral("ファイルの操作に失敗しました。");
    }
}

QString fileReadErrorDescription(int number)
{
    switch (number) {
    case 57: return QStringLiteral("ファイルの読み込み中にデバイス I/O エラーが発生しました。");
    case 70: return QStringLiteral("ファイルを読み込む権限がありません。");
    case 75: return QStringLiteral("パス名が無効か、ファイルを読み込めません。");
    default: return fileErrorDescription(number);
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
    const FileDescriptor fd(
        ::open(nativeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) {
        result.error = makeReadError(openErrorNumber(errno, path));
        return result;
    }
    // Taken before reading: a change made while the file is read shows as a change later.
    result.stamp = fileStampOfDescriptor(fd.get());
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
                              std::shared_ptr<const FileLines> previous, FolderSyncs *folderSyncs)
{
    WriteResult result;
    WrittenLines written = writeLines(text, encoding, previous.get(), &result.encoding);
    const QByteArray native = linkTarget(nativeName(path));
    struct stat existing;
    bool exists = false;
    int number = refusalBeforeWriting(native, &existing, &exists);
    if (number == 0)
        number = replaceFile(native, written.bytes, exists ? &existing : nullptr, &result.stamp,
                             folderSyncs);
    result.error = makeError(number);
    if (result.error.ok())
        result.lines = written.unchanged
                           ? FileLinesSnapshot(std::move(previous))
                           : FileLinesSnapshot::foundLater(std::move(written.bytes), encoding,
                                                           written.finalBreak);
    return result;
}

void FolderSyncs::add(const QByteArray &nativeFolder)
{
    const std::lock_guard<std::mutex> guard(m_lock);
    m_folders.insert(nativeFolder);
}

void FolderSyncs::syncAll()
{
    QSet<QByteArray> folders;
    {
        const std::lock_guard<std::mutex> guard(m_lock);
        folders.swap(m_folders);
    }
    for (const QByteArray &folder : std::as_const(folders))
        syncFolder(folder);
}
