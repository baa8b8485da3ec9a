#include "document/completion.h"

#include "document/matchingtag.h"
#include "document/tagvocabulary.h"
#include "support/qstringprinter.h"

#include <gtest/gtest.h>
#include <random>

namespace {

TagVocabulary vocabulary()
{
    TagVocabulary words = baseTagVocabulary();
    words.addAttributes("TABLE", {"border", "width", "cellspacing", "align"});
    words.addWords("TD", "align", {"left", "center", "right"});
    words.addWords("TD", "valign", {"top", "middle", "bottom"});
    return words;
}

QStringList offered(const QString &before, bool lowerCase = false)
{
    return completionItems(completionAt(before), vocabulary(), lowerCase);
}

} // namespace

TEST(Completion, OffersTheNamesOfWhereTheCaretStands)
{
    struct Case
    {
        const char *before;
        bool lowerCase;
        QStringList includes;
        QStringList excludes;
    };
    const Case cases[] = {
        {"<", false, {"TABLE", "A", "BR", "TD"}, {}},
        {"<", true, {"table", "a", "br"}, {"TABLE"}},
        {"text <TA", false, {"TABLE"}, {"TD", "A"}},
        {"text <ta", false, {"TABLE"}, {"table"}},
        {"<TA", true, {"table"}, {"TABLE"}},
        {"<TABLE ", false, {"border", "width", "cellspacing", "id"}, {"TABLE", "left"}},
        {"<TABLE b", false, {"border"}, {"width"}},
        {"<TABLE border=\"1\" ", false, {"width"}, {"border"}},
        {"<TABLE\r\n  w", false, {"width"}, {}},
        {"<TD align=\"", false, {"left", "center", "right"}, {"top"}},
        {"<TD ALIGN=\"c", false, {"center"}, {"left"}},
        {"<td valign='", false, {"top", "middle", "bottom"}, {"left"}},
        {"<TD width=\"10\" align=", false, {"left", "center", "right"}, {}},
        {"<TABLE><TR><TD>x</", false, {"TD"}, {"TR", "TABLE"}},
        {"<TABLE><TR><TD>x</TD></", false, {"TR"}, {"TD"}},
        {"<table><tr><td>x</td></tr></", true, {"table"}, {"TABLE"}},
        // An element left open inside is closed by the end tag of the one around it.
        {"<DIV><P>a</DIV><B>b</", false, {"B"}, {"P", "DIV"}},
        {"<UL><LI>one<BR><IMG src=\"x\"></", false, {"LI"}, {"IMG", "BR"}},
    };
    for (const Case &c : cases) {
        const QStringList items = offered(QString::fromUtf8(c.before), c.lowerCase);
        for (const QString &name : c.includes)
            EXPECT_TRUE(items.contains(name)) << c.before << " lacks " << name.toStdString();
        for (const QString &name : c.excludes)
            EXPECT_FALSE(items.contains(name)) << c.before << " offers " << name.toStdString();
    }
}

TEST(Completion, OffersNothingOutsideTagsOrInsideCommentsScriptsAndStyles)
{
    for (const char *before : {
             "", "plain text", "<TABLE>", "a < b", "<TD align=\"left\"", "<!-- <TA",
             "<!-- note --> <!-- <", "<SCRIPT>if (a <b", "<script type=\"x\">var s = \"</",
             "<STYLE>p { } <", "<TD align=\"left\" title=\"x>", "<!DOCTYPE html", "</TD x",
             "</TA", // no element is open
         }) {
        const QStringList items = offered(QString::fromUtf8(before));
        EXPECT_TRUE(items.isEmpty()) << before << " offers " << items.join(u',').toStdString();
    }
    // After the end of a comment, a script or a style the list comes back.
    for (const char *before : {"<!-- x --><TA", "<SCRIPT>a<b</SCRIPT><TA", "<style>x</STYLE><ta"})
        EXPECT_TRUE(offered(QString::fromUtf8(before)).contains("TABLE")) << before;
}

TEST(Completion, AcceptingReplacesTheTypedPartAndClosesWhatItOpens)
{
    struct Case
    {
        const char *before;
        const char *item;
        bool closing;
        const char *after;  // the text after the caret
        const char *result; // with | at the caret
    };
    const Case cases[] = {
        {"<TA", "TABLE", false, "", "<TABLE|"},
        {"<ta", "TABLE", false, "", "<TABLE|"},
        {"<T", "TD", true, "", "<TD>|</TD>"},
        {"<", "BR", true, "", "<BR|"},
        {"<T", "TD", true, ">", "<TD|>"},
        {"<TD>x</", "TD", false, "", "<TD>x</TD>|"},
        {"<TD>x</t", "TD", false, ">", "<TD>x</TD|>"},
        {"<TABLE bo", "border", false, "", "<TABLE border=\"|\""},
        {"<TD align=\"ce", "center", false, "\">", "<TD align=\"center|\">"},
        {"<TD align=\"ce", "center", false, "", "<TD align=\"center\"|"},
        {"<TD align=ce", "center", false, "", "<TD align=\"center\"|"},
    };
    for (const Case &c : cases) {
        const QString before = QString::fromUtf8(c.before);
        const CompletionRequest request = completionAt(before);
        const CompletionInsert insert = completionInsert(request, QString::fromUtf8(c.item),
                                                         c.closing, QString::fromUtf8(c.after));
        const QString result = before.left(request.prefixStart) + insert.text + u'|' + insert.after
                               + QString::fromUtf8(c.after);
        EXPECT_EQ(result, QString::fromUtf8(c.result)) << c.before;
    }
}

