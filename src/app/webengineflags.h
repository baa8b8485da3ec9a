#pragma once

#include <QByteArray>

// What the built-in browser's engine (Chromium) needs to start on this machine. It refuses to
// run as root with its sandbox and ends the whole program when asked to, and it finds no GPU
// without a display. The flags come from QTWEBENGINE_CHROMIUM_FLAGS; these add what is missing
// and keep whatever the user set.
struct WebEngineNeeds
{
    bool runsAsRoot = false;
    bool hasDisplay = true;
};
QByteArray chromiumFlagsFor(const QByteArray &userFlags, WebEngineNeeds needs);

// Sets QTWEBENGINE_CHROMIUM_FLAGS for this process before the engine starts, and says once on
// standard error what it added. Call before the application object exists.
void prepareWebEngineEnvironment();
