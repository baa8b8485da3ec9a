#include "mainwindow/livepreviewpane.h"

#include "core/livepreviewmarks.h"
#include "core/settingsnotifier.h"
#include "document/frmdocument.h"
#include "document/richtextbox.h"
#include "mainwindow/frmmain.h"

#include <QAction>
#include <QEvent>
#include <QIcon>
#include <QMdiArea>
#include <QTimer>
#include <QToolBar>

namespace {

const QString paneName = QStringLiteral("picLivePreview");
const QString entryName = QStringLiteral("mnuViewLivePreview");
const QString buttonKey = QStringLiteral("LivePreview");

// Remembers the pane's side and size as the frame closes.
class CloseWatch : public QObject
{
public:
    explicit CloseWatch(frmMain &frame) : QObject(&frame), m_frame(frame)
    {
        frame.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == &m_frame && event->type() == QEvent::Close)
            if (LivePreviewPane *pane = livePreviewPane(m_frame)) {
                LivePreviewSettings settings = storedLivePreviewSettings();
                settings.below = m_frame.dockWidgetArea(pane) == Qt::BottomDockWidgetArea;
                if (pane->isVisible())
                    settings.size = settings.below ? pane->height() : pane->width();
                storeLivePreviewSettings(settings);
            }
        return false;
    }

private:
    frmMain &m_frame;
};

void markEntries(frmMain &frame, bool shown)
{
    QList<QAction *> entries;
    if (QAction *button = frame.tbToolBar->findChild<QAction *>(buttonKey))
        entries << button;
    if (QAction *entry = frame.action(entryName))
        entries << entry;
    for (frmDocument *doc : frame.documents())
        if (QAction *entry = doc->action(entryName))
            entries << entry;
    for (QAction *entry : entries) {
        entry->setCheckable(true);
        entry->setChecked(shown);
    }
}

template <class Owner> void toggle(Owner &)
{
    if (frmMain *frame = frmMain::instance())
        setLivePreviewShown(*frame, !livePreviewShown(*frame));
}

} // namespace

LivePreviewPane::LivePreviewPane(frmMain &frame)
    : QDockWidget(tr("ライブプレビュー"), &frame), m_frame(frame), m_timer(new QTimer(this)),
      m_caretTimer(new QTimer(this))
{
    setObjectName(paneName);
    m_encoder.setMaxThreadCount(1);
    m_view = LivePreviewView::make(this);
    if (m_view) {
        setWidget(m_view);
        connect(m_view, &LivePreviewView::pageShown, this, [this] {
            m_shownCurrent = !m_stale && !m_timer->isActive();
            if (m_followCaret)
                followCaret();
        });
        connect(m_view, &LivePreviewView::sourceClicked, this, &LivePreviewPane::sourceClicked);
    } else {
        setWidget(new QWidget(this));
    }
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &LivePreviewPane::updateNow);
    // The caret moves in bursts (a held key, a drag): the page follows where it comes to rest.
    m_caretTimer->setSingleShot(true);
    m_caretTimer->setInterval(100);
    connect(m_caretTimer, &QTimer::timeout, this, &LivePreviewPane::followCaret);
    applySettings(storedLivePreviewSettings());
    connect(&SettingsNotifier::instance(), &SettingsNotifier::optionsChanged, this,
            [this] { applySettings(storedLivePreviewSettings()); });
    connect(frame.mdiArea, &QMdiArea::subWindowActivated, this, [this] {
        // A window that is not a document (the browser) leaves the last document shown.
        if (frmDocument *doc = m_frame.activeDocument())
            follow(doc);
        else if (m_frame.documents().isEmpty())
            follow(nullptr);
    });
    // Closed by its own close box: the entries and the stored choice follow.
    connect(this, &QDockWidget::visibilityChanged, this, [this] {
        const bool shown = !isHidden();
        markEntries(m_frame, shown);
        LivePreviewSettings stored = storedLivePreviewSettings();
        if (stored.shown != shown) {
            stored.shown = shown;
            storeLivePreviewSettings(stored);
        }
    });
    follow(frame.activeDocument());
}

