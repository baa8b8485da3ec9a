#pragma once

#include "tags/shared/tagoption.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <span>

// The pieces every tag family's format shares: a table of words (attribute value ↔ drop-down
// text) and a table of attributes, from which one builder writes the attributes of a values
// struct and one reader reads a tag back into the same struct.

// An attribute value and the drop-down text that stands for it ("left" ↔ "左揃え").
struct TagWord
{
    const char *value;
    const char *entry;
};
using TagWords = std::span<const TagWord>;

// How a reader matches a value against the words.
enum class WordCase {
    AnyCase, // "center" in any mix of ASCII cases, as browsers read keywords
    Exact    // only as written in the table ("a" and "A" are different list numbers)
};

// The attribute values of the words, in the table's order.
QStringList wordValues(TagWords words);

// The attribute value of a drop-down text; anything that is not one of the entries (（なし）,
// empty, typed text) gives an empty string.
QString wordValue(const QString &entry, TagWords words);
// The drop-down text of an attribute value, or nothing when the value is none of the words.
std::optional<QString> wordEntry(const QString &value, TagWords words, WordCase spelling);

// An attribute value in quotes, read back whole by any browser: in double quotes; a value
// holding a double quote goes in single quotes, or, when it holds both kinds, in double quotes
// with each double quote written &quot;.
QString quotedValue(const QString &value);

// ` name="value"` (with "%" when `percent`, quoted by quotedValue), or nothing for an empty
// value.
QString attributeText(const char *name, const QString &value, bool percent = false);

// A WIDTH or HEIGHT value: a trailing "%" moves from the text into the paired check box.
struct SizeValue
{
    QString text;
    bool percent = false;
};
SizeValue splitPercent(const QString &value);

// `text` with the full-width digits and signs an input method types (０-９, ＋, －, −) in
// their ASCII forms, everything else as it is; the length stays the same.
QString asciiNumberText(const QString &text);

// A count or size typed into a dialog: digits only (full-width ones too) around optional
// blanks, from 0 up to `maximum`; anything else, however long, is nothing.
std::optional<int> parseWholeNumber(const QString &text, int maximum);

// One attribute a dialog manages, tied to a member of the family's values struct.
template <class Values> struct TagAttributeRow
{
    enum Kind {
        Text, // the member's text as it stands
        Size, // text plus a percent flag
        Flag, // present (bare) or absent
        Word  // a drop-down text written as its attribute value
    };
    const char *name;
    Kind kind;
    QString Values::*text = nullptr;
    bool Values::*flag = nullptr; // Size: percent; Flag: presence
    TagWords words = {};
    WordCase spelling = WordCase::AnyCase;
    // Word: a value that is none of the words empties the drop-down instead of leaving it.
    bool unknownEmpties = false;
};
template <class Values> using TagAttributeTable = std::span<const TagAttributeRow<Values>>;

// The attributes of `values` in the table's order, each with a leading blank.
template <class Values>
QString buildAttributes(const Values &values, TagAttributeTable<Values> table)
{
    QString text;
    for (const auto &row : table) {
        switch (row.kind) {
        case TagAttributeRow<Values>::Text:
            text += attributeText(row.name, values.*row.text);
            break;
        case TagAttributeRow<Values>::Size:
            text += attributeText(row.name, values.*row.text, values.*row.flag);
            break;
        case TagAttributeRow<Values>::Flag:
            if (values.*row.flag)
                text += QLatin1Char(' ') + QLatin1String(row.name);
            break;
        case TagAttributeRow<Values>::Word:
            text += attributeText(row.name, wordValue(values.*row.text, row.words));
            break;
        }
    }
    return text;
}

// Reads the table's attributes of `tag` into `values`; an absent attribute leaves its member
// as it was (the dialog's default).
template <class Values>
void readAttributes(const QString &tag, TagAttributeTable<Values> table, Values &values)
{
    for (const auto &row : table) {
        const QString value = GetTagOption(tag, QLatin1String(row.name));
        if (value == NoOpt)
            continue;
        switch (row.kind) {
        case TagAttributeRow<Values>::Text: values.*row.text = value; break;
        case TagAttributeRow<Values>::Size: {
            const SizeValue size = splitPercent(value);
            values.*row.text = size.text;
            values.*row.flag = size.percent;
            break;
        }
        case TagAttributeRow<Values>::Flag: values.*row.flag = true; break;
        case TagAttributeRow<Values>::Word:
            if (const auto entry = wordEntry(value, row.words, row.spelling))
                values.*row.text = *entry;
            else if (row.unknownEmpties)
                values.*row.text = QString();
            break;
        }
    }
}

// A tag whose attributes are all in `table`, read into the dialog's defaults.
template <class Values> Values readTag(const QString &tag, TagAttributeTable<Values> table)
{
    Values values;
    readAttributes<Values>(tag, table, values);
    return values;
}

// The attribute names of the table, for keeping the attributes a dialog does not manage.
template <class Values> QStringList attributeNames(TagAttributeTable<Values> table)
{
    QStringList names;
    for (const auto &row : table)
        names << QLatin1String(row.name);
    return names;
}
