#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QLocalServer;
class QLocalSocket;
class QLockFile;

// Holds the lock that marks a running program, in the user's runtime folder, and beside it the
// local socket over which later starts hand their files to the running program.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    // `lockPath` empty: "orvine.lock" in the runtime folder. The socket is the lock's path
    // with ".socket" in place of ".lock".
    explicit SingleInstance(const QString &lockPath = {});
    ~SingleInstance() override;

    // True when this is the only running instance (the lock is ours).
    bool isFirst() const { return m_first; }
    QString socketPath() const { return m_socketPath; }

    // The first instance: `receiver` gets each list of files a later start hands over. Lists
    // that arrived before a receiver was set are delivered to it at once.
    void setReceiver(std::function<void(const QStringList &)> receiver);

    // A later instance: hands `files` (full paths) to the running one and waits for it to take
    // them. False when no running instance answered within `timeoutMs`.
    bool handOver(const QStringList &files, int timeoutMs = 5000) const;

    static QString defaultLockPath();

private:
    void listen();
    void readRequest(QLocalSocket *socket);
    void deliver(const QStringList &files);

    std::unique_ptr<QLockFile> m_lock;
    bool m_first = false;
    QString m_socketPath;
    QLocalServer *m_server = nullptr;
    std::function<void(const QStringList &)> m_receiver;
    QList<QStringList> m_waiting;
};