TEST(Completion, QuickCheckOfTheLineAgreesWithTheFullReading)
{
    for (const char *line : {"<TA", "x <TD align=\"", "<TD>", "a > b", "<A href=\"x\">y</"}) {
        const QString text = QString::fromUtf8(line);
        if (!mayComplete(text)) {
            EXPECT_EQ(completionAt(text).kind, CompletionKind::None) << line;
        }
    }
    EXPECT_TRUE(mayComplete(u"<A href=\"x\">y</"));
    EXPECT_FALSE(mayComplete(u"<A href=\"x\">y"));
}

namespace {

// A page of random markup: tags with quoted and bare values (some holding ">"), end tags,
// stray and unclosed ones, comments and scripts across lines, Japanese text.
QString randomMarkup(std::mt19937 &random, int pieces)
{
    const QStringList parts = {"<TABLE border=\"1\">",
                               "</TABLE>",
                               "<TR>",
                               "<TD align=\"a>b\">",
                               "</TD>",
                               "<P>",
                               "</P>",
                               "<A href='x.html'>",
                               "</A>",
                               "<BR>",
                               "<IMG src=a.gif />",
                               "</X>",
                               "<!-- ",
                               " -->",
                               "<SCRIPT>",
                               "if (a < b) x = '</B>';",
                               "</SCRIPT>",
                               "<STYLE>",
                               "</STYLE>",
                               "本文です。",
                               "ｶﾀｶﾅ",
                               " ",
                               "\n",
                               "\n",
                               "\n",
                               "<",
                               "</",
                               "<TD ",
                               "\"",
                               "<!DOCTYPE html>"};
    QString page;
    for (int i = 0; i < pieces; ++i)
        page += parts.at(int(random() % parts.size()));
    return page;
}

} // namespace

// The text before the caret's line read once, and the line read after it, give the list
// that reading them together gives, wherever the lines before end in the page's content.
TEST(Completion, ReadingTheLinesBeforeOnceAgreesWithReadingEverything)
{
    std::mt19937 random(11);
    int compared = 0;
    for (int page = 0; page < 300; ++page) {
        const QString text = randomMarkup(random, 60);
        for (qsizetype lineStart = text.indexOf(u'\n') + 1; lineStart > 0;
             lineStart = text.indexOf(u'\n', lineStart) + 1) {
            const MarkupContext context = markupContextAfter(QStringView(text).left(lineStart));
            if (!context.inContent)
                continue;
            const qsizetype lineEnd
                = text.indexOf(u'\n', lineStart) < 0 ? text.size() : text.indexOf(u'\n', lineStart);
            for (qsizetype caret = lineStart; caret <= lineEnd; ++caret) {
                const QStringView whole = QStringView(text).left(caret);
                const CompletionRequest all = completionAt(whole);
                const CompletionRequest split = completionAt(whole.mid(lineStart), context.open);
                const std::string where = whole.toString().toStdString();
                ASSERT_EQ(split.kind, all.kind) << where;
                EXPECT_EQ(split.prefix, all.prefix) << where;
                EXPECT_EQ(split.tag, all.tag) << where;
                EXPECT_EQ(split.attribute, all.attribute) << where;
                EXPECT_EQ(split.quote, all.quote) << where;
                EXPECT_EQ(split.present, all.present) << where;
                EXPECT_EQ(split.innermost, all.innermost) << where;
                if (all.kind != CompletionKind::None) {
                    EXPECT_EQ(split.prefixStart + lineStart, all.prefixStart) << where;
                }
                ++compared;
            }
        }
    }
    EXPECT_GT(compared, 10000);
}

namespace {

// The text with the caret's tag and its partner's names in [ ], or the text alone.
QString marked(const QString &text, qsizetype caret)
{
    const auto found = matchingTagAt(text, caret);
    if (!found)
        return text;
    QString out = text;
    TagName first = found->atCaret, second = found->partner;
    if (first.start > second.start)
        std::swap(first, second);
    out.insert(second.start + second.length, u']');
    out.insert(second.start, u'[');
    out.insert(first.start + first.length, u']');
    out.insert(first.start, u'[');
    return out;
}

} // namespace

