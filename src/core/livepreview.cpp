#include "core/livepreview.h"

#include "core/hook.h"
#include "core/settingsstore.h"

#include <algorithm>

namespace {

Hook<LivePreviewView *(QWidget *)> maker;

const QString section = QStringLiteral("LivePreview");

} // namespace

LivePreviewView::Maker LivePreviewView::installMaker(Maker viewMaker)
{
    return maker.install(std::move(viewMaker));
}

bool LivePreviewView::available()
{
    return bool(maker);
}

LivePreviewView *LivePreviewView::make(QWidget *parent)
{
    return available() ? maker(parent) : nullptr;
}

LivePreviewSettings storedLivePreviewSettings()
{
    LivePreviewSettings settings;
    settings.shown = SettingsStore::getBool(section, QStringLiteral("Shown"), settings.shown);
    settings.below = SettingsStore::getBool(section, QStringLiteral("Below"), settings.below);
    settings.size = std::max(0, SettingsStore::getInt(section, QStringLiteral("Size"), 0));
    // A stored delay out of reason reads as the default: never a busy loop, never a pane
    // that seems dead.
    const int delay = SettingsStore::getInt(section, QStringLiteral("Delay"), settings.delayMs);
    if (delay >= 0 && delay <= 10000)
        settings.delayMs = delay;
    settings.networkAllowed
        = SettingsStore::getBool(section, QStringLiteral("Network"), settings.networkAllowed);
    settings.followCaret
        = SettingsStore::getBool(section, QStringLiteral("FollowCaret"), settings.followCaret);
    settings.clickToSource
        = SettingsStore::getBool(section, QStringLiteral("ClickToSource"), settings.clickToSource);
    return settings;
}

void storeLivePreviewSettings(const LivePreviewSettings &settings)
{
    SettingsStore::Batch batch;
    SettingsStore::setBool(section, QStringLiteral("Shown"), settings.shown);
    SettingsStore::setBool(section, QStringLiteral("Below"), settings.below);
    SettingsStore::setInt(section, QStringLiteral("Size"), settings.size);
    SettingsStore::setInt(section, QStringLiteral("Delay"), settings.delayMs);
    SettingsStore::setBool(section, QStringLiteral("Network"), settings.networkAllowed);
    SettingsStore::setBool(section, QStringLiteral("FollowCaret"), settings.followCaret);
    SettingsStore::setBool(section, QStringLiteral("ClickToSource"), settings.clickToSource);
}
