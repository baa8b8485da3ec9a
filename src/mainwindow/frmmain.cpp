#include "mainwindow/frmmain.h"

#include "commands/menubuilder.h"
#include "core/interaction.h"
#include "core/paths.h"
#include "core/settings.h"
#include "core/sharedstate.h"
#include "document/documentsave.h"
#include "document/frmdocument.h"
#include "document/richtextbox.h"
#include "mainwindow/documentio.h"
#include "mainwindow/explorercommands.h"
#include "mainwindow/explorerpane.h"
#include "mainwindow/explorertree.h"
#include "mainwindow/filedrop.h"
#include "mainwindow/frameclient.h"
#include "mainwindow/framecommands.h"
#include "mainwindow/framemenus.h"
#include "mainwindow/guidefile.h"
#include "mainwindow/livepreviewpane.h"
#include "mainwindow/toolbar.h"
#include "mainwindow/twips.h"
#include "mainwindow/windowlist.h"
#include "mainwindow/windowplacement.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTime>
#include <QTimer>
#include <QToolBar>

// The toolbar's icons live in the library's resources, which a static library must load.
static void loadFrameResources()
{
    Q_INIT_RESOURCE(orvine);
}

namespace {

frmMain *&runningFrame()
{
    static frmMain *frame = nullptr;
    return frame;
}

// The status bar's panel of the caret's column and line.
constexpr int CaretPanel = 6;
// The panel of the active document's encoding.
constexpr int EncodingPanel = 7;

// How long a note stays in the status bar.
constexpr int NoteMilliseconds = 15000;

} // namespace

frmMain::frmMain(QWidget *parent) : QMainWindow(parent)
{
    runningFrame() = this;
    loadFrameResources();
    setObjectName(QStringLiteral("frmMain"));
    // The program's icon, also shown by the document windows in their title bars.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/orvine.svg")));

    tbToolBar = addToolBar(QString());
    tbToolBar->setObjectName(QStringLiteral("tbToolBar"));
    tbToolBar->setMovable(false);
    buildToolBar(*tbToolBar, *this);

    mdiArea = new QMdiArea;
    mdiArea->setObjectName(QStringLiteral("mdiArea"));
    picTree = new ExplorerPane(flgMouse);
    m_client = new FrameClient(picTree, mdiArea, this);
    setCentralWidget(m_client);
    connect(m_client, &FrameClient::resized, this, &frmMain::relayout);
    // Moving over the frame's background ends any splitter pointer.
    mdiArea->viewport()->installEventFilter(this);
    acceptFileDrops(this, openDroppedFiles);

    buildStatusBar();

    BuiltMenus menus = buildMenusFromTable(
        frameMenuTable(), this,
        {&frmMain::hasCommand, [this](const QString &handler, int index) { run(handler, index); }});
    frameMenus = menus.bar;
    m_actions = menus.actions;
    m_menus = menus.menus;
    for (int i = 0; i <= 15; ++i)
        mnuFileMRU << action(QStringLiteral("mnuFileMRU_%1").arg(i));

    attachWindowList(menu(QStringLiteral("mnuWindow")), mdiArea);
    addWindowSwitchKeys(this, mdiArea);

    connect(mdiArea, &QMdiArea::subWindowActivated, this, &frmMain::showMenusOf);
    // Panel 7 follows the active document's encoding.
    connect(mdiArea, &QMdiArea::subWindowActivated, this, &frmMain::refreshStatusPanels);
    showMenusOf(nullptr);

    // The edit buttons wait for a document window.
    enableEditButtons(false);

    restoreLayout();
    setFrameLayout(this);

    explorer = new ExplorerTree(*picTree, this);
    attachExplorer(*this);
    attachLivePreview(*this);
}

frmMain::~frmMain()
{
    // The windows go down with the frame; nothing may react to that any more.
    m_destroying = true;
    setFrameLayout(nullptr);
    // Qt's own destructors still send signals and events (an MDI window activated while the
    // area hides, a key filter on the explorer's pane): nothing below may react to the frame's
    // end, so every child falls silent and the explorer's filters go before the widgets do.
    // A widget's destroyed() is sent even while its signals are blocked: those connections
    // into the frame are cut as well.
    for (QObject *child : findChildren<QObject *>()) {
        child->blockSignals(true);
        child->disconnect(this);
    }
    delete explorer;
    explorer = nullptr;
    if (runningFrame() == this)
        runningFrame() = nullptr;
}

frmMain *frmMain::instance()
{
    return runningFrame();
}

