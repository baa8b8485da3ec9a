#pragma once

#include <QHash>

#include <array>

// JIS X 0208 (with the NEC row 13), JIS X 0201 katakana and JIS X 0212 (with the IBM
// extensions) as glibc's iconv reads EUC-JP, standard forms first and the Windows forms of
// "EUC-JP-MS" where the standard has none. Only codes whose character is written back as the
// same code are kept, so a character has exactly one code.
struct JisTables
{
    static constexpr char16_t none = 0xFFFF;
    // EUC-JP two-byte codes (lead 0x8E or 0xA1..0xFE) → character
    std::array<char16_t, 0x10000> twoByte;
    // EUC-JP three-byte codes 0x8F b2 b3, indexed b2 << 8 | b3 → character
    std::array<char16_t, 0x10000> threeByte;
    // character → its EUC-JP code: two bytes below 0x10000, three (0x8F....) above
    QHash<char16_t, quint32> eucCode;
};

const JisTables &jisTables();
