#include "support/qstringprinter.h"
#include "tags/shared/tagformat.h"
#include "tags/table/tableformat.h"

#include <gtest/gtest.h>

namespace {

QString utf8(const char *text)
{
    return QString::fromUtf8(text);
}

TEST(TableFormatRead, TableTagFillsTheTableDialog)
{
    const TableFields full = readTableTag(
        QStringLiteral("<TABLE border=\"2\" width=\"80%\" rules=cols align=center>"));
    EXPECT_EQ(full.border, QStringLiteral("2"));
    EXPECT_EQ(full.width, QStringLiteral("80"));
    EXPECT_TRUE(full.widthPercent);
    EXPECT_EQ(full.height, QString());
    EXPECT_TRUE(full.rulesChosen);
    EXPECT_EQ(full.rulesOption, 2);
    EXPECT_EQ(full.align, utf8("中央揃え"));

    const struct
    {
        const char *tag;
        const char *border;
        const char *borderColor;
        const char *align;
        bool rules;
        int rulesOption;
    } cases[] = {
        {"<TABLE ALIGN=CENTER>", "", "", "中央揃え", false, 4},
        {"<TABLE align=justify>", "", "", "", false, 4},
        {"<TABLE align=right>", "", "", "右揃え", false, 4},
        {"<TABLE bordercolor=red>", "", "red", "", false, 4},
        // Names match whole: BORDERCOLOR is not BORDER.
        {"<TABLE bordercolor=\"#999999\" border=\"1\">", "1", "#999999", "", false, 4},
        {"<TABLE border=0 rules=none>", "0", "", "", true, 0},
        {"<TABLE rules=\"groups\">", "", "", "", true, 3},
        {"<TABLE rules=all>", "", "", "", true, 4},
        {"<TABLE rules=ROWS>", "", "", "", true, 1},
        // An unknown rules word ticks the box and leaves the option as loaded.
        {"<TABLE rules=row\u017F>", "", "", "", true, 4},
        {"<table title=\"border=9\" border=2>", "2", "", "", false, 4},
    };
    for (const auto &c : cases) {
        const TableFields fields = readTableTag(utf8(c.tag));
        EXPECT_EQ(fields.border, utf8(c.border)) << c.tag;
        EXPECT_EQ(fields.borderColor, utf8(c.borderColor)) << c.tag;
        EXPECT_EQ(fields.align, utf8(c.align)) << c.tag;
        EXPECT_EQ(fields.rulesChosen, c.rules) << c.tag;
        EXPECT_EQ(fields.rulesOption, c.rulesOption) << c.tag;
    }
}

TEST(TableFormatRead, RowAlignmentIsReadInAnyLetterCase)
{
    const struct
    {
        const char *tag;
        const char *align;
        const char *valign;
    } cases[] = {
        {"<TR ALIGN=CENTER>", "中央揃え", "（なし）"},
        {"<tr align=Right valign=Bottom>", "右揃え", "下揃え"},
        {"<TR align=\"left\" valign=\"MIDDLE\">", "左揃え", "中央揃え"},
        {"<TR align=cEnter valign=baseline>", "中央揃え", "（なし）"},
        // VALIGN is not ALIGN: each is read from its own attribute.
        {"<TR valign=top align=left>", "左揃え", "上揃え"},
        {"<TR align='right'>", "右揃え", "（なし）"},
    };
    for (const auto &c : cases) {
        const RowFields fields = readTrTag(utf8(c.tag));
        EXPECT_EQ(fields.align, utf8(c.align)) << c.tag;
        EXPECT_EQ(fields.valign, utf8(c.valign)) << c.tag;
    }
}

TEST(TableFormatRead, CellTagFillsTheCellDialog)
{
    const CellFields cell = readTdTag(QStringLiteral("<td bgcolor=#ffcc00 nowrap>"));
    EXPECT_FALSE(cell.header);
    EXPECT_TRUE(cell.noWrap);
    EXPECT_EQ(cell.bgColor, QStringLiteral("#FFCC00"));

    const CellFields sized = readTdTag(
        QStringLiteral("<Th colspan=\"2\" rowspan=3 width=\"50%\" height=40 align=CENTER>"));
    EXPECT_TRUE(sized.header);
    EXPECT_FALSE(sized.noWrap);
    EXPECT_EQ(sized.colspan, QStringLiteral("2"));
    EXPECT_EQ(sized.rowspan, QStringLiteral("3"));
    EXPECT_EQ(sized.width, QStringLiteral("50"));
    EXPECT_TRUE(sized.widthPercent);
    EXPECT_EQ(sized.height, QStringLiteral("40"));
    EXPECT_FALSE(sized.heightPercent);
    EXPECT_EQ(sized.align, utf8("中央揃え"));
    EXPECT_EQ(sized.bgColor, QString());

    // Nothing is read from inside another attribute's value.
    const CellFields styled
        = readTdTag(QStringLiteral("<td style=\"width:50%\" class=\"nowrap\">"));
    EXPECT_EQ(styled.width, QString());
    EXPECT_FALSE(styled.noWrap);
}

TEST(TableFormatRead, PercentSignMovesIntoTheCheckBox)
{
    const struct
    {
        const char *value;
        const char *text;
        bool percent;
    } cases[] = {{"80%", "80", true},   {"80", "80", false},     {"%", "", true},
                 {"80%%", "80%", true}, {"80％", "80％", false}, {"", "", false}};
    for (const auto &c : cases) {
        const SizeValue field = splitPercent(utf8(c.value));
        EXPECT_EQ(field.text, utf8(c.text)) << c.value;
        EXPECT_EQ(field.percent, c.percent) << c.value;
    }
}

// What a dialog builds, read back and built again, is the same tag.
TEST(TableFormatRead, BuildReadBuildIsTheSame)
{
    TableFields table;
    table.border = QStringLiteral("2");
    table.borderColor = QStringLiteral("#FF0000");
    table.width = QStringLiteral("80");
    table.widthPercent = true;
    table.height = QStringLiteral("40");
    table.cellSpacing = QStringLiteral("1");
    table.cellPadding = QStringLiteral("3");
    table.align = utf8("右揃え");
    for (int rules = 0; rules <= int(TableRules::All); ++rules) {
        table.rulesChosen = rules != 2;
        table.rulesOption = rules;
        const QString tag = tableStartTag(table);
        EXPECT_EQ(tableStartTag(readTableTag(tag)), tag) << tag.toStdString();
    }
    EXPECT_EQ(tableStartTag(readTableTag(tableStartTag({}))), QStringLiteral("<TABLE>"));

    const char *const aligns[] = {"左揃え", "中央揃え", "右揃え", "（なし）"};
    const char *const valigns[] = {"上揃え", "中央揃え", "下揃え", "（なし）"};
    for (const char *align : aligns) {
        for (const char *valign : valigns) {
            const QString row = rowStartTag({utf8(align), utf8(valign)});
            EXPECT_EQ(rowStartTag(readTrTag(row)), row) << row.toStdString();
            CellFields cell;
            cell.header = align == aligns[1];
            cell.align = utf8(align);
            cell.valign = utf8(valign);
            cell.bgColor = QStringLiteral("#00FF80");
            cell.noWrap = valign == valigns[0];
            cell.colspan = QStringLiteral("2");
            cell.height = QStringLiteral("10");
            cell.heightPercent = true;
            const QString tag = cellStartTag(cell);
            EXPECT_EQ(cellStartTag(readTdTag(tag)), tag) << tag.toStdString();
        }
    }
}

} // namespace
