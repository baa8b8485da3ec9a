#include "app/singleinstance.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

SingleInstance::SingleInstance(const QString &lockPath)
{
    QString path = lockPath;
    if (path.isEmpty()) {
        QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        if (folder.isEmpty())
            folder = QDir::tempPath();
        path = folder + QStringLiteral("/orvine.lock");
    }
    m_lock = std::make_unique<QLockFile>(path);
    // A lock left by a crashed run is stale (its process is gone) and is taken over.
    m_first = m_lock->tryLock(0);
}

SingleInstance::~SingleInstance() = default;
