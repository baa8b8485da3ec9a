#pragma once

#include "core/recoveryfolder.h"
#include "core/recoverywriter.h"

#include <QObject>
#include <QString>

// Automatic recovery of unsaved text for one running instance: its recovery folder and the
// thread that writes into it. The program's start creates one; while none exists, documents
// keep no recovery files.
class RecoveryService : public QObject
{
    Q_OBJECT

public:
    explicit RecoveryService(const QString &root = RecoveryFolder::defaultRoot(),
                             QObject *parent = nullptr);
    ~RecoveryService() override;

    // The service of this run; nullptr when there is none.
    static RecoveryService *current();

    RecoveryFolder &folder() { return m_folder; }
    RecoveryWriter &writer() { return m_writer; }
    // A number for a document's recovery file, unique in this run.
    quint64 newDocumentId() { return ++m_lastId; }

    // The options: seconds of quiet after typing before the text is written (5), and the size
    // in characters from which a page is written less often (50 MB). While typing goes on,
    // the text is written at least every 30 s. A large page waits ten times as long for both.
    static int idleDelayMs();
    static int longestDelayMs();
    static qint64 largePageUnits();
    // The two options as the options dialog shows them, and storing them (clamped to 1-3600 s
    // and 1-4096 MB).
    static int idleSeconds();
    static int largePageMegabytes();
    static void storeOptions(int idleSeconds, int largePageMegabytes);

    // Says once per run why recovery files cannot be kept (on the GUI thread).
    void tellFailure(const QString &reason);

signals:
    // A write failed: said once per run, with the reason, for the status bar.
    void writeFailed(const QString &message);
    // A file was written (queued to the GUI thread).
    void written(const QString &file);

private:
    RecoveryFolder m_folder;
    RecoveryWriter m_writer;
    quint64 m_lastId = 0;
    bool m_failureTold = false;
};
