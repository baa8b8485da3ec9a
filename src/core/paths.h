#pragma once

#include <QString>

// Path and colour utilities. Paths may use "\" or "/" as separators.
// Everything before the last separator ("C:\site\a.htm" gives "C:\site"); "" without one;
// "/" for a file in the root of a native path.
QString FolderOf(const QString &path);
// True when the path names a plain file; "*" and "?" in the file name match any such file.
bool FileExists(const QString &path);
// The reference written into HTML from the document `base` to `target`: "../" steps, "/"
// separators, names compared as the file system does (samePath). A file to itself gives its
// name.
QString RelativePath(const QString &base, const QString &target);
int HexDigitValue(const QString &ch);
int HexByteValue(const QString &s);
// "#RRGGBB" of a 0x00BBGGRR colour; bits above the 24 colour bits are ignored.
QString ColorToHtml(int color);
// `start` is 1-based and may be corrected to 1 (the caller sees the change).
QString NextToken(const QString &text, int &start, const QString &separator);
// Whether two paths (or path segments) name the same thing, compared as the file system
// compares names: exactly on Linux, where "Case.htm" and "case.htm" are two files; without
// letter case on Windows and macOS.
bool samePath(const QString &a, const QString &b);
// The program's own folder.
QString programFolder();
