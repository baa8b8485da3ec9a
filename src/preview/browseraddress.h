#pragma once

#include <QString>
#include <QUrl>

// What the browser window opens for an address typed or handed to it: an absolute path is
// the local file, anything else is read as the user would mean it in an address bar
// ("www.example.jp", "https://...", "file:///...").
QUrl browserUrl(const QString &address);

// How an opened page is written in the address list: a local file as its path, anything
// else as its full address.
QString addressText(const QUrl &url);
