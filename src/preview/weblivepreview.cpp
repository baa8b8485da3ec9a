#include "preview/weblivepreview.h"

#include "core/interaction.h"
#include "core/livepreviewmarks.h"
#include "preview/livepagescheme.h"

#include <QRandomGenerator>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>

#include <atomic>
#include <functional>

namespace {

// How long a page may take (its scripts answering, its load finishing) before the view stops
// holding back the next.
constexpr int PatienceMs = 3000;

bool isNetworkScheme(const QString &scheme)
{
    static const QStringList schemes = {
        QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("ws"),
        QStringLiteral("wss"),  QStringLiteral("ftp"),
    };
    return schemes.contains(scheme.toLower());
}

const QString scrollScriptName = QStringLiteral("orvine-live-scroll");
const QString clickScriptName = QStringLiteral("orvine-live-click");

// Tells the view, through the console, the source position of a clicked element. It runs in
// the view's own script world: the page's scripts neither see nor disturb it.
QString clickScript(const QString &token)
{
    return QStringLiteral("document.addEventListener('click', function (event) {"
                          "  var node = event.target;"
                          "  if (node && node.nodeType !== 1) node = node.parentElement;"
                          "  var marked = node && node.closest('[%1]');"
                          "  if (marked) console.log('%2' + marked.getAttribute('%1'));"
                          "}, true);")
        .arg(QLatin1StringView(sourcePositionAttribute), token);
}

// Brings the element whose start tag is the last at or before a source position into view,
// unless some of it shows. An element without a box (in the head, hidden) stands for the one
// before it or around it.
QString scrollToSourceScript(qint64 position)
{
    return QStringLiteral("(function (at) {"
                          "  var all = document.querySelectorAll('[%1]'), best = null, bestAt = -1;"
                          "  for (var i = 0; i < all.length; ++i) {"
                          "    var n = +all[i].getAttribute('%1');"
                          "    if (n <= at && n > bestAt) { best = all[i]; bestAt = n; }"
                          "  }"
                          "  while (best && best.getClientRects().length === 0)"
                          "    best = best.previousElementSibling || best.parentElement;"
                          "  if (!best) return false;"
                          "  var box = best.getBoundingClientRect();"
                          "  if (box.bottom > 0 && box.top < window.innerHeight) return false;"
                          "  best.scrollIntoView({block: 'center'});"
                          "  return true;"
                          "})(%2)")
        .arg(QLatin1StringView(sourcePositionAttribute))
        .arg(position);
}

} // namespace

// Refuses every request for a network address unless the user allowed them. Runs on the web
// engine's own thread.
class NetworkGuard : public QWebEngineUrlRequestInterceptor
{
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    void interceptRequest(QWebEngineUrlRequestInfo &info) override
    {
        if (!allowed.load() && isNetworkScheme(info.requestUrl().scheme()))
            info.block(true);
    }

    std::atomic<bool> allowed = false;
};

// The pane's page: its own loads pass, every navigation the reader starts opens the
// external browser instead.
class LivePreviewPage : public QWebEnginePage
{
public:
    using QWebEnginePage::QWebEnginePage;

    std::function<void(const QString &)> onConsoleMessage;

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString &message, int,
                                  const QString &) override
    {
        if (onConsoleMessage)
            onConsoleMessage(message);
    }

    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override
    {
        if (!isMainFrame)
            return true;
        if (type == NavigationTypeLinkClicked || type == NavigationTypeFormSubmitted) {
            Interaction::current().openUrl(LivePageScheme::fileUrlOf(url));
            return false;
        }
        return true;
    }

    QWebEnginePage *createWindow(WebWindowType) override
    {
        // A link that asks for a new window (target="_blank", window.open) goes through
        // acceptNavigationRequest of a page that is thrown away: the external browser again.
        auto *page = new LivePreviewPage(profile(), this);
        connect(page, &QWebEnginePage::loadStarted, page, &QObject::deleteLater);
        return page;
    }
};

WebLivePreview::WebLivePreview(QWidget *parent)
    : LivePreviewView(parent), m_profile(new QWebEngineProfile(this)),
      m_guard(new NetworkGuard(this)), m_view(new QWebEngineView(this)),
      m_watchdog(new QTimer(this)), m_largePages(new LivePageScheme(this)),
      m_clickToken(QStringLiteral("orvine-source-%1:")
                       .arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0')))
{
    m_profile->setUrlRequestInterceptor(m_guard);
    m_profile->installUrlSchemeHandler(LivePageScheme::name(), m_largePages);
    usePage(new LivePreviewPage(m_profile, this));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);

    m_watchdog->setSingleShot(true);
    m_watchdog->setInterval(PatienceMs);
    // A page whose scripts do not answer is stuck in its own process: the next page goes to
    // a fresh one, at the place the reader was. One that takes long to load (a large page on
    // a busy machine) is not cut short, but a newer page does not wait for it any more.
    connect(m_watchdog, &QTimer::timeout, this, [this] {
        if (!m_loading) {
            usePage(new LivePreviewPage(m_profile, this));
            load(m_scroll);
        } else if (m_hasNext) {
            m_hasNext = false;
            m_current = std::exchange(m_next, {});
            ++m_generation;
            usePage(new LivePreviewPage(m_profile, this));
            load(m_scroll);
        } else {
            m_overdue = true;
        }
    });
}

