#include "document/widthconversion.h"

#include <QStringView>

namespace {

// The full-width forms of U+FF61..U+FF9F, in order.
constexpr QStringView HalfWidthKanaForms
    = u"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノ"
      u"ハヒフヘホマミムメモヤユヨラリルレロワン゛゜";
constexpr char16_t FirstHalfWidthKana = 0xFF61;
constexpr char16_t LastHalfWidthKana = 0xFF9F;
constexpr char16_t VoicedMark = 0xFF9E;
constexpr char16_t SemiVoicedMark = 0xFF9F;

// The kana whose voiced form follows them in the code chart, and those with a semi-voiced
// form two places on.
constexpr QStringView Voiceable = u"カキクケコサシスセソタチツテトハヒフヘホ";
constexpr QStringView SemiVoiceable = u"ハヒフヘホ";

char16_t fullWidthOf(char16_t c)
{
    switch (c) {
    case u' ': return 0x3000;
    case u'\\': return 0xFFE5; // ￥
    case u'~': return 0xFFE3;  // ￣
    default: break;
    }
    if (c >= 0x21 && c <= 0x7E)
        return char16_t(c - 0x21 + 0xFF01);
    if (c >= FirstHalfWidthKana && c <= LastHalfWidthKana)
        return HalfWidthKanaForms[c - FirstHalfWidthKana].unicode();
    return c;
}

// The full-width form `kana` of a half-width kana with the half-width `mark` as one character, or 0
// when Shift-JIS has no such character (ワ and ヲ with a voiced mark).
char16_t withMark(char16_t kana, char16_t mark)
{
    if (mark == VoicedMark) {
        if (kana == u'ウ')
            return u'ヴ';
        if (Voiceable.contains(QChar(kana)))
            return char16_t(kana + 1);
    } else if (mark == SemiVoicedMark && SemiVoiceable.contains(QChar(kana))) {
        return char16_t(kana + 2);
    }
    return 0;
}

} // namespace

QString toFullWidth(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const char16_t wide = fullWidthOf(c);
        // Only a half-width kana takes the mark that follows it.
        if (c >= FirstHalfWidthKana && c <= LastHalfWidthKana && i + 1 < text.size()) {
            if (const char16_t combined = withMark(wide, text[i + 1].unicode())) {
                out += QChar(combined);
                ++i;
                continue;
            }
        }
        out += QChar(wide);
    }
    return out;
}
