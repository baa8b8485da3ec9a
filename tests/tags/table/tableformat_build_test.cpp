#include "support/qstringprinter.h"
#include "tags/table/tableformat.h"

#include <gtest/gtest.h>

namespace {

struct TableCase
{
    const char *name;
    TableFields fields;
    const char *newTable; // start of a new table, caption line included
    const char *startTag; // the start tag alone, as the re-edit dialog builds it
};

TableFields withRules(TableFields fields, int option)
{
    fields.rulesChosen = true;
    fields.rulesOption = option;
    return fields;
}

TEST(TableFragments, StartTagsOfBothTableDialogs)
{
    TableFields borderWidthCaption;
    borderWidthCaption.border = QStringLiteral("1");
    borderWidthCaption.width = QStringLiteral("80");
    borderWidthCaption.widthPercent = true;
    borderWidthCaption.caption = QStringLiteral("売上");
    borderWidthCaption.captionBelow = true;

    TableFields all;
    all.border = QStringLiteral("2");
    all.borderColor = QStringLiteral("#FF0000");
    all.width = QStringLiteral("300");
    all.height = QStringLiteral("50");
    all.heightPercent = true;
    all.cellSpacing = QStringLiteral("3");
    all.cellPadding = QStringLiteral("4");
    all.align = QStringLiteral("中央揃え");

    TableFields unticked;
    unticked.rulesOption = int(TableRules::Cols);

    TableFields typedAlign;
    typedAlign.align = QStringLiteral("center");
    typedAlign.caption = QStringLiteral("上");

    const TableCase cases[] = {
        {"empty", {}, "<TABLE>\r\n", "<TABLE>"},
        {"border, width in percent, caption below", borderWidthCaption,
         "<TABLE border=\"1\" width=\"80%\">\r\n<CAPTION ALIGN=\"bottom\">売上</CAPTION>\r\n",
         "<TABLE border=\"1\" width=\"80%\">"},
        {"all boxes, rules between cellspacing and cellpadding", withRules(all, 1),
         "<TABLE border=\"2\" bordercolor=\"#FF0000\" width=\"300\" height=\"50%\" "
         "cellspacing=\"3\" rules=\"rows\" cellpadding=\"4\" align=\"center\">\r\n",
         "<TABLE border=\"2\" bordercolor=\"#FF0000\" width=\"300\" height=\"50%\" "
         "cellspacing=\"3\" cellpadding=\"4\" rules=\"rows\" align=\"center\">"},
        {"縦横両方", withRules({}, int(TableRules::All)), "<TABLE>\r\n", "<TABLE rules=\"all\">"},
        {"罫線無し", withRules({}, 0), "<TABLE rules=\"none\">\r\n", "<TABLE rules=\"none\">"},
        {"縦罫線のみ", withRules({}, 2), "<TABLE rules=\"cols\">\r\n", "<TABLE rules=\"cols\">"},
        {"ヘッダーのみ", withRules({}, 3), "<TABLE rules=\"groups\">\r\n",
         "<TABLE rules=\"groups\">"},
        {"rules box ticked, no option selected", withRules({}, -1), "<TABLE>\r\n", "<TABLE>"},
        {"rules box unticked", unticked, "<TABLE>\r\n", "<TABLE>"},
        {"typed position, caption above", typedAlign,
         "<TABLE>\r\n<CAPTION ALIGN=\"top\">上</CAPTION>\r\n", "<TABLE>"},
    };
    for (const TableCase &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(newTableStart(c.fields), QString::fromUtf8(c.newTable));
        EXPECT_EQ(tableStartTag(c.fields), QString::fromUtf8(c.startTag));
    }
}

TEST(TableFragments, GridOfRowsAndCells)
{
    const struct
    {
        int rows, cells;
        const char *grid;
    } cases[] = {
        {1, 1, "<TR>\r\n\t<TD></TD>\r\n</TR>\r\n</TABLE>\r\n"},
        {2, 3,
         "<TR>\r\n\t<TD></TD>\r\n\t<TD></TD>\r\n\t<TD></TD>\r\n</TR>\r\n"
         "<TR>\r\n\t<TD></TD>\r\n\t<TD></TD>\r\n\t<TD></TD>\r\n</TR>\r\n</TABLE>\r\n"},
        {0, 5, "</TABLE>\r\n"},
        {2, 0, "<TR>\r\n</TR>\r\n<TR>\r\n</TR>\r\n</TABLE>\r\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.rows) + "x" + std::to_string(c.cells));
        EXPECT_EQ(tableGrid(c.rows, c.cells), QString::fromUtf8(c.grid));
    }
}

TEST(TableFragments, RowStartTag)
{
    const struct
    {
        const char *align, *valign, *tag;
    } cases[] = {
        {"（なし）", "（なし）", "<TR>"},
        {"", "", "<TR>"},
        {"中央揃え", "中央揃え", "<TR align=\"center\" valign=\"middle\">"},
        {"右揃え", "下揃え", "<TR align=\"right\" valign=\"bottom\">"},
        {"（なし）", "上揃え", "<TR valign=\"top\">"},
        {"左揃え", "middle", "<TR align=\"left\">"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.tag);
        EXPECT_EQ(rowStartTag({QString::fromUtf8(c.align), QString::fromUtf8(c.valign)}),
                  QString::fromUtf8(c.tag));
    }
}

TEST(TableFragments, CellStartTag)
{
    CellFields header;
    header.header = true;
    CellFields full;
    full.bgColor = QStringLiteral("#00FF80");
    full.align = QStringLiteral("左揃え");
    full.valign = QStringLiteral("中央揃え");
    full.noWrap = true;
    full.colspan = QStringLiteral("2");
    full.rowspan = QStringLiteral("3");
    full.width = QStringLiteral("50");
    full.widthPercent = true;
    full.height = QStringLiteral("20");
    CellFields heightPercent;
    heightPercent.height = QStringLiteral("10");
    heightPercent.heightPercent = true;
    heightPercent.align = QStringLiteral("（なし）");

    const struct
    {
        const char *name;
        CellFields fields;
        const char *tag;
    } cases[] = {
        {"data cell", {}, "<TD>"},
        {"header cell", header, "<TH>"},
        {"every attribute in order", full,
         "<TD bgcolor=\"#00FF80\" align=\"left\" valign=\"middle\" nowrap colspan=\"2\" "
         "rowspan=\"3\" width=\"50%\" height=\"20\">"},
        {"height in percent", heightPercent, "<TD height=\"10%\">"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(cellStartTag(c.fields), QString::fromUtf8(c.tag));
    }
}

TEST(TableFragments, CountsAcceptOnlyWholeNumbersUpToTheLimit)
{
    const struct
    {
        const char *text;
        int count;
    } cases[] = {
        {"1", 1},    {"0", 0},     {"20", 20},          {"1000", 1000},  {" 7 ", 7}, {"３", 3},
        {"", -1},    {"  ", -1},   {"abc", -1},         {"2a", -1},      {"-1", -1}, {"+3", -1},
        {"1.5", -1}, {"1001", -1}, {"99999999999", -1}, {"1000000", -1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseTableCount(QString::fromUtf8(c.text)), c.count);
    }
}

} // namespace
