#pragma once

#include <QLatin1String>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// What GetTagOption returns when the tag has no such option.
inline constexpr QLatin1String NoOpt{"No-Opt"};

// One attribute of a start tag as it stands in the text.
struct TagAttribute
{
    QString name;  // as spelled
    QString value; // without its quotes, character references left as written; empty for a
                   // bare attribute
    bool hasValue = false;
    QString spelled;     // the attribute's own text, from its name to the end of its value
    qsizetype start = 0; // where `spelled` begins in the tag text
};

// The attributes of the start tag at the beginning of `tag`, read as an HTML tokenizer reads
// them: the tag name and an attribute name run to a blank, "/" or ">" (a name also stops at
// "="); a "/" between attributes separates them; blanks may stand around "="; a value is in
// double quotes, in single quotes or bare up to a blank or ">"; an attribute without "=" is
// bare. A quote opens a value only right after "=": elsewhere it is an ordinary character, as
// in the name of a stray `"`. Nothing inside a quoted value is taken for an attribute; reading
// stops at the tag's ">".
QList<TagAttribute> readTagAttributes(const QString &tag);

// The value of attribute `name` (matched whole; letters compared in ASCII case only) of the
// start tag at the beginning of `tag`; the first occurrence wins. A bare attribute reads as an
// empty value; "&quot;" in a value reads as the double quote it stands for. Returns NoOpt when
// the tag has no such attribute.
QString GetTagOption(const QString &tag, const QString &name);

// Where the start tag at the beginning of `tag` ends: the position of its ">" outside quoted
// values, or the length of the text when it has none.
qsizetype startTagEnd(const QString &tag);
// The same for the start tag whose "<" is at `from` in `text`; the answer is a position in
// `text`.
qsizetype startTagEndAt(QStringView text, qsizetype from);

// `newTag` (a start tag built by a dialog, possibly followed by more text) with every attribute
// of `oldTag` whose name is not in `managed` appended to its start tag, spelled as it was and
// in its order, after the dialog's own attributes. Names compare in ASCII case only.
QString keepUnmanagedAttributes(const QString &newTag, const QString &oldTag,
                                const QStringList &managed);

// What a re-edit writes in place of `oldTag`. `result` is the dialog's text after OK, and
// `untouched` what the dialog would have written had OK been pressed at once, before any
// change. Starting from `result`:
//  - an attribute the user left as the dialog showed it, which the dialog writes with another
//    value than `oldTag` had (a word it does not know, a value cut short, a spelling it cannot
//    hold), is written as `oldTag` spelled it;
//  - a managed attribute of `oldTag` that the dialog could not show at all (neither `untouched`
//    nor `result` writes it) comes back spelled as it was, as does every attribute whose name
//    is not in `managed`; these follow the dialog's own attributes, in their old order.
// An attribute the user removed or changed is written as the dialog writes it. Values compare
// with "&quot;" read as a quote; whether the dialog's value stands for the old one is decided by
// `sameMeaning` (attribute name, old value, the dialog's value), by default the same text
// without regard to ASCII case.
using SameMeaning = bool (*)(QStringView name, const QString &oldValue, const QString &written);
QString mergeReEditedTag(const QString &result, const QString &untouched, const QString &oldTag,
                         const QStringList &managed, SameMeaning sameMeaning = nullptr);

// `text` with ASCII letters lower-cased (upper-cased) and every other unit as it is, so that
// positions in the copy are positions in the original and no other letter becomes ASCII.
QString lowerSameLength(const QString &text);
QString asciiUpper(const QString &text);
// Whether `a` and `b` are the same text when ASCII letters are compared without case.
bool equalsAsciiCaseless(QStringView a, QStringView b);
bool startsWithAsciiCaseless(QStringView text, QStringView prefix);
bool endsWithAsciiCaseless(QStringView text, QStringView suffix);
// Whether `name` is in `names`, compared without ASCII case.
bool containsAsciiCaseless(const QStringList &names, QStringView name);

// "&quot;" in an attribute value replaced by the double quote it stands for.
QString decodedQuotes(const QString &value);
