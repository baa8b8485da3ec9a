#include "document/widthconversion.h"

#include "support/documentfixture.h"

#include <QStringList>

namespace {

// The expected full-width form of one character, worked out independently of the program's
// table: ASCII by its fixed offset to the full-width block (checked against Unicode's own
// compatibility mapping), half-width katakana by that compatibility mapping.
QString expectedFullWidth(char16_t c)
{
    if (c == u' ')
        return QString(QChar(0x3000));
    if (c == u'\\')
        return QStringLiteral("￥"); // 0x5C is the yen sign in Shift-JIS
    if (c == u'~')
        return QStringLiteral("￣"); // 0x7E is the overline in Shift-JIS
    if (c >= 0x21 && c <= 0x7E) {
        const QString wide(QChar(char16_t(c + 0xFEE0)));
        EXPECT_EQ(wide.normalized(QString::NormalizationForm_KC), QString(QChar(c)));
        return wide;
    }
    // The lone marks become the spacing marks ゛ and ゜ (the compatibility mapping gives
    // the combining ones).
    if (c == 0xFF9E)
        return QStringLiteral("゛");
    if (c == 0xFF9F)
        return QStringLiteral("゜");
    if (c >= 0xFF61 && c <= 0xFF9D)
        return QString(QChar(c)).normalized(QString::NormalizationForm_KC);
    return QString(QChar(c));
}

TEST(WidthConversion, EveryCharacterMapsAsExpected)
{
    int wrong = 0;
    for (char32_t c = 0; c <= 0xFFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue; // lone surrogates are tested with the undecodable bytes below
        const QString one{QChar(char16_t(c))};
        const QString expected = expectedFullWidth(char16_t(c));
        if (toFullWidth(one) != expected && ++wrong <= 10)
            ADD_FAILURE() << "U+" << std::hex << unsigned(c) << " became "
                          << toFullWidth(one).toStdString() << ", expected "
                          << expected.toStdString();
    }
    EXPECT_EQ(wrong, 0);
    // Bytes the decoder could not read stay as they are.
    const QString undecodable = QStringLiteral("a") + QChar(0xDC80) + QChar(0xDCFF);
    EXPECT_EQ(toFullWidth(undecodable), QStringLiteral("ａ") + QChar(0xDC80) + QChar(0xDCFF));
}

TEST(WidthConversion, KanaTakeTheFollowingMarkWhereShiftJisHasTheCharacter)
{
    const QString marks[] = {QStringLiteral("ﾞ"), QStringLiteral("ﾟ")};
    for (char16_t kana = 0xFF66; kana <= 0xFF9D; ++kana) {
        for (const QString &mark : marks) {
            const QString pair = QChar(kana) + mark;
            // Unicode composes exactly the voiced and semi-voiced kana; ヷ and ヺ are not in
            // Shift-JIS and stay two characters.
            QString expected = pair.normalized(QString::NormalizationForm_KC);
            if (expected.size() != 1 || expected == u"ヷ" || expected == u"ヺ")
                expected = expectedFullWidth(kana) + expectedFullWidth(mark[0].unicode());
            EXPECT_EQ(toFullWidth(pair).toStdString(), expected.toStdString())
                << pair.toStdString();
        }
    }
}

TEST(WidthConversion, MixedText)
{
    struct Case
    {
        const char *name;
        QString half;
        QString full;
    };
    const Case cases[] = {
        {"examples", "ｶﾞﾊﾟｳﾞ", "ガパヴ"},
        {"punctuation", "｡｢｣､･ｰ", "。「」、・ー"},
        {"boldTag", "<B>", "＜Ｂ＞"},
        {"tagsAndJapanese", "<A HREF=\"x.htm\">ﾎｰﾑﾍﾟｰｼﾞ</A>\r\n日本語 ｶﾅ ｶﾞﾞ",
         "＜Ａ　ＨＲＥＦ＝＂ｘ．ｈｔｍ＂＞ホームページ＜／Ａ＞\r\n日本語　カナ　ガ゛"},
        {"fullWidthKanaKeepsTheMarkApart", "カﾞ", "カ゛"},
        {"markAtTheStart", "ﾞa", "゛ａ"},
        {"controlsStay", "\t\r\n\x7f", "\t\r\n\x7f"},
        {"empty", "", ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(toFullWidth(c.half).toStdString(), c.full.toStdString()) << c.name;
}

using WidthCommand = DocumentFixture;

TEST_F(WidthCommand, ConvertsTheSelectionOnly)
{
    text().setText("<B>ｶﾞ</B>");
    text().select(3, 2);
    ASSERT_TRUE(doc->run("mnuToolHan2Zen_Click"));
    EXPECT_EQ(text().text().toStdString(), "<B>ガ</B>");
    EXPECT_EQ(text().selStart(), 4);
}

} // namespace
