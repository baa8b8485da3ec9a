#include "core/pagefetch.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>

bool isWebAddress(const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
           && !url.host().isEmpty();
}

PageFetch::PageFetch(const QString &address, FetchLimits limits, QObject *parent)
    : QObject(parent), m_address(address.trimmed()), m_limits(limits),
      m_manager(new QNetworkAccessManager(this))
{
    m_idle.setSingleShot(true);
    m_idle.setInterval(m_limits.idleTimeout);
    connect(&m_idle, &QTimer::timeout, this, &PageFetch::onTimeout);
}

PageFetch::~PageFetch()
{
    dropReply();
}

namespace {

// The address to fetch: as written when it names a scheme, else an http address ("www.example.jp/",
// "localhost:8080/").
QUrl addressUrl(const QString &address)
{
    static const QRegularExpression hostAndPort(QStringLiteral(R"(^[A-Za-z0-9.-]+:\d+(/|$))"));
    const QUrl written(address);
    if (address.contains(QLatin1String("://")) || (!written.scheme().isEmpty() && !hostAndPort.match(address).hasMatch()))
        return written;
    return QUrl(QStringLiteral("http://") + address);
}

} // namespace

void PageFetch::start()
{
    const QUrl url = addressUrl(m_address);
    if (!isWebAddress(url)) {
        m_url = url;
        QMetaObject::invokeMethod(this, [this] { fail(FetchFailure::NotHttp); }, Qt::QueuedConnection);
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
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setTransferTimeout(0); // the idle timer below measures silence instead
    m_reply = m_manager->get(request);
    connect(m_reply, &QNetworkReply::readyRead, this, &PageFetch::onReadyRead);
    connect(m_reply, &QNetworkReply::finished, this, &PageFetch::onReplyFinished);
    m_idle.start();
}

void PageFetch::onReadyRead()
{
    if (!m_reply || m_finished)
        return;
    m_idle.start();
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() > m_limits.maxBytes)
        return fail(FetchFailure::TooLarge);
    m_body += m_reply->read(m_limits.maxBytes + 1 - m_body.size());
    if (m_body.size() > m_limits.maxBytes)
        return fail(FetchFailure::TooLarge);
    emit progress(m_body.size());
}

void PageFetch::onReplyFinished()
{
    if (!m_reply || m_finished)
        return;
    m_idle.stop();
    QNetworkReply *reply = m_reply;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status >= 300 && status < 400 && reply->hasRawHeader("Location")) {
        const QUrl target = m_url.resolved(QUrl(QString::fromUtf8(reply->rawHeader("Location"))));
        dropReply();
        if (!isWebAddress(target))
            return fail(FetchFailure::RedirectScheme, target.toString());
        if (++m_redirects > m_limits.maxRedirects)
            return fail(FetchFailure::TooManyRedirects);
        return request(target);
    }
    if (status >= 400) {
        m_status = status;
        return fail(FetchFailure::HttpStatus,
                    reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString());
    }
    switch (reply->error()) {
    case QNetworkReply::NoError:
        break;
    case QNetworkReply::HostNotFoundError:
        return fail(FetchFailure::HostNotFound);
    case QNetworkReply::ConnectionRefusedError:
        return fail(FetchFailure::Refused);
    default:
        return fail(FetchFailure::Network, reply->errorString());
    }
    onReadyRead();
    if (m_finished)
        return;
    m_contentType = reply->rawHeader("Content-Type");
    finish();
}

void PageFetch::onTimeout()
{
    fail(FetchFailure::TimedOut);
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
    dropReply();
    m_finished = true;
    emit finished();
}

void PageFetch::dropReply()
{
    if (!m_reply)
        return;
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();
}

QString fetchFailureMessage(const PageFetch &fetch)
{
    const QString address = fetch.address();
    QString reason;
    switch (fetch.failure()) {
    case FetchFailure::None:
        return {};
    case FetchFailure::NotHttp:
        reason = QObject::tr("http:// または https:// で始まるアドレスだけを読込めます。");
        break;
    case FetchFailure::HostNotFound:
        reason = QObject::tr("サーバ「%1」が見つかりません。").arg(fetch.finalUrl().host());
        break;
    case FetchFailure::Refused:
        reason = QObject::tr("サーバが接続を拒否しました。");
        break;
    case FetchFailure::TimedOut:
        reason = QObject::tr("サーバから応答がありません（時間切れ）。");
        break;
    case FetchFailure::TooLarge:
        reason = QObject::tr("ページが大きすぎます（%1 バイトまで）。").arg(fetch.limits().maxBytes);
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
        reason = QObject::tr("http / https 以外のアドレスへ転送されました（%1）。").arg(fetch.detail());
        break;
    case FetchFailure::Cancelled:
        reason = QObject::tr("読込みを中止しました。");
        break;
    case FetchFailure::Network:
        reason = QObject::tr("通信エラー: %1").arg(fetch.detail());
        break;
    }
    return QObject::tr("%1 を読込めませんでした。\r\n%2").arg(address, reason);
}
