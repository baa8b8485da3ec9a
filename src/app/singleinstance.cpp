#include "app/singleinstance.h"

#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>

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
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/orvine.lock");
}

SingleInstance::SingleInstance(const QString &lockPath)
{
    const QString path = lockPath.isEmpty() ? defaultLockPath() : lockPath;
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
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRequest(socket); });
            readRequest(socket);
        }
    });
}

void SingleInstance::readRequest(QLocalSocket *socket)
{
    QDataStream in(socket);
    in.startTransaction();
    QStringList files;
    in >> files;
    if (!in.commitTransaction())
        return; // the rest is still on its way
    socket->write(&Taken, 1);
    socket->flush();
    deliver(files);
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
    QByteArray request;
    QDataStream out(&request, QIODevice::WriteOnly);
    out << files;
    socket.write(request);
    socket.flush();
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(int(deadline.remainingTime())))
            return false;
    }
    char answer = 0;
    return socket.read(&answer, 1) == 1 && answer == Taken;
}
