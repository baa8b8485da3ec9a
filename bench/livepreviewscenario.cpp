#include "livepreviewscenario.h"

#include "core/livepreview.h"
#include "core/settingsstore.h"
#include "core/sharedstate.h"
#include "document/frmdocument.h"
#include "document/richtextbox.h"
#include "harness.h"
#include "mainwindow/documentio.h"
#include "mainwindow/frmmain.h"
#include "mainwindow/livepreviewpane.h"
#include "preview/livepagescheme.h"
#include "preview/weblivepreview.h"
#include "references.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QKeyEvent>
#include <QThread>
#include <QTimer>
#include <QWebEngineView>

#include <cstdio>
#include <memory>

namespace bench {
namespace {

// Waits, handling events, until `done` or the time-out; false on the time-out.
bool waitUntil(const std::function<bool()> &done, int timeoutMs = 30000)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    }
    return true;
}

void typeKey(QWidget *target, QChar c)
{
    QKeyEvent press(QEvent::KeyPress, c.toUpper().unicode(), Qt::NoModifier, QString(c));
    QKeyEvent release(QEvent::KeyRelease, c.toUpper().unicode(), Qt::NoModifier, QString(c));
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
}

// 200 keys into the middle of the page, in bursts of ten with a pause between them as long as
// the pane's quiet time: with the pane open, each pause lets an update start, and the burst
// after it is typed while the page is prepared and shown. The pause itself is not timed.
Samples typeInBursts(frmDocument &doc, int pauseMs)
{
    QWidget *target = doc.txtText;
    Samples samples;
    const QString keys = QStringLiteral("abcdefghij");
    for (int burst = 0; burst < 20; ++burst) {
        for (QChar c : keys) {
            QElapsedTimer timer;
            timer.start();
            typeKey(target, c);
            settleEvents();
            samples.add(elapsedMs(timer));
        }
        // The typist rests without the program getting a say, so the update's own work on
        // this thread falls on the next key, as it would when a key comes while it runs.
        QThread::msleep(pauseMs + 20);
    }
    return samples;
}

} // namespace

bool runLivePreview(const QString &pagePath, const QString &k, int repetitions)
{
    SettingsStore::setBool(QStringLiteral("Settings"), QStringLiteral("TagColor"), true);
    shared().blnTagColor = true;
    installWebLivePreview();
    storeLivePreviewSettings({});
    const int delay = LivePreviewSettings().delayMs;

    auto frame = std::make_unique<frmMain>();
    frame->resize(1600, 900);
    frame->show();
    ReadDoc(pagePath);
    frmDocument *doc = frame->activeDocument();
    if (!doc) {
        std::fprintf(stderr, "the page did not open\n");
        return false;
    }
    doc->showMaximized();
    caretToMiddleLine(*doc->txtText);
    doc->txtText->setFocus();
    settleEvents();

    // Typing with the pane closed: the floor of this scenario.
    const Samples closed = typeInBursts(*doc, delay);

    setLivePreviewShown(*frame, true);
    LivePreviewPane *pane = livePreviewPane(*frame);
    if (!pane || !pane->view()) {
        std::fprintf(stderr, "no live preview pane\n");
        return false;
    }
    int shown = 0;
    // The time from the end of the quiet time (the update starts) to the page shown again.
    QElapsedTimer sinceUpdate;
    double lastMs = -1;
    QObject::connect(pane->updateTimer(), &QTimer::timeout,
                     [&sinceUpdate] { sinceUpdate.start(); });
    QObject::connect(pane->view(), &LivePreviewView::pageShown, [&] {
        ++shown;
        if (sinceUpdate.isValid())
            lastMs = elapsedMs(sinceUpdate);
    });
    if (!waitUntil([&] { return shown > 0; })) {
        std::fprintf(stderr, "the page never showed\n");
        return false;
    }
    Samples toShown;
    for (int i = 0; i < repetitions; ++i) {
        sinceUpdate.invalidate();
        lastMs = -1;
        settleEvents();
        typeKey(doc->txtText, u'x');
        if (!waitUntil([&] { return lastMs >= 0; })) {
            std::fprintf(stderr, "an update never showed\n");
            return false;
        }
        toShown.add(lastMs);
    }
    const Samples open = typeInBursts(*doc, delay);
    waitUntil([&] { return !pane->updateTimer()->isActive(); });

    doc->blnFlgDirty = false;
    frame.reset();
    report(k, toShown.median());
    report(k + QLatin1String(".closed.p99"), closed.percentile(99));
    report(k + QLatin1String(".open.p99"), open.percentile(99));
    return true;
}

bool runLivePreviewFloor(const QString &pagePath, const QString &k, int repetitions)
{
    // The size of the pane beside the page in the frame above.
    auto view = std::make_unique<QWebEngineView>();
    view->resize(800, 900);
    view->show();
    Samples loads;
    bool failed = false;
    // The first load starts the web engine, which the pane has done before it is measured.
    for (int i = 0; i <= repetitions; ++i) {
        bool finished = false;
        const QMetaObject::Connection done = QObject::connect(
            view.get(), &QWebEngineView::loadFinished, [&finished, &failed](bool ok) {
                finished = true;
                failed = failed || !ok;
            });
        QElapsedTimer timer;
        timer.start();
        view->load(QUrl::fromLocalFile(pagePath));
        const bool loaded = waitUntil([&finished] { return finished; });
        QObject::disconnect(done);
        if (!loaded || failed) {
            std::fprintf(stderr, "the page never loaded\n");
            return false;
        }
        if (i > 0)
            loads.add(elapsedMs(timer));
    }
    report(k, loads.median());
    return true;
}

} // namespace bench