void WebLivePreview::usePage(LivePreviewPage *page)
{
    // The page is the user's own, read from their folder: it may load its local pictures and
    // style sheets.
    page->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    page->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    QWebEngineScript click;
    click.setName(clickScriptName);
    click.setInjectionPoint(QWebEngineScript::DocumentCreation);
    click.setWorldId(QWebEngineScript::ApplicationWorld);
    click.setSourceCode(clickScript(m_clickToken));
    page->scripts().insert(click);
    page->onConsoleMessage = [this](const QString &message) { consoleMessage(message); };
    connect(page, &QWebEnginePage::loadFinished, this, [this, page] {
        if (page == m_page && m_busy && m_loading)
            restoreScroll();
    });
    m_view->setPage(page);
    if (m_page)
        m_page->deleteLater();
    m_page = page;
}

WebLivePreview::~WebLivePreview()
{
    // The page must go before the profile it lives in.
    delete m_view;
    delete m_page;
}

void WebLivePreview::showPage(const QByteArray &bytes, const QByteArray &charset,
                              const QUrl &baseUrl)
{
    Pending page{bytes, charset, baseUrl};
    if (m_busy && !m_overdue) {
        m_next = std::move(page);
        m_hasNext = true;
        return;
    }
    start(page);
}

void WebLivePreview::setNetworkAllowed(bool allowed)
{
    m_guard->allowed = allowed;
}

void WebLivePreview::scrollToSource(qint64 position)
{
    if (m_busy)
        return; // the page on its way may not be the one the position belongs to
    m_page->runJavaScript(scrollToSourceScript(position), QWebEngineScript::ApplicationWorld);
}

void WebLivePreview::consoleMessage(const QString &message)
{
    if (!message.startsWith(m_clickToken))
        return;
    bool number = false;
    const qint64 position = QStringView(message).sliced(m_clickToken.size()).toLongLong(&number);
    if (number && position >= 0)
        emit sourceClicked(position);
}

void WebLivePreview::start(const Pending &page)
{
    m_busy = true;
    m_loading = false;
    m_overdue = false;
    m_current = page;
    const int generation = ++m_generation;
    m_watchdog->start();
    m_page->runJavaScript(QStringLiteral("[window.scrollX, window.scrollY]"),
                          [this, generation](const QVariant &answer) {
                              if (generation != m_generation || !m_busy || m_loading)
                                  return;
                              const QVariantList xy = answer.toList();
                              load(xy.size() == 2 ? QPointF(xy[0].toDouble(), xy[1].toDouble())
                                                  : QPointF());
                          });
}

void WebLivePreview::load(const QPointF &scroll)
{
    m_scroll = scroll;
    m_loading = true;
    // The scroll position goes back as soon as the document is parsed, before the first paint
    // of the new page where possible; restoreScroll repeats it once pictures have loaded.
    QWebEngineScriptCollection &scripts = m_page->scripts();
    for (const QWebEngineScript &old : scripts.find(scrollScriptName))
        scripts.remove(old);
    QWebEngineScript script;
    script.setName(scrollScriptName);
    script.setInjectionPoint(QWebEngineScript::DocumentReady);
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setSourceCode(
        QStringLiteral("window.scrollTo(%1, %2);").arg(m_scroll.x()).arg(m_scroll.y()));
    scripts.insert(script);
    m_watchdog->start();
    const QString type = QStringLiteral("text/html;charset=") + QLatin1String(m_current.charset);
    if (LivePageScheme::tooLargeForContent(m_current.bytes, type))
        m_page->load(m_largePages->hold(m_current.bytes, m_current.charset, m_current.baseUrl));
    else
        m_page->setContent(m_current.bytes, type, m_current.baseUrl);
}

void WebLivePreview::restoreScroll()
{
    const int generation = m_generation;
    m_page->runJavaScript(
        QStringLiteral("window.scrollTo(%1, %2);").arg(m_scroll.x()).arg(m_scroll.y()),
        QWebEngineScript::ApplicationWorld, [this, generation](const QVariant &) {
            if (generation == m_generation && m_busy)
                finish();
        });
}

void WebLivePreview::finish()
{
    m_watchdog->stop();
    m_busy = false;
    m_loading = false;
    emit pageShown();
    if (m_hasNext) {
        m_hasNext = false;
        start(std::exchange(m_next, {}));
    }
}

void installWebLivePreview()
{
    LivePreviewView::installMaker(
        [](QWidget *parent) -> LivePreviewView * { return new WebLivePreview(parent); });
}
