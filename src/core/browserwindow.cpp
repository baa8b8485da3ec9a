#include "core/browserwindow.h"

#include "core/hook.h"

namespace {

Hook<BrowserWindow *(const QString &)> maker;

} // namespace

BrowserWindow::Maker BrowserWindow::installMaker(Maker browserMaker)
{
    return maker.install(std::move(browserMaker));
}

bool BrowserWindow::available()
{
    return bool(maker);
}

BrowserWindow *BrowserWindow::make(const QString &startingAddress)
{
    return available() ? maker(startingAddress) : nullptr;
}
