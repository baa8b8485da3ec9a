#include "preview/frmbrowser.h"

#include "core/interaction.h"
#include "core/localpages.h"
#include "core/settings.h"
#include "core/sharedstate.h"
#include "preview/browseraddress.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {

struct BrowserButton
{
    const char *key;
    const char *caption;
    const char *themeIcon;
};

constexpr BrowserButton browserButtons[] = {
    {"Back", "戻る", "go-previous"},     {"Forward", "進む", "go-next"},
    {"Refresh", "更新", "view-refresh"}, {"Home", "ホーム", "go-home"},
    {"Search", "検索", "edit-find"},     {"Stop", "中止", "process-stop"},
    {"Exit", "閉じる", "window-close"},
};

constexpr int BusyPollMs = 100;
// Gaps of the address strip, in pixels: 15 twips between the label and the combo box, and
// the combo box ends 100 twips short of the window's right edge.
constexpr int LabelGap = 1;
constexpr int RightGap = 6;

} // namespace

frmBrowser::frmBrowser(const QString &startingAddress, QWidget *parent)
    : BrowserWindow(parent), m_startingAddress(startingAddress)
{
    setObjectName(QStringLiteral("frmBrowser"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto *contents = new QWidget;
    auto *column = new QVBoxLayout(contents);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    tbToolBar = new QToolBar(contents);
    tbToolBar->setObjectName(QStringLiteral("tbToolBar"));
    buildToolBar();
    column->addWidget(tbToolBar);

    picAddress = new QWidget(contents);
    picAddress->setObjectName(QStringLiteral("picAddress"));
    buildAddressStrip();
    column->addWidget(picAddress);

    brwWebBrowser = new QWebEngineView(contents);
    brwWebBrowser->setObjectName(QStringLiteral("brwWebBrowser"));
    column->addWidget(brwWebBrowser, 1);
    setWidget(contents);

    timTimer = new QTimer(this);
    timTimer->setInterval(BusyPollMs);
    connect(timTimer, &QTimer::timeout, this, &frmBrowser::timTimer_Timer);
    connect(brwWebBrowser, &QWebEngineView::loadStarted, this, [this] { m_busy = true; });
    connect(brwWebBrowser, &QWebEngineView::loadFinished, this, [this](bool ok) {
        m_busy = false;
        setWindowTitle(locationName());
        emit pageLoaded(ok);
    });
    // When the engine's page process dies (it could not start, or crashed), the window stays and
    // says so; the rest of the program goes on.
    connect(brwWebBrowser->page(), &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status, int) {
                m_busy = false;
                if (status != QWebEnginePage::NormalTerminationStatus)
                    Interaction::inform(
                        tr("ﾌﾞﾗｳｻﾞの表示部分が終了したため、ﾍﾟｰｼﾞを表示できません。"),
                        Interaction::Icon::Warning);
            });
    connect(brwWebBrowser, &QWebEngineView::titleChanged, this, [this] {
        if (!m_busy)
            setWindowTitle(locationName());
    });

    resize(640, 480);
    if (!m_startingAddress.isEmpty()) {
        m_suppressNavigation = true;
        cboAddress->addItem(m_startingAddress);
        cboAddress->setEditText(m_startingAddress);
        m_suppressNavigation = false;
        navigate(m_startingAddress);
    }
}

frmBrowser::~frmBrowser()
{
    storeWindowState();
}

QString frmBrowser::startingAddress() const
{
    return m_startingAddress;
}

void frmBrowser::buildToolBar()
{
    for (const BrowserButton &button : browserButtons) {
        const QString key = QLatin1String(button.key);
        const QString caption = QString::fromUtf8(button.caption);
        QAction *action
            = tbToolBar->addAction(QIcon::fromTheme(QLatin1String(button.themeIcon)), caption);
        action->setObjectName(key);
        action->setToolTip(caption);
        connect(action, &QAction::triggered, this, [this, key] { tbToolBar_ButtonClick(key); });
    }
}

void frmBrowser::buildAddressStrip()
{
    auto *row = new QHBoxLayout(picAddress);
    row->setContentsMargins(0, 2, RightGap, 2);
    row->setSpacing(LabelGap);
    lblAddress = new QLabel(QStringLiteral("ｱﾄﾞﾚｽ(&A):"), picAddress);
    lblAddress->setObjectName(QStringLiteral("lblAddress"));
    cboAddress = new QComboBox(picAddress);
    cboAddress->setObjectName(QStringLiteral("cboAddress"));
    cboAddress->setEditable(true);
    cboAddress->setInsertPolicy(QComboBox::NoInsert);
    // Without a completer Enter and a choice from the list each navigate exactly once.
    cboAddress->setCompleter(nullptr);
    lblAddress->setBuddy(cboAddress);
    row->addWidget(lblAddress);
    row->addWidget(cboAddress, 1);

    connect(cboAddress->lineEdit(), &QLineEdit::returnPressed, this, [this] {
        if (!m_suppressNavigation)
            navigate(cboAddress->currentText());
    });
    connect(cboAddress, &QComboBox::activated, this, [this](int index) {
        if (!m_suppressNavigation)
            navigate(cboAddress->itemText(index));
    });
}

void frmBrowser::startBusyPoll(bool loading)
{
    if (loading)
        m_busy = true;
    timTimer->start();
}

void frmBrowser::navigate(const QString &address)
{
    startBusyPoll(true);
    brwWebBrowser->load(browserUrl(address));
}

void frmBrowser::tbToolBar_ButtonClick(const QString &key)
{
    QWebEngineHistory *history = brwWebBrowser->history();
    if (key == QLatin1String("Back")) {
        // Nothing happens without history, as with the other buttons' failures.
        startBusyPoll(history->canGoBack());
        brwWebBrowser->back();
    } else if (key == QLatin1String("Forward")) {
        startBusyPoll(history->canGoForward());
        brwWebBrowser->forward();
    } else if (key == QLatin1String("Refresh")) {
        startBusyPoll(!brwWebBrowser->url().isEmpty());
        brwWebBrowser->reload();
    } else if (key == QLatin1String("Home")) {
        navigate(localPagePath(LocalPage::Home));
    } else if (key == QLatin1String("Search")) {
        navigate(searchPageAddress());
    } else if (key == QLatin1String("Stop")) {
        timTimer->stop();
        brwWebBrowser->stop();
        m_busy = false;
        setWindowTitle(locationName());
    } else if (key == QLatin1String("Exit")) {
        close();
    }
}

QString frmBrowser::locationName() const
{
    const QString title = brwWebBrowser->title();
    return title.isEmpty() ? addressText(brwWebBrowser->url()) : title;
}

void frmBrowser::timTimer_Timer()
{
    if (m_busy) {
        setWindowTitle(QStringLiteral("作業中..."));
        return;
    }
    timTimer->stop();
    showLocation();
}

void frmBrowser::showLocation()
{
    setWindowTitle(locationName());
    const QUrl url = brwWebBrowser->url();
    if (url.isEmpty())
        return;
    const QString address = addressText(url);
    m_suppressNavigation = true;
    if (cboAddress->findText(address) < 0)
        cboAddress->addItem(address);
    cboAddress->setEditText(address);
    m_suppressNavigation = false;
}

void frmBrowser::closeEvent(QCloseEvent *event)
{
    emit closeRequested();
    BrowserWindow::closeEvent(event);
}

void frmBrowser::storeWindowState() const
{
    if (isMinimized())
        return;
    const int state = isMaximized() ? 2 : 0;
    storeChildState(state);
    shared().intChildState = state;
}

void installBuiltInBrowser()
{
    BrowserWindow::installMaker(
        [](const QString &startingAddress) { return new frmBrowser(startingAddress); });
}
