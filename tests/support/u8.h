#pragma once

#include <QString>

// A QString of UTF-8 source text, for the Japanese in test tables.
inline QString u8(const char *text)
{
    return QString::fromUtf8(text);
}
