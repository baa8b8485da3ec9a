#pragma once

#include <QString>

// True for a real folder (not a link to one) owned by this program's user with mode 0700:
// nobody else can put a lock or a socket there, nor read what is put there.
bool isPrivateFolder(const QString &path);

// The folder for the lock and the hand-over socket, reachable by this user only:
// `xdgRuntimeDir` (XDG_RUNTIME_DIR) when it is private; else "runtime-<user>" in `tempFolder`,
// the name other programs use without XDG_RUNTIME_DIR, when it is private or can be made so;
// else the first of "orvine-<uid>", "orvine-<uid>-1" … "orvine-<uid>-9" in `tempFolder` that
// is private or can be made. A folder someone else made, or one others may write to, is never
// used; empty when none of them will do.
QString privateRuntimeFolder(const QString &xdgRuntimeDir, const QString &tempFolder);
