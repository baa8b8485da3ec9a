#include "document/colorrules.h"

#include <gtest/gtest.h>

namespace {

// One letter a character: R bracket, M punctuation, B inside a tag, K text.
QString kinds(const MarkupScan &scan)
{
    QString out;
    for (const MarkupRun &run : scan.runs) {
        const char letter = run.kind == Markup::Bracket       ? 'R'
                            : run.kind == Markup::Punctuation ? 'M'
                            : run.kind == Markup::InTag       ? 'B'
                                                              : 'K';
        out += QString(run.length, QChar::fromLatin1(letter));
    }
    return out;
}

struct ColorCase
{
    const char *name;
    QString text;
    PunctuationSet set;
    QString expected;
    bool endsInTag;
};

class MarkupColors : public testing::TestWithParam<ColorCase>
{};

TEST_P(MarkupColors, ClassifiesEveryCharacter)
{
    const ColorCase &c = GetParam();
    const MarkupScan scan = scanMarkup(c.text, c.set);
    EXPECT_EQ(kinds(scan), c.expected);
    EXPECT_EQ(scan.endsInTag, c.endsInTag);
    // Runs are contiguous and merged.
    int next = 0;
    for (qsizetype i = 0; i < scan.runs.size(); ++i) {
        EXPECT_EQ(scan.runs[i].start, next);
        EXPECT_GT(scan.runs[i].length, 0);
        if (i > 0) {
            EXPECT_NE(scan.runs[i].kind, scan.runs[i - 1].kind);
        }
        next += scan.runs[i].length;
    }
}

const auto D = PunctuationSet::Document;
const auto F = PunctuationSet::Fragment;

INSTANTIATE_TEST_SUITE_P(
    , MarkupColors,
    testing::Values(ColorCase{"entityAfterFullPass", "&amp;", D, "KKKKK", false},
                    ColorCase{"entityInFragment", "&amp;", F, "KKKKM", false},
                    ColorCase{"semicolonInTagFullPass", "<a;>", D, "RBBR", false},
                    ColorCase{"lineBreakInsideTag", "<a\r\nb>c", D, "RBBBBRK", false},
                    ColorCase{"unclosedTag", "x<a", D, "KRB", true},
                    ColorCase{"closeWithoutOpen", "a>b", D, "KRK", false},
                    ColorCase{"empty", "", D, "", false}),
    [](const testing::TestParamInfo<ColorCase> &info) { return std::string(info.param.name); });

} // namespace
