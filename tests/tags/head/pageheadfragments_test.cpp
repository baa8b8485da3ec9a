#include "tags/head/pageheadfragments.h"

#include "core/settings.h"
#include "support/qstringprinter.h"

#include <gtest/gtest.h>

namespace {

TEST(PageHeadFragments, MetaTagsAndKeywords)
{
    QStringList onlyThreeAndSeven(10);
    onlyThreeAndSeven[3] = QStringLiteral("HTML");
    onlyThreeAndSeven[7] = QStringLiteral("エディタ");
    const struct
    {
        const char *name;
        QString tag, expected;
    } cases[] = {
        {"keywords in boxes 3 and 7",
         metaNameTag(QStringLiteral("keyword"), joinKeywords(onlyThreeAndSeven)),
         QStringLiteral("<META name=\"keyword\" content=\"HTML,エディタ\">\r\n")},
        {"all ten keyword boxes empty",
         metaNameTag(QStringLiteral("keyword"), joinKeywords(QStringList(10))),
         QStringLiteral("<META name=\"keyword\" content=\"\">\r\n")},
        {"empty author", metaNameTag(QStringLiteral("author"), QString()),
         QStringLiteral("<META name=\"author\" content=\"\">\r\n")},
        {"refresh, seconds only", refreshTag(QStringLiteral("5"), QString()),
         QStringLiteral("<META http-equiv=\"refresh\" content=\"5\">")},
        {"refresh with URL", refreshTag(QStringLiteral("10"), QStringLiteral("../top.htm")),
         QStringLiteral("<META http-equiv=\"refresh\" content=\"10;URL=../top.htm\">")},
        {"base URL without target", baseHrefTag(QStringLiteral("http://example.jp/"), QString()),
         QStringLiteral("<BASE href=\"http://example.jp/\">")},
        {"base URL with target",
         baseHrefTag(QStringLiteral("http://example.jp/"), QStringLiteral("main")),
         QStringLiteral("<BASE href=\"http://example.jp/\" target=\"main\">")},
        {"named anchor", nameAnchor(QStringLiteral("top"), QStringLiteral("先頭")),
         QStringLiteral("<A name=\"top\">先頭</A>")},
        {"named anchor without text", nameAnchor(QStringLiteral("a1"), QString()),
         QStringLiteral("<A name=\"a1\"></A>")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.tag, c.expected);
    }
}

UrlHistory history(std::initializer_list<const char *> entries)
{
    UrlHistory h;
    size_t i = 0;
    for (const char *slot : entries)
        h[i++] = QString::fromLatin1(slot);
    return h;
}

TEST(PageHeadFragments, UrlHistoryRule)
{
    const UrlHistory full = history({"u0", "u1", "u2", "u3", "u4", "u5", "u6", "u7", "u8", "u9"});
    const struct
    {
        const char *name;
        UrlHistory old;
        const char *entered;
        UrlHistory expected;
    } cases[] = {
        {"URL already in slot 4", full, "u4",
         history({"u4", "u0", "u1", "u2", "u3", "u5", "u6", "u7", "u8", ""})},
        {"new URL drops old slot 9", full, "new",
         history({"new", "u0", "u1", "u2", "u3", "u4", "u5", "u6", "u7", "u8"})},
        {"URL already in slot 9", full, "u9",
         history({"u9", "u0", "u1", "u2", "u3", "u4", "u5", "u6", "u7", "u8"})},
        {"URL already newest", full, "u0",
         history({"u0", "u1", "u2", "u3", "u4", "u5", "u6", "u7", "u8", ""})},
        {"empty slots keep their place", history({"a", "", "b"}), "c",
         history({"c", "a", "", "b"})},
        {"comparison is exact", history({"http://A/"}), "http://a/",
         history({"http://a/", "http://A/"})},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(updatedUrlHistory(c.old, QString::fromLatin1(c.entered)), c.expected);
    }
    EXPECT_EQ(urlHistoryKey(0), QStringLiteral("0HtmlURL"));
    EXPECT_EQ(urlHistoryKey(9), QStringLiteral("9HtmlURL"));
}

} // namespace
