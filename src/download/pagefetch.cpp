#include "download/pagefetch.h"

#include "download/contentcoding.h"
#include "download/httpresponsereader.h"

#include <QRegularExpression>
#include <QSslSocket>
#include <QTcpSocket>

bool isWebAddress(const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
           && !url.host().isEmpty();
}

PageFetch::PageFetch(const QString &address, FetchLimits limits, QObject *parent)
    : QObject(parent), m_address(address.trimmed()), m_limits(limits)
{
    m_idle.setSingleShot(true);
    m_idle.setInterval(m_limits.idleTimeout);
    connect(&m_idle, &QTimer::timeout, this, [this] { fail(FetchFailure::TimedOut); });
}

PageFetch::~PageFetch()
{
    dropSocket();
}

namespace {

// The address to fetch: as written when it names a scheme, else an http address ("www.example.jp/",
// "localhost:8080/").
QUrl addressUrl(const QString &address)
{
    static const QRegularExpression hostAndPort(QStringLiteral(R"(^[A-Za-z0-9.-]+:\d+(/|$))"));
    const QUrl written(address);
    if (address.contains(QLatin1String("://"))
        || (!written.scheme().isEmpty() && !hostAndPort.match(address).hasMatch()))
        return written;
    return QUrl(QStringLiteral("http://") + address);
}

bool isHttps(const QUrl &url)
{
    return url.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0;
}

quint16 portOf(const QUrl &url)
{
    return quint16(url.port(isHttps(url) ? 443 : 80));
}

QByteArray requestFor(const QUrl &url)
{
    QByteArray target = url.path(QUrl::FullyEncoded).toLatin1();
    if (target.isEmpty())
        target = "/";
    if (url.hasQuery())
        target += '?' + url.query(QUrl::FullyEncoded).toLatin1();
    QByteArray host = url.host(QUrl::FullyEncoded).toLatin1();
    if (host.contains(':'))
        host = '[' + host + ']';
    if (url.port() != -1 && url.port() != (isHttps(url) ? 443 : 80))
        host += ':' + QByteArray::number(url.port());
    return "GET " + target
           + " HTTP/1.1\r\n"
             "Host: "
           + host
           + "\r\n"
             "User-Agent: Mozilla/5.0 (compatible; Orvine/"
           + QByteArray::number(ORVINE_VERSION_MAJOR) + '.'
           + QByteArray::number(ORVINE_VERSION_MINOR)
           + ")\r\n"
             "Accept: text/html,application/xhtml+xml,*/*;q=0.8\r\n"
             "Accept-Language: ja,en;q=0.7\r\n"
             "Accept-Encoding: gzip, deflate\r\n"
             "Connection: close\r\n"
             "\r\n";
}

QString problemText(HttpResponseReader::Problem problem)
{
    switch (problem) {
    case HttpResponseReader::Problem::BadHead:
    case HttpResponseReader::Problem::HeadTooLong: return QObject::tr("応答のヘッダを読めません");
    case HttpResponseReader::Problem::BadLength:
        return QObject::tr("Content-Length が正しくないか、食い違っています");
    case HttpResponseReader::Problem::BadChunk: return QObject::tr("チャンクの区切りを読めません");
    case HttpResponseReader::Problem::UnknownTransfer:
        return QObject::tr("対応していない転送形式です");
    case HttpResponseReader::Problem::None:
    case HttpResponseReader::Problem::TooLarge:
    case HttpResponseReader::Problem::CutOff: break;
    }
    return {};
}

} // namespace

void PageFetch::start()
{
    const QUrl url = addressUrl(m_address);
    if (!isWebAddress(url)) {
        m_url = url;
        QMetaObject::invokeMethod(
            this, [this] { fail(FetchFailure::NotHttp); }, Qt::QueuedConnection);
        return;
    }
    request(url);
}

void PageFetch::cancel()
{
    if (!m_finished)
        fail(FetchFailure::Cancelled);
}

