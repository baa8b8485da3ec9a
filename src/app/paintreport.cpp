#include "app/paintreport.h"

#include "core/browserwindow.h"
#include "document/frmdocument.h"
#include "mainwindow/frmmain.h"
#include "mainwindow/previewcommands.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <functional>

namespace {

void say(const char *line)
{
    std::printf("orvine: %s\n", line);
    std::fflush(stdout);
}

// Waits for the first paint of a widget inside `within` (the window itself included) after
// `armed` has been set, then calls `done` once the paint has been flushed (on the next turn of
// the event loop, after the whole window has been drawn).
class PaintWatch : public QObject
{
public:
    PaintWatch(QWidget *within, std::function<void()> done)
        : m_within(within), m_done(std::move(done))
    {
        qApp->installEventFilter(this);
    }
    void arm() { m_armed = true; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (m_armed && !m_fired && event->type() == QEvent::Paint && m_within
            && watched->isWidgetType()) {
            auto *widget = static_cast<QWidget *>(watched);
            if (widget == m_within || m_within->isAncestorOf(widget)) {
                m_fired = true;
                QTimer::singleShot(0, this, [this] { m_done(); });
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QPointer<QWidget> m_within;
    std::function<void()> m_done;
    bool m_armed = false;
    bool m_fired = false;
};

void showPreview(frmMain &frame)
{
    frmDocument *doc = frame.activeDocument();
    if (!doc) {
        say("preview failed");
        QApplication::exit(1);
        return;
    }
    QElapsedTimer timer;
    timer.start();
    doc->run(QStringLiteral("mnuViewBrowser_Click"));
    BrowserWindow *browser = builtInBrowserWindow();
    if (!browser) {
        say("preview failed");
        QApplication::exit(1);
        return;
    }
    auto *watch = new PaintWatch(browser, [timer] {
        const QByteArray line = "preview painted in "
                                + QByteArray::number(double(timer.nsecsElapsed()) / 1e6, 'f', 1)
                                + " ms";
        say(line.constData());
        QApplication::exit(0);
    });
    watch->setParent(browser);
    QObject::connect(browser, &BrowserWindow::pageLoaded, watch, [watch](bool ok) {
        if (!ok) {
            say("preview failed");
            QApplication::exit(1);
            return;
        }
        watch->arm();
        // A page whose frame came before the signal draws nothing more by itself.
        QTimer::singleShot(500, watch, [watch] {
            if (auto *window = qobject_cast<QWidget *>(watch->parent()))
                window->update();
        });
    });
}

} // namespace

void reportPaintsIfAsked(frmMain &frame)
{
    const QByteArray asked = qgetenv("ORVINE_PAINT_REPORT");
    if (asked.isEmpty())
        return;
    const bool preview = asked == "preview";
    auto *watch = new PaintWatch(&frame, [&frame, preview] {
        say("frame painted");
        if (preview)
            showPreview(frame);
        else
            QApplication::exit(0);
    });
    watch->setParent(&frame);
    watch->arm();
}
