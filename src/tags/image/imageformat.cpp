#include "tags/image/imageformat.h"

#include "tags/shared/tagformat.h"
#include "tags/shared/tagoption.h"

#include <QColor>

namespace {

constexpr TagWord TextPositionWords[] = {
    {"top", "最上部(&T)"},
    {"middle", "中央(&C)"},
    {"bottom", "最下部(&B)"},
    {"left", "回り込み（左イメージ）(&L)"},
    {"right", "回り込み（右イメージ）(&R)"},
};

using ImageRow = TagAttributeRow<ImageFields>;
const ImageRow ImageRows[] = {
    {"src", ImageRow::Text, &ImageFields::imageName},
    {"alt", ImageRow::Text, &ImageFields::alt},
    {"name", ImageRow::Text, &ImageFields::name},
    {"align", ImageRow::Word, &ImageFields::textPosition, nullptr, TextPositionWords},
    {"hspace", ImageRow::Text, &ImageFields::hspace},
    {"vspace", ImageRow::Text, &ImageFields::vspace},
    {"border", ImageRow::Text, &ImageFields::border},
    {"height", ImageRow::Text, &ImageFields::height},
    {"width", ImageRow::Text, &ImageFields::width},
};

using BodyRow = TagAttributeRow<BodyFields>;
const BodyRow BodyRows[] = {
    {"background", BodyRow::Text, &BodyFields::imageName},
    {"bgcolor", BodyRow::Text, &BodyFields::bgColor},
    {"text", BodyRow::Text, &BodyFields::textColor},
    {"alink", BodyRow::Text, &BodyFields::aLink},
    {"link", BodyRow::Text, &BodyFields::link},
    {"vlink", BodyRow::Text, &BodyFields::vLink},
};

} // namespace

QStringList imageTextPositions()
{
    QStringList captions{QStringLiteral("なし(&U)")};
    for (const TagWord &word : TextPositionWords)
        captions << QString::fromUtf8(word.entry);
    return captions;
}

QString imageTag(const ImageFields &fields)
{
    return QStringLiteral("<IMG") + buildAttributes<ImageFields>(fields, ImageRows)
           + QLatin1Char('>');
}

QString bodyStartTag(const BodyFields &fields)
{
    return QStringLiteral("<BODY") + buildAttributes<BodyFields>(fields, BodyRows)
           + QLatin1Char('>');
}

ImageFields readImgTag(const QString &tag)
{
    return readTag<ImageFields>(tag, ImageRows);
}

BodyFields readBodyTag(const QString &tag)
{
    return readTag<BodyFields>(tag, BodyRows);
}

QStringList imageAttributeNames()
{
    return attributeNames<ImageFields>(ImageRows);
}

QStringList bodyAttributeNames()
{
    return attributeNames<BodyFields>(BodyRows);
}

std::optional<int> parseHtmlColor(const QString &text)
{
    if (text.startsWith(QLatin1Char('#'))) {
        if (text.size() != 7 && text.size() != 4)
            return std::nullopt;
        int color = 0;
        for (qsizetype i = 1; i < text.size(); ++i) {
            const char16_t ch = text[i].unicode();
            int digit = -1;
            if (ch >= u'0' && ch <= u'9')
                digit = ch - u'0';
            else if (ch >= u'a' && ch <= u'f')
                digit = ch - u'a' + 10;
            else if (ch >= u'A' && ch <= u'F')
                digit = ch - u'A' + 10;
            if (digit < 0)
                return std::nullopt;
            // "#rgb" stands for "#rrggbb".
            color = text.size() == 4 ? color * 256 + digit * 17 : color * 16 + digit;
        }
        return color;
    }
    // Names are words of ASCII letters; QColor knows the HTML ones.
    if (text.isEmpty())
        return std::nullopt;
    for (const QChar c : text) {
        if (!((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')))
            return std::nullopt;
    }
    const QColor named = QColor::fromString(lowerSameLength(text));
    if (!named.isValid() || equalsAsciiCaseless(text, u"transparent"))
        return std::nullopt;
    return int(named.rgb() & 0xFFFFFF);
}

QList<AttributeWords> imageAttributeWords()
{
    return {{"IMG", "align", wordValues(TextPositionWords)}};
}