TEST(MatchingTag, PairsTagsAsBrowsersNestThem)
{
    struct Case
    {
        const char *text;
        int caret;
        const char *expected;
    };
    const Case cases[] = {
        {"<DIV>a</DIV>", 2, "<[DIV]>a</[DIV]>"},
        {"<DIV>a</DIV>", 0, "<[DIV]>a</[DIV]>"},
        {"<DIV>a</DIV>", 5, "<[DIV]>a</[DIV]>"}, // just after the start tag
        {"<DIV>a</DIV>", 9, "<[DIV]>a</[DIV]>"},
        {"<DIV>a</DIV>", 12, "<[DIV]>a</[DIV]>"}, // just after the end tag
        {"<div><DIV>a</div></Div>", 1, "<[div]><DIV>a</div></[Div]>"},
        {"<div><DIV>a</div></Div>", 19, "<[div]><DIV>a</div></[Div]>"},
        {"<div><DIV>a</div></Div>", 7, "<div><[DIV]>a</[div]></Div>"},
        // An unclosed P inside does not take the DIV's end tag.
        {"<DIV><P>a</DIV>", 1, "<[DIV]><P>a</[DIV]>"},
        {"<DIV><P>a</DIV>", 12, "<[DIV]><P>a</[DIV]>"},
        {"<DIV><P>a</DIV>", 6, "<DIV><P>a</DIV>"},
        {"<P>one<P>two</P>", 1, "<P>one<P>two</P>"},
        {"<P>one<P>two</P>", 7, "<P>one<[P]>two</[P]>"},
        // A stray end tag is passed over, and has no partner itself.
        {"<TABLE><TR><TD>a</TD></TD></TR></TABLE>", 1,
         "<[TABLE]><TR><TD>a</TD></TD></TR></[TABLE]>"},
        {"<TABLE><TR><TD>a</TD></TD></TR></TABLE>", 23, "<TABLE><TR><TD>a</TD></TD></TR></TABLE>"},
        {"<TABLE><TR><TD>a</TD></TD></TR></TABLE>", 18,
         "<TABLE><TR><[TD]>a</[TD]></TD></TR></TABLE>"},
        {"<TR><TD>a<TD>b</TR>", 5, "<TR><TD>a<TD>b</TR>"},
        {"<TR><TD>a<TD>b</TR>", 1, "<[TR]><TD>a<TD>b</[TR]>"},
        // Quoted values, comments and scripts hide what looks like tags.
        {"<A title=\"</A>\">x</A>", 1, "<[A] title=\"</A>\">x</[A]>"},
        {"<B><!-- </B> -->x</B>", 1, "<[B]><!-- </B> -->x</[B]>"},
        {"<SCRIPT>if (a</SCRIPT>", 1, "<[SCRIPT]>if (a</[SCRIPT]>"},
        // No partner: empty elements, text, a partner beyond the text given.
        {"<BR>a</BR>", 1, "<BR>a</BR>"},
        {"<IMG src=\"a.gif\" />", 2, "<IMG src=\"a.gif\" />"},
        {"a <B>b", 0, "a <B>b"},
        {"<B>text", 1, "<B>text"},
        {"</B> and <", 1, "</B> and <"},
    };
    for (const Case &c : cases) {
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(marked(text, c.caret), QString::fromUtf8(c.expected))
            << c.text << " @" << c.caret;
    }
}

TEST(MatchingTag, DeepNestingOfOneElementFindsEachPartner)
{
    const int depth = 2000;
    const QString text = QString("<DIV>").repeated(depth) + QString("</DIV>").repeated(depth);
    for (int level : {0, 1, depth / 2, depth - 1}) {
        const auto found = matchingTagAt(text, level * 5 + 1);
        ASSERT_TRUE(found) << level;
        EXPECT_EQ(found->partnerTagStart, depth * 5 + (depth - 1 - level) * 6) << level;
    }
}

TEST(MatchingTag, ManyUnclosedAndStrayTagsStayLinear)
{
    // Tens of thousands of unclosed P and stray end tags between a pair: a walk over every open
    // element for every end tag would take billions of steps here and stall the suite.
    const int count = 40000;
    const QString text = "<DIV>" + QString("<P>a").repeated(count) + QString("</X>").repeated(count)
                         + QString("<B>").repeated(count) + QString("</Y>").repeated(count)
                         + "</DIV>";
    const auto found = matchingTagAt(text, 1);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->partnerTagStart, text.size() - 6);
    const auto back = matchingTagAt(text, text.size() - 2);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->partnerTagStart, 0);
    EXPECT_EQ(
        completionItems(completionAt(QString(text).chopped(6) + "</"), baseTagVocabulary(), false),
        QStringList{"B"});
}
