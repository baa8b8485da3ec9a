#pragma once

#include "core/livepreview.h"

#include <QPointF>

class QTimer;
class QWebEngineProfile;
class QWebEngineView;
class LivePageScheme;
class LivePreviewPage;
class NetworkGuard;

// The live preview's view on the web engine. It keeps a profile of its own (in memory only)
// whose request guard refuses network addresses unless allowed, and a page that hands every
// navigation away (a clicked link, a sent form) to the external browser. The reader's scroll
// position is read before each page and put back as the new one is ready, so an update does
// not jump to the top. While one page is on its way the next waits; a newer one replaces it.
// A page whose scripts never return or that never finishes loading holds back the next page
// for a few seconds at most; the editor itself never waits for the view.
class WebLivePreview : public LivePreviewView
{
    Q_OBJECT

public:
    explicit WebLivePreview(QWidget *parent = nullptr);
    ~WebLivePreview() override;

    void showPage(const QByteArray &bytes, const QByteArray &charset, const QUrl &baseUrl) override;
    void setNetworkAllowed(bool allowed) override;
    void scrollToSource(qint64 position) override;

    QWebEngineView *view() const { return m_view; }
    // Whether a page is on its way (scroll read, load, scroll restored).
    bool busy() const { return m_busy; }

private:
    struct Pending
    {
        QByteArray bytes;
        QByteArray charset;
        QUrl baseUrl;
    };
    // Shows `page` in the view from now on, and lets the one before go.
    void usePage(LivePreviewPage *page);
    // A message the page's console received: a click on a marked element is one.
    void consoleMessage(const QString &message);
    void start(const Pending &page);
    void load(const QPointF &scroll);
    void restoreScroll();
    void finish();

    QWebEngineProfile *m_profile;
    NetworkGuard *m_guard;
    QWebEngineView *m_view;
    LivePreviewPage *m_page = nullptr;
    QTimer *m_watchdog;
    LivePageScheme *m_largePages;
    Pending m_current;
    Pending m_next;
    bool m_hasNext = false;
    bool m_busy = false;
    // Past the scroll read: the page itself is loading.
    bool m_loading = false;
    // The page took longer than the view waits: a new page goes ahead at once.
    bool m_overdue = false;
    QPointF m_scroll;
    // Counts the pages started, so that a late answer for an abandoned one is ignored.
    int m_generation = 0;
    // Begins the console message of a click, known only to the view's own scripts (they run
    // apart from the page's), so that a page cannot pass for a click.
    QString m_clickToken;
};

// Makes the live preview pane's view a web-engine view. Large pages need their scheme
// registered before the application object is made (LivePageScheme::registerScheme).
void installWebLivePreview();