LivePreviewPane::~LivePreviewPane()
{
    // A text being encoded reports back to the pane: it finishes before the pane goes.
    m_encoder.clear();
    m_encoder.waitForDone();
}

void LivePreviewPane::applySettings(const LivePreviewSettings &settings)
{
    m_timer->setInterval(settings.delayMs);
    if (m_view)
        m_view->setNetworkAllowed(settings.networkAllowed);
    m_followCaret = settings.followCaret;
    m_clickToSource = settings.clickToSource;
    // The page gets or loses its source positions at once.
    if (m_marked != (m_followCaret || m_clickToSource) && m_document) {
        m_stale = true;
        if (isVisible())
            updateNow();
    }
}

void LivePreviewPane::follow(frmDocument *document)
{
    if (document == m_document && !m_documentConnections.isEmpty())
        return;
    for (const QMetaObject::Connection &connection : std::as_const(m_documentConnections))
        disconnect(connection);
    m_documentConnections.clear();
    m_document = document;
    if (document) {
        m_documentConnections
            << connect(document->txtText, &RichTextBox::changed, this,
                       &LivePreviewPane::textChanged)
            << connect(document, &frmDocument::encodingChanged, this, &LivePreviewPane::textChanged)
            << connect(document->txtText, &QPlainTextEdit::cursorPositionChanged, this,
                       [this] {
                           if (m_followCaret && isVisible())
                               m_caretTimer->start();
                       })
            << connect(document, &frmDocument::saved, this, &LivePreviewPane::documentSaved);
    }
    // Another page: shown at once, without the quiet time meant for typing.
    m_stale = true;
    m_timer->stop();
    if (isVisible())
        updateNow();
}

void LivePreviewPane::updateNow()
{
    m_timer->stop();
    if (!isVisible()) {
        m_stale = true;
        return;
    }
    m_stale = false;
    m_shownCurrent = false;
    if (!m_view)
        return;
    const int preparation = ++m_preparations;
    if (!m_document) {
        m_marked = false;
        m_baseHanded = QUrl();
        hand(preparation, {}, "UTF-8", {});
        return;
    }
    const QUrl base = m_document->strFileName == frmDocument::NewFileName
                          ? QUrl()
                          : QUrl::fromLocalFile(m_document->strFileName);
    m_baseHanded = base;
    m_marked = m_followCaret || m_clickToSource;
    // The text is shared, not copied; marking and encoding a long page stay off the thread
    // that takes the keys.
    const QString text = m_document->txtText->text();
    const TextEncoding encoding = m_document->encoding;
    const bool marked = m_marked;
    m_encoder.start([this, preparation, text, encoding, marked, base] {
        const QByteArray bytes = encodeText(marked ? markSourcePositions(text) : text, encoding);
        QMetaObject::invokeMethod(
            this,
            [this, preparation, bytes, encoding, base] {
                hand(preparation, bytes, charsetOf(encoding), base);
            },
            Qt::QueuedConnection);
    });
}

void LivePreviewPane::hand(int preparation, const QByteArray &bytes, const QByteArray &charset,
                           const QUrl &base)
{
    if (preparation != m_preparations)
        return; // a newer text is on its way
    ++m_pagesHanded;
    m_view->showPage(bytes, charset, base);
}

bool LivePreviewPane::pageCurrent() const
{
    return m_view && m_document && m_marked && m_shownCurrent && !m_stale && isVisible();
}

void LivePreviewPane::followCaret()
{
    m_caretTimer->stop();
    if (m_followCaret && pageCurrent())
        m_view->scrollToSource(m_document->txtText->selStart());
}

void LivePreviewPane::sourceClicked(qint64 position)
{
    // A click on a page older than the text would point at the wrong place.
    if (!m_clickToSource || !pageCurrent())
        return;
    RichTextBox &box = *m_document->txtText;
    box.select(int(std::min<qint64>(position, box.textLength())), 0);
    m_frame.mdiArea->setActiveSubWindow(m_document);
    box.setFocus();
}

