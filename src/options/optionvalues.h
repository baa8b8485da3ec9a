#pragma once

#include "core/settings.h"

#include <QString>

// The option values the options dialog edits, as the program holds them.
struct OptionValues
{
    bool myBrowzer = true;
    QString browzerPath;
    QString imageToolPath;
    bool tagColor = false;
    bool treePathChange = true;
    bool treeViewHide = false;
    bool windowsCheck = true;
    QString author;
    int recoveryIdleSeconds = 5;
    int recoveryLargePageMB = 50;
    TypingHelpOptions typing;

    bool operator==(const OptionValues &) const = default;
};

// The values held in the shared state now.
OptionValues currentOptions();
// Puts `values` into the shared state, saves all settings and tells open windows.
void storeOptions(const OptionValues &values);
