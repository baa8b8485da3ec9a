#include "tags/link/linkformat.h"

#include "support/qstringprinter.h"
#include "support/u8.h"

#include <gtest/gtest.h>

namespace {

TEST(LinkFragments, LinkStartOverItsFields)
{
    const struct
    {
        const char *name;
        LinkFields fields;
        const char *start;
    } cases[] = {
        {"url only", {u8("a.html"), {}, {}}, "<A href=\"a.html\">"},
        {"new window",
         {u8("a.html"), u8("新規ウィンドウ"), u8("次へ")},
         "<A href=\"a.html\" target=\"_blank\">次へ"},
        {"same window",
         {u8("a.html"), u8("同じウィンドウ"), {}},
         "<A href=\"a.html\" target=\"_self\">"},
        {"parent frame",
         {u8("a.html"), u8("親フレーム"), {}},
         "<A href=\"a.html\" target=\"_parent\">"},
        {"whole window",
         {u8("a.html"), u8("全領域"), u8("Top")},
         "<A href=\"a.html\" target=\"_top\">Top"},
        {"frame name as typed",
         {u8("a.html"), u8("main"), {}},
         "<A href=\"a.html\" target=\"main\">"},
        {"path with blanks and non-ASCII",
         {u8("../資料/年 報.html"), {}, u8("年報 <b>2024</b>")},
         "<A href=\"../資料/年 報.html\">年報 <b>2024</b>"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(linkStart(c.fields), u8(c.start)) << c.name;
        const QString element = linkStart(c.fields) + u8("</A>");
        EXPECT_EQ(linkStart(readLinkElement(splitLinkElement(element))), u8(c.start)) << c.name;
    }
}

TEST(LinkFragments, MailLinkOverItsFields)
{
    const struct
    {
        const char *name;
        MailFields fields;
        const char *element;
    } cases[] = {
        {"address and text",
         {u8("me@example.jp"), u8("メール")},
         "<A href=\"mailto:me@example.jp\">メール</A>"},
        {"empty address", {{}, u8("x")}, "<A href=\"mailto:\">x</A>"},
        {"empty text", {u8("a@b"), {}}, "<A href=\"mailto:a@b\"></A>"},
        // An address holding quotes is quoted so that the link reads back whole.
        {"address with a name in quotes",
         {u8("\"Taro Y\" <t@x.jp>"), u8("T")},
         "<A href='mailto:\"Taro Y\" <t@x.jp>'>T</A>"},
        {"address with both quotes",
         {u8("a\"b'c@x.jp"), u8("T")},
         "<A href=\"mailto:a&quot;b'c@x.jp\">T</A>"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(mailLink(c.fields), u8(c.element)) << c.name;
        MailFields read = readMailElement(splitLinkElement(u8(c.element)));
        read.address = withoutMailtoPrefix(read.address);
        EXPECT_EQ(mailLink(read), u8(c.element)) << c.name;
    }
}

TEST(LinkFragments, MailtoPrefixIsDroppedInExactCaseOnly)
{
    EXPECT_EQ(withoutMailtoPrefix(u8("mailto:me@x.jp")), u8("me@x.jp"));
    EXPECT_EQ(withoutMailtoPrefix(u8("MAILTO:me@x.jp")), u8("MAILTO:me@x.jp"));
    EXPECT_EQ(withoutMailtoPrefix(u8("me@x.jp")), u8("me@x.jp"));
    EXPECT_EQ(withoutMailtoPrefix(u8("mailto")), u8("mailto"));
}

TEST(LinkFragments, ReadingHandWrittenElements)
{
    const struct
    {
        const char *name;
        const char *element;
        const char *url;
        const char *target;
        const char *text;
        bool closed;
        bool mail;
    } cases[] = {
        {"target in capitals", "<A HREF=\"x.html\" TARGET=\"_TOP\">Top page</A>", "x.html",
         "全領域", "Top page", true, false},
        {"capitalised target", "<a href='x.html' target=_Blank>x</a>", "x.html", "新規ウィンドウ",
         "x", true, false},
        {"mixed case word", "<a href=x.html target=_bLank>x</a>", "x.html", "新規ウィンドウ", "x",
         true, false},
        {"a word with a non-ASCII letter is a frame name", "<a href=x.html target=_\u017Felf>x</a>",
         "x.html", "_\u017Felf", "x", true, false},
        {"frame name", "<a href=\"x.html\" target=\"main\">x</a>", "x.html", "main", "x", true,
         false},
        {"tags inside, first end tag wins", "<a href=\"a b.html\"><img src=\"i.gif\"> 次</A> y</a>",
         "a b.html", "", "<img src=\"i.gif\"> 次", true, false},
        {"no end tag", "<A HREF=\"x.html\">", "x.html", "", "", false, false},
        {"mail link", "<A HREF=\"mailto:me\">Mail</A>", "mailto:me", "", "Mail", true, true},
        {"mail in capitals is a page link", "<A HREF=\"MAILTO:me\">Mail</A>", "MAILTO:me", "",
         "Mail", true, false},
        {"mailto: in the text only", "<a href=\"faq.html\">write to mailto:</a>", "faq.html", "",
         "write to mailto:", true, false},
        {"line break inside the tag", "<a\r\n href=\"x.html\"\r\n target=\"_self\">x</a>", "x.html",
         "同じウィンドウ", "x", true, false},
    };
    for (const auto &c : cases) {
        const LinkElement element = splitLinkElement(u8(c.element));
        const LinkFields fields = readLinkElement(element);
        EXPECT_EQ(fields.url, u8(c.url)) << c.name;
        EXPECT_EQ(fields.target, u8(c.target)) << c.name;
        EXPECT_EQ(fields.text, u8(c.text)) << c.name;
        EXPECT_EQ(element.closed, c.closed) << c.name;
        EXPECT_EQ(isMailLink(element), c.mail) << c.name;
    }
}

} // namespace
