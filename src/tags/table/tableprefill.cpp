#include "tags/table/tableprefill.h"

#include "tags/shared/tagoption.h"

#include <array>

namespace {

struct Word
{
    const char *value;
    const char *entry;
};

std::optional<QString> lookUp(const std::array<Word, 3> &words, const QString &value,
                              WordCase spelling)
{
    for (const Word &word : words) {
        const QString lower = QLatin1String(word.value);
        bool match = value == lower;
        if (spelling == WordCase::ThreeSpellings) {
            const QString capitalised = lower.left(1).toUpper() + lower.mid(1);
            match = match || value == capitalised || value == lower.toUpper();
        }
        if (match)
            return QString::fromUtf8(word.entry);
    }
    return std::nullopt;
}

// The option's value, or nothing when the tag does not have it.
std::optional<QString> option(const QString &tag, const char *name)
{
    const QString value = GetTagOption(tag, QLatin1String(name));
    if (value == NoOpt)
        return std::nullopt;
    return value;
}

std::optional<SizeField> sizeOption(const QString &tag, const char *name)
{
    if (const auto value = option(tag, name))
        return splitPercent(*value);
    return std::nullopt;
}

} // namespace

SizeField splitPercent(const QString &value)
{
    if (value.endsWith(QLatin1Char('%')))
        return {value.chopped(1), true};
    return {value, false};
}

std::optional<QString> alignEntry(const QString &value, WordCase spelling)
{
    static constexpr std::array<Word, 3> words{
        {{"right", "右揃え"}, {"center", "中央揃え"}, {"left", "左揃え"}}};
    return lookUp(words, value, spelling);
}

std::optional<QString> valignEntry(const QString &value, WordCase spelling)
{
    static constexpr std::array<Word, 3> words{
        {{"top", "上揃え"}, {"middle", "中央揃え"}, {"bottom", "下揃え"}}};
    return lookUp(words, value, spelling);
}

TablePrefill readTableTag(const QString &tag)
{
    TablePrefill fields;
    // Presence needs "BORDER=" so that BORDERCOLOR alone does not count; the value is then
    // read at the first BORDER, which may well be the one inside BORDERCOLOR.
    if (option(tag, "BORDER="))
        fields.txtBorder = option(tag, "BORDER");
    fields.width = sizeOption(tag, "WIDTH");
    fields.height = sizeOption(tag, "HEIGHT");
    fields.txtCellspacing = option(tag, "CELLSPACING");
    fields.txtBorderColor = option(tag, "BORDERCOLOR");
    if (const auto rules = option(tag, "RULES")) {
        fields.chkRules = true;
        static const std::array<QLatin1String, 5> values{
            QLatin1String("none"), QLatin1String("rows"), QLatin1String("cols"),
            QLatin1String("groups"), QLatin1String("all")};
        for (int i = 0; i < int(values.size()); ++i) {
            if (*rules == values[i])
                fields.optRules = i;
        }
    }
    fields.txtCellPadding = option(tag, "CELLPADDING");
    if (const auto align = option(tag, "ALIGN"))
        fields.cmbAlign = alignEntry(*align, WordCase::LowerOnly).value_or(QString());
    return fields;
}

RowPrefill readTrTag(const QString &tag)
{
    RowPrefill fields;
    if (const auto align = option(tag, "ALIGN"))
        fields.cboAlign = alignEntry(*align, WordCase::ThreeSpellings);
    if (const auto valign = option(tag, "VALIGN"))
        fields.cboValign = valignEntry(*valign, WordCase::ThreeSpellings);
    return fields;
}

CellPrefill readTdTag(const QString &tag)
{
    CellPrefill fields;
    fields.chkTH = tag.startsWith(QLatin1String("<TH")) || tag.startsWith(QLatin1String("<th"))
        || tag.startsWith(QLatin1String("<Th"));
    fields.alignment = readTrTag(tag);
    fields.chkWrap = option(tag, "NOWRAP").has_value();
    fields.width = sizeOption(tag, "WIDTH");
    fields.height = sizeOption(tag, "HEIGHT");
    if (const auto bgcolor = option(tag, "BGCOLOR"))
        fields.txtBgcolor = bgcolor->toUpper();
    fields.txtColspan = option(tag, "COLSPAN");
    fields.txtRowspan = option(tag, "ROWSPAN");
    return fields;
}

QString leadingStartTag(const QString &selText)
{
    const qsizetype close = selText.indexOf(QLatin1Char('>'));
    return close < 0 ? selText : selText.left(close + 1);
}
