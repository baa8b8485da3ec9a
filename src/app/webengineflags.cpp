#include "app/webengineflags.h"

#include <QList>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

bool hasFlag(const QList<QByteArray> &flags, const QByteArray &flag)
{
    for (const QByteArray &present : flags) {
        if (present == flag || present.startsWith(flag + '='))
            return true;
    }
    return false;
}

} // namespace

QByteArray chromiumFlagsFor(const QByteArray &userFlags, WebEngineNeeds needs)
{
    const QList<QByteArray> present = userFlags.simplified().split(' ');
    QByteArray flags = userFlags.simplified();
    const auto add = [&](const QByteArray &flag) {
        if (hasFlag(present, flag))
            return;
        if (!flags.isEmpty())
            flags += ' ';
        flags += flag;
    };
    if (needs.runsAsRoot)
        add("--no-sandbox");
    if (!needs.hasDisplay)
        add("--disable-gpu");
    return flags;
}

void prepareWebEngineEnvironment()
{
    const QByteArray current = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    const bool hasDisplay
        = qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
    const QByteArray needed = chromiumFlagsFor(current, {geteuid() == 0, hasDisplay});
    if (needed == current.simplified())
        return;
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", needed);
    std::fprintf(stderr,
                 "orvine: the built-in browser runs with QTWEBENGINE_CHROMIUM_FLAGS=\"%s\"%s\n",
                 needed.constData(), geteuid() == 0 ? " (its sandbox cannot run as root)" : "");
}
