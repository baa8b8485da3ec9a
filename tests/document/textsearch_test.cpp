#include "document/textsearch.h"

#include <gtest/gtest.h>

namespace {

struct SearchCase
{
    const char *name;
    QString text;
    QString what;
    int from;
    Qt::CaseSensitivity cs;
    QList<int> matches; // of findAllText; findText gives the first or -1
};

class TextSearch : public testing::TestWithParam<SearchCase>
{};

TEST_P(TextSearch, FindsFromThePosition)
{
    const SearchCase &c = GetParam();
    EXPECT_EQ(findText(c.text, c.what, c.from, c.cs), c.matches.isEmpty() ? -1 : c.matches.first());
    EXPECT_EQ(findAllText(c.text, c.what, c.from, c.cs), c.matches);
}

constexpr auto Any = Qt::CaseInsensitive;
constexpr auto Exact = Qt::CaseSensitive;

INSTANTIATE_TEST_SUITE_P(
    , TextSearch,
    testing::Values(SearchCase{"caseIgnored", "<TABLE><table>", "table", 0, Any, {1, 8}},
                    SearchCase{"caseMatched", "<TABLE><table>", "table", 0, Exact, {8}},
                    SearchCase{"fullWidthLettersIgnoreCase", "ＡＢａｂ", "ａｂ", 0, Any, {0, 2}},
                    SearchCase{"fromInsideAMatch", "abab", "ab", 1, Exact, {2}},
                    SearchCase{"matchAtThePosition", "abab", "ab", 2, Exact, {2}},
                    SearchCase{"noOverlaps", "aaaaa", "aa", 0, Exact, {0, 2}},
                    SearchCase{"atTheVeryEnd", "xx\r\nend", "end", 0, Exact, {4}},
                    SearchCase{"acrossALineBreak", "a\r\nb", "a\r\nb", 0, Exact, {0}},
                    SearchCase{"pastTheEnd", "abc", "c", 3, Exact, {}},
                    SearchCase{"negativeStartsAtTheTop", "abc", "a", -1, Exact, {0}},
                    SearchCase{"emptyFindsNothing", "abc", "", 0, Exact, {}},
                    SearchCase{"notThere", "abc", "d", 0, Any, {}}),
    [](const testing::TestParamInfo<SearchCase> &info) { return std::string(info.param.name); });

} // namespace