void frmMain::restoreLayout()
{
    QScreen *screen = QGuiApplication::primaryScreen();
    const int dpiX = screen ? qRound(screen->logicalDotsPerInchX()) : 96;
    const int dpiY = screen ? qRound(screen->logicalDotsPerInchY()) : 96;
    const QRect screenRect = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    const int screenWidth = pixelsToTwips(screenRect.width(), dpiX);
    const int screenHeight = pixelsToTwips(screenRect.height(), dpiY);
    // The pane runs the height of the frame, which starts at its default height.
    const Values v = loadFrameLayout(screenWidth, screenHeight, PaneLayout::DesignWidth,
                                     int(qint64(screenHeight) * 6 / 8));

    setToolBarShown(v.toolBarVisible);
    setStatusBarShown(v.statusBarVisible);
    setTreeViewShown(v.treeViewVisible);
    picTree->setWidthTwips(v.treeViewWidth);
    picTree->setPreviewHeightTwips(v.imageViewHeight);

    // The stored position is the last normal one; a maximised frame gets it too, so that
    // restoring it brings the frame back there. A minimised state is never restored. A
    // position off every screen (a monitor unplugged, a damaged value) gives way to the
    // default one, which is then what gets stored.
    const QRect stored(twipsToPixels(v.left, dpiX), twipsToPixels(v.top, dpiY),
                       twipsToPixels(v.width, dpiX), twipsToPixels(v.height, dpiY));
    const QRect fallback(screenRect.x() + screenRect.width() / 8,
                         screenRect.y() + screenRect.height() / 8, screenRect.width() * 6 / 8,
                         screenRect.height() * 6 / 8);
    QList<QRect> screens;
    for (const QScreen *each : QGuiApplication::screens())
        screens << each->availableGeometry();
    const QRect placed = reachableFrameRect(stored, screens, fallback);
    move(placed.topLeft());
    resize(placed.size());
    if (v.windowState == 2)
        setWindowState(windowState() | Qt::WindowMaximized);

    LoadSettings();
    setWindowTitle(QStringLiteral("%1 Ver %2.%3.%4")
                       .arg(applicationTitle())
                       .arg(ORVINE_VERSION_MAJOR)
                       .arg(ORVINE_VERSION_MINOR)
                       .arg(ORVINE_VERSION_PATCH));

    // The working folder of the last document; an unreachable one leaves the current folder.
    const QString folder = FolderOf(shared().strLastFullPath);
    if (!folder.isEmpty())
        QDir::setCurrent(folder);

    helpFile = guideFileFor(programFolder());
}

void frmMain::buildStatusBar()
{
    sbStatusBar = statusBar();
    sbStatusBar->setObjectName(QStringLiteral("sbStatusBar"));
    for (int i = 1; i <= PanelCount; ++i) {
        auto *panel = new QLabel(sbStatusBar);
        panel->setObjectName(QStringLiteral("sbStatusBar_Panel%1").arg(i));
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setFrameShadow(QFrame::Sunken);
        // The first panel stretches; a passing note covers it for a while.
        if (i == 1)
            sbStatusBar->addWidget(panel, 1);
        else
            sbStatusBar->addPermanentWidget(panel);
        m_panels << panel;
    }
    setPanelText(CaretPanel, QStringLiteral("0/0"));

    m_clock = new QTimer(this);
    m_clock->setInterval(1000);
    connect(m_clock, &QTimer::timeout, this, &frmMain::refreshStatusPanels);
    m_clock->start();
    refreshStatusPanels();
}

void frmMain::setPanelText(int panel, const QString &text)
{
    if (panel >= 1 && panel <= m_panels.size())
        m_panels[panel - 1]->setText(text);
}

QString frmMain::panelText(int panel) const
{
    return panel >= 1 && panel <= m_panels.size() ? m_panels[panel - 1]->text() : QString();
}

void frmMain::showNote(const QString &text)
{
    sbStatusBar->showMessage(text, NoteMilliseconds);
}

