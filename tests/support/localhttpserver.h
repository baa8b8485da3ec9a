#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPair>
#include <QTcpServer>

// A small HTTP/1.1 server on 127.0.0.1 for download tests. Each path answers with its canned
// reply; unknown paths answer 404. A stalling reply accepts the request and never answers.
class LocalHttpServer : public QObject
{
    Q_OBJECT

public:
    struct Reply
    {
        int status = 200;
        QByteArray reason = "OK";
        QList<QPair<QByteArray, QByteArray>> headers;
        QByteArray body;
        bool sendLength = true; // false: the body ends when the connection closes
        bool stall = false;
    };

    LocalHttpServer();

    void route(const QByteArray &path, const Reply &reply);
    // A redirect from `path` to `location` (status 302).
    void redirect(const QByteArray &path, const QByteArray &location);
    // "http://127.0.0.1:port" + path.
    QString url(const QByteArray &path) const;
    int requestCount() const { return int(m_paths.size()); }
    // The paths asked for, in order.
    const QList<QByteArray> &requestedPaths() const { return m_paths; }

private:
    void serve(QTcpSocket *socket);

    QTcpServer m_server;
    QHash<QByteArray, Reply> m_routes;
    QList<QByteArray> m_paths;
};
