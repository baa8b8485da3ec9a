#pragma once

#include <QString>

#include <array>

// The values of the application core that every window reads and writes. LoadSettings and
// SaveSettings move them to and from the settings store.
struct SharedState
{
    QString strNewTemplate;
    int lngNewCount = 0;
    std::array<QString, 21> strRecentFile; // entries 1..20; [0] unused
    QString strLastFullPath;
    QString strLastImagePath;
    bool blnTagColor = false;
    bool blnDebugMode = false;
    bool blnWindowsCheck = true;
    bool blnTreePathChange = true;
    bool blnTreeViewHide = false;
    bool blnMyBrowzer = true;
    QString strBrowzerPath;
    QString strImageToolPath;
    QString strPreviewPath;
    QString strAuthor;
    std::array<QString, 15> strKeikeiName;
    std::array<QString, 15> strKeikeiBun;
    std::array<std::array<QString, 2>, 10> strFavorites; // [n][i]
    int intChildState = 0;

    bool operator==(const SharedState &) const = default;
};

SharedState &shared();
