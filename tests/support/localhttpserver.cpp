#include "support/localhttpserver.h"

#include <QTcpSocket>

#include <gtest/gtest.h>

LocalHttpServer::LocalHttpServer()
{
    EXPECT_TRUE(m_server.listen(QHostAddress::LocalHost));
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            socket->setParent(this);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
        }
    });
}

void LocalHttpServer::route(const QByteArray &path, const Reply &reply)
{
    m_routes.insert(path, reply);
}

void LocalHttpServer::redirect(const QByteArray &path, const QByteArray &location)
{
    Reply reply;
    reply.status = 302;
    reply.reason = "Found";
    reply.headers = {{"Location", location}};
    route(path, reply);
}

QString LocalHttpServer::url(const QByteArray &path) const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort()) + QString::fromLatin1(path);
}

void LocalHttpServer::serve(QTcpSocket *socket)
{
    QByteArray request = socket->property("request").toByteArray() + socket->readAll();
    socket->setProperty("request", request);
    if (!request.contains("\r\n\r\n"))
        return;
    socket->setProperty("request", QByteArray());
    const QList<QByteArray> requestLine = request.left(request.indexOf("\r\n")).split(' ');
    const QByteArray path = requestLine.value(1);
    m_paths << path;
    Reply reply;
    reply.status = 404;
    reply.reason = "Not Found";
    reply.body = "<html><body>no such page</body></html>";
    reply = m_routes.value(path, reply);
    if (reply.stall)
        return;
    QByteArray out = "HTTP/1.1 " + QByteArray::number(reply.status) + ' ' + reply.reason + "\r\n";
    for (const auto &[name, value] : reply.headers)
        out += name + ": " + value + "\r\n";
    if (reply.sendLength)
        out += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\n";
    out += "Connection: close\r\n\r\n" + reply.body;
    socket->write(out);
    socket->disconnectFromHost();
}
