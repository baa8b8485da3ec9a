#include "app/singleinstance.h"

#include "app/handovermessage.h"
#include "app/runtimefolder.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QPointer>
#include <QThread>

#include <memory>

namespace {

// The running instance answers one byte once it has taken the files.
constexpr char Taken = '1';

QString socketPathFor(const QString &lockPath)
{
    const QString suffix = QStringLiteral(".lock");
    QString base = lockPath;
    if (base.endsWith(suffix))
        base.chop(suffix.size());
    return base + QStringLiteral(".socket");
}

} // namespace

QString SingleInstance::defaultLockPath()
{
    const QString folder
        = privateRuntimeFolder(qEnvironmentVariable("XDG_RUNTIME_DIR"), QDir::tempPath());
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/orvine.lock");
}

SingleInstance::SingleInstance(const QString &lockPath, qint64 maxMessageBytes)
    : m_maxMessageBytes(maxMessageBytes)
{
    const QString path = lockPath.isEmpty() ? defaultLockPath() : lockPath;
    if (path.isEmpty()) {
        // No folder is the user's alone: rather run alone than hand files to someone else.
        m_first = true;
        return;
    }
    m_socketPath = socketPathFor(path);
    m_lock = std::make_unique<QLockFile>(path);
    // A lock left by a crashed run is stale (its process is gone) and is taken over.
    m_first = m_lock->tryLock(0);
    if (m_first)
        listen();
}

SingleInstance::~SingleInstance() = default;

void SingleInstance::listen()
{
    // The lock is ours, so a socket file left there belongs to a run that has ended.
    QLocalServer::removeServer(m_socketPath);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_socketPath))
        return; // later starts then find nobody to hand their files to and say so
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            auto reader = std::make_shared<HandOverReader>(m_maxMessageBytes);
            const auto read = [this, reader, alive = QPointer<QLocalSocket>(socket)] {
                if (!alive)
                    return;
                if (!reader->feed(alive->readAll())) {
                    alive->abort(); // not a message, or too long: refused without a word
                    return;
                }
                for (const QStringList &files : reader->takeLists()) {
                    if (alive) {
                        alive->write(&Taken, 1);
                        alive->flush();
                    }
                    deliver(files);
                }
            };
            connect(socket, &QLocalSocket::readyRead, this, read);
            read();
        }
    });
}

void SingleInstance::deliver(const QStringList &files)
{
    if (m_receiver)
        m_receiver(files);
    else
        m_waiting << files;
}

void SingleInstance::setReceiver(std::function<void(const QStringList &)> receiver)
{
    m_receiver = std::move(receiver);
    const QList<QStringList> waiting = std::exchange(m_waiting, {});
    for (const QStringList &files : waiting)
        deliver(files);
}

bool SingleInstance::handOver(const QStringList &files, int timeoutMs) const
{
    if (m_socketPath.isEmpty())
        return false;
    const QList<QByteArray> messages = handOverMessages(files, m_maxMessageBytes);
    if (messages.isEmpty())
        return false;
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    // The running instance takes its lock a moment before it listens: try again until then.
    for (;;) {
        socket.connectToServer(m_socketPath);
        if (socket.waitForConnected(int(deadline.remainingTime())))
            break;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
    // One message at a time, each taken before the next goes.
    for (const QByteArray &message : messages) {
        socket.write(message);
        socket.flush();
        while (socket.bytesAvailable() < 1) {
            if (!socket.waitForReadyRead(int(deadline.remainingTime())))
                return false;
        }
        char answer = 0;
        if (socket.read(&answer, 1) != 1 || answer != Taken)
            return false;
    }
    return true;
}
