#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPair>
#include <QTcpServer>

#include <memory>

class QSslCertificate;

// A small HTTP/1.1 server on 127.0.0.1 for download tests, plain or over TLS. Each path answers
// with its canned reply; unknown paths answer 404. A stalling reply accepts the request and
// never answers; a raw reply sends hand-made bytes (broken framing, a head in slow pieces).
class LocalHttpServer : public QObject
{
    Q_OBJECT

public:
    // Bytes sent `afterMs` milliseconds after the piece before them (or the request).
    struct Piece
    {
        int afterMs = 0;
        QByteArray bytes;
    };

    struct Reply
    {
        int status = 200;
        QByteArray reason = "OK";
        QList<QPair<QByteArray, QByteArray>> headers;
        QByteArray body;
        bool sendLength = true; // false: the body ends when the connection closes
        bool stall = false;
        // When not empty: sent as they are instead of the reply above, then the connection closes
        // (unless keepOpen).
        QList<Piece> raw;
        bool keepOpen = false;
    };

    enum class Transport { Plain, Tls };

    explicit LocalHttpServer(Transport transport = Transport::Plain);
    ~LocalHttpServer() override;

    void route(const QByteArray &path, const Reply &reply);
    // A redirect from `path` to `location` (status 302).
    void redirect(const QByteArray &path, const QByteArray &location);
    // A reply of hand-made bytes, sent at once.
    static Reply rawReply(const QByteArray &bytes);
    // "http://127.0.0.1:port" + path ("https://" over TLS).
    QString url(const QByteArray &path) const;
    int requestCount() const { return int(m_paths.size()); }
    // The paths asked for, in order.
    const QList<QByteArray> &requestedPaths() const { return m_paths; }
    // The request heads as received, in order.
    const QList<QByteArray> &requests() const { return m_requests; }

    // The self-signed certificate the TLS server shows; a client trusts it by adding it to its
    // CA certificates.
    static QSslCertificate certificate();

private:
    void serve(QTcpSocket *socket);
    void sendPieces(QTcpSocket *socket, QList<Piece> pieces, bool keepOpen);

    Transport m_transport;
    std::unique_ptr<QTcpServer> m_server;
    QHash<QByteArray, Reply> m_routes;
    QList<QByteArray> m_paths;
    QList<QByteArray> m_requests;
};
