#include "mainwindow/frmmain.h"

#include "app/documentio.h"
#include "app/interaction.h"
#include "app/paths.h"
#include "app/settings.h"
#include "app/sharedstate.h"
#include "document/frmdocument.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QStatusBar>
#include <QToolBar>

namespace {

frmMain *&current()
{
    static frmMain *frame = nullptr;
    return frame;
}

// How long a note stays in the status bar.
constexpr int NoteMilliseconds = 15000;

} // namespace

frmMain::frmMain(QWidget *parent)
    : QMainWindow(parent)
{
    current() = this;
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("%1 Ver %2.%3.%4")
                       .arg(applicationTitle())
                       .arg(ORVINE_VERSION_MAJOR)
                       .arg(ORVINE_VERSION_MINOR)
                       .arg(ORVINE_VERSION_PATCH));

    tbToolBar = addToolBar(QString());
    tbToolBar->setObjectName(QStringLiteral("tbToolBar"));
    tbToolBar->setMovable(false);

    auto *client = new QWidget(this);
    auto *layout = new QHBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    picTree = new QWidget(client);
    picTree->setObjectName(QStringLiteral("picTree"));
    layout->addWidget(picTree);
    mdiArea = new QMdiArea(client);
    mdiArea->setObjectName(QStringLiteral("mdiArea"));
    layout->addWidget(mdiArea, 1);
    setCentralWidget(client);

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
    setPanelText(PanelCount, QStringLiteral("0/0"));

    connect(mdiArea, &QMdiArea::subWindowActivated, this, &frmMain::showMenusOf);

    // Load: the settings, then the working folder of the last document.
    LoadSettings();
    const QString folder = FolderOf(shared().strLastFullPath);
    if (!folder.isEmpty())
        QDir::setCurrent(folder);
}

frmMain::~frmMain()
{
    // The windows go down with the frame; nothing may react to that any more.
    m_destroying = true;
    if (current() == this)
        current() = nullptr;
}

frmMain *frmMain::instance()
{
    return current();
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
    centralWidget()->layout()->activate();
}

void frmMain::arrange(int arrangement)
{
    switch (arrangement) {
    case 0:
        mdiArea->cascadeSubWindows();
        break;
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
    case 3:
        layoutMinimisedWindows();
        break;
    default:
        break;
    }
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
    mdiArea->addSubWindow(document);
    connect(document, &QObject::destroyed, this, [this] {
        if (documents().isEmpty())
            showMenusOf(nullptr);
    });
}

frmDocument *frmMain::activeDocument() const
{
    return qobject_cast<frmDocument *>(mdiArea->activeSubWindow());
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
    const QList<QAction *> buttons = tbToolBar->actions();
    for (int i = 2; i < buttons.size(); ++i)
        buttons[i]->setEnabled(enabled);
}

void frmMain::resetMousePointer()
{
    unsetCursor();
    flgMouse = 0;
}

QString frmMain::currentExplorerPath() const
{
    return {};
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
    QList<QPointer<QMdiSubWindow>> windows;
    for (QMdiSubWindow *window : mdiArea->subWindowList())
        windows << window;
    for (const QPointer<QMdiSubWindow> &window : windows) {
        if (window && !window->close())
            return false;
    }
    return true;
}

void frmMain::closeEvent(QCloseEvent *event)
{
    const auto answer = Interaction::ask(QStringLiteral("終了しますか？"), Interaction::Icon::Question,
                                         Interaction::Buttons::YesNo);
    // The layout and the shared settings are stored even when the close is cancelled.
    SaveSettings();
    if (answer != Interaction::Answer::Yes || !closeOtherWindows()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}