void PageFetch::request(const QUrl &url)
{
    m_url = url;
    m_body.clear();
    m_received = 0;
    m_headHandled = false;
    m_reader = std::make_unique<HttpResponseReader>(m_limits.maxBytes);
    QSslSocket *secure = isHttps(url) ? new QSslSocket(this) : nullptr;
    m_socket = secure ? secure : new QTcpSocket(this);
    connect(m_socket, &QTcpSocket::readyRead, this, &PageFetch::onReadyRead);
    connect(m_socket, &QTcpSocket::disconnected, this, &PageFetch::onClosed);
    connect(m_socket, &QTcpSocket::errorOccurred, this, &PageFetch::onSocketError);
    const QString host = url.host(QUrl::FullyEncoded);
    if (secure) {
        // The request goes once the server has shown a certificate valid for the host.
        connect(secure, &QTcpSocket::connected, this, [this] { m_idle.start(); });
        connect(secure, &QSslSocket::encrypted, this, &PageFetch::sendRequest);
        secure->connectToHostEncrypted(host, portOf(url));
    } else {
        connect(m_socket, &QTcpSocket::connected, this, &PageFetch::sendRequest);
        m_socket->connectToHost(host, portOf(url));
    }
    m_idle.start();
}

void PageFetch::sendRequest()
{
    if (!m_socket || m_finished)
        return;
    m_idle.start();
    m_socket->write(requestFor(m_url));
}

void PageFetch::onReadyRead()
{
    if (!m_socket || m_finished)
        return;
    // Every byte is a sign of life, the response head as much as the body.
    m_idle.start();
    m_reader->feed(m_socket->readAll());
    afterBytes();
}

void PageFetch::onClosed()
{
    if (!m_socket || m_finished)
        return;
    m_reader->feed(m_socket->readAll());
    m_reader->closed();
    afterBytes();
}

void PageFetch::onSocketError()
{
    if (!m_socket || m_finished)
        return;
    switch (m_socket->error()) {
    case QAbstractSocket::RemoteHostClosedError: return onClosed();
    case QAbstractSocket::HostNotFoundError: return fail(FetchFailure::HostNotFound);
    case QAbstractSocket::ConnectionRefusedError: return fail(FetchFailure::Refused);
    default:
        // A response that was whole before the connection broke still counts.
        m_reader->feed(m_socket->readAll());
        if (m_reader->state() == HttpResponseReader::State::Done)
            return afterBytes();
        return fail(FetchFailure::Network, m_socket->errorString());
    }
}

void PageFetch::afterBytes()
{
    if (m_reader->headRead() && !m_headHandled) {
        m_headHandled = true;
        if (!acceptHead())
            return; // a redirect, an error status or no page: the body is not wanted
    }
    switch (m_reader->state()) {
    case HttpResponseReader::State::Failed:
        switch (m_reader->problem()) {
        case HttpResponseReader::Problem::TooLarge: return fail(FetchFailure::TooLarge);
        case HttpResponseReader::Problem::CutOff: return fail(FetchFailure::CutOff);
        default: return fail(FetchFailure::BadResponse, problemText(m_reader->problem()));
        }
    case HttpResponseReader::State::Done: return complete();
    case HttpResponseReader::State::Head: return;
    case HttpResponseReader::State::Body:
        if (m_reader->body().size() != m_received) {
            m_received = m_reader->body().size();
            emit progress(m_received);
        }
        return;
    }
}

bool PageFetch::acceptHead()
{
    const HttpResponseHead &head = m_reader->head();
    m_status = head.status;
    const QString reason = QString::fromLatin1(head.reason);
    if (m_status >= 300 && m_status < 400 && m_status != 304) {
        followRedirect();
        return false;
    }
    if (m_status >= 400) {
        fail(FetchFailure::HttpStatus, reason);
        return false;
    }
    // No content, reset content, a part of the page, not modified: nothing to show.
    if (m_status < 200 || m_status == 204 || m_status == 205 || m_status == 206
        || m_status == 304) {
        fail(FetchFailure::NoPage, reason);
        return false;
    }
    return true;
}

void PageFetch::followRedirect()
{
    const QByteArray location = m_reader->head().value("Location");
    const QUrl written(QString::fromUtf8(location), QUrl::TolerantMode);
    if (location.isEmpty() || !written.isValid())
        return fail(FetchFailure::RedirectNowhere, QString::fromLatin1(m_reader->head().reason));
    const QUrl target = m_url.resolved(written);
    if (!isWebAddress(target))
        return fail(FetchFailure::RedirectScheme, target.toString());
    // Once a page came over https, a plain http hop would hand it to anyone on the way.
    if (isHttps(m_url) && !isHttps(target))
        return fail(FetchFailure::Downgrade, target.toString());
    if (++m_redirects > m_limits.maxRedirects)
        return fail(FetchFailure::TooManyRedirects);
    dropSocket();
    request(target);
}

