#include "core/settingsnotifier.h"

SettingsNotifier &SettingsNotifier::instance()
{
    static SettingsNotifier notifier;
    return notifier;
}
