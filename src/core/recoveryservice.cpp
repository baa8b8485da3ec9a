#include "core/recoveryservice.h"

#include "core/documentfile.h"
#include "core/settingsstore.h"

#include <QMetaObject>

namespace {

RecoveryService *&running()
{
    static RecoveryService *service = nullptr;
    return service;
}

const QString section = QStringLiteral("Recovery");

} // namespace

RecoveryService::RecoveryService(const QString &root, QObject *parent)
    : QObject(parent),
      m_folder(root),
      m_writer(
          [this](const QString &, int error) {
              const QString reason = fileErrorDescription(writeErrorNumber(error));
              QMetaObject::invokeMethod(this, [this, reason] { tellFailure(reason); });
          },
          [this](const QString &file) {
              QMetaObject::invokeMethod(this, [this, file] { emit written(file); });
          })
{
    running() = this;
}

RecoveryService::~RecoveryService()
{
    if (running() == this)
        running() = nullptr;
    // The writer finishes its jobs (the removals of a clean end among them) before the folder
    // is tidied up.
    m_writer.flush();
}

void RecoveryService::tellFailure(const QString &reason)
{
    if (m_failureTold)
        return;
    m_failureTold = true;
    emit writeFailed(QStringLiteral("復元用のﾌｧｲﾙを書き込めませんでした: ") + reason);
}

RecoveryService *RecoveryService::current()
{
    return running();
}

int RecoveryService::idleDelayMs()
{
    return qBound(1, SettingsStore::getInt(section, QStringLiteral("IdleSeconds"), 5), 3600) * 1000;
}

int RecoveryService::longestDelayMs()
{
    return qMax(idleDelayMs(), 30 * 1000);
}

qint64 RecoveryService::largePageUnits()
{
    const qint64 megabytes
        = qBound(1, SettingsStore::getInt(section, QStringLiteral("LargePageMB"), 50), 4096);
    return megabytes * 1024 * 1024;
}
