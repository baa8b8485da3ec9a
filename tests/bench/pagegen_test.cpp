#include "pagegen.h"

#include "harness.h"

#include <gtest/gtest.h>

namespace {

using pagegen::Landmarks;
using pagegen::Style;

struct PageCase
{
    const char *name;
    qsizetype bytes;
    Style style;
    Landmarks landmarks;
};

class GeneratedPage : public testing::TestWithParam<PageCase>
{};

// The benchmark compares figures across runs and machines: a page must be byte-identical every
// time, hold only code page 932, use CR LF throughout and come close to the size it is named by.
TEST_P(GeneratedPage, IsReproducibleShiftJisOfTheNamedSize)
{
    const PageCase &c = GetParam();
    const QString text = pagegen::pageText(c.bytes, c.style, c.landmarks);
    const QByteArray bytes = pagegen::toShiftJis(text);
    EXPECT_EQ(bytes, pagegen::toShiftJis(pagegen::pageText(c.bytes, c.style, c.landmarks)));
    EXPECT_NE(text, pagegen::pageText(c.bytes, c.style, c.landmarks, 2));
    EXPECT_NEAR(double(bytes.size()), double(c.bytes), 0.03 * double(c.bytes));
    EXPECT_EQ(pagegen::fromShiftJis(bytes), text);
    EXPECT_EQ(text.count(u'\n'), text.count(QLatin1String("\r\n")));
    EXPECT_TRUE(text.startsWith(QLatin1String("<HTML>\r\n")));
    EXPECT_TRUE(text.endsWith(QLatin1String("</HTML>")));
}

INSTANTIATE_TEST_SUITE_P(
    Pages, GeneratedPage,
    testing::Values(PageCase{"small", 10 * 1024, Style::HomePage, {}},
                    PageCase{"long", 1024 * 1024, Style::HomePage, {}},
                    PageCase{"dense", 1024 * 1024, Style::DenseMarkup, {}},
                    PageCase{"landmarks", 2 * 1024 * 1024, Style::HomePage, {true, true, true}}),
    [](const testing::TestParamInfo<PageCase> &info) { return info.param.name; });

// The double-click and find scenarios look the landmarks up by text; each must be where they
// expect it, or the scenario would measure something else.
TEST(GeneratedPageLandmarks, StandWhereTheScenariosLookForThem)
{
    const QString text = pagegen::pageText(2 * 1024 * 1024, Style::HomePage, {true, true, true});
    const QString dl = QString::fromLatin1(pagegen::definitionListStart);
    const qsizetype dlStart = text.indexOf(dl);
    ASSERT_GE(dlStart, 0);
    EXPECT_EQ(text.lastIndexOf(dl), dlStart) << "one definition list only";
    const qsizetype dlEnd = text.indexOf(QLatin1String("</DL>"), dlStart);
    ASSERT_GT(dlEnd, dlStart);
    const QByteArray element = pagegen::toShiftJis(text.mid(dlStart, dlEnd + 5 - dlStart));
    EXPECT_NEAR(double(element.size()), double(pagegen::definitionListBytes), 2048);
    EXPECT_EQ(text.indexOf(QLatin1String("</dl>"), 0, Qt::CaseInsensitive), dlEnd)
        << "no end tag before the element's own";

    const qsizetype lastCell = text.lastIndexOf(QLatin1String("<TD "));
    EXPECT_GT(lastCell, dlEnd);
    EXPECT_GT(lastCell, text.size() * 9 / 10) << "the last cell stands near the end";

    const QString word = pagegen::lastWord();
    EXPECT_EQ(text.indexOf(word), text.lastIndexOf(word)) << "the word occurs once";
    EXPECT_GT(text.indexOf(word), lastCell);
    EXPECT_EQ(pagegen::pageText(64 * 1024, Style::HomePage).indexOf(word), -1);
}

TEST(GeneratedFragment, HasTheAskedSizeAndNoPageFrame)
{
    const QString fragment = pagegen::fragmentText(100 * 1024);
    EXPECT_NEAR(double(pagegen::toShiftJis(fragment).size()), 100.0 * 1024, 3000);
    EXPECT_FALSE(fragment.contains(QLatin1String("<BODY")));
}

// p50 and p99 are nearest-rank: a figure that was really measured, never an interpolation.
TEST(Samples, PercentilesAreNearestRank)
{
    struct Case
    {
        QList<double> values;
        double p;
        double expected;
    };
    QList<double> hundred;
    for (int i = 100; i >= 1; --i)
        hundred << i;
    const Case cases[] = {
        {{}, 50, 0},       {{7}, 99, 7},        {{3, 1, 2}, 50, 2}, {{4, 1, 3, 2}, 50, 2},
        {hundred, 99, 99}, {hundred, 100, 100}, {hundred, 0, 1},
    };
    for (const Case &c : cases) {
        bench::Samples samples;
        for (double v : c.values)
            samples.add(v);
        EXPECT_EQ(samples.percentile(c.p), c.expected) << c.values.size() << " values, p" << c.p;
    }
}

} // namespace
