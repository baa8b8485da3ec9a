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
const QString idleKey = QStringLiteral("IdleSeconds");
const QString largePageKey = QStringLiteral("LargePageMB");

} // namespace

RecoveryService::RecoveryService(const QString &root, QObject *parent)
    : QObject(parent), m_folder(root),
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

int RecoveryService::idleSeconds()
{
    return qBound(1, SettingsStore::getInt(section, idleKey, 5), 3600);
}

int RecoveryService::largePageMegabytes()
{
    return qBound(1, SettingsStore::getInt(section, largePageKey, 50), 4096);
}

void RecoveryService::storeOptions(int idleSeconds, int largePageMegabytes)
{
    SettingsStore::Batch batch;
    SettingsStore::setInt(section, idleKey, qBound(1, idleSeconds, 3600));
    SettingsStore::setInt(section, largePageKey, qBound(1, largePageMegabytes, 4096));
}

int RecoveryService::idleDelayMs()
{
    return idleSeconds() * 1000;
}

int RecoveryService::longestDelayMs()
{
    return qMax(idleDelayMs(), 30 * 1000);
}

qint64 RecoveryService::largePageUnits()
{
    return qint64(largePageMegabytes()) * 1024 * 1024;
}
