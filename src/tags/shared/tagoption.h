#pragma once

#include <QLatin1String>
#include <QList>
#include <QString>
#include <QStringList>

// What GetTagOption returns when the tag has no such option.
inline constexpr QLatin1String NoOpt{"No-Opt"};

// One attribute of a start tag as it stands in the text.
struct TagAttribute
{
    QString name;    // as spelled
    QString value;   // without its quotes; empty for a bare attribute
    bool hasValue = false;
    QString spelled; // the attribute's own text, from its name to the end of its value
};

// The attributes of the start tag at the beginning of `tag`, read as browsers read them: a
// name runs to a blank, "=", "/" or ">"; blanks may stand around "="; a value is in double
// quotes, in single quotes or bare up to a blank or ">"; an attribute without "=" is bare.
// Nothing inside a quoted value is taken for an attribute. Reading stops at the tag's ">".
QList<TagAttribute> readTagAttributes(const QString &tag);

// The value of attribute `name` (matched whole, without regard to case) of the start tag at
// the beginning of `tag`; the first occurrence wins. A bare attribute reads as an empty value.
// Returns NoOpt when the tag has no such attribute.
QString GetTagOption(const QString &tag, const QString &name);

// Where the start tag at the beginning of `tag` ends: the position of its ">" outside quoted
// values, or the length of the text when it has none.
qsizetype startTagEnd(const QString &tag);

// `newTag` (a start tag built by a dialog, possibly followed by more text) with every attribute
// of `oldTag` whose name is not in `managed` appended to its start tag, spelled as it was and
// in its order, after the dialog's own attributes. Names compare without regard to case.
QString keepUnmanagedAttributes(const QString &newTag, const QString &oldTag,
                                const QStringList &managed);

// `text` with every UTF-16 unit lower-cased on its own, so that positions in the copy are
// positions in the original.
QString lowerSameLength(const QString &text);
