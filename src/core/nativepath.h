#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QUrl;

// File names as the file system gives them.
//
// A Linux file name is a string of bytes. Most are UTF-8, but names unpacked from old archives
// are often Shift-JIS, and Qt reads every name as UTF-8 and loses the bytes it cannot read.
// The program keeps such a byte in the path string as the reserved unit U+DC00 + byte, as the
// codecs keep the bytes of a text they cannot read. A path string made so goes through the
// program like any other (window captions aside, see displayPath) and turns back into the very
// bytes the file system gave when a file is opened, listed or written. A valid UTF-8 name gives
// the same string as Qt gives, so nothing changes for ordinary names.
//
// Such paths must reach the file system through nativePath and POSIX calls: Qt's file classes
// would write U+FFFD or "?" in place of the kept bytes.

// The path string of the bytes `native`: valid UTF-8 sequences read as their characters, each
// other byte as U+DC00 + byte.
QString pathFromNative(const QByteArray &native);
QString pathFromNative(const char *native);
// The bytes of `path` for the file system: kept bytes (U+DC80..U+DCFF) as themselves, all else
// as UTF-8. pathFromNative(nativePath(p)) == p for every path that pathFromNative made.
QByteArray nativePath(const QString &path);

// Whether `path` holds a byte that was kept because it is not UTF-8.
bool hasKeptBytes(const QString &path);
// The path for people to read (window captions, menus, messages): each kept byte is shown as
// "\x" and two upper-case hex digits, so the Shift-JIS name テスト.htm reads
// "\x83e\x83X\x83g.htm". Ordinary paths are returned as they are.
QString displayPath(const QString &path);

// The local file a "file:" address names, its percent-encoded bytes kept; empty for any other
// address.
QString localPathOf(const QUrl &url);
// The address written as `text`, kept bytes in it (a "file:" address given on a command line
// in the bytes of an old name) read as percent-encoded bytes.
QUrl urlOf(const QString &text);
// A "file:" address for `path` that carries its kept bytes percent-encoded.
QUrl fileUrlOf(const QString &path);

// The command line as the system gave it, each argument read by pathFromNative.
QStringList nativeArguments(int argc, const char *const *argv);
// The current folder, its kept bytes kept; empty when it cannot be read.
QString nativeCurrentFolder();
