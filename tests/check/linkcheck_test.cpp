#include "check/linkcheck.h"

#include "check/pagecheck.h"
#include "check/pagescan.h"
#include "core/encodings.h"
#include "support/u8.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// A small site: the top page in Shift-JIS links to pages and pictures of which one page was
// renamed, one picture never uploaded, one picture spelt in other letter case and one anchor
// that does not exist; everything else it links to is there.
class SiteTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        root = dir.path();
        writeFile(at("pic/logo.gif"), "GIF89a");
        writeFile(at("renamed-later.html"), "<p>x</p>");
        writeFile(at("cgi/form.cgi"), "#!/bin/sh");
        writeFile(at("frames/menu.html"), "<p>menu</p>");
        writeFile(at("sub/page.html"),
                  encodeText(u8("<html><body><a name=\"somewhere\">ここ</a>\r\n"
                                "<h2 id=\"名前\">見出し</h2></body></html>"),
                             TextEncoding::ShiftJis));
        writeFile(at("index.html"), encodeText(topPage(), TextEncoding::ShiftJis));
    }

    QString at(const QString &relative) const { return root + QLatin1Char('/') + relative; }

    QString topPage() const
    {
        const QString fileUrl = QUrl::fromLocalFile(at("pic/logo.gif")).toString();
        return u8("<html><head><title>トップ</title></head>\r\n"
                  "<body background=\"pic/logo.gif\"><a name=\"top\">上</a>\r\n"
                  "<p>改名された<a href=\"renamed.html\">ページ</a></p>\r\n"        // line 3
                  "<p>未送信の絵 <img src=\"pic/missing.gif\" alt=\"絵\"></p>\r\n"  // line 4
                  "<p>大文字\t<IMG SRC='pic/Logo.GIF' alt=\"ロゴ\"></p>\r\n"        // line 5
                  "<p>名前違い<a href=\"sub/page.html#nowhere\">行き先</a></p>\r\n" // line 6
                  "<p><a href=\"sub/page.html#somewhere\">正しい</a>"
                  "<a href=\"sub/page.html#%E5%90%8D%E5%89%8D\">日本語の名前</a>"
                  "<a href=\"#top\">上へ</a><a href=\"sub/\">フォルダ</a>"
                  "<a href=\"renamed-later.html?x=1&amp;y=2\">問い合わせ</a>"
                  "<a href=\"http://example.com/none.html\">外</a>"
                  "<a href=\"mailto:a@example.com\">メール</a>"
                  "<a href=\"//example.com/none.html\">外</a>"
                  "<a href=\"/root/none.html\">ルート</a>"
                  "<a href=\"javascript:void(0)\">スクリプト</a></p>\r\n"
                  "<form action=\"cgi/form.cgi\"><iframe src=\"frames/menu.html\"></iframe>"
                  "<img src=\"")
               + fileUrl
               + u8("\" alt=\"絶対\"></form>\r\n"
                    "<!-- <a href=\"commented-out.html\"> -->\r\n"
                    "</body></html>\r\n");
    }

    QTemporaryDir dir;
    QString root;
};

struct Expected
{
    int line;
    int column;
    const char *id;
};

QList<Expected> placesOf(const QList<PageFinding> &findings)
{
    QList<Expected> places;
    for (const PageFinding &f : findings)
        if (f.id.startsWith(QLatin1String("LINK_")) || f.id == QLatin1String("ANCHOR_MISSING"))
            places.append({f.line, f.column, nullptr});
    return places;
}

const Expected SiteFaults[] = {
    {3, 18, "LINK_MISSING"},   // after 「<p>改名された<a href="」
    {4, 20, "LINK_MISSING"},   // after 「<p>未送信の絵 <img src="」
    {5, 18, "LINK_CASE"},      // after 「<p>大文字\t<IMG SRC='」
    {6, 17, "ANCHOR_MISSING"}, // after 「<p>名前違い<a href="」
};

void expectExactlyTheSiteFaults(const QList<PageFinding> &findings)
{
    QList<PageFinding> links;
    for (const PageFinding &f : findings)
        if (f.id.startsWith(QLatin1String("LINK_")) || f.id == QLatin1String("ANCHOR_MISSING"))
            links.append(f);
    ASSERT_EQ(links.size(), std::size(SiteFaults));
    for (qsizetype i = 0; i < links.size(); ++i) {
        SCOPED_TRACE(links[i].message.toStdString());
        EXPECT_EQ(links[i].line, SiteFaults[i].line);
        EXPECT_EQ(links[i].column, SiteFaults[i].column);
        EXPECT_EQ(links[i].id, QLatin1String(SiteFaults[i].id));
    }
}

} // namespace