void LivePreviewPane::documentSaved()
{
    // Saved under another name: relative addresses now resolve from the new folder.
    if (m_document && m_document->strFileName != frmDocument::NewFileName
        && QUrl::fromLocalFile(m_document->strFileName) != m_baseHanded) {
        m_stale = true;
        if (isVisible())
            updateNow();
    }
}

void LivePreviewPane::showEvent(QShowEvent *event)
{
    QDockWidget::showEvent(event);
    if (m_stale)
        QTimer::singleShot(0, this, &LivePreviewPane::updateNow);
}

void LivePreviewPane::textChanged()
{
    m_stale = true;
    m_shownCurrent = false;
    if (isVisible())
        m_timer->start();
}

LivePreviewPane *livePreviewPane(const frmMain &frame)
{
    return frame.findChild<LivePreviewPane *>(paneName, Qt::FindDirectChildrenOnly);
}

bool livePreviewShown(const frmMain &frame)
{
    const LivePreviewPane *pane = livePreviewPane(frame);
    return pane && !pane->isHidden();
}

void setLivePreviewShown(frmMain &frame, bool shown)
{
    LivePreviewPane *pane = livePreviewPane(frame);
    LivePreviewSettings settings = storedLivePreviewSettings();
    if (!pane && shown) {
        pane = new LivePreviewPane(frame);
        const Qt::DockWidgetArea area
            = settings.below ? Qt::BottomDockWidgetArea : Qt::RightDockWidgetArea;
        frame.addDockWidget(area, pane);
        pane->show();
        const Qt::Orientation across = settings.below ? Qt::Vertical : Qt::Horizontal;
        const int whole = settings.below ? frame.height() : frame.width();
        frame.resizeDocks({pane}, {settings.size > 0 ? settings.size : whole / 2}, across);
    } else if (pane) {
        pane->setVisible(shown);
    }
    markEntries(frame, shown);
    settings.shown = shown;
    storeLivePreviewSettings(settings);
}

void attachLivePreview(frmMain &frame)
{
    QAction *button = frame.tbToolBar->addAction(
        QIcon::fromTheme(QStringLiteral("document-print-preview"),
                         QIcon(QStringLiteral(":/icons/livepreview.svg"))),
        buttonKey);
    button->setObjectName(buttonKey);
    button->setData(buttonKey);
    button->setToolTip(QObject::tr("ライブプレビュー"));
    button->setCheckable(true);
    // As the other document buttons, it waits for a document window.
    button->setEnabled(frame.activeDocument() != nullptr);
    QObject::connect(button, &QAction::triggered, &frame,
                     [&frame] { setLivePreviewShown(frame, !livePreviewShown(frame)); });
    new CloseWatch(frame);
    if (storedLivePreviewSettings().shown)
        setLivePreviewShown(frame, true);
    else
        markEntries(frame, false);
}

FrameCommandTable frameLivePreviewCommands()
{
    return {{"mnuViewLivePreview_Click", toggle<frmMain>}};
}

DocumentCommandTable documentLivePreviewCommands()
{
    return {{"mnuViewLivePreview_Click", toggle<frmDocument>}};
}

void registerLivePreviewCommands()
{
    FrameCommands::add(frameLivePreviewCommands());
    DocumentCommands::add(documentLivePreviewCommands());
}

QByteArray charsetOf(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::ShiftJis: return "Shift_JIS";
    case TextEncoding::EucJp: return "EUC-JP";
    case TextEncoding::Iso2022Jp: return "ISO-2022-JP";
    case TextEncoding::Utf8:
    case TextEncoding::Utf8Bom: return "UTF-8";
    case TextEncoding::Utf16LeBom: return "UTF-16LE";
    case TextEncoding::Utf16BeBom: return "UTF-16BE";
    }
    return "UTF-8";
}
