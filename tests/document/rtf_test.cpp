#include "document/rtf.h"

#include <gtest/gtest.h>

namespace {

constexpr int red = 0x0000FF;
constexpr int blue = 0xFF0000;
constexpr int magenta = 0xFF00FF;

QString rtfText(const char *latin1)
{
    return QString::fromLatin1(latin1);
}

} // namespace

TEST(Rtf, ColoursAndBoldOverJapaneseTextSurviveWriteAndRead)
{
    const QList<RtfSpan> spans = {
        {QStringLiteral("<"), red, true},
        {QStringLiteral("A href"), blue, false},
        {QStringLiteral("=\""), magenta, true},
        {QStringLiteral("日本語の{見出し}\\"), blue, true},
        {QStringLiteral(">"), red, true},
        {QStringLiteral("ｶﾀｶﾅ\tと😀\n次の行\n"), 0, false},
        {QString(QChar(0xDC85)) + QChar(0x00A0) + QChar(0x1A), 0,
         true}, // a reserved byte, nbsp, control
    };
    const QString rtf = rtfFromSpans(spans);
    for (QChar c : rtf)
        ASSERT_LT(c.unicode(), 0x80) << "RTF is written as 7-bit text";
    EXPECT_EQ(spansFromRtf(rtf), spans);
}

TEST(Rtf, ReadsWhatAnOfficeSuitePutsOnTheClipboard)
{
    // Font table with a Japanese font name, Shift-JIS byte pairs, \u escapes with their
    // fallbacks, nested groups and groups that hold no text.
    const QString rtf = rtfText(
        "{\\rtf1\\ansi\\ansicpg932\\deff0\\deflang1033\\deflangfe1041"
        "{\\fonttbl{\\f0\\fnil\\fcharset128 \\'82\\'6c\\'82\\'72 \\'96\\'be\\'92\\'a9;}"
        "{\\f1\\fswiss\\fcharset0 Arial;}{\\f2\\froman\\fcharset0{\\*\\panose 02020603050405020304}Times;}}\r\n"
        "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\r\n"
        "{\\*\\generator Riched20 10.0.19041}{\\info{\\author Someone}{\\title \\'95\\'5c}}"
        "{\\stylesheet{\\s0 Normal;}}{\\header {\\f1 page header}}\\viewkind4\\uc1 \r\n"
        "\\pard\\sa200\\sl276\\slmult1\\cf1\\b\\f0\\fs27 \\'82\\'a0\\'82\\'a2\\b0\\cf0\\f1  ABC{\\f0 \\'8a\\'bf\\'8e\\'9a}\\par\r\n"
        "\\cf2\\u26085?\\u26412?{\\*\\bkmkstart x}{\\pict\\wmetafile8 0100{}ff}\\line"
        "{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}\\tab \\'5c\\{\\}\\~\\rquote{\\v hidden}\\par\r\n"
        "{\\uc2\\u12354\\'82\\'a0}{\\f0\\'83A\\'83\\'5c}\\plain \\u-10179?\\u-8704?x}");
    const QList<RtfSpan> spans = spansFromRtf(rtf);
    EXPECT_EQ(plainTextOf(spans), QStringLiteral("あい ABC漢字\n日本\nlink\t\\{}") + QChar(0x00A0)
                                      + QStringLiteral("\u2019\nあアソ\U0001F600x"));
    ASSERT_GE(spans.size(), 3);
    EXPECT_EQ(spans.at(0), (RtfSpan{QStringLiteral("あい"), red, true}));
    EXPECT_EQ(spans.at(1), (RtfSpan{QStringLiteral(" ABC漢字\n"), 0, false}));
    EXPECT_EQ(spans.at(2).color, blue);
    EXPECT_TRUE(spans.at(2).text.startsWith(QStringLiteral("日本\n")));
    EXPECT_EQ(spans.last(), (RtfSpan{QStringLiteral("\U0001F600x"), 0, false}));
}

TEST(Rtf, DecodesBytesInTheCodePageOfTheFont)
{
    struct Case
    {
        const char *rtf;
        QString text;
    };
    const Case cases[] = {
        {"{\\rtf1\\ansi\\ansicpg1252 caf\\'e9}", QStringLiteral("café")},
        {"{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f1\\fcharset128 MS Gothic;}}\\f1 \\'82\\'a0}",
         QStringLiteral("あ")},
        {"{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f1\\fcharset204 X;}}\\f1 \\'c4\\'e0}",
         QStringLiteral("Да")},
        {"{\\rtf1\\ansi\\ansicpg932 \\'82\\'a0\\'82\\'a2}", QStringLiteral("あい")},
        // Raw bytes above 0x7F (the string carries them as Latin-1) count as \'hh.
        {"{\\rtf1\\ansi\\ansicpg932 \x82\xa0}", QStringLiteral("あ")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.rtf);
        EXPECT_EQ(plainTextOf(spansFromRtf(rtfText(c.rtf))), c.text);
    }
}

TEST(Rtf, TextThatIsNotRtfIsTakenAsPlainText)
{
    const QList<RtfSpan> spans = spansFromRtf(QStringLiteral("<b>\r\nx\\y{"));
    ASSERT_EQ(spans.size(), 1);
    EXPECT_EQ(spans.at(0), (RtfSpan{QStringLiteral("<b>\nx\\y{"), 0, false}));
}

