#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QUrl>

#include <chrono>
#include <memory>

class HttpResponseReader;
class QTcpSocket;

// The bounds of one page download.
struct FetchLimits
{
    std::chrono::milliseconds idleTimeout{30'000}; // no byte for this long ends the transfer
    qint64 maxBytes = 20 * 1024 * 1024;            // a longer body is refused
    int maxRedirects = 5;
};

// Why a download produced no page.
enum class FetchFailure {
    None,
    NotHttp, // the address is not an http or https address
    HostNotFound,
    Refused,    // the server refused the connection
    TimedOut,   // not a byte for FetchLimits::idleTimeout
    TooLarge,   // the body is longer than FetchLimits::maxBytes
    HttpStatus, // the server answered with a status of 400 or above
    TooManyRedirects,
    RedirectScheme,  // a redirect to an address that is not http or https
    RedirectNowhere, // a redirect without a usable Location
    Downgrade,       // an https page redirects to a plain http address
    NoPage,          // 204, 205, 206, 304 or an empty body: nothing to put in place of the text
    CutOff,          // the connection ended before the whole body arrived
    BadResponse,     // a response that cannot be read whole (see detail)
    Cancelled,
    Network, // any other transfer error
};

// Fetches one web page over http or https with a small HTTP/1.1 client of its own, so that a
// body counts only when its framing says it arrived whole (Content-Length reached, last chunk
// read, compressed stream ended); follows redirects itself so that each target is checked,
// and keeps the whole body in memory. Runs on the event loop; `finished` comes exactly once,
// after success, failure or cancel.
class PageFetch : public QObject
{
    Q_OBJECT

public:
    explicit PageFetch(const QString &address, FetchLimits limits = {}, QObject *parent = nullptr);
    ~PageFetch() override;

    // Starts the transfer; a refused address finishes on the next turn of the event loop.
    void start();
    void cancel();

    bool isFinished() const { return m_finished; }
    FetchFailure failure() const { return m_failure; }
    bool succeeded() const { return m_finished && m_failure == FetchFailure::None; }
    // The address that was asked for, and the one the body finally came from.
    const QString &address() const { return m_address; }
    const FetchLimits &limits() const { return m_limits; }
    QUrl finalUrl() const { return m_url; }
    const QByteArray &body() const { return m_body; }
    QByteArray contentType() const { return m_contentType; }
    // The status code of the last response, with the server's reason phrase for HttpStatus and
    // NoPage; for Network and BadResponse the detail says what went wrong.
    int httpStatus() const { return m_status; }
    const QString &detail() const { return m_detail; }
    qint64 bytesReceived() const { return m_received; }

signals:
    void progress(qint64 bytesReceived);
    void finished();

private:
    void request(const QUrl &url);
    void sendRequest();
    void onReadyRead();
    void onClosed();
    void onSocketError();
    void afterBytes();
    bool acceptHead();
    void followRedirect();
    void complete();
    void fail(FetchFailure failure, const QString &detail = {});
    void finish();
    void dropSocket();

    QString m_address;
    FetchLimits m_limits;
    QPointer<QTcpSocket> m_socket;
    std::unique_ptr<HttpResponseReader> m_reader;
    bool m_headHandled = false;
    QTimer m_idle;
    QUrl m_url;
    QByteArray m_body;
    QByteArray m_contentType;
    qint64 m_received = 0;
    int m_redirects = 0;
    int m_status = 0;
    QString m_detail;
    FetchFailure m_failure = FetchFailure::None;
    bool m_finished = false;
};

// True for http and https addresses with a host.
bool isWebAddress(const QUrl &url);

// The message that tells the user why `fetch` produced no page, naming the address.
QString fetchFailureMessage(const PageFetch &fetch);
