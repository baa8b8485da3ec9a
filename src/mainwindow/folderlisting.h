#pragma once

#include <QStringList>

// Reading one folder for the explorer tree. No widgets.

struct FolderListing
{
    // 0 when the folder was read; otherwise the error number (70 permission denied,
    // 76 path not found, 75 any other failure) and nothing listed.
    int errorNumber = 0;
    QStringList folders;
    // The files the tree shows a node for.
    QStringList files;

    bool ok() const { return errorNumber == 0; }
};

// Reads the folder `path`. Names that are not UTF-8 are listed with their bytes kept
// (nativepath.h); `path` may hold such bytes too. Names beginning with "." are left out. With
// `windowsCheck` every file the tree can show (pages, pictures, scripts) is listed; without it only
// pages and pictures. Folders and files are each sorted by name, without letter case first. A link
// to a folder counts as a folder.
FolderListing listFolder(const QString &path, bool windowsCheck);

// The order of the tree: by name without letter case, then with it.
bool nameLess(const QString &a, const QString &b);