TEST(Rtf, MalformedInputNeverCrashes)
{
    struct Case
    {
        QString rtf;
        const char *mustContain;
    };
    const QList<Case> cases = {
        {QString(), ""},
        {rtfText("{\\rtf1"), ""},
        {rtfText("{\\rtf1 abc"), "abc"}, // no closing brace
        {rtfText("{\\rtf1 {{{{ abc"), "abc"},
        {rtfText("{\\rtf1 }}}} abc"), "abc"}, // stray closing braces
        {rtfText("{\\rtf1 abc\\"), "abc"},    // ends in a backslash
        {rtfText("{\\rtf1 abc\\'"), "abc"},
        {rtfText("{\\rtf1 abc\\'8"), "abc"},
        {rtfText("{\\rtf1\\ansicpg932 abc\\'82}"), "abc"}, // a lead byte without its pair
        {rtfText("{\\rtf1 \\u99999999999999999999999? abc}"), "abc"},
        {rtfText("{\\rtf1 \\u-99999999999999999999999? abc}"), "abc"},
        {rtfText("{\\rtf1 \\uc999999999999 \\u12354 abcdefghijklmnopqrstuvwxyz}"), "xyz"},
        {rtfText("{\\rtf1 \\bin99999999999 abc}"), ""},
        {rtfText("{\\rtf1 \\bin-5 abc}"), "abc"},
        {rtfText("{\\rtf1 \\cf99999999 abc\\cf-3 def}"), "def"},
        {rtfText("{\\rtf1{\\colortbl\\red999999999\\green-4;}\\cf1 abc}"), "abc"},
        {rtfText("{\\rtf1\\ansicpg-1 \\'e9abc}"), "abc"},
        {rtfText("{\\rtf1\\ansicpg99999999 \\'e9abc}"), "abc"},
        {rtfText(
             "{\\rtf1{\\fonttbl{\\f99999999999\\fcharset99999999999 x;}}\\f99999999999 \\'e9abc}"),
         "abc"},
        {rtfText("{\\rtf1 \\") + QString(5000, QLatin1Char('a')) + QStringLiteral("9 abc}"), "abc"},
        {rtfText("{\\rtf1 ") + QString(200000, QLatin1Char('{')) + QStringLiteral("abc"), "abc"},
        {rtfText("{\\rtf1 ") + QString(200000, QLatin1Char('}')) + QStringLiteral("abc"), "abc"},
        {rtfText("{\\rtf1 {\\*") + QStringLiteral("\\'\\'\\u\\uc\\bin"), ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.rtf.left(60).toStdString());
        const QString text = plainTextOf(spansFromRtf(c.rtf));
        EXPECT_TRUE(text.contains(QLatin1String(c.mustContain)));
    }
}

TEST(Rtf, TransportKeepsCharactersAboveLatin1)
{
    const QString rtf = rtfText("{\\rtf1 ") + QStringLiteral("日本") + u'}';
    const QByteArray bytes = rtfToBytes(rtf);
    for (char b : bytes)
        EXPECT_GE(b, 0) << "only 7-bit bytes for characters above U+00FF";
    EXPECT_EQ(plainTextOf(spansFromRtf(rtfFromBytes(bytes))), QStringLiteral("日本"));
}

// Office suites mark bold Japanese text with associated bold in runs of a byte class; \ab
// after \rtlch is bold of right-to-left scripts only.
TEST(Rtf, AssociatedBoldOfByteClassRunsReadsAsBold)
{
    struct Case
    {
        const char *name;
        const char *rtf;
        bool bold;
    };
    const Case cases[] = {
        {"double-byte run",
         "{\\rtf1\\ansi\\ansicpg932 {\\loch\\af0\\hich\\af0\\dbch\\ab\\af1 \\'91\\'be}}", true},
        {"low-ANSI run", "{\\rtf1\\ansi\\ansicpg932 {\\loch\\ab \\'91\\'be}}", true},
        {"switched off", "{\\rtf1\\ansi\\ansicpg932 {\\dbch\\ab\\ab0 \\'91\\'be}}", false},
        {"reset by plain", "{\\rtf1\\ansi\\ansicpg932 {\\dbch\\ab\\plain \\'91\\'be}}", false},
        {"right-to-left bold only",
         "{\\rtf1\\ansi\\ansicpg932 {\\rtlch\\ab\\ltrch\\dbch \\'91\\'be}}", false},
        {"plain bold", "{\\rtf1\\ansi\\ansicpg932 {\\rtlch\\ab\\ltrch\\b\\dbch \\'91\\'be}}", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QList<RtfSpan> spans = spansFromRtf(rtfText(c.rtf));
        ASSERT_EQ(spans.size(), 1);
        EXPECT_EQ(spans.at(0), (RtfSpan{QStringLiteral("太"), 0, c.bold}));
    }
    // The group ends the bold.
    const QList<RtfSpan> spans = spansFromRtf(
        rtfText("{\\rtf1\\ansi\\ansicpg932 {\\dbch\\ab \\'91\\'be}\\dbch \\'91\\'be}"));
    EXPECT_EQ(spans,
              (QList<RtfSpan>{{QStringLiteral("太"), 0, true}, {QStringLiteral("太"), 0, false}}));
}

// A long run of raw double-byte characters (second bytes left unescaped, as some programs
// write them) reads in time proportional to its length.
TEST(Rtf, ALongRunOfRawDoubleByteCharactersReadsInOnePass)
{
    constexpr int characters = 128 * 1024; // 256 KB of bytes
    QString rtf = rtfText("{\\rtf1\\ansi\\ansicpg932 ");
    rtf.reserve(rtf.size() + characters * 2 + 1);
    for (int i = 0; i < characters; ++i)
        rtf += i % 2 == 0 ? rtfText("\x83"
                                    "A")
                          : rtfText("\x82\xa0"); // ア, あ
    rtf += u'}';
    const QString text = plainTextOf(spansFromRtf(rtf));
    ASSERT_EQ(text.size(), characters);
    EXPECT_EQ(text.left(4), QStringLiteral("アあアあ"));
    EXPECT_EQ(text.count(QChar(u'ア')), characters / 2);
}
