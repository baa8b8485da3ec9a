#pragma once

#include "tags/shared/attributewords.h"

#include <QString>
#include <QStringList>

// The table family's tags both ways: the fragments of the table dialogs built from their
// values, and existing TABLE, TR, TD and TH start tags read back into the same values.
// Attribute values are written as typed, in double quotes; an empty box leaves its attribute
// out.

// The rules options, in the order of the dialogs' option buttons.
enum class TableRules { None, Rows, Cols, Groups, All };

struct TableFields
{
    QString border;
    QString borderColor;
    QString width;
    bool widthPercent = false;
    QString height;
    bool heightPercent = false;
    QString cellSpacing;
    QString cellPadding;
    bool rulesChosen = false;               // the rules box is ticked
    int rulesOption = int(TableRules::All); // the selected option, -1 when none
    QString align;                          // the drop-down's text
    QString caption;
    bool captionBelow = false;
};

// The text of the row and cell dialogs' alignment drop-downs before a choice.
QString noAlignment();

struct RowFields
{
    QString align = noAlignment();  // drop-down text
    QString valign = noAlignment(); // drop-down text
};

struct CellFields
{
    bool header = false;
    QString bgColor;
    QString align = noAlignment();  // drop-down text
    QString valign = noAlignment(); // drop-down text
    bool noWrap = false;
    QString colspan;
    QString rowspan;
    QString width;
    bool widthPercent = false;
    QString height;
    bool heightPercent = false;
};

// The attribute value of an alignment drop-down's text: "左揃え" left, "中央揃え" center,
// "右揃え" right; anything else (（なし）, empty, typed text) gives an empty string.
QString horizontalAlignValue(const QString &entry);
// "上揃え" top, "中央揃え" middle, "下揃え" bottom; anything else empty.
QString verticalAlignValue(const QString &entry);

// The start tag of a new table, CR LF, and the caption line when there is a caption. With the
// option 縦横両方 no rules attribute is written.
QString newTableStart(const TableFields &fields);
// A TABLE start tag alone (no line break, the caption ignored); cellpadding comes before
// rules, and 縦横両方 writes rules="all".
QString tableStartTag(const TableFields &fields);
// `rows` rows of `cells` empty cells, each cell on its own tab-indented line, then the end
// tag of the table; every line ends in CR LF.
QString tableGrid(int rows, int cells);
// <TR align="..." valign="..."> from the two drop-down texts.
QString rowStartTag(const RowFields &fields);
QString cellStartTag(const CellFields &fields);
// "</TH>" for a header cell, "</TD>" otherwise.
QString cellEndTag(bool header);

// Existing start tags read into the values their dialogs show. An attribute the tag lacks
// leaves its value as the dialog loads it. Alignment and rules words are read in any ASCII
// letter case; an unknown alignment word empties TABLE's drop-down and leaves those of TR, TD
// and TH as they were. A cell's background colour reads in upper case.
TableFields readTableTag(const QString &tag);
RowFields readTrTag(const QString &tag);
CellFields readTdTag(const QString &tag);

// The attributes each dialog manages; re-editing keeps every other attribute of the tag.
QStringList tableAttributeNames();
QStringList rowAttributeNames();
QStringList cellAttributeNames();
// The attributes whose values are words, with their words.
QList<AttributeWords> tableAttributeWords();

// Row and cell counts of a new table: a whole number from 0 to MaxTableCount, written in
// digits (full-width digits too, blanks around it allowed); at most MaxTableCells cells in all.
constexpr int MaxTableCount = 1000;
constexpr int MaxTableCells = 10000;
// The count in `text`, or -1 when it is empty, not a whole number or beyond MaxTableCount.
int parseTableCount(const QString &text);
