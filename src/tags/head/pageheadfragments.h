#pragma once

#include <QString>
#include <QStringList>

#include <array>

// The fragments of the page-head dialogs, built from the dialogs' field values.

// <META name="name" content="content"> followed by CR LF.
QString metaNameTag(const QString &name, const QString &content);
// The non-empty keywords in order, joined by "," (no doubled or trailing commas).
QString joinKeywords(const QStringList &keywords);
// <META http-equiv="refresh" content="seconds;URL=url"> (";URL=" only with a URL); no line break.
QString refreshTag(const QString &seconds, const QString &url);
// <BASE href="url" target="target"> (target only when given); no line break.
QString baseHrefTag(const QString &url, const QString &target);
// <A name="name">text</A>
QString nameAnchor(const QString &name, const QString &text);

// The server URL history: ten slots, slot 0 the newest.
using UrlHistory = std::array<QString, 10>;
// The history after `entered` was used: it becomes slot 0, the old slots 0 to 8 that differ
// from it follow in order, the rest are empty; old slot 9 always falls out.
UrlHistory updatedUrlHistory(const UrlHistory &old, const QString &entered);
