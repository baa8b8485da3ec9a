#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QUrl>

#include <chrono>

class QNetworkAccessManager;
class QNetworkReply;

// The bounds of one page download.
struct FetchLimits
{
    std::chrono::milliseconds idleTimeout{30'000}; // no data for this long ends the transfer
    qint64 maxBytes = 20 * 1024 * 1024;            // a longer body is refused
    int maxRedirects = 5;
};

// Why a download produced no page.
enum class FetchFailure {
    None,
    NotHttp,          // the address is not an http or https address
    HostNotFound,
    Refused,          // the server refused the connection
    TimedOut,         // no data for FetchLimits::idleTimeout
    TooLarge,         // the body is longer than FetchLimits::maxBytes
    HttpStatus,       // the server answered with a status of 400 or above
    TooManyRedirects,
    RedirectScheme,   // a redirect to an address that is not http or https
    Cancelled,
    Network,          // any other transfer error
};

// Fetches one web page over http or https, following redirects itself so that each target
// is checked, and keeps the whole body in memory. Runs on the event loop; `finished` comes
// exactly once, after success, failure or cancel.
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
    // For HttpStatus: the status code and the server's reason phrase; for Network: the error.
    int httpStatus() const { return m_status; }
    const QString &detail() const { return m_detail; }
    qint64 bytesReceived() const { return m_body.size(); }

signals:
    void progress(qint64 bytesReceived);
    void finished();

private:
    void request(const QUrl &url);
    void onReadyRead();
    void onReplyFinished();
    void onTimeout();
    void fail(FetchFailure failure, const QString &detail = {});
    void finish();
    void dropReply();

    QString m_address;
    FetchLimits m_limits;
    QNetworkAccessManager *m_manager;
    QPointer<QNetworkReply> m_reply;
    QTimer m_idle;
    QUrl m_url;
    QByteArray m_body;
    QByteArray m_contentType;
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