void PageFetch::complete()
{
    QByteArray body = m_reader->body();
    m_received = body.size();
    switch (decodeContentCodings(m_reader->head().values("Content-Encoding"), body,
                                 m_limits.maxBytes)) {
    case ContentDecoding::Ok: break;
    case ContentDecoding::Unknown:
        return fail(
            FetchFailure::BadResponse,
            QObject::tr("対応していない圧縮形式です（%1）")
                .arg(QString::fromLatin1(m_reader->head().values("Content-Encoding").join(", "))));
    case ContentDecoding::Broken:
        return fail(FetchFailure::BadResponse,
                    QObject::tr("圧縮されたページが途中で切れているか、壊れています"));
    case ContentDecoding::TooLarge: return fail(FetchFailure::TooLarge);
    }
    if (body.isEmpty())
        return fail(FetchFailure::NoPage, QString::fromLatin1(m_reader->head().reason));
    m_body = std::move(body);
    m_contentType = m_reader->head().value("Content-Type");
    emit progress(m_received);
    finish();
}

void PageFetch::fail(FetchFailure failure, const QString &detail)
{
    if (m_finished)
        return;
    m_failure = failure;
    m_detail = detail;
    m_body.clear();
    finish();
}

void PageFetch::finish()
{
    m_idle.stop();
    dropSocket();
    m_finished = true;
    emit finished();
}

void PageFetch::dropSocket()
{
    if (!m_socket)
        return;
    QTcpSocket *socket = m_socket;
    m_socket = nullptr;
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}

QString fetchFailureMessage(const PageFetch &fetch)
{
    const QString address = fetch.address();
    QString reason;
    switch (fetch.failure()) {
    case FetchFailure::None: return {};
    case FetchFailure::NotHttp:
        reason = QObject::tr("http:// または https:// で始まるアドレスだけを読込めます。");
        break;
    case FetchFailure::HostNotFound:
        reason = QObject::tr("サーバ「%1」が見つかりません。").arg(fetch.finalUrl().host());
        break;
    case FetchFailure::Refused: reason = QObject::tr("サーバが接続を拒否しました。"); break;
    case FetchFailure::TimedOut:
        reason = QObject::tr("サーバから応答がありません（時間切れ）。");
        break;
    case FetchFailure::TooLarge:
        reason
            = QObject::tr("ページが大きすぎます（%1 バイトまで）。").arg(fetch.limits().maxBytes);
        break;
    case FetchFailure::HttpStatus:
        reason = QObject::tr("サーバがエラーを返しました（HTTP %1 %2）。")
                     .arg(fetch.httpStatus())
                     .arg(fetch.detail());
        break;
    case FetchFailure::TooManyRedirects:
        reason = QObject::tr("転送（リダイレクト）が多すぎます。");
        break;
    case FetchFailure::RedirectScheme:
        reason = QObject::tr("http / https 以外のアドレスへ転送されました（%1）。")
                     .arg(fetch.detail());
        break;
    case FetchFailure::RedirectNowhere:
        reason = QObject::tr("転送先の書かれていない転送（HTTP %1 %2）が返されました。")
                     .arg(fetch.httpStatus())
                     .arg(fetch.detail());
        break;
    case FetchFailure::Downgrade:
        reason = QObject::tr("https のページから暗号化されない http のアドレスへ転送されたため、"
                             "読込みを中止しました（%1）。")
                     .arg(fetch.detail());
        break;
    case FetchFailure::NoPage:
        reason = QObject::tr("サーバからページの内容が届きませんでした（HTTP %1 %2）。")
                     .arg(fetch.httpStatus())
                     .arg(fetch.detail());
        break;
    case FetchFailure::CutOff:
        reason = QObject::tr("ページが途中までしか届きませんでした。");
        break;
    case FetchFailure::BadResponse:
        reason = QObject::tr("サーバの応答を読めません（%1）。").arg(fetch.detail());
        break;
    case FetchFailure::Cancelled: reason = QObject::tr("読込みを中止しました。"); break;
    case FetchFailure::Network: reason = QObject::tr("通信エラー: %1").arg(fetch.detail()); break;
    }
    return QObject::tr("%1 を読込めませんでした。\r\n%2").arg(address, reason);
}
