#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QLocalServer;
class QLocalSocket;
class QLockFile;

// Holds the lock that marks a running program, in a folder only the user can reach, and beside
// it the local socket over which later starts hand their files to the running program.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    // The longest hand-over message; a longer list of files goes over in several.
    static constexpr qint64 MaxMessageBytes = 16 * 1024 * 1024;

    // `lockPath` empty: "orvine.lock" in the user's private runtime folder (runtimefolder.h).
    // The socket is the lock's path with ".socket" in place of ".lock". Without any private
    // folder the program runs on its own: it is first, and nobody can hand files to it.
    explicit SingleInstance(const QString &lockPath = {}, qint64 maxMessageBytes = MaxMessageBytes);
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

    // Empty when the user has no private folder for it.
    static QString defaultLockPath();

private:
    void listen();
    void deliver(const QStringList &files);

    qint64 m_maxMessageBytes;

    std::unique_ptr<QLockFile> m_lock;
    bool m_first = false;
    QString m_socketPath;
    QLocalServer *m_server = nullptr;
    std::function<void(const QStringList &)> m_receiver;
    QList<QStringList> m_waiting;
};
