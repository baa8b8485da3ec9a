#pragma once

#include <QByteArray>
#include <QUrl>
#include <QWidget>

#include <functional>

// The view of the live preview pane as the floors below the preview see it: it shows a page
// handed to it as bytes. The preview library makes it on the web engine; the program installs
// its maker at start, so the frame and the test programs that do not preview never link the
// web engine. Without a maker the pane has no view.
class LivePreviewView : public QWidget
{
    Q_OBJECT

public:
    using Maker = std::function<LivePreviewView *(QWidget *parent)>;

    using QWidget::QWidget;

    // Installs the maker and returns the one it replaces; an empty maker removes it.
    static Maker installMaker(Maker maker);
    static bool available();
    // A new view from the installed maker; nullptr without one.
    static LivePreviewView *make(QWidget *parent);

    // Shows `bytes`, a page in `charset` ("Shift_JIS"), with relative addresses resolved
    // against `baseUrl` (none when it is empty). The reader's scroll position is kept. A page
    // handed while another is still on its way waits, and replaces any page waiting before it.
    virtual void showPage(const QByteArray &bytes, const QByteArray &charset, const QUrl &baseUrl)
        = 0;
    // Whether the page may reach network addresses (http, https, ws, ftp); off, only local
    // files load.
    virtual void setNetworkAllowed(bool allowed) = 0;
    // On a page whose start tags carry their source positions (markSourcePositions): brings
    // the element whose start tag is the last at or before `position` into view, unless it is
    // in view already. Pages without the positions stay where they are.
    virtual void scrollToSource(qint64 position) { Q_UNUSED(position); }

signals:
    // A page handed to showPage is shown, its scroll position restored.
    void pageShown();
    // The reader clicked in a page whose start tags carry their source positions: `position`
    // is where the start tag of the clicked element begins.
    void sourceClicked(qint64 position);
};

// The live preview's settings: whether the pane is shown, where it docks (right of the
// documents or below them) and its size in pixels across that side, the quiet time after
// typing before the page follows, whether the page may reach the network, whether the page
// follows the caret, and whether a click in the page puts the caret on its source.
struct LivePreviewSettings
{
    bool shown = false;
    bool below = false;
    int size = 0; // 0: half the frame
    int delayMs = 300;
    bool networkAllowed = false;
    bool followCaret = false;
    bool clickToSource = false;
};

LivePreviewSettings storedLivePreviewSettings();
void storeLivePreviewSettings(const LivePreviewSettings &settings);
