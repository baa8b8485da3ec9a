#pragma once

#include <QLatin1String>
#include <QString>

// What GetTagOption returns when the tag has no such option.
inline constexpr QLatin1String NoOpt{"No-Opt"};

// Reads the value of option `name` from the tag text `tag`. The name is found as a plain
// substring anywhere in the tag, case-insensitively, and the first occurrence wins (so
// "ALIGN" is found inside "VALIGN"). The value starts after the first "=" that follows the
// name (at the tag's start when none follows), skips leading blanks and ends at a blank
// (space, tab or line break), at ">" or at the end of the text; one trailing and then one
// leading double quote are dropped, so a quoted value also ends at its first blank. Returns
// NoOpt when the name does not occur.
QString GetTagOption(const QString &tag, const QString &name);

// `text` with every UTF-16 unit lower-cased on its own, so that positions in the copy are
// positions in the original.
QString lowerSameLength(const QString &text);
