#include "tags/shared/tagscan.h"

#include <gtest/gtest.h>

namespace {

struct ScanCase
{
    const char *text;
    const char *word;     // the double-clicked word, found at its first occurrence
    const char *selected; // nullptr: nothing found, the selection stays
};

TEST(TagScan, SelectsTheTagOrElementAroundTheWord)
{
    const ScanCase cases[] = {
        {"<p>x <table border=1>y", "border", "<table border=1>"},
        {"x <A HREF=\"x.html\">text</A> y", "text", "<A HREF=\"x.html\">text</A>"},
        {"x <A HREF=\"x.html\">text</A> y", "html", "<A HREF=\"x.html\">text</A>"},
        {"x <a name=\"x\">text</a>", "name", "<a name=\"x\">"},
        {"x <a hreflang=en>text</a>", "hreflang", "<a hreflang=en>"},
        // Plain text selects back to the tag before it.
        {"x\r\n<p>hello world", "world", "<p>"},
        {"x <h2>Title</h2><h2>b</h2>", "Title", "<h2>Title</h2>"},
        {"x <H6 align=center>T</h6>", "center", "<H6 align=center>T</h6>"},
        {"x <h7>T</h7>", "T", "<h7>"},
        {"x <TEXTAREA name=a>\r\nline\r\n</TextArea>", "line",
         "<TEXTAREA name=a>\r\nline\r\n</TextArea>"},
        {"x <frameset rows=2><frame src=a></frameset>", "rows",
         "<frameset rows=2><frame src=a></frameset>"},
        {"x <applet code=a><param name=b></applet>", "code",
         "<applet code=a><param name=b></applet>"},
        // Nested elements are not counted: the first end tag closes the selection.
        {"x <dl><dt>a<dl><dd>b</dl></dl>", "dl", "<dl><dt>a<dl><dd>b</dl>"},
        // A tag written over several lines.
        {"x <td\r\nwidth=1\r\n\r\n\r\n>c", "width", "<td\r\nwidth=1\r\n\r\n\r\n>"},
        {"x <td\r\n\r\n\r\n>c", "td", "<td\r\n\r\n\r\n>"},
        // A ">" inside a quoted value does not end the tag; a quote opens a value only after "=".
        {"x <td onclick=\"if(n>0)go()\" width=5>c", "width",
         "<td onclick=\"if(n>0)go()\" width=5>"},
        {"x <td onclick=\"if(n>0)go()\" width=5>c", "go", "<td onclick=\"if(n>0)go()\" width=5>"},
        {"x <td title=\"a > b\" width=5>c", "title", "<td title=\"a > b\" width=5>"},
        {"x <table summary='x>y' border=1>c", "border", "<table summary='x>y' border=1>"},
        {"x <TABLE/border=\"1\" width=\"80%\">c", "border", "<TABLE/border=\"1\" width=\"80%\">"},
        {"x <A HREF=\"top.htm\" \">Top</A> y", "Top", "<A HREF=\"top.htm\" \">Top</A>"},
        {"x <IMG SRC=\"a.gif\" '>b", "SRC", "<IMG SRC=\"a.gif\" '>"},
        // The end tag of an element is looked for after its start tag, outside other tags'
        // quoted values and outside comments; a text area's content is plain text.
        {"x <a href=\"x.html\" title=\"</a>\">text</a> y", "html",
         "<a href=\"x.html\" title=\"</a>\">text</a>"},
        {"x <a href=\"x.html\">a <img alt=\"</a>\"> b</a> y", "html",
         "<a href=\"x.html\">a <img alt=\"</a>\"> b</a>"},
        {"x <a href=\"x.html\"><!-- </a> -->t</a> y", "html",
         "<a href=\"x.html\"><!-- </a> -->t</a>"},
        {"x <h2 title=\"</h2>\">T</h2>", "title", "<h2 title=\"</h2>\">T</h2>"},
        {"x <applet code=a><param name=b value=\"</applet>\"></applet>", "code",
         "<applet code=a><param name=b value=\"</applet>\"></applet>"},
        {"x <TEXTAREA name=a><b title=\"</textarea>\"></TEXTAREA>", "name",
         "<TEXTAREA name=a><b title=\"</textarea>"},
        // Neither end of the text may be passed.
        {"x <td title=\"a>b", "title", nullptr},
        {"x <a href=\"x.html\">te <b title=\"</a>", "te", nullptr},
        {"x <a href=\"x.html\">te <!-- </a>", "te", nullptr},
        {"hello world", "world", nullptr},
        {"x <table border=1", "border", nullptr},
        {"x <h1>Title</h2>", "Title", nullptr},
        {"x <textarea>abc", "abc", nullptr},
    };
    for (const ScanCase &c : cases) {
        const QString text = QString::fromUtf8(c.text);
        const QString word = QString::fromUtf8(c.word);
        const int at = int(text.indexOf(word));
        ASSERT_GT(at, 0) << c.text;
        const TagScan scan = scanTagAtCaret(text, at, int(word.size()));
        EXPECT_EQ(scan.found, c.selected != nullptr) << c.text;
        if (c.selected) {
            EXPECT_EQ(text.mid(scan.start, scan.length), QString::fromUtf8(c.selected)) << c.text;
        } else {
            EXPECT_EQ(scan.start, at) << c.text;
            EXPECT_EQ(scan.length, word.size()) << c.text;
        }
    }
}

TEST(TagScan, DoesNothingForASelectionAtTheStart)
{
    const TagScan scan = scanTagAtCaret(QStringLiteral("<table border=1>"), 0, 6);
    EXPECT_FALSE(scan.found);
    EXPECT_EQ(scan.steps, 0);
    EXPECT_EQ(scan.start, 0);
    EXPECT_EQ(scan.length, 6);
}

TEST(TagScan, LargeElementsTakeLinearWork)
{
    const int size = 200 * 1024;
    const QString content(size, QLatin1Char('a'));
    const struct
    {
        QString text;
        int caret;
    } cases[] = {
        {QStringLiteral("x <textarea>") + content + QStringLiteral("</textarea> y"), 12 + size / 2},
        {QStringLiteral("x <td title=") + content + QStringLiteral("> y"), 12 + size / 2},
        {QStringLiteral("x <td title=\"") + content + QStringLiteral(">\"> y"), 13 + size / 2},
        {QStringLiteral("x <a href=x>") + content + QStringLiteral("<b title=\"") + content
             + QStringLiteral("\"></a> y"),
         12 + size / 2},
        {QStringLiteral("x <p>") + content, 5 + size - 1},
        {QStringLiteral("x <textarea>") + content, 12 + size / 2},
    };
    for (const auto &c : cases) {
        const TagScan scan = scanTagAtCaret(c.text, c.caret, 1);
        EXPECT_LE(scan.steps, 2 * c.text.size());
        EXPECT_GE(scan.steps, size / 2);
    }
}

} // namespace
