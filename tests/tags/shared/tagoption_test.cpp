#include "tags/shared/tagoption.h"

#include <gtest/gtest.h>

namespace {

struct OptionCase
{
    const char *tag;
    const char *name;
    const char *expected;
};

TEST(GetTagOption, ReadsValuesWithTheirQuirks)
{
    const OptionCase cases[] = {
        {"<TABLE border=1 width=\"80%\">", "BORDER", "1"},
        {"<TABLE border=1 width=\"80%\">", "WIDTH", "80%"},
        {"<TABLE border=1 width=\"80%\">", "ALIGN", "No-Opt"},
        // A flag without "=" reads from the tag's start: present, value never used.
        {"<td nowrap>", "NOWRAP", "<td"},
        // The name is found inside another name; the first occurrence wins.
        {"<TD VALIGN=top ALIGN=left>", "ALIGN", "top"},
        {"<TABLE bordercolor=red border=2>", "BORDER", "red"},
        // Quoted values end at the first blank; single quotes are ordinary characters.
        {"<IMG ALT=\"a b\">", "ALT", "a"},
        {"<A HREF='x.html'>", "href", "'x.html'"},
        {"<IMG ALT=\"\">", "ALT", ""},
        {"<IMG ALT=\">", "ALT", ""},
        {"<TD WIDTH = \"50%\">", "width", "50%"},
        // An empty value takes the next word, as blanks after "=" are skipped.
        {"<TD WIDTH= ALIGN=left>", "WIDTH", "ALIGN=left"},
        // Tabs and line breaks separate attributes like spaces.
        {"<TD\tWIDTH=5\tALIGN=left>", "WIDTH", "5"},
        {"<TD\tWIDTH=5\tALIGN=left>", "ALIGN", "left"},
        {"<TABLE border=1\r\nwidth=\"80%\"\r\n>", "BORDER", "1"},
        {"<TABLE border=1\r\nwidth=\"80%\"\r\n>", "WIDTH", "80%"},
        {"<TD WIDTH=\r\n 7>", "WIDTH", "7"},
        // A name at the very end of the text.
        {"<TD nowrap", "NOWRAP", "<TD"},
        {"<TD width=", "WIDTH", ""},
        {"<TD width=50", "WIDTH", "50"},
        // Values keep their case and may be any text.
        {"<IMG ALT=\"日本語の説明\" SRC=Ａ.gif>", "alt", "日本語の説明"},
        {"<IMG ALT=\"日本語の説明\" SRC=Ａ.gif>", "SRC", "Ａ.gif"},
        {"<FONT FACE=ＭＳ　ゴシック>", "FACE", "ＭＳ　ゴシック"},
        {"<A HREF=\"x.html\">", "target", "No-Opt"},
    };
    for (const OptionCase &c : cases) {
        EXPECT_EQ(GetTagOption(QString::fromUtf8(c.tag), QString::fromUtf8(c.name)),
                  QString::fromUtf8(c.expected))
            << c.tag << " / " << c.name;
    }
}

TEST(GetTagOption, PositionsSurviveCharactersWhoseLowerCaseIsLonger)
{
    // U+0130 lower-cases to two characters in full case mapping; positions must not shift.
    const QString tag = QStringLiteral("<IMG ALT=\u0130\u0130\u0130 WIDTH=4>");
    EXPECT_EQ(GetTagOption(tag, QStringLiteral("WIDTH")), QStringLiteral("4"));
}

} // namespace
