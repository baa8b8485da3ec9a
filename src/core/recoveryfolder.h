#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

// The recovery folder of this user, readable by the user alone (0700). Each running instance
// keeps its files in a subfolder of its own, held by an advisory lock (flock) on a file inside
// it, which the kernel lets go however the process ends. The files of a subfolder whose lock is
// free were left by an instance that is gone (a crash, a kill, a power cut): those are the ones
// a start offers to restore. A subfolder whose lock is held belongs to a running instance and
// is left alone.
class RecoveryFolder
{
public:
    // Creates this instance's subfolder under `root` and takes its lock.
    explicit RecoveryFolder(const QString &root);
    // Removes this instance's subfolder when no file is left in it, and lets its lock go.
    ~RecoveryFolder();
    RecoveryFolder(const RecoveryFolder &) = delete;
    RecoveryFolder &operator=(const RecoveryFolder &) = delete;

    // <AppDataLocation>/recovery.
    static QString defaultRoot();

    // Empty when this instance's subfolder is ready, else why it is not.
    QString problem() const { return m_problem; }
    QString root() const { return m_root; }
    // The recovery file of this instance's document numbered `id`.
    QString fileFor(quint64 id) const;

    // The files left by instances that are gone, oldest first. The locks of their subfolders
    // are taken and held by this object, so that no other start offers them as well.
    QStringList adoptOrphans();
    // Removes a file, and an adopted subfolder once it holds no file.
    void discard(const QString &file);

private:
    bool isOwnOrAdopted(const QString &folder) const;
    QString m_root;
    QString m_own;
    QString m_problem;
    int m_lock = -1;
    QList<std::pair<QString, int>> m_adopted; // subfolder, descriptor of its held lock
};

// Writes `bytes` to `file` through a temporary file beside it, on the disk before the rename,
// readable and writable by the user alone. False with the errno of the failure in `error`;
// a failed write leaves any earlier file as it was.
bool writeRecoveryFile(const QString &file, const QByteArray &bytes, int *error);
