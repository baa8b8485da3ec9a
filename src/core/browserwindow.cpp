#include "core/browserwindow.h"

#include <utility>

namespace {

BrowserWindow::Maker &installedMaker()
{
    static BrowserWindow::Maker maker;
    return maker;
}

} // namespace

BrowserWindow::Maker BrowserWindow::installMaker(Maker maker)
{
    return std::exchange(installedMaker(), std::move(maker));
}

bool BrowserWindow::available()
{
    return bool(installedMaker());
}

BrowserWindow *BrowserWindow::make(const QString &startingAddress)
{
    return available() ? installedMaker()(startingAddress) : nullptr;
}
