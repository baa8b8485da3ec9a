#include "options/optionvalues.h"

#include "core/recoveryservice.h"
#include "core/settings.h"
#include "core/settingsnotifier.h"
#include "core/sharedstate.h"

OptionValues currentOptions()
{
    const SharedState &s = shared();
    return {s.blnMyBrowzer,
            s.strBrowzerPath,
            s.strImageToolPath,
            s.blnTagColor,
            s.blnTreePathChange,
            s.blnTreeViewHide,
            s.blnWindowsCheck,
            s.strAuthor,
            RecoveryService::idleSeconds(),
            RecoveryService::largePageMegabytes(),
            storedTypingHelp()};
}

void storeOptions(const OptionValues &values)
{
    SharedState &s = shared();
    s.blnMyBrowzer = values.myBrowzer;
    s.strBrowzerPath = values.browzerPath;
    s.strImageToolPath = values.imageToolPath;
    s.blnTagColor = values.tagColor;
    s.blnTreePathChange = values.treePathChange;
    s.blnTreeViewHide = values.treeViewHide;
    s.blnWindowsCheck = values.windowsCheck;
    s.strAuthor = values.author;
    storeTypingHelp(values.typing);
    SaveSettings();
    RecoveryService::storeOptions(values.recoveryIdleSeconds, values.recoveryLargePageMB);
    emit SettingsNotifier::instance().optionsChanged();
}