TEST_F(SiteTest, TheLinksOfAPageGiveExactlyItsBrokenLinks)
{
    SiteFiles files;
    const QList<PageFinding> findings = linkFindings(topPage(), at("index.html"), files);
    expectExactlyTheSiteFaults(findings);
    ASSERT_EQ(findings.size(), 4);
    EXPECT_TRUE(findings[2].message.contains(QLatin1String("pic/logo.gif")))
        << "names the file as on disk";
    EXPECT_EQ(findings[0].severity, FindingSeverity::Error);
}

TEST_F(SiteTest, TheFolderCheckGroupsTheFindingsByPageAndStopsWhenCancelled)
{
    QList<std::pair<int, int>> calls;
    const QList<FileFindings> all = checkFolder(root, {}, [&calls](int done, int total) {
        calls.append({done, total});
        return true;
    });
    const QStringList pages = pagesUnder(root);
    EXPECT_EQ(pages.size(), 4);
    ASSERT_EQ(calls.size(), pages.size() + 1);
    EXPECT_EQ(calls.last(), std::make_pair(4, 4));
    const auto index = std::find_if(all.cbegin(), all.cend(), [this](const FileFindings &f) {
        return f.path == at("index.html");
    });
    ASSERT_NE(index, all.cend());
    expectExactlyTheSiteFaults(index->findings);
    for (const FileFindings &page : all) {
        if (page.path != at("index.html")) {
            EXPECT_TRUE(placesOf(page.findings).isEmpty()) << page.path.toStdString();
        }
    }

    // Cancelled before the second page: only the first is in.
    const QList<FileFindings> first = checkFolder(root, {}, [](int done, int) { return done < 1; });
    for (const FileFindings &page : first)
        EXPECT_EQ(page.path, pages.first());

    PageCheckOptions hiding;
    hiding.hiddenIds = {QStringLiteral("LINK_CASE")};
    SiteFiles files;
    const QList<PageFinding> withoutCase = checkPage(topPage(), at("index.html"), hiding, files);
    EXPECT_EQ(placesOf(withoutCase).size(), 3);
}

TEST_F(SiteTest, ANeverSavedPageHasOnlyTidysFindings)
{
    SiteFiles files;
    for (const PageFinding &f : checkPage(topPage(), QString(), {}, files))
        EXPECT_FALSE(f.id.startsWith(QLatin1String("LINK_"))) << f.id.toStdString();
}

TEST(PageScan, ReadsAttributesAsBrowsersDoAndSkipsComments)
{
    const QString text = u8("<A HREF = 'a b.html' title=x>x</a><!-- <img src=no.gif> -->"
                            "<img\r\nsrc=\"c.gif\"alt><p =x><br/><td background=d.gif/>"
                            "<a href=\"unterminated");
    QStringList seen;
    scanAttributes(text, [&](const ScannedAttribute &a) {
        seen << a.tag + QLatin1Char('.') + a.name + QLatin1Char('=') + a.value + QLatin1Char('@')
                    + QString::number(a.valueStart);
    });
    EXPECT_EQ(seen,
              QStringList({"a.href=a b.html@11", "a.title=x@27", "img.src=c.gif@70", "img.alt=@79",
                           "td.background=d.gif/@106", "a.href=unterminated@122"}))
        << seen.join(QLatin1Char('|')).toStdString();
}

TEST(PageScan, PlacesCountLinesOfEveryBreakAndCharactersBeyondSixteenBits)
{
    const QString text = u8("a\r\nb\nc\r😀x");
    const TextPlaces places(text);
    EXPECT_EQ(places.place(0), std::make_pair(1, 1));
    EXPECT_EQ(places.place(3), std::make_pair(2, 1));
    EXPECT_EQ(places.place(5), std::make_pair(3, 1));
    EXPECT_EQ(places.place(9), std::make_pair(4, 2));
    EXPECT_EQ(places.place(999), std::make_pair(4, 3));
}
