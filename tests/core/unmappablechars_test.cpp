#include "core/unmappablechars.h"

#include <gtest/gtest.h>

namespace {

// "字:1,3 字:2" for the list, to compare at a glance.
std::string summary(const QList<UnmappableCharacter> &characters)
{
    QStringList parts;
    for (const UnmappableCharacter &c : characters) {
        QStringList lines;
        for (int line : c.lines)
            lines << QString::number(line);
        parts << c.character + QLatin1Char(':') + lines.join(QLatin1Char(','));
    }
    return parts.join(QLatin1Char(' ')).toStdString();
}

} // namespace

TEST(UnmappableCharacters, ListsEachCharacterWithItsLines)
{
    const struct
    {
        const char *name;
        QString text;
        TextEncoding encoding;
        std::string expected;
    } cases[] = {
        {"nothing lost", QStringLiteral("漢字①㈱髙ｱ\r\n"), TextEncoding::ShiftJis, ""},
        {"emoji on two CR LF lines", QStringLiteral("a😀\r\nb\r\n😀😀"), TextEncoding::ShiftJis,
         "😀:1,3"},
        {"LF and lone CR count as breaks", QStringLiteral("\n\r😀"), TextEncoding::EucJp, "😀:3"},
        {"order of first appearance", QStringLiteral("𠀋\r\n😀𠀋"), TextEncoding::Iso2022Jp,
         "𠀋:1,2 😀:2"},
        {"IBM kanji missing from 7-bit JIS", QStringLiteral("髙"), TextEncoding::Iso2022Jp, "髙:1"},
        {"UTF-8 holds everything", QStringLiteral("😀𠀋髙"), TextEncoding::Utf8, ""},
        {"kept bytes are no loss", QString(QChar(0xDC80)), TextEncoding::ShiftJis, ""},
        {"a letter a kept lead byte would pair with",
         QStringLiteral("\r\n") + QChar(0xDC81) + QStringLiteral("A\r\nA"), TextEncoding::ShiftJis,
         "A:2"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(summary(unmappableCharacters(c.text, c.encoding)), c.expected);
    }
}

// A kept byte that cannot stay a byte where an edit left it is listed as itself.
TEST(UnmappableCharacters, KeptBytesAnEditLeftAloneAreListed)
{
    const QString keptByte(QChar(0xDCD8));
    const QList<UnmappableCharacter> found = unmappableCharacters(
        QStringLiteral("a\n") + keptByte + u'b' + keptByte, TextEncoding::Utf16LeBom);
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found[0].character, keptByte);
    EXPECT_EQ(found[0].lines, QList<int>{2});
}

TEST(UnmappableCharacters, DescriptionNamesLinesAndCutsLongLists)
{
    EXPECT_EQ(describeUnmappable({{QStringLiteral("😀"), {1, 3}}, {QStringLiteral("𠀋"), {2}}}),
              QStringLiteral("😀 (1, 3 行目)  𠀋 (2 行目)"));
    const QList<UnmappableCharacter> three
        = {{QStringLiteral("a"), {1}}, {QStringLiteral("b"), {1}}, {QStringLiteral("c"), {1}}};
    EXPECT_EQ(describeUnmappable(three, 2), QStringLiteral("a (1 行目)  b (1 行目)  ほか 1 文字"));
}
