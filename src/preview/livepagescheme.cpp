#include "preview/livepagescheme.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

namespace {

// The longest address the web engine takes for a page handed as content.
constexpr qsizetype AddressLimit = 2 * 1024 * 1024;

} // namespace

QByteArray LivePageScheme::name()
{
    return QByteArrayLiteral("orvine-live");
}

void LivePageScheme::registerScheme()
{
    if (QWebEngineUrlScheme::schemeByName(name()).name() == name())
        return;
    QWebEngineUrlScheme scheme(name());
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    // Like a page read from the disk: it may load local files, and it is no web origin.
    scheme.setFlags(QWebEngineUrlScheme::LocalScheme | QWebEngineUrlScheme::LocalAccessAllowed);
    QWebEngineUrlScheme::registerScheme(scheme);
}

bool LivePageScheme::tooLargeForContent(const QByteArray &bytes, const QString &mimeType)
{
    // The address may carry the bytes percent-encoded: up to three characters a byte.
    const qsizetype encoded = bytes.size() * 3;
    return encoded + mimeType.size() + 16 > AddressLimit;
}

QUrl LivePageScheme::hold(const QByteArray &bytes, const QByteArray &charset, const QUrl &baseUrl)
{
    m_bytes = bytes;
    m_contentType = "text/html;charset=" + charset;
    m_hasFolder = baseUrl.isLocalFile();
    m_path = m_hasFolder ? baseUrl.path() : QStringLiteral("/");
    QUrl url;
    url.setScheme(QString::fromLatin1(name()));
    url.setPath(m_path);
    return url;
}

QUrl LivePageScheme::fileUrlOf(const QUrl &url)
{
    if (url.scheme() != QLatin1String(name()))
        return url;
    QUrl file = QUrl::fromLocalFile(url.path());
    file.setFragment(url.fragment());
    file.setQuery(url.query());
    return file;
}

void LivePageScheme::requestStarted(QWebEngineUrlRequestJob *job)
{
    const QString path = job->requestUrl().path();
    if (path == m_path) {
        auto *buffer = new QBuffer(job);
        buffer->setData(m_bytes);
        job->reply(m_contentType, buffer);
        return;
    }
    // The page's pictures, style sheets and scripts, from its folder; nothing without one.
    if (!m_hasFolder) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    auto *file = new QFile(path, job);
    if (!QFileInfo(path).isFile() || !file->open(QIODevice::ReadOnly)) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    job->reply(QMimeDatabase().mimeTypeForFile(path).name().toLatin1(), file);
}
