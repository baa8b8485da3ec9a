#include "core/codec.h"

#include <QSet>

#include <algorithm>
#include <gtest/gtest.h>
#include <random>

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray result;
    for (int value : values)
        result.append(char(value));
    return result;
}

bool isKeptByte(QChar unit)
{
    return unit.unicode() >= 0xDC80 && unit.unicode() <= 0xDCFF;
}

struct LookAlikeCase
{
    const char *name;
    char16_t typed;
    int code;
    char16_t readBack;
};
const LookAlikeCase lookAlikeCases[] = {
    {"wave dash", 0x301C, 0x8160, 0xFF5E},  {"double vertical line", 0x2016, 0x8161, 0x2225},
    {"minus sign", 0x2212, 0x817C, 0xFF0D}, {"cent sign", 0x00A2, 0x8191, 0xFFE0},
    {"pound sign", 0x00A3, 0x8192, 0xFFE1}, {"not sign", 0x00AC, 0x81CA, 0xFFE2},
    {"em dash", 0x2014, 0x815C, 0x2015},
};

bool isLookAlike(char16_t unit)
{
    return std::any_of(std::begin(lookAlikeCases), std::end(lookAlikeCases),
                       [unit](const LookAlikeCase &c) { return c.typed == unit; });
}

QString reference(char32_t codePoint)
{
    return QStringLiteral("&#x")
           + QString::number(uint(codePoint), 16).toUpper().rightJustified(4, u'0') + u';';
}

} // namespace

TEST(CodecSingleBytes, DecodeToAsciiKatakanaOrKeptBytesAndEncodeBack)
{
    for (int byte = 0; byte < 0x100; ++byte) {
        SCOPED_TRACE(byte);
        const QByteArray code(1, char(byte));
        const QString text = decodeCp932(code);
        ASSERT_EQ(text.size(), 1);
        char16_t expected;
        if (byte < 0x80)
            expected = char16_t(byte); // 0x1A, 0x1C, 0x5C, 0x7E, 0x7F included
        else if (byte >= 0xA1 && byte <= 0xDF)
            expected = char16_t(0xFF61 + byte - 0xA1); // half-width katakana
        else
            expected = char16_t(0xDC00 + byte); // lone lead byte or unassigned byte
        EXPECT_EQ(text.at(0).unicode(), expected);
        EXPECT_EQ(encodeCp932(text), code);
    }
}

TEST(CodecTwoBytes, KnownCodePage932Characters)
{
    const struct
    {
        QByteArray code;
        char16_t character;
    } cases[] = {
        {bytes({0x81, 0x5F}), 0xFF3C}, {bytes({0x81, 0x60}), 0xFF5E}, {bytes({0x81, 0x61}), 0x2225},
        {bytes({0x81, 0x7C}), 0xFF0D}, {bytes({0x81, 0x91}), 0xFFE0}, {bytes({0x81, 0x92}), 0xFFE1},
        {bytes({0x81, 0xCA}), 0xFFE2}, {bytes({0x82, 0xA0}), 0x3042}, {bytes({0x87, 0x40}), 0x2460},
        {bytes({0xF0, 0x40}), 0xE000}, // user-defined area
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.code.toHex().toStdString());
        EXPECT_EQ(decodeCp932(c.code), QString(QChar(c.character)));
        EXPECT_EQ(encodeCp932(QString(QChar(c.character))), c.code);
    }
}

// Every pair of a lead byte with any second byte: assigned codes decode to one character and
// are written back unchanged, except the duplicates, which are written as the one canonical
// code; unassigned pairs keep their bytes.
TEST(CodecTwoBytes, EveryCodeRoundTripsOrIsWrittenCanonically)
{
    int assigned = 0;
    int duplicates = 0;
    QSet<int> duplicateLeads;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead >= 0xA0 && lead < 0xE0)
            continue;
        for (int trail = 0; trail < 0x100; ++trail) {
            const QByteArray code = bytes({lead, trail});
            const QString text = decodeCp932(code);
            const QByteArray back = encodeCp932(text);
            if (text.size() != 1 || isKeptByte(text.at(0))) {
                ASSERT_EQ(back, code) << code.toHex().toStdString();
                continue;
            }
            ++assigned;
            if (back == code)
                continue;
            ++duplicates;
            duplicateLeads.insert(lead);
            ASSERT_EQ(back.size(), 2) << code.toHex().toStdString();
            ASSERT_EQ(decodeCp932(back), text) << code.toHex().toStdString();
        }
    }
    EXPECT_EQ(assigned, 9604); // 7724 characters and the 1880 codes of the user-defined area
    EXPECT_EQ(duplicates, 398);
    EXPECT_EQ(duplicateLeads, (QSet<int>{0x87, 0xED, 0xEE, 0xFA}));
    const struct
    {
        QByteArray duplicate, canonical;
    } pinned[] = {
        {bytes({0xED, 0x40}), bytes({0xFA, 0x5C})}, // NEC-selected IBM extension → IBM extension
        {bytes({0xEE, 0xEF}), bytes({0xFA, 0x40})}, // small roman numeral one
        {bytes({0xFA, 0x4A}), bytes({0x87, 0x54})}, // roman numeral one → NEC row 13
        {bytes({0xFA, 0x54}), bytes({0x81, 0xCA})}, // not sign → JIS row 2
        {bytes({0x87, 0x90}), bytes({0x81, 0xE0})}, // approximately equal → JIS row 2
    };
    for (const auto &p : pinned)
        EXPECT_EQ(encodeCp932(decodeCp932(p.duplicate)), p.canonical);
}

