#pragma once

#include <QString>

// The narrow-to-wide conversion of the Japanese code page: every single-byte character of
// Shift-JIS that has a double-byte form becomes that form. ASCII letters, digits and symbols
// go to U+FF01..U+FF5E, the blank to the ideographic space U+3000, half-width katakana and
// punctuation to their full-width forms, a katakana followed by a voiced or semi-voiced mark
// to the one combined character where Shift-JIS has it (ｶﾞ → ガ, ﾊﾟ → パ, ｳﾞ → ヴ).
// The bytes 0x5C and 0x7E are the yen sign and the overline of JIS X 0201 in Shift-JIS, and
// become ￥ (U+FFE5) and ￣ (U+FFE3). Line breaks, control characters and everything else stay.
QString toFullWidth(const QString &text);
