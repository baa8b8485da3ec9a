#include "tags/gradation/gradationformat.h"

#include "support/qstringprinter.h"

#include <gtest/gtest.h>

namespace {

constexpr int Red = 0x0000FF;
constexpr int Blue = 0xFF0000;
constexpr int Black = 0x000000;
constexpr int White = 0xFFFFFF;

// The expected FONT runs of `characters` with one colour each.
QString runs(std::initializer_list<std::pair<const char *, const char *>> characters)
{
    QString html;
    for (const auto &[character, color] : characters)
        html += QStringLiteral("<FONT color=#%1>%2</FONT>")
                    .arg(QLatin1String(color), QString::fromUtf8(character));
    return html;
}

struct GradationCase
{
    const char *name;
    GradationValues values;
    QString expected;
};

GradationValues plain(const char *text, int start, int end)
{
    return {QString::fromUtf8(text), start, end, false};
}

GradationValues repeated(const char *text, int start, int middle)
{
    return {QString::fromUtf8(text), start, middle, true};
}

TEST(GradationFormat, FragmentsOverTheirValues)
{
    const GradationCase cases[] = {
        {"two letters red to blue", plain("AB", Red, Blue),
         runs({{"A", "FF0000"}, {"B", "80007F"}})},
        {"black to white over four", plain("abcd", Black, White),
         runs({{"a", "000000"}, {"b", "3F3F3F"}, {"c", "7E7E7E"}, {"d", "BDBDBD"}})},
        {"equal colours", plain("x y", 0x123456, 0x123456),
         runs({{"x", "563412"}, {" ", "563412"}, {"y", "563412"}})},
        {"empty text", plain("", Red, Blue), QString()},
        {"Japanese text", plain("日本語", Red, Blue),
         runs({{"日", "FF0000"}, {"本", "AA0055"}, {"語", "5500AA"}})},
        {"a line break is one character", plain("a\r\nb", Black, White),
         runs({{"a", "000000"}, {"\r\n", "555555"}, {"b", "AAAAAA"}})},
        {"a character beyond 16 bits stays whole", plain("𠮷野", Red, Blue),
         runs({{"𠮷", "FF0000"}, {"野", "80007F"}})},
        {"a combining mark stays with its letter", plain("か\u3099な", Red, Blue),
         runs({{"か\u3099", "FF0000"}, {"な", "80007F"}})},
        {"markup characters are wrapped as they are", plain("<&", Black, Black),
         runs({{"<", "000000"}, {"&", "000000"}})},
        {"repeat, odd length: one character out, two back", repeated("abc", Red, Blue),
         runs({{"a", "FF0000"}, {"b", "0000FF"}, {"c", "7F0080"}})},
        {"repeat, even length: two and two", repeated("abcd", Red, Blue),
         runs({{"a", "FF0000"}, {"b", "80007F"}, {"c", "0000FF"}, {"d", "7F0080"}})},
        {"repeat, one character takes the middle colour", repeated("a", Red, Blue),
         runs({{"a", "0000FF"}})},
        {"repeat, empty text", repeated("", Red, Blue), QString()},
        {"repeat, line break in the second half", repeated("ab\r\nc", Black, White),
         runs({{"a", "000000"}, {"b", "7F7F7F"}, {"\r\n", "FFFFFF"}, {"c", "808080"}})},
    };
    for (const GradationCase &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(buildGradation(c.values), c.expected);
        if (!c.values.repeat) {
            EXPECT_EQ(MakeGradation(c.values.text, c.values.startColor, c.values.endColor),
                      c.expected);
        }
    }
}

TEST(GradationFormat, HexPadPadsButNeverCuts)
{
    const struct
    {
        uint value;
        int width;
        const char *expected;
    } cases[] = {{0, 2, "00"},      {15, 2, "0F"}, {255, 2, "FF"},
                 {0xABC, 2, "ABC"}, {7, 0, "7"},   {0xbeef, 6, "00BEEF"}};
    for (const auto &c : cases)
        EXPECT_EQ(HexPad(c.value, c.width), QLatin1String(c.expected)) << c.value << " " << c.width;
}

TEST(GradationFormat, PreviewPageHoldsTheFragmentOnItsMiddleLine)
{
    EXPECT_EQ(gradationPreviewPage(QStringLiteral("<FONT color=#000000>a</FONT>")),
              QStringLiteral(
                  "<HYML>\r\n<BODY>\r\n<FONT color=#000000>a</FONT>\r\n</BODY>\r\n</HYML>\r\n"));
    EXPECT_EQ(gradationPreviewPage(QString()),
              QStringLiteral("<HYML>\r\n<BODY>\r\n\r\n</BODY>\r\n</HYML>\r\n"));
}

} // namespace
