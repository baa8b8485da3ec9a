#pragma once

#include <functional>

// Commands on lower floors that offer to set an option ("指定しますか？") show the Options
// dialog through this hook; the options window installs the function that shows it modally.
// Until one is installed, nothing is shown.
void showOptionsDialog();
// Installs `show` and returns the one it replaces.
std::function<void()> setOptionsDialog(std::function<void()> show);