// Each code unit alone is kept as its byte, written as bytes that read back as the same
// character, or written as a reference: never silently replaced by a look-alike.
TEST(CodecEncode, EveryUnitReadsBackOrBecomesAReference)
{
    int references = 0;
    for (int unit = 0; unit < 0x10000; ++unit) {
        const QString text{QChar(char16_t(unit))};
        EncodeReport report;
        const QByteArray encoded = encodeCp932(text, &report);
        if (report.unmappable == 0) {
            if (isLookAlike(char16_t(unit)))
                continue;
            ASSERT_EQ(decodeCp932(encoded), text) << unit;
        } else {
            ++references;
            ASSERT_EQ(QString::fromLatin1(encoded), reference(char32_t(unit))) << unit;
        }
    }
    EXPECT_GT(references, 0);
    // iconv alone would turn these into 0x5C and 0x7E, which read back as backslash and tilde
    for (char16_t lookAlike : {0x00A5, 0x203E})
        EXPECT_EQ(QString::fromLatin1(encodeCp932(QString(QChar(lookAlike)))),
                  reference(lookAlike));
}

// Linux input methods type these where Windows has the code page's own forms; they are written
// as the codes Windows users type them with and read back as those forms.
TEST(CodecEncode, LinuxLookAlikesAreWrittenAsTheirShiftJisCodes)
{
    for (const LookAlikeCase &c : lookAlikeCases) {
        SCOPED_TRACE(c.name);
        EncodeReport report;
        const QByteArray encoded = encodeCp932(QString(QChar(c.typed)), &report);
        EXPECT_EQ(encoded, bytes({c.code >> 8, c.code & 0xFF}));
        EXPECT_EQ(report.unmappable, 0);
        EXPECT_EQ(decodeCp932(encoded), QString(QChar(c.readBack)));
    }
}

// A kept invalid byte followed by a character whose usual code would pair with it: the
// character is written in a form that leaves the byte alone, so the save reads back as the
// text that was saved.
TEST(CodecEncode, CodesAfterAKeptByteDoNotPairWithIt)
{
    const struct
    {
        const char *name;
        QByteArray file;
    } cases[] = {
        {"EE EE 75: U+FA1E would be FB 92, and EE FB reads as a full-width apostrophe",
         bytes({0xEE, 0xEE, 0x75})},
        {"81 FA 4A: roman numeral one would be 87 54, and 81 87 reads as infinity",
         bytes({0x81, 0xFA, 0x4A})},
        {"EE ED 40: U+7E8A would be FA 5C, and EE FA reads as a broken bar",
         bytes({0xEE, 0xED, 0x40})},
        {"kept byte, then a duplicate in the middle of a line",
         bytes({'<', 'p', '>', 0xEE, 0xEE, 0x75, 0x82, 0xA0, '\r', '\n'})},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString text = decodeCp932(c.file);
        ASSERT_TRUE(std::any_of(text.begin(), text.end(), isKeptByte))
            << "the case holds a kept byte";
        EXPECT_EQ(encodeCp932(text), c.file);
    }
    // An edit that puts a character right after a kept lead byte: no form of "A" leaves 0x81
    // alone, so it is written as a reference and reported.
    EncodeReport report;
    const QString edited = QString(QChar(0xDC81)) + u'A';
    const QByteArray encoded = encodeCp932(edited, &report);
    EXPECT_EQ(encoded, QByteArray("\x81&#x0041;"));
    EXPECT_EQ(report.unmappable, 1);
    EXPECT_EQ(decodeCp932(encoded).left(1), QString(QChar(0xDC81)));
}

TEST(CodecEncode, CharactersOutsideCodePage932BecomeReferencesAndAreReported)
{
    const QString text
        = QStringLiteral("a😀b😀c\U000E0001é<\U0001F601\U0001F602\U0001F603\U0001F604");
    EncodeReport report;
    EXPECT_EQ(
        encodeCp932(text, &report),
        QByteArray("a&#x1F600;b&#x1F600;c&#xE0001;&#x00E9;<&#x1F601;&#x1F602;&#x1F603;&#x1F604;"));
    EXPECT_EQ(report.unmappable, 8);
    EXPECT_EQ(report.firstUnmappable,
              (QStringList{QStringLiteral("😀"), QStringLiteral("\U000E0001"), QStringLiteral("é"),
                           QStringLiteral("\U0001F601"), QStringLiteral("\U0001F602")}));
}

TEST(CodecRoundTrip, RandomBytesSurviveDecodeAndEncode)
{
    std::mt19937 random(932);
    std::uniform_int_distribution<int> length(0, 300);
    std::uniform_int_distribution<int> byte(0, 0xFF);
    const QByteArray duplicateLeads = bytes({0x87, 0xED, 0xEE, 0xFA});
    for (int round = 0; round < 4000; ++round) {
        // Every other string leaves out the lead bytes of duplicate codes: nothing in it is
        // canonicalised, so it must come back byte for byte.
        const bool exact = round % 2 == 0;
        QByteArray input;
        for (int i = length(random); i > 0;) {
            const char next = char(byte(random));
            if (exact && duplicateLeads.contains(next))
                continue;
            input.append(next);
            --i;
        }
        const QString text = decodeCp932(input);
        const QByteArray output = encodeCp932(text);
        ASSERT_EQ(decodeCp932(output), text) << input.toHex().toStdString();
        // Otherwise duplicates change to their canonical codes of the same length, and no
        // byte is lost or added.
        if (exact)
            ASSERT_EQ(output, input) << input.toHex().toStdString();
        else
            ASSERT_EQ(output.size(), input.size()) << input.toHex().toStdString();
    }
}