void frmMain::refreshStatusPanels()
{
    // Window activations while the frame goes down find the panels already gone.
    if (m_destroying)
        return;
    const frmDocument *doc = activeDocument();
    setPanelText(2, doc && doc->txtText->overwriteMode() ? tr("上書") : tr("挿入"));
    setPanelText(3, doc && doc->blnFlgDirty ? tr("変更") : QString());
    setPanelText(4, QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd")));
    setPanelText(5, QTime::currentTime().toString(QStringLiteral("HH:mm")));
    setPanelText(EncodingPanel, doc ? encodingName(doc->encoding) : QString());
}

bool frmMain::run(const QString &handler, int index)
{
    return showPlaceholder(handler) || FrameCommands::run(*this, handler, index);
}

bool frmMain::hasCommand(const QString &handler)
{
    return FrameCommands::has(handler) || isPlaceholder(handler);
}

QAction *frmMain::action(const QString &objectName) const
{
    return m_actions.value(objectName);
}

QMenu *frmMain::menu(const QString &objectName) const
{
    return m_menus.value(objectName);
}

bool frmMain::toolBarShown() const
{
    return !tbToolBar->isHidden();
}

bool frmMain::statusBarShown() const
{
    return !sbStatusBar->isHidden();
}

bool frmMain::treeViewShown() const
{
    return !picTree->isHidden();
}

void frmMain::setToolBarShown(bool shown)
{
    tbToolBar->setVisible(shown);
}

void frmMain::setStatusBarShown(bool shown)
{
    sbStatusBar->setVisible(shown);
}

void frmMain::setTreeViewShown(bool shown)
{
    picTree->setVisible(shown);
}

void frmMain::relayout()
{
    if (isMinimized())
        return;
    m_client->placeChildren();
    if (!picTree->isHidden())
        picTree->arrange();
}
void frmMain::arrange(int arrangement)
{
    switch (arrangement) {
    case 0: cascade(); break;
    case 1:
    case 2: {
        // One window per row (1) or per column (2), across the whole area.
        QList<QMdiSubWindow *> windows;
        for (QMdiSubWindow *window : mdiArea->subWindowList())
            if (window->isVisible() && !window->isMinimized())
                windows << window;
        if (windows.isEmpty())
            return;
        const QRect area = mdiArea->viewport()->rect();
        const int count = int(windows.size());
        for (int i = 0; i < count; ++i) {
            QMdiSubWindow *window = windows[i];
            if (window->isMaximized())
                window->showNormal();
            if (arrangement == 1) {
                const int height = area.height() / count;
                window->setGeometry(0, i * height, area.width(), height);
            } else {
                const int width = area.width() / count;
                window->setGeometry(i * width, 0, width, area.height());
            }
        }
        break;
    }
    case 3: layoutMinimisedWindows(); break;
    default: break;
    }
}

int frmMain::documentStep() const
{
    return style()->pixelMetric(QStyle::PM_TitleBarHeight) + 4;
}

void frmMain::cascade()
{
    // Cascaded windows keep a useful size: three quarters of the area each.
    QList<QMdiSubWindow *> windows;
    for (QMdiSubWindow *window : mdiArea->subWindowList())
        if (window->isVisible() && !window->isMinimized())
            windows << window;
    const QSize area = mdiArea->viewport()->size();
    const QList<QRect> rects
        = cascadeRects(area, documentWindowSize(area), int(windows.size()), documentStep());
    for (int i = 0; i < windows.size(); ++i) {
        if (windows[i]->isMaximized())
            windows[i]->showNormal();
        windows[i]->setGeometry(rects[i]);
        windows[i]->raise();
    }
    if (!windows.isEmpty())
        mdiArea->setActiveSubWindow(windows.constLast());
}

void frmMain::layoutMinimisedWindows()
{
    // Minimised windows side by side along the bottom edge, wrapping upwards.
    const QRect area = mdiArea->viewport()->rect();
    int x = 0;
    int y = area.bottom();
    for (QMdiSubWindow *window : mdiArea->subWindowList()) {
        if (!window->isMinimized())
            continue;
        const QSize size = window->size();
        if (x > 0 && x + size.width() > area.width()) {
            x = 0;
            y -= size.height();
        }
        window->move(x, y - size.height() + 1);
        x += size.width();
    }
}

void frmMain::addDocument(frmDocument *document)
{
    // A new window in normal state takes three quarters of the client area, as desktop
    // programs open their documents, rather than the sub-window's small default size; it
    // opens a step from the last one and wholly inside the area.
    const QList<frmDocument *> before = documents();
    mdiArea->addSubWindow(document);
    const QSize area = mdiArea->viewport()->size();
    if (area.width() > 0 && area.height() > 0) {
        const QSize size = documentWindowSize(area);
        QPoint last;
        if (!before.isEmpty())
            last = before.constLast()->isMaximized() ? QPoint(0, 0) : before.constLast()->pos();
        document->setGeometry(QRect(
            nextDocumentPosition(area, size, before.isEmpty() ? nullptr : &last, documentStep()),
            size));
    }
    connect(document, &QObject::destroyed, this, [this] {
        if (!m_destroying && documents().isEmpty()) {
            showMenusOf(nullptr);
            enableEditButtons(false);
        }
    });
    connect(document, &frmDocument::caretMoved, this,
            [this](const QString &position) { setPanelText(CaretPanel, position); });
    connect(document, &frmDocument::note, this, &frmMain::showNote);
    connect(document, &frmDocument::filesDropped, this, openDroppedFiles);
    connect(document, &frmDocument::recentFilesChanged, this,
            [this] { refreshRecentFileMenu(15); });
    connect(document, &frmDocument::mouseMovedOverText, this, &frmMain::resetMousePointer);
    connect(document, &frmDocument::overwriteModeChanged, this, &frmMain::refreshStatusPanels);
    connect(document, &frmDocument::encodingChanged, this, &frmMain::refreshStatusPanels);
    attachWindowList(document->menu(QStringLiteral("mnuWindow")), mdiArea);
    connect(document, &QMdiSubWindow::aboutToActivate, this, [this] { enableEditButtons(true); });
}

frmDocument *frmMain::activeDocument() const
{
    // The current window stays current while another program has the focus.
    return qobject_cast<frmDocument *>(mdiArea->currentSubWindow());
}

QList<frmDocument *> frmMain::documents() const
{
    QList<frmDocument *> list;
    for (QMdiSubWindow *window : mdiArea->subWindowList())
        if (auto *doc = qobject_cast<frmDocument *>(window))
            list << doc;
    return list;
}

void frmMain::refreshRecentFileMenu(int lastEntry)
{
    showRecentFiles(mnuFileMRU, lastEntry);
}

void frmMain::enableEditButtons(bool enabled)
{
    // A button whose command is still to be built stays disabled.
    const QList<QAction *> buttons = tbToolBar->actions();
    const QList<ToolButton> &table = toolButtons();
    // Buttons after the table's (the live preview's) follow the document windows too.
    for (int i = 2; i < buttons.size(); ++i) {
        const char *handler = i < table.size() ? table[i].handler : nullptr;
        buttons[i]->setEnabled(enabled
                               && (!handler || DocumentCommands::has(QLatin1String(handler))));
    }
}

void frmMain::resetMousePointer()
{
    picTree->resetPointer();
    unsetCursor();
}

QString frmMain::currentExplorerPath() const
{
    return explorer ? explorer->currentFolder() : QString();
}

int frmMain::windowStateCode() const
{
    if (isMinimized())
        return 1;
    return isMaximized() ? 2 : 0;
}

FrameLayout::Values frmMain::current() const
{
    Values v;
    v.toolBarVisible = toolBarShown();
    v.statusBarVisible = statusBarShown();
    v.treeViewVisible = treeViewShown();
    v.treeViewWidth = picTree->widthTwips();
    v.imageViewHeight = picTree->previewHeightTwips();
    v.windowState = windowStateCode();
    const int dpiX = logicalDpiX();
    const int dpiY = logicalDpiY();
    v.left = pixelsToTwips(pos().x(), dpiX);
    v.top = pixelsToTwips(pos().y(), dpiY);
    v.width = pixelsToTwips(width(), dpiX);
    v.height = pixelsToTwips(height(), dpiY);
    return v;
}

bool frmMain::event(QEvent *event)
{
    // Coming to the front brings the recent files on the frame's own menu up to date.
    if (event->type() == QEvent::WindowActivate)
        refreshRecentFileMenu(10);
    return QMainWindow::event(event);
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == mdiArea->viewport()
        && (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove))
        resetMousePointer();
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::showMenusOf(QMdiSubWindow *window)
{
    // With no active window the bar keeps its menus while documents remain (the frame only
    // lost the focus); once the last one is gone the frame's own menus return.
    auto *doc = qobject_cast<frmDocument *>(window);
    if (m_destroying || (!doc && !documents().isEmpty()))
        return;
    QMenuBar *bar = menuBar();
    bar->clear();
    for (QMenu *menu : doc ? doc->menuBarMenus() : frameMenus)
        bar->addMenu(menu);
}
bool frmMain::closeOtherWindows()
{
    // Every document answers its question first; a Cancel anywhere leaves all windows open.
    for (frmDocument *doc : documents())
        if (!doc->queryClose())
            return false;
    QList<QPointer<QMdiSubWindow>> windows;
    for (QMdiSubWindow *window : mdiArea->subWindowList())
        windows << window;
    for (const QPointer<QMdiSubWindow> &window : windows) {
        if (!window)
            continue;
        if (auto *doc = qobject_cast<frmDocument *>(window.data()))
            doc->closeAnswered();
        else
            window->close();
        if (window && window->isVisible())
            return false;
    }
    // The windows of their own (the help window, the find window, ...) go with the frame: one
    // left open would keep the program running with no frame to reach it.
    QList<QPointer<QWidget>> others;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget != this && widget->isVisible())
            others << widget;
    for (const QPointer<QWidget> &window : others) {
        if (!window)
            continue;
        window->close();
        if (window && window->isVisible())
            return false;
    }
    return true;
}

void frmMain::closeEvent(QCloseEvent *event)
{
    const auto answer = Interaction::ask(QStringLiteral("終了しますか？"),
                                         Interaction::Icon::Question, Interaction::Buttons::YesNo);
    // The layout and the shared settings are stored even when the close is cancelled.
    SaveSettings();
    if (answer != Interaction::Answer::Yes || !closeOtherWindows()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}
