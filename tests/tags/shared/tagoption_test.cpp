#include "tags/shared/tagoption.h"

#include "support/qstringprinter.h"

#include <gtest/gtest.h>

namespace {

struct OptionCase
{
    const char *tag;
    const char *name;
    const char *expected;
};

TEST(GetTagOption, ReadsAttributesAsBrowsersDo)
{
    const OptionCase cases[] = {
        {"<TABLE border=1 width=\"80%\">", "BORDER", "1"},
        {"<TABLE border=1 width=\"80%\">", "WIDTH", "80%"},
        {"<TABLE border=1 width=\"80%\">", "ALIGN", "No-Opt"},
        // A bare attribute is present with an empty value.
        {"<td nowrap>", "NOWRAP", ""},
        {"<TD nowrap", "NOWRAP", ""},
        {"<TABLE border>", "border", ""},
        // Names match whole, without regard to case.
        {"<TD VALIGN=top ALIGN=left>", "ALIGN", "left"},
        {"<TD VALIGN=top>", "ALIGN", "No-Opt"},
        {"<TABLE bordercolor=red border=2>", "BORDER", "2"},
        {"<TABLE bordercolor=red>", "BORDER", "No-Opt"},
        // Nothing is found inside another attribute's value.
        {"<TD title=\"width=9\" align=left>", "WIDTH", "No-Opt"},
        {"<TD class=\"nowrap\">", "NOWRAP", "No-Opt"},
        {"<TD style=\"width:50%\">", "WIDTH", "No-Opt"},
        {"<TD style='a b' title=\"x > y\" width=3>", "WIDTH", "3"},
        // Double quotes, single quotes or bare; a quoted value keeps its blanks.
        {"<IMG ALT=\"a b\">", "ALT", "a b"},
        {"<A HREF='x.html'>", "href", "x.html"},
        {"<A HREF='say \"hi\"'>", "href", "say \"hi\""},
        {"<IMG ALT=\"\">", "ALT", ""},
        {"<IMG ALT=\">", "ALT", ">"},
        // Blanks around "=".
        {"<TD WIDTH = \"50%\">", "width", "50%"},
        {"<TD WIDTH =\r\n 7>", "WIDTH", "7"},
        // Tabs and line breaks separate attributes like spaces.
        {"<TD\tWIDTH=5\tALIGN=left>", "ALIGN", "left"},
        {"<TABLE border=1\r\nwidth=\"80%\"\r\n>", "WIDTH", "80%"},
        {"<TD width=", "WIDTH", ""},
        {"<TD width=50", "WIDTH", "50"},
        // The first occurrence wins.
        {"<TD width=1 WIDTH=2>", "width", "1"},
        // Values keep their case and may be any text.
        {"<IMG ALT=\"日本語の 説明\" SRC=Ａ.gif>", "alt", "日本語の 説明"},
        {"<IMG ALT=\"日本語の説明\" SRC=Ａ.gif>", "SRC", "Ａ.gif"},
        {"<FONT FACE=ＭＳ　ゴシック>", "FACE", "ＭＳ　ゴシック"},
        {"<A HREF=\"x.html\">", "target", "No-Opt"},
        // Only the first start tag is read.
        {"<TD>x</TD><TD width=4>", "WIDTH", "No-Opt"},
        {"<BR/>", "BR", "No-Opt"},
    };
    for (const OptionCase &c : cases) {
        EXPECT_EQ(GetTagOption(QString::fromUtf8(c.tag), QString::fromUtf8(c.name)),
                  QString::fromUtf8(c.expected))
            << c.tag << " / " << c.name;
    }
}

TEST(KeepUnmanagedAttributes, UnknownAttributesComeBackAsTheyWereSpelled)
{
    const struct
    {
        const char *name;
        const char *oldTag;
        const char *newTag;
        const char *expected;
    } cases[] = {
        {"nothing unknown", "<TD width=\"50%\">", "<TD width=\"40%\">", "<TD width=\"40%\">"},
        {"after the dialog's attributes, in their order and spelling",
         "<td class=\"price\" style=\"color:red\" width=\"50%\" valign=\"top\" align=\"left\">",
         "<TD align=\"left\" valign=\"top\" width=\"50%\">",
         "<TD align=\"left\" valign=\"top\" width=\"50%\" class=\"price\" style=\"color:red\">"},
        {"bare, single-quoted and unquoted", "<TD id=a1 title='x y' hidden onclick=\"f(1)\">",
         "<TD>", "<TD id=a1 title='x y' hidden onclick=\"f(1)\">"},
        {"managed names compare without case", "<TD WIDTH=3 Class=k>", "<TD>", "<TD Class=k>"},
        {"the new text goes on after its start tag", "<TD id=x>", "<TD>x</TD>", "<TD id=x>x</TD>"},
        {"a line break inside the old tag", "<TD\r\nclass=\"a\"\r\nwidth=1>", "<TD>", "<TD class=\"a\">"},
    };
    const QStringList managed = {QStringLiteral("width"), QStringLiteral("align"),
                                 QStringLiteral("valign")};
    for (const auto &c : cases) {
        EXPECT_EQ(keepUnmanagedAttributes(QString::fromUtf8(c.newTag), QString::fromUtf8(c.oldTag), managed),
                  QString::fromUtf8(c.expected))
            << c.name;
    }
}

TEST(StartTagEnd, EndsAtTheFirstCloseOutsideQuotes)
{
    const struct
    {
        const char *text;
        int end;
    } cases[] = {{"<TD>", 3}, {"<TD title=\"a>b\">x", 15}, {"<TD", 3}, {"<A b='>'>", 8}};
    for (const auto &c : cases)
        EXPECT_EQ(startTagEnd(QString::fromUtf8(c.text)), c.end) << c.text;
}

TEST(GetTagOption, PositionsSurviveCharactersWhoseLowerCaseIsLonger)
{
    // U+0130 lower-cases to two characters in full case mapping; positions must not shift.
    const QString tag = QStringLiteral("<IMG ALT=\u0130\u0130\u0130 WIDTH=4>");
    EXPECT_EQ(GetTagOption(tag, QStringLiteral("WIDTH")), QStringLiteral("4"));
}

} // namespace
