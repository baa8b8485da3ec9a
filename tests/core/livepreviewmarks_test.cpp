#include "core/livepreviewmarks.h"

#include "support/qstringprinter.h"

#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

// The marked copy without its marks.
QString unmarked(const QString &marked)
{
    static const QRegularExpression mark(
        QStringLiteral(" %1=\"\\d+\"").arg(QLatin1StringView(sourcePositionAttribute)));
    return QString(marked).remove(mark);
}

// The start tags marked, as "<name" read at each marked position of the source.
QStringList markedTags(const QString &text, const QList<qsizetype> &positions)
{
    QStringList tags;
    for (qsizetype at : positions) {
        qsizetype end = at + 1;
        while (end < text.size() && !QStringLiteral(" \t\r\n\f/>").contains(text.at(end)))
            ++end;
        tags << text.mid(at, end - at);
    }
    return tags;
}

} // namespace

// Only the tags a browser reads as tags get a mark: whatever it reads as text (comments,
// attribute values, scripts and style sheets, raw-text elements, a tag never closed) stays as
// it was, so that the marked page reads as the page.
TEST(LivePreviewMarks, MarksOnlyTheStartTagsABrowserReads)
{
    const struct
    {
        const char *page;
        QStringList tags;
    } cases[] = {
        {"<html><body><p class=a>text</p></body></html>", {"<html", "<body", "<p"}},
        {"<P CLASS=X>upper</P><Br/><img src=a.gif/>", {"<P", "<Br", "<img"}},
        {"a < b, 1<2, <3, <あ> <b>", {"<b"}},
        {"<!-- <p> --> <b> <!----><i> <!--> <u> <!---> <s>", {"<b", "<i", "<u", "<s"}},
        {"<!-- a --!> <b> <!-- x -- y --> <i>", {"<b", "<i"}},
        {"<!-- never closed <p>", {}},
        {"<!DOCTYPE html><?xml <p> ?><b>", {"<b"}},
        {"<a title=\"<b>\" alt='<i>' x=<u>>link</a>", {"<a"}},
        {"<a title=\"x>y\" href=a>z</a><b>", {"<a", "<b"}},
        {"<p title=\"never closed><b>", {}},
        {"<p a=\"1\"b='2'c=3 d e= f><i>", {"<p", "<i"}},
        {"</p <b>><i>", {"<i"}},
        {"</ <b>><i></><u>", {"<i", "<u"}},
        {"<script>if (a<b) document.write('<p>');</script><i>", {"<script", "<i"}},
        {"<SCRIPT>x='</scripts>'; y='<b>'</SCRIPT ><i>", {"<SCRIPT", "<i"}},
        {"<script><!-- document.write('<script></script>'); --></script><i>", {"<script", "<i"}},
        {"<script><!-- x = '<script>'; y = '</script>'; z = '<b>' --></script><i>",
         {"<script", "<i"}},
        {"<script><!--> '<b>'</script><i>", {"<script", "<i"}},
        {"<script>var s = '<!--';</script><i>", {"<script", "<i"}},
        {"<style>p > b { color: red } /* <i> */</style><u>", {"<style", "<u"}},
        {"<textarea><p>typed</textarea><i>", {"<textarea", "<i"}},
        {"<title><b>t</b></title><i>", {"<title", "<i"}},
        {"<xmp><p></xmp><noscript><b></noscript><iframe><u></iframe><i>",
         {"<xmp", "<noscript", "<iframe", "<i"}},
        {"<textarea>never closed <p>", {"<textarea"}},
        {"<plaintext><p>all text</p>", {"<plaintext"}},
        {"<svg><![CDATA[ a > <b> ]]></svg><i>", {"<svg", "<i"}},
        {"<p\r\nclass=a>lines</p>", {"<p"}},
        {"<p", {}},
    };
    for (const auto &c : cases) {
        const QString page = QString::fromUtf8(c.page);
        SCOPED_TRACE(page.toStdString());
        QList<qsizetype> positions;
        const QString marked = markSourcePositions(page, &positions);
        EXPECT_EQ(markedTags(page, positions), c.tags);
        EXPECT_EQ(unmarked(marked), page);
        EXPECT_EQ(marked.count(QLatin1StringView(sourcePositionAttribute)), c.tags.size());
    }
}

// Each mark sits right after the tag's name and carries where the tag starts, counted in the
// text as given (a CR LF is two), past the 16-bit range and beside bytes kept as they were.
TEST(LivePreviewMarks, PositionsCountInTheTextAsGiven)
{
    QString page = QStringLiteral("<p>\r\n");
    page += QString(40000, u'x') + QChar(0xDC85) + QStringLiteral("\r\n<b>bold</b>");
    QList<qsizetype> positions;
    const QString marked = markSourcePositions(page, &positions);
    ASSERT_EQ(positions, (QList<qsizetype>{0, page.indexOf(QStringLiteral("<b>"))}));
    EXPECT_GT(positions.last(), 32767);
    EXPECT_TRUE(marked.startsWith(
        QStringLiteral("<p %1=\"0\">").arg(QLatin1StringView(sourcePositionAttribute))));
    EXPECT_TRUE(marked.endsWith(QStringLiteral("<b %1=\"%2\">bold</b>")
                                    .arg(QLatin1StringView(sourcePositionAttribute))
                                    .arg(positions.last())));
    EXPECT_TRUE(marked.contains(QChar(0xDC85)));
}
