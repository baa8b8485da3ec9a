#pragma once

#include <QString>

// Path and colour utilities. Paths may use "\" or "/" as separators.
QString FolderOf(const QString &path);
bool FileExists(const QString &path);
QString RelativePath(const QString &base, const QString &target);
int HexDigitValue(const QString &ch);
int HexByteValue(const QString &s);
QString ColorToHtml(int color);
// `start` is 1-based and may be corrected to 1 (the caller sees the change).
QString NextToken(const QString &text, int &start, const QString &separator);
// The program's own folder.
QString programFolder();
