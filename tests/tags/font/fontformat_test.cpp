#include "tags/font/fontformat.h"

#include "support/qstringprinter.h"
#include "support/u8.h"

#include <gtest/gtest.h>

namespace {

TEST(FontFormat, FontTagWritesSizeFaceAndColourInThatOrder)
{
    const struct
    {
        const char *name;
        FontValues values;
        const char *tag;
    } cases[] = {
        {"nothing", {}, "<FONT>"},
        {"all three, colour upper-cased",
         {"+2", u8("ＭＳ 明朝"), "#ff00aa"},
         "<FONT size=\"+2\" face=\"ＭＳ 明朝\" color=\"#FF00AA\">"},
        {"size only", {"-1", "", ""}, "<FONT size=\"-1\">"},
        {"colour name", {"", "", "red"}, "<FONT color=\"RED\">"},
        {"face only", {"", "Arial", ""}, "<FONT face=\"Arial\">"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(fontStartTag(c.values), u8(c.tag)) << c.name;
}

TEST(FontFormat, SizeEntriesArePlainThenMinusThenPlus)
{
    const QStringList entries = fontSizeEntries();
    ASSERT_EQ(entries.size(), 21);
    EXPECT_EQ(entries.first(), QStringLiteral("1"));
    EXPECT_EQ(entries[6], QStringLiteral("7"));
    EXPECT_EQ(entries[7], QStringLiteral("-1"));
    EXPECT_EQ(entries[14], QStringLiteral("+1"));
    EXPECT_EQ(entries.last(), QStringLiteral("+7"));
}

TEST(FontFormat, HeadingTagsAndTheirAlignment)
{
    const struct
    {
        const char *name;
        HeadingValues values;
        const char *tag;
        const char *end;
    } cases[] = {
        {"H1 plain", {1, ""}, "<H1>", "</H1>"},
        {"H2 centred", {2, u8("中央")}, "<H2 align=\"center\">", "</H2>"},
        {"H6 right", {6, u8("右寄せ")}, "<H6 align=\"right\">", "</H6>"},
        {"H3 left", {3, u8("左寄せ")}, "<H3 align=\"left\">", "</H3>"},
        {"level beyond 6 kept at 6", {9, ""}, "<H6>", "</H6>"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(headingStartTag(c.values), u8(c.tag)) << c.name;
        EXPECT_EQ(headingEndTag(c.values.level), u8(c.end)) << c.name;
    }
    EXPECT_TRUE(isHeadingAlignEntry(QString()));
    EXPECT_TRUE(isHeadingAlignEntry(u8("中央")));
    EXPECT_FALSE(isHeadingAlignEntry(u8("middle")));
    EXPECT_FALSE(isHeadingAlignEntry(u8("中央揃え")));
}

TEST(FontFormat, RuleTagsEndInNoshadeUnlessShaded)
{
    const struct
    {
        const char *name;
        RuleValues values;
        const char *tag;
    } cases[] = {
        {"loaded dialog", {}, "<HR noshade>"},
        {"percent width and size",
         {"50", true, "3", u8("（なし）"), true},
         "<HR width=\"50%\" size=\"3\" noshade>"},
        {"shaded", {"200", false, "", u8("（なし）"), false}, "<HR width=\"200\">"},
        {"centred", {"", false, "", u8("中央揃え"), false}, "<HR align=\"center\">"},
        {"right", {"", false, "2", u8("右揃え"), true}, "<HR size=\"2\" align=\"right\" noshade>"},
        {"typed alignment writes nothing", {"", false, "", u8("middle"), false}, "<HR>"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ruleTag(c.values), u8(c.tag)) << c.name;
}

TEST(FontFormat, HandWrittenTagsReadIntoTheirValues)
{
    const FontValues font = readFontTag(u8("<font color=\"#ff0000\" size=5>"));
    EXPECT_EQ(font.color, u8("#FF0000"));
    EXPECT_EQ(font.size, u8("5"));
    EXPECT_EQ(font.face, QString());
    const FontValues quoted = readFontTag(u8("<FONT\r\n FACE='Times New Roman' SIZE=+1>"));
    EXPECT_EQ(quoted.face, u8("Times New Roman"));
    EXPECT_EQ(quoted.size, u8("+1"));

    const struct
    {
        const char *tag;
        int level;
        const char *align;
    } headings[] = {
        {"<h3 align=center>", 3, "中央"},  {"<H1 ALIGN=\"LEFT\">", 1, "左寄せ"},
        {"<h2 align=Right>", 2, "右寄せ"}, {"<h4 align=rIGHT>", 4, "右寄せ"}, // any letter case
        {"<h4 align=r\u0131ght>", 4, ""}, // a dotless i is no ASCII letter
        {"<h5 align=justify>", 5, ""},     {"<h7>", 6, ""},
    };
    for (const auto &h : headings) {
        const HeadingValues values = readHeadingTag(u8(h.tag));
        EXPECT_EQ(values.level, h.level) << h.tag;
        EXPECT_EQ(values.align, u8(h.align)) << h.tag;
    }

    const RuleValues rule = readHrTag(u8("<hr width=\"50%\" noshade>"));
    EXPECT_EQ(rule.width, u8("50"));
    EXPECT_TRUE(rule.widthPercent);
    EXPECT_TRUE(rule.noShade);
    const RuleValues bare = readHrTag(u8("<HR>"));
    EXPECT_FALSE(bare.noShade);
    EXPECT_EQ(bare.align, u8("（なし）"));
    const RuleValues aligned = readHrTag(u8("<Hr Size=4 Align=CENTER class=x>"));
    EXPECT_EQ(aligned.size, u8("4"));
    EXPECT_EQ(aligned.align, u8("中央揃え"));
}

TEST(FontFormat, BuiltTagsReadBackToTheSameTag)
{
    const FontValues fonts[]
        = {{"+3", "Arial", "#00FF00"}, {"7", "", ""}, {"", u8("游ゴシック"), "blue"}};
    for (const FontValues &values : fonts) {
        const QString tag = fontStartTag(values);
        EXPECT_EQ(fontStartTag(readFontTag(tag)), tag);
    }
    for (int level = 1; level <= 6; ++level) {
        for (const QString &align : headingAlignEntries() + QStringList{QString()}) {
            const QString tag = headingStartTag({level, align});
            EXPECT_EQ(headingStartTag(readHeadingTag(tag)), tag);
        }
    }
    const RuleValues rules[]
        = {{}, {"80", true, "5", u8("左揃え"), false}, {"", false, "1", u8("右揃え"), true}};
    for (const RuleValues &values : rules) {
        const QString tag = ruleTag(values);
        EXPECT_EQ(ruleTag(readHrTag(tag)), tag);
    }
}

TEST(FontFormat, HeadingElementSplitsIntoStartTagAndContent)
{
    const struct
    {
        const char *element, *startTag, *content;
    } cases[] = {
        {"<h3 align=center>Title</h3>", "<h3 align=center>", "Title"},
        {"<H1 title=\"a>b\">x<b>y</b></H1>", "<H1 title=\"a>b\">", "x<b>y</b>"},
        {"<h2></h2>", "<h2>", ""},
        {"<h2>\r\nline\r\n</h2>", "<h2>", "\r\nline\r\n"},
    };
    for (const auto &c : cases) {
        const HeadingElement element = splitHeadingElement(u8(c.element));
        EXPECT_EQ(element.startTag, u8(c.startTag)) << c.element;
        EXPECT_EQ(element.content, u8(c.content)) << c.element;
    }
}

} // namespace
