#pragma once

#include <QString>

// The user's guide (a Qt Help collection) of the program in `programFolder`: beside the program
// in a build tree, or in the installed tree's data folder (<prefix>/share/orvine beside
// <prefix>/bin). Empty when neither holds one.
QString guideFileFor(const QString &programFolder);
