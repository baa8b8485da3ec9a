#include "core/recoveryfolder.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString lockName = QStringLiteral("owner.lock");
const QString recordSuffix = QStringLiteral(".orvrec");

// A folder that only its owner can enter.
bool makePrivateFolder(const QString &path)
{
    if (!QDir().mkpath(path))
        return false;
    return ::chmod(QFile::encodeName(path).constData(), S_IRWXU) == 0;
}

// Opens the lock file of `folder` and takes its lock without waiting: the descriptor, or -1
// when another process holds it or it cannot be opened.
int takeLock(const QString &folder)
{
    const QByteArray name = QFile::encodeName(folder + QLatin1Char('/') + lockName);
    const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (fd < 0)
        return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

QStringList recordsIn(const QString &folder)
{
    QStringList files;
    const QFileInfoList entries = QDir(folder).entryInfoList(
        {QLatin1Char('*') + recordSuffix}, QDir::Files | QDir::Hidden, QDir::Time | QDir::Reversed);
    for (const QFileInfo &entry : entries)
        files << entry.absoluteFilePath();
    return files;
}

// Removes a subfolder that holds no record: its lock file, the temporary files of writes that
// were cut off, then the folder.
void removeIfEmpty(const QString &folder)
{
    if (!recordsIn(folder).isEmpty())
        return;
    QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden))
        dir.remove(name);
    QDir().rmdir(folder);
}

} // namespace

RecoveryFolder::RecoveryFolder(const QString &root) : m_root(QDir::cleanPath(root))
{
    const QString name
        = QStringLiteral("%1-%2")
              .arg(QCoreApplication::applicationPid())
              .arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0'));
    const QString own = m_root + QLatin1Char('/') + name;
    if (!makePrivateFolder(m_root) || !makePrivateFolder(own)) {
        m_problem = QStringLiteral("%1 を作成できません。").arg(QDir::toNativeSeparators(own));
        return;
    }
    m_lock = takeLock(own);
    if (m_lock < 0) {
        m_problem = QStringLiteral("%1 を使えません。").arg(QDir::toNativeSeparators(own));
        QDir().rmdir(own);
        return;
    }
    m_own = own;
}

RecoveryFolder::~RecoveryFolder()
{
    for (const auto &[folder, lock] : std::as_const(m_adopted)) {
        removeIfEmpty(folder);
        ::close(lock);
    }
    if (!m_own.isEmpty())
        removeIfEmpty(m_own);
    if (m_lock >= 0)
        ::close(m_lock);
}

QString RecoveryFolder::defaultRoot()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
           + QStringLiteral("/recovery");
}

QString RecoveryFolder::fileFor(quint64 id) const
{
    if (m_own.isEmpty())
        return QString();
    return m_own + QStringLiteral("/%1").arg(id) + recordSuffix;
}

bool RecoveryFolder::isOwnOrAdopted(const QString &folder) const
{
    if (folder == m_own)
        return true;
    for (const auto &adopted : m_adopted)
        if (adopted.first == folder)
            return true;
    return false;
}

QStringList RecoveryFolder::adoptOrphans()
{
    QStringList files;
    const QFileInfoList folders = QDir(m_root).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QFileInfo &info : folders) {
        const QString folder = info.absoluteFilePath();
        if (isOwnOrAdopted(folder))
            continue;
        const int lock = takeLock(folder);
        if (lock < 0)
            continue; // a running instance's, or not ours to touch
        const QStringList records = recordsIn(folder);
        if (records.isEmpty()) {
            removeIfEmpty(folder);
            ::close(lock);
            continue;
        }
        m_adopted.append({folder, lock});
        files << records;
    }
    std::sort(files.begin(), files.end(), [](const QString &a, const QString &b) {
        return QFileInfo(a).lastModified() < QFileInfo(b).lastModified();
    });
    return files;
}

void RecoveryFolder::discard(const QString &file)
{
    QFile::remove(file);
    const QString folder = QFileInfo(file).absolutePath();
    for (qsizetype i = 0; i < m_adopted.size(); ++i) {
        if (m_adopted.at(i).first != folder || !recordsIn(folder).isEmpty())
            continue;
        removeIfEmpty(folder);
        ::close(m_adopted.at(i).second);
        m_adopted.removeAt(i);
        return;
    }
}

bool writeRecoveryFile(const QString &file, const QByteArray &bytes, int *error)
{
    QSaveFile out(file);
    out.setDirectWriteFallback(false);
    errno = 0;
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        *error = errno ? errno : EACCES;
        return false;
    }
    out.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    // The writes are counted in pieces: the toolkit does not see a short write on a full disk.
    constexpr qsizetype piece = 64 * 1024;
    for (qsizetype done = 0; done < bytes.size(); done += piece) {
        const qsizetype size = qMin(piece, bytes.size() - done);
        errno = 0;
        if (out.write(bytes.constData() + done, size) != size) {
            *error = errno ? errno : ENOSPC;
            out.cancelWriting();
            return false;
        }
    }
    errno = 0;
    if (!out.commit()) {
        *error = errno ? errno : ENOSPC;
        return false;
    }
    return true;
}
