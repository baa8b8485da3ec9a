#include "tags/shared/tagoption.h"

#include "support/qstringprinter.h"
#include "support/u8.h"

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
        // A "/" ends the tag name and separates attributes.
        {"<TABLE/border=\"1\" width=\"80%\">", "border", "1"},
        {"<TABLE/border=\"1\" width=\"80%\">", "width", "80%"},
        {"<TABLE border=1/width=2>", "width", "No-Opt"}, // bare values run on over "/"
        {"<IMG src=a.gif/>", "src", "a.gif/"},
        {"<IMG src=\"a.gif\"/>", "src", "a.gif"},
        {"<TD a=\"1\"/b=2>", "b", "2"},
        // A quote opens a value only right after "=": a stray one is part of a name.
        {"<A HREF=\"top.htm\" \">Top</A>", "href", "top.htm"},
        {"<A HREF=\"top.htm\" \" title=t>", "title", "t"},
        {"<TD 'x'=1 width=2>", "width", "2"},
        {"<TD title=a\"b width=2>", "title", "a\"b"},
        {"<TD title=a\"b width=2>", "width", "2"},
        // Attributes need no blank after a quoted value.
        {"<TD a=\"1\"b=\"2\"c='3'>", "c", "3"},
        // A ">" right after "=" closes the tag with an empty value.
        {"<TD width=>x", "width", ""},
        // Names compare in ASCII case only: long s and the Kelvin sign are other letters.
        {"<IMG \u017Frc=x.gif>", "src", "No-Opt"},
        {"<IMG \u017Frc=x.gif src=y.gif>", "SRC", "y.gif"},
        {"<A lin\u212A=1>", "link", "No-Opt"},
        {"<A tıtle=1>", "TITLE", "No-Opt"},
        // "&quot;" reads as the quote it stands for; other references stay as written.
        {"<IMG ALT=\"say &quot;hi&quot; it's\">", "alt", "say \"hi\" it's"},
        {"<A HREF=\"a.cgi?x=1&amp;y=2\">", "href", "a.cgi?x=1&amp;y=2"},
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
        {"a line break inside the old tag", "<TD\r\nclass=\"a\"\r\nwidth=1>", "<TD>",
         "<TD class=\"a\">"},
    };
    const QStringList managed
        = {QStringLiteral("width"), QStringLiteral("align"), QStringLiteral("valign")};
    for (const auto &c : cases) {
        EXPECT_EQ(keepUnmanagedAttributes(QString::fromUtf8(c.newTag), QString::fromUtf8(c.oldTag),
                                          managed),
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
    } cases[] = {
        {"<TD>", 3},
        {"<TD title=\"a>b\">x", 15},
        {"<TD", 3},
        {"<A b='>'>", 8},
        {"<td onclick=\"if(n>0)go()\" width=5>", 33},
        {"<table summary='x>y' border=1>", 29},
        // A stray quote after a blank is a name, not an opening quote.
        {"<A HREF=\"top.htm\" \">Top</A>", 19},
        {"<A HREF=\"top.htm\" '>Top</A>", 19},
        {"<TD x\"=\">\">", 10},
        // An unterminated quote runs to the end of the text, as in a browser.
        {"<TD title=\"a>b", 14},
        {"<TABLE/border=\"1\">", 17},
    };
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

namespace {

TEST(MergeReEditedTag, WhatTheDialogCouldNotShowComesBackAsWritten)
{
    const QString longValue(40000, QLatin1Char('9'));
    const QString cutShort = longValue.left(32767);
    const struct
    {
        const char *name;
        QString oldTag;
        QString untouched; // what OK would write at once
        QString result;    // what OK wrote
        QString expected;
    } cases[] = {
        {"an unknown word the user left alone", u8("<IMG SRC=\"a.gif\" ALIGN=absmiddle>"),
         u8("<IMG src=\"a.gif\">"), u8("<IMG src=\"a.gif\">"),
         u8("<IMG src=\"a.gif\" ALIGN=absmiddle>")},
        {"an unknown word replaced by the user's choice", u8("<IMG SRC=\"a.gif\" ALIGN=absmiddle>"),
         u8("<IMG src=\"a.gif\">"), u8("<IMG src=\"a.gif\" align=\"left\">"),
         u8("<IMG src=\"a.gif\" align=\"left\">")},
        {"a known word in capitals is written the dialog's way",
         u8("<IMG SRC=\"a.gif\" ALIGN=LEFT>"), u8("<IMG src=\"a.gif\" align=\"left\">"),
         u8("<IMG src=\"a.gif\" align=\"left\">"), u8("<IMG src=\"a.gif\" align=\"left\">")},
        {"a value the dialog would write otherwise stays in its place",
         u8("<TABLE rules=foo border=1>"), u8("<TABLE border=\"1\" rules=\"all\">"),
         u8("<TABLE border=\"1\" rules=\"all\">"), u8("<TABLE border=\"1\" rules=foo>")},
        {"the same value changed by the user", u8("<TABLE rules=foo border=1>"),
         u8("<TABLE border=\"1\" rules=\"all\">"), u8("<TABLE border=\"2\" rules=\"rows\">"),
         u8("<TABLE border=\"2\" rules=\"rows\">")},
        {"an attribute the user emptied goes", u8("<TD width=5 align=foo>"), u8("<TD width=\"5\">"),
         u8("<TD>"), u8("<TD align=foo>")},
        {"a value cut short by a box comes back whole", u8("<TD width=") + longValue + u8(">"),
         u8("<TD width=\"") + cutShort + u8("\">"), u8("<TD width=\"") + cutShort + u8("\">"),
         u8("<TD width=") + longValue + u8(">")},
        {"unmanaged and unknown attributes in their old order",
         u8("<IMG class=a ALIGN=absmiddle id=b src=x>"), u8("<IMG src=\"x\">"),
         u8("<IMG src=\"y\">"), u8("<IMG src=\"y\" class=a ALIGN=absmiddle id=b>")},
        {"a flag written with a value", u8("<TD nowrap=\"nowrap\">"), u8("<TD nowrap>"),
         u8("<TD nowrap>"), u8("<TD nowrap=\"nowrap\">")},
        {"a bare flag in capitals", u8("<TD NOWRAP>"), u8("<TD nowrap>"), u8("<TD nowrap>"),
         u8("<TD nowrap>")},
        {"quotes written as &quot; are the same value", u8("<IMG alt=\"a &quot;b&quot;\">"),
         u8("<IMG alt='a \"b\"'>"), u8("<IMG alt='a \"b\"'>"), u8("<IMG alt='a \"b\"'>")},
        {"a second occurrence of a managed name is not brought back",
         u8("<TD align=left align=foo>"), u8("<TD align=\"left\">"), u8("<TD>"), u8("<TD>")},
        {"the text after the start tag stays", u8("<TD align=foo>"), u8("<TD>x</TD>"),
         u8("<TD>y</TD>"), u8("<TD align=foo>y</TD>")},
        {"a long s is not the managed name", u8("<IMG \u017Frc=a src=b>"), u8("<IMG src=\"b\">"),
         u8("<IMG src=\"b\">"), u8("<IMG src=\"b\" \u017Frc=a>")},
    };
    const QStringList managed
        = {QStringLiteral("src"),    QStringLiteral("align"), QStringLiteral("width"),
           QStringLiteral("border"), QStringLiteral("rules"), QStringLiteral("nowrap"),
           QStringLiteral("alt")};
    for (const auto &c : cases) {
        EXPECT_EQ(mergeReEditedTag(c.result, c.untouched, c.oldTag, managed), c.expected) << c.name;
    }
}

// Random tags built from the pieces pages are made of: whatever the mix, every attribute the
// reader finds is a piece of the tag text, in order, before the tag's end, and re-editing with
// a dialog that manages none of them gives every one back.
TEST(ReadTagAttributes, AnyMixOfPiecesReadsBackAsPiecesOfTheTag)
{
    const QStringList pieces = {
        u8(" "),
        u8("\r\n"),
        u8("\t"),
        u8("/"),
        u8("="),
        u8("\""),
        u8("'"),
        u8(">"),
        u8("<"),
        u8("a"),
        u8("SRC"),
        u8("\u017F"),
        u8("日本"),
        u8("&quot;"),
        QString(QChar(0)),
        QString(QChar(0xDC80)),
        QString(QChar(0xDCFF)),
        u8("x=1"),
        u8("y=\"a b\""),
        u8("z='c>d'"),
    };
    quint32 seed = 12345;
    const auto next = [&seed](int bound) {
        seed = seed * 1103515245u + 12345u;
        return int((seed >> 16) % quint32(bound));
    };
    for (int round = 0; round < 3000; ++round) {
        QString tag = u8("<TD");
        const int count = next(12);
        for (int i = 0; i < count; ++i)
            tag += pieces[next(int(pieces.size()))];
        const qsizetype end = startTagEnd(tag);
        ASSERT_LE(end, tag.size()) << tag.toStdString();
        if (end < tag.size()) {
            ASSERT_EQ(tag[end], QLatin1Char('>')) << tag.toStdString();
        }
        qsizetype after = 3;
        const QList<TagAttribute> attributes = readTagAttributes(tag);
        QString spelled;
        for (const TagAttribute &attribute : attributes) {
            ASSERT_GE(attribute.start, after) << tag.toStdString();
            ASSERT_FALSE(attribute.name.isEmpty()) << tag.toStdString();
            after = attribute.start + attribute.spelled.size();
            ASSERT_LE(after, end) << tag.toStdString();
            spelled += QLatin1Char(' ') + attribute.spelled;
        }
        const QString oldTag = tag.left(end + 1);
        EXPECT_EQ(mergeReEditedTag(u8("<TD>"), u8("<TD>"), oldTag, {}),
                  u8("<TD") + spelled + u8(">"))
            << tag.toStdString();
    }
}

TEST(MergeReEditedTag, TagsOfManyAttributesTakeNoSearchPerAttribute)
{
    // A hundred thousand attributes, half of them of a managed name: only the first of those
    // is the dialog's; the others are dropped and every unmanaged one is kept.
    QString oldTag = u8("<TD");
    QString kept;
    for (int i = 0; i < 50000; ++i) {
        oldTag += u8(" width=%1 data-%1=x").arg(i);
        kept += u8(" data-%1=x").arg(i);
    }
    oldTag += u8(">");
    EXPECT_EQ(
        mergeReEditedTag(u8("<TD width=\"7\">"), u8("<TD width=\"0\">"), oldTag, {u8("width")}),
        u8("<TD width=\"7\"") + kept + u8(">"));
}

TEST(ReadTagAttributes, HugeValuesAreReadWholeInLinearTime)
{
    const QString huge(3 * 1000 * 1000, QLatin1Char('x'));
    const QString tag = u8("<IMG alt=\"") + huge + u8(">\" src=a.gif>");
    EXPECT_EQ(GetTagOption(tag, u8("alt")), huge + u8(">"));
    EXPECT_EQ(GetTagOption(tag, u8("src")), u8("a.gif"));
    EXPECT_EQ(startTagEnd(tag), tag.size() - 1);
}

} // namespace
