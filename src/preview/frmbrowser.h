#pragma once

#include "core/browserwindow.h"

class QComboBox;
class QLabel;
class QTimer;
class QToolBar;
class QWebEngineView;
class QWidget;

// The built-in browser window: a toolbar (Back, Forward, Refresh, Home, Search, Stop, Exit),
// the address strip with its list of the pages visited, and the web view. It opens its
// starting address as it is made; showing another page means making a new window, so each
// showing starts with a fresh history. While a page loads the caption reads "作業中...";
// afterwards it is the page's title.
class frmBrowser : public BrowserWindow
{
    Q_OBJECT

public:
    explicit frmBrowser(const QString &startingAddress, QWidget *parent = nullptr);
    ~frmBrowser() override;

    QString startingAddress() const override;

    QToolBar *tbToolBar = nullptr;
    QWidget *picAddress = nullptr;
    QLabel *lblAddress = nullptr;
    QComboBox *cboAddress = nullptr;
    QWebEngineView *brwWebBrowser = nullptr;
    // Polls the view while it loads (the busy caption).
    QTimer *timTimer = nullptr;

    // Runs the toolbar button with `key`; an unknown key does nothing.
    void tbToolBar_ButtonClick(const QString &key);
    // The page's title, or its address while it has none.
    QString locationName() const;
    bool busy() const { return m_busy; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildToolBar();
    void buildAddressStrip();
    // Starts the busy poll; `loading` says whether a page load is on its way.
    void startBusyPoll(bool loading);
    void navigate(const QString &address);
    void timTimer_Timer();
    // Caption from the page, the page in the address list and in the combo box's text.
    void showLocation();
    void storeWindowState() const;

    QString m_startingAddress;
    bool m_busy = false;
    // Set while the program itself changes cboAddress, so that no navigation follows.
    bool m_suppressNavigation = false;
};

// Lets the frame make built-in browser windows (BrowserWindow::make).
void installBuiltInBrowser();
