#pragma once

#include "tags/shared/attributewords.h"

#include <QString>
#include <QStringList>

// The font family's tags both ways: the FONT, heading and rule fragments built from their
// dialogs' values, and existing FONT, Hn and HR tags read back into the same values.

struct FontValues
{
    QString size; // "1" to "7", optionally preceded by "+" or "-", or anything typed
    QString face;
    QString color; // written in upper case
};

struct HeadingValues
{
    int level = 1; // 1 to 6
    QString align; // the drop-down's text: 左寄せ, 中央, 右寄せ or empty
};

struct RuleValues
{
    QString width;
    bool widthPercent = false;
    QString size;
    QString align = QStringLiteral("（なし）"); // the drop-down's text
    bool noShade = true;                        // the box 立体表示 unticked
};

// The entries of the font size drop-down: 1 to 7, then -1 to -7, then +1 to +7.
QStringList fontSizeEntries();
// The entries of the heading and rule alignment drop-downs, in their order.
QStringList headingAlignEntries();
QStringList ruleAlignEntries();

QString fontStartTag(const FontValues &values);
QString fontEndTag();
// "<Hn align=...>"; the level is kept within 1 to 6.
QString headingStartTag(const HeadingValues &values);
QString headingEndTag(int level);
// Whether the heading dialog accepts the alignment text: empty or one of its entries.
bool isHeadingAlignEntry(const QString &text);
QString ruleTag(const RuleValues &values);

// Existing tags read into the values their dialogs show. An attribute the tag lacks leaves its
// value as the dialog loads it; alignment words are read in any ASCII letter case (left, Left,
// LEFT), other words leave the drop-down as loaded.
FontValues readFontTag(const QString &tag);
// The level comes from the digit after "<h"; level 7 (which the dialog lacks) reads as 6.
HeadingValues readHeadingTag(const QString &tag);
RuleValues readHrTag(const QString &tag);

// The attributes each dialog manages; re-editing keeps every other attribute of the tag.
QStringList fontAttributeNames();
QStringList headingAttributeNames();
QStringList ruleAttributeNames();
// The attributes whose values are words, with their words.
QList<AttributeWords> fontAttributeWords();

// A whole heading element split into its start tag and its content (the text between the
// start tag and the final end tag "</hN>").
struct HeadingElement
{
    QString startTag;
    QString content;
};
HeadingElement splitHeadingElement(const QString &element);
