#pragma once

#include <QString>

// The program's own web pages, shipped inside the program and written out to its data folder
// on first use so that the built-in browser and an external browser can both open them
// without a network: the browser's home and search pages and the two sites of the Help menu.
enum class LocalPage { Home, Search, OrvineSite, TolvaneSite };

// Full path of the page's file, written out when missing or different; empty when the file
// cannot be written.
QString localPagePath(LocalPage page);

// The page the built-in browser's Search button opens: the stored search page, or the local
// one while none is stored.
QString searchPageAddress();
