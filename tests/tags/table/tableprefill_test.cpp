#include "tags/table/tableprefill.h"

#include <gtest/gtest.h>

namespace {

using Text = std::optional<QString>;

Text text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

TEST(TablePrefill, TableTagFillsTheTableDialog)
{
    const TablePrefill full = readTableTag(
        QStringLiteral("<TABLE border=\"2\" width=\"80%\" rules=cols align=center>"));
    EXPECT_EQ(full.txtBorder, text("2"));
    ASSERT_TRUE(full.width);
    EXPECT_EQ(full.width->text, QStringLiteral("80"));
    EXPECT_TRUE(full.width->percent);
    EXPECT_FALSE(full.height);
    EXPECT_TRUE(full.chkRules);
    EXPECT_EQ(full.optRules, 2);
    EXPECT_EQ(full.cmbAlign, text("中央揃え"));

    const struct
    {
        const char *tag;
        Text border;
        Text borderColor;
        Text align;
        bool rules;
        std::optional<int> rulesOption;
    } cases[] = {
        {"<TABLE ALIGN=CENTER>", {}, {}, text(""), false, {}},
        {"<TABLE align=right>", {}, {}, text("右揃え"), false, {}},
        {"<TABLE bordercolor=red>", {}, text("red"), {}, false, {}},
        {"<TABLE bordercolor=red border=2>", text("red"), text("red"), {}, false, {}},
        {"<TABLE border=0 rules=none>", text("0"), {}, {}, true, 0},
        {"<TABLE rules=\"groups\">", {}, {}, {}, true, 3},
        {"<TABLE rules=all>", {}, {}, {}, true, 4},
        {"<TABLE rules=ROWS>", {}, {}, {}, true, {}},
    };
    for (const auto &c : cases) {
        const TablePrefill fields = readTableTag(QString::fromUtf8(c.tag));
        EXPECT_EQ(fields.txtBorder, c.border) << c.tag;
        EXPECT_EQ(fields.txtBorderColor, c.borderColor) << c.tag;
        EXPECT_EQ(fields.cmbAlign, c.align) << c.tag;
        EXPECT_EQ(fields.chkRules, c.rules) << c.tag;
        EXPECT_EQ(fields.optRules, c.rulesOption) << c.tag;
    }
}

TEST(TablePrefill, RowAlignmentAcceptsThreeSpellings)
{
    const struct
    {
        const char *tag;
        Text align;
        Text valign;
    } cases[] = {
        {"<TR ALIGN=CENTER>", text("中央揃え"), {}},
        {"<tr align=Right valign=Bottom>", text("右揃え"), text("下揃え")},
        {"<TR align=\"left\" valign=\"MIDDLE\">", text("左揃え"), text("中央揃え")},
        {"<TR align=cEnter valign=baseline>", {}, {}},
        // ALIGN is found inside VALIGN first.
        {"<TR valign=top align=left>", {}, text("上揃え")},
    };
    for (const auto &c : cases) {
        const RowPrefill fields = readTrTag(QString::fromUtf8(c.tag));
        EXPECT_EQ(fields.cboAlign, c.align) << c.tag;
        EXPECT_EQ(fields.cboValign, c.valign) << c.tag;
    }
}

TEST(TablePrefill, CellTagFillsTheCellDialog)
{
    const CellPrefill cell = readTdTag(QStringLiteral("<td bgcolor=#ffcc00 nowrap>"));
    EXPECT_FALSE(cell.chkTH);
    EXPECT_TRUE(cell.chkWrap);
    EXPECT_EQ(cell.txtBgcolor, text("#FFCC00"));

    const CellPrefill sized = readTdTag(
        QStringLiteral("<Th colspan=\"2\" rowspan=3 width=\"50%\" height=40 align=CENTER>"));
    EXPECT_TRUE(sized.chkTH);
    EXPECT_FALSE(sized.chkWrap);
    EXPECT_EQ(sized.txtColspan, text("2"));
    EXPECT_EQ(sized.txtRowspan, text("3"));
    ASSERT_TRUE(sized.width && sized.height);
    EXPECT_EQ(sized.width->text, QStringLiteral("50"));
    EXPECT_TRUE(sized.width->percent);
    EXPECT_EQ(sized.height->text, QStringLiteral("40"));
    EXPECT_FALSE(sized.height->percent);
    EXPECT_EQ(sized.alignment.cboAlign, text("中央揃え"));
    EXPECT_FALSE(sized.txtBgcolor);
}

TEST(TablePrefill, PercentSignMovesIntoTheCheckBox)
{
    const struct
    {
        const char *value;
        const char *text;
        bool percent;
    } cases[] = {{"80%", "80", true}, {"80", "80", false}, {"%", "", true},
                 {"80%%", "80%", true}, {"80％", "80％", false}, {"", "", false}};
    for (const auto &c : cases) {
        const SizeField field = splitPercent(QString::fromUtf8(c.value));
        EXPECT_EQ(field.text, QString::fromUtf8(c.text)) << c.value;
        EXPECT_EQ(field.percent, c.percent) << c.value;
    }
}

TEST(TablePrefill, StartTagOfAWholeCell)
{
    EXPECT_EQ(leadingStartTag(QStringLiteral("<TD width=1>x</TD>")), QStringLiteral("<TD width=1>"));
    EXPECT_EQ(leadingStartTag(QStringLiteral("<TD>")), QStringLiteral("<TD>"));
    EXPECT_EQ(leadingStartTag(QStringLiteral("<TD")), QStringLiteral("<TD"));
}

} // namespace
