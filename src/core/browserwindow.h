#pragma once

#include <QMdiSubWindow>

#include <functional>

// The built-in browser window as the floors below the preview see it: a child window of the
// frame that opens its starting address when it is shown. The preview library makes the
// windows; the program installs its maker at start, so the frame and the test programs that do
// not preview never link the web engine. Without a maker there is no built-in browser.
class BrowserWindow : public QMdiSubWindow
{
    Q_OBJECT

public:
    using Maker = std::function<BrowserWindow *(const QString &startingAddress)>;

    using QMdiSubWindow::QMdiSubWindow;

    // Installs the maker and returns the one it replaces; an empty maker removes it.
    static Maker installMaker(Maker maker);
    static bool available();
    // A new window (not yet shown) that opens `startingAddress`; nullptr without a maker.
    static BrowserWindow *make(const QString &startingAddress);

    virtual QString startingAddress() const = 0;

signals:
    // The user asked to close the window (its Exit button or the window's close box); not sent
    // when the program replaces the window with a new one.
    void closeRequested();
    // A page has finished loading (`ok` false when it could not be loaded).
    void pageLoaded(bool ok);
};
