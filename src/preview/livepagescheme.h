#pragma once

#include <QByteArray>
#include <QUrl>
#include <QWebEngineUrlSchemeHandler>

// Large pages for the live preview. The web engine takes a page handed to it directly only up
// to about 2 MB (it travels as a data address); a larger page is served from memory under an
// address of its own scheme that mirrors the page's path ("orvine-live:/home/a/site/index.htm"),
// so its relative addresses resolve in the same folder, where the handler serves the files
// from disk. A page never saved lives at "orvine-live:/" and has no folder.
class LivePageScheme : public QWebEngineUrlSchemeHandler
{
    Q_OBJECT

public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

    static QByteArray name();

    // Makes the scheme known to the web engine; before the application object is made.
    static void registerScheme();
    // Whether `bytes` are too large to be handed to the web engine directly.
    static bool tooLargeForContent(const QByteArray &bytes, const QString &mimeType);

    // Holds the page served at the address returned: `baseUrl`'s path (a file address), or
    // the root without one.
    QUrl hold(const QByteArray &bytes, const QByteArray &charset, const QUrl &baseUrl);
    // The file address that an address of the scheme mirrors; other addresses as they are.
    static QUrl fileUrlOf(const QUrl &url);

    void requestStarted(QWebEngineUrlRequestJob *job) override;

private:
    QString m_path;
    QByteArray m_bytes;
    QByteArray m_contentType;
    bool m_hasFolder = false;
};
