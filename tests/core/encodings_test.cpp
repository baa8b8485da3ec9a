#include "core/encodings.h"

#include <QFile>

#include <gtest/gtest.h>
#include <random>

namespace {

const TextEncoding allEncodings[] = {
    TextEncoding::ShiftJis, TextEncoding::EucJp,      TextEncoding::Iso2022Jp,  TextEncoding::Utf8,
    TextEncoding::Utf8Bom,  TextEncoding::Utf16LeBom, TextEncoding::Utf16BeBom,
};

QByteArray sample(const char *name)
{
    QFile file(QStringLiteral(ORVINE_TEST_DATA "/ja-encodings/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        ADD_FAILURE() << "missing sample " << name;
    return file.readAll();
}

std::string nameOf(TextEncoding encoding)
{
    return encodingName(encoding).toStdString();
}

std::string hex(const QByteArray &bytes)
{
    return bytes.toHex(' ').toStdString();
}

bool hasKeptUnit(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](QChar unit) {
        return unit.unicode() >= 0xDC00 && unit.unicode() <= 0xDCFF;
    });
}

} // namespace

// Text each encoding can hold is written and read back unchanged, and what is written is read
// back byte for byte.
TEST(Encodings, TextSurvivesEveryEncoding)
{
    const struct
    {
        const char *name;
        QString text;
        QList<TextEncoding> encodings;
    } cases[] = {
        {"kanji and kana", QStringLiteral("<p>漢字とかなとカナ</p>\r\n"),
         QList<TextEncoding>(std::begin(allEncodings), std::end(allEncodings))},
        {"half-width katakana", QStringLiteral("ﾊﾝｶｸｶﾀｶﾅ ｱｲｳ\n"),
         QList<TextEncoding>(std::begin(allEncodings), std::end(allEncodings))},
        {"NEC and IBM extensions",
         QStringLiteral("①㈱髙"),
         {TextEncoding::ShiftJis, TextEncoding::EucJp, TextEncoding::Utf8,
          TextEncoding::Utf16LeBom}},
        {"NEC row 13 in 7 bits", QStringLiteral("①㈱"), {TextEncoding::Iso2022Jp}},
        {"wave dash",
         QStringLiteral("〜"),
         {TextEncoding::EucJp, TextEncoding::Iso2022Jp, TextEncoding::Utf8}},
        {"emoji",
         QStringLiteral("絵文字😀\r\n"),
         {TextEncoding::Utf8, TextEncoding::Utf8Bom, TextEncoding::Utf16LeBom,
          TextEncoding::Utf16BeBom}},
        {"LF breaks", QStringLiteral("一\n二\n"),
         QList<TextEncoding>(std::begin(allEncodings), std::end(allEncodings))},
        {"yen and backslash",
         QStringLiteral("¥100 \\ ‾ ~"),
         {TextEncoding::Iso2022Jp, TextEncoding::Utf8}},
    };
    for (const auto &c : cases) {
        for (TextEncoding encoding : c.encodings) {
            SCOPED_TRACE(std::string(c.name) + " in " + encodingName(encoding).toStdString());
            EncodeReport report;
            const QByteArray bytes = encodeText(c.text, encoding, &report);
            EXPECT_EQ(report.unmappable, 0);
            EXPECT_EQ(decodeText(bytes, encoding), c.text) << hex(bytes);
            EXPECT_EQ(encodeText(decodeText(bytes, encoding), encoding), bytes);
        }
    }
}

TEST(Encodings, KnownBytes)
{
    const struct
    {
        const char *name;
        TextEncoding encoding;
        QString text;
        QByteArray bytes;
    } cases[] = {
        {"EUC-JP kanji", TextEncoding::EucJp, QStringLiteral("漢"), "\xB4\xC1"},
        {"EUC-JP half-width", TextEncoding::EucJp, QStringLiteral("ｱ"), "\x8E\xB1"},
        {"EUC-JP JIS X 0212", TextEncoding::EucJp, QStringLiteral("髙"), "\x8F\xF4\xFB"},
        {"ISO-2022-JP", TextEncoding::Iso2022Jp, QStringLiteral("a漢b\r\n"),
         "a\x1B$B4A\x1B(Bb\r\n"},
        {"ISO-2022-JP katakana", TextEncoding::Iso2022Jp, QStringLiteral("ｱ"), "\x1B(I1"},
        {"UTF-8 BOM", TextEncoding::Utf8Bom, QStringLiteral("あ"), "\xEF\xBB\xBF\xE3\x81\x82"},
        {"UTF-16LE", TextEncoding::Utf16LeBom, QStringLiteral("あ\r\n"),
         QByteArray("\xFF\xFE\x42\x30\r\0\n\0", 8)},
        {"UTF-16BE", TextEncoding::Utf16BeBom, QStringLiteral("あ"), "\xFE\xFF\x30\x42"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(encodeText(c.text, c.encoding), c.bytes);
        EXPECT_EQ(decodeText(c.bytes, c.encoding), c.text);
    }
}

// Bytes that do not read in the encoding are kept and written back as they were.
TEST(Encodings, InvalidBytesAreKept)
{
    const struct
    {
        const char *name;
        TextEncoding encoding;
        QByteArray bytes;
    } cases[] = {
        {"EUC-JP lone lead byte", TextEncoding::EucJp,
         "a\xB4"
         "b\xFF\x8E"},
        {"EUC-JP cut-off three-byte code", TextEncoding::EucJp, "\x8F\xF4"},
        {"ISO-2022-JP lone ESC", TextEncoding::Iso2022Jp, "a\x1Bz\x1B"},
        {"ISO-2022-JP old JIS escape", TextEncoding::Iso2022Jp, "\x1B$@4A\x1B(B"},
        {"ISO-2022-JP repeated escape and no reset", TextEncoding::Iso2022Jp, "\x1B$B\x1B$B4A4A"},
        {"ISO-2022-JP line break in two-byte mode", TextEncoding::Iso2022Jp,
         "\x1B$B4A\r\n4A\x1B(B\r\n"},
        {"ISO-2022-JP JIS Roman", TextEncoding::Iso2022Jp, "\x1B(J\\~\x1B(B\\~"},
        {"ISO-2022-JP 8-bit bytes", TextEncoding::Iso2022Jp, "\xA4\xA2\x1B$B\xFF"},
        {"UTF-8 invalid and overlong", TextEncoding::Utf8,
         "\xC0\xAF\xE3\x81"
         "a\xED\xA0\x80\xF5\xFF\x80"},
        {"UTF-8 cut off at the end", TextEncoding::Utf8, "\xE3\x81\x82\xE3\x81"},
        {"UTF-16 odd length", TextEncoding::Utf16LeBom, "\xFF\xFE\x42\x30\x41"},
        {"UTF-16 lone surrogates", TextEncoding::Utf16LeBom,
         QByteArray("\xFF\xFE\x00\xD8\x41\x00\x85\xDC\x3D\xD8\x00\xDE", 12)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString text = decodeText(c.bytes, c.encoding);
        EXPECT_EQ(encodeText(text, c.encoding), c.bytes) << hex(c.bytes);
    }
}

// Any bytes at all come back unchanged; Shift-JIS is left out: it writes duplicate codes in
// one form (codec_test).
TEST(Encodings, RandomBytesComeBackByteForByte)
{
    std::mt19937 random(2022);
    std::uniform_int_distribution<int> length(0, 200);
    std::uniform_int_distribution<int> byte(0, 0xFF);
    // ISO-2022-JP sees many escapes when they are drawn often.
    const QByteArray iso2022Pieces[]
        = {"\x1B$B", "\x1B(B", "\x1B(J", "\x1B(I", "\x1B$@", "\x1B", "4A", "\r\n", "\xB4"};
    for (TextEncoding encoding : allEncodings) {
        if (encoding == TextEncoding::ShiftJis)
            continue;
        SCOPED_TRACE(encodingName(encoding).toStdString());
        for (int round = 0; round < 1500; ++round) {
            QByteArray input;
            if (encoding == TextEncoding::Utf8Bom)
                input = "\xEF\xBB\xBF";
            else if (encoding == TextEncoding::Utf16LeBom)
                input = "\xFF\xFE";
            else if (encoding == TextEncoding::Utf16BeBom)
                input = "\xFE\xFF";
            for (int n = length(random); n > 0; --n) {
                if (encoding == TextEncoding::Iso2022Jp && byte(random) < 96)
                    input += iso2022Pieces[byte(random) % std::size(iso2022Pieces)];
                else
                    input += char(byte(random));
            }
            ASSERT_EQ(encodeText(decodeText(input, encoding), encoding), input) << hex(input);
        }
    }
}

TEST(Encodings, CharactersOutsideTheEncodingBecomeReferences)
{
    EncodeReport report;
    EXPECT_EQ(encodeText(QStringLiteral("é😀漢"), TextEncoding::Iso2022Jp, &report),
              QByteArray("&#x00E9;&#x1F600;\x1B$B4A"));
    EXPECT_EQ(report.unmappable, 2);
    EXPECT_EQ(encodeText(QStringLiteral("漢😀"), TextEncoding::EucJp, &report),
              QByteArray("\xB4\xC1&#x1F600;"));
    EXPECT_EQ(report.unmappable, 1);
}

// The real samples in four encodings read without a kept byte and are written back byte for
// byte, and each is recognised.
TEST(Encodings, RealJapaneseSamples)
{
    const struct
    {
        const char *file;
        TextEncoding encoding;
    } cases[] = {
        {"shift_jis.txt", TextEncoding::ShiftJis},
        {"euc-jp.txt", TextEncoding::EucJp},
        {"iso-2022-jp.txt", TextEncoding::Iso2022Jp},
        {"utf-8.txt", TextEncoding::Utf8},
    };
    const QString expectedStart[]
        = {QStringLiteral("日本語"), QStringLiteral("Extended Unix Code(EUC)は、"),
           QStringLiteral("ISO/IEC 2022（旧称 ISO 2022）は、"),
           QStringLiteral("UTF-8（ユーティーエフはち")};
    for (int i = 0; i < int(std::size(cases)); ++i) {
        const auto &c = cases[i];
        SCOPED_TRACE(c.file);
        const QByteArray bytes = sample(c.file);
        ASSERT_FALSE(bytes.isEmpty());
        EXPECT_EQ(nameOf(detectEncoding(bytes)), nameOf(c.encoding));
        const QString text = decodeText(bytes, c.encoding);
        EXPECT_FALSE(hasKeptUnit(text));
        EXPECT_TRUE(text.startsWith(expectedStart[i])) << text.left(20).toStdString();
        EXPECT_EQ(encodeText(text, c.encoding), bytes);
    }
}

TEST(Encodings, Detection)
{
    const QByteArray sjis = sample("shift_jis.txt");
    const QByteArray euc = sample("euc-jp.txt");
    const QByteArray utf8 = sample("utf-8.txt");
    const struct
    {
        const char *name;
        QByteArray bytes;
        TextEncoding expected;
    } cases[] = {
        {"empty", QByteArray(), TextEncoding::ShiftJis},
        {"pure ASCII", "<html><body>hello</body></html>\r\n", TextEncoding::ShiftJis},
        {"UTF-8 BOM", "\xEF\xBB\xBF<p>", TextEncoding::Utf8Bom},
        {"UTF-16LE BOM", "\xFF\xFE<\0", TextEncoding::Utf16LeBom},
        {"UTF-16BE BOM", "\xFE\xFF\0<", TextEncoding::Utf16BeBom},
        {"meta charset EUC-JP", "<html><head><meta charset=\"EUC-JP\"></head>ascii",
         TextEncoding::EucJp},
        {"http-equiv ISO-2022-JP",
         "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=iso-2022-jp\">",
         TextEncoding::Iso2022Jp},
        {"meta x-sjis over UTF-8 bytes", "<meta charset='x-sjis'>" + utf8, TextEncoding::ShiftJis},
        {"meta UTF-8 with Shift-JIS bytes", "<meta charset=\"utf-8\">" + sjis,
         TextEncoding::ShiftJis},
        {"meta UTF-8 with EUC-JP bytes", "<meta charset=utf-8>" + euc, TextEncoding::EucJp},
        {"meta of an unsupported encoding", "<meta charset=\"big5\">" + utf8, TextEncoding::Utf8},
        {"valid UTF-8", "<p>" + utf8, TextEncoding::Utf8},
        {"UTF-8 cut in a character by the prefix", QByteArray(64 * 1024 - 1, 'a') + "\xE3\x81\x82",
         TextEncoding::Utf8},
        {"EUC-JP", euc, TextEncoding::EucJp},
        {"Shift-JIS", sjis, TextEncoding::ShiftJis},
        {"ISO-2022-JP", sample("iso-2022-jp.txt"), TextEncoding::Iso2022Jp},
        {"a few bytes of nothing", "\xFF\xFE\xFD" + QByteArray(), TextEncoding::Utf16LeBom},
        {"undecidable bytes", "a\x80\xFD", TextEncoding::ShiftJis},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(nameOf(detectEncoding(c.bytes)), nameOf(c.expected));
    }
}

// Pages that a judgement on the first bytes alone gets wrong.
TEST(Encodings, DetectionOfHardCases)
{
    const QByteArray sjis = sample("shift_jis.txt");
    const QByteArray euc = sample("euc-jp.txt");
    const QByteArray utf8 = sample("utf-8.txt");
    QByteArray script = "<html><head><script>\n";
    while (script.size() < 70 * 1024)
        script += "  total = total + price[i]; // ASCII only\n";
    script += "</script></head><body>\n";
    const QString page
        = QString::fromUtf8("<html><body>\r\n<p>日本語のページです。</p>\r\n</body></html>\r\n");
    const QString prose
        = QString::fromUtf8("日本語の文章だけのファイルです。\n二行目もあります。\n");
    const struct
    {
        const char *name;
        QByteArray bytes;
        TextEncoding expected;
    } cases[] = {
        {"EUC-JP with 8E at a line end", "<p>\n" + euc + "\x8E\n</p>\n", TextEncoding::EucJp},
        {"EUC-JP with FF A1 at a line end", "<p>\n" + euc + "\xFF\xA1\n</p>\n",
         TextEncoding::EucJp},
        {"EUC-JP with a stray byte on its second line", "<p>\n\xA4\xB4\xA4\xED\xA4\xAB\x8E\n" + euc,
         TextEncoding::EucJp},
        {"Shift-JIS with a stray byte on its second line",
         "<p>\n\x82\xB2\x82\xEB\x82\xA9\xFD\n" + sjis, TextEncoding::ShiftJis},
        {"EUC-JP after 64 KiB of ASCII", script + euc, TextEncoding::EucJp},
        {"Shift-JIS after 64 KiB of ASCII", script + sjis, TextEncoding::ShiftJis},
        {"UTF-8 after 64 KiB of ASCII", script + utf8, TextEncoding::Utf8},
        {"ISO-2022-JP after 64 KiB of ASCII", script + sample("iso-2022-jp.txt"),
         TextEncoding::Iso2022Jp},
        {"only ASCII beyond 64 KiB too", script + "</body></html>\n", TextEncoding::ShiftJis},
        {"UTF-16LE page without a mark", encodeText(page, TextEncoding::Utf16LeBom).sliced(2),
         TextEncoding::Utf16LeBom},
        {"UTF-16BE page without a mark", encodeText(page, TextEncoding::Utf16BeBom).sliced(2),
         TextEncoding::Utf16BeBom},
        {"UTF-16LE prose without a mark", encodeText(prose, TextEncoding::Utf16LeBom).sliced(2),
         TextEncoding::Utf16LeBom},
        {"UTF-16BE prose without a mark", encodeText(prose, TextEncoding::Utf16BeBom).sliced(2),
         TextEncoding::Utf16BeBom},
        {"UTF-16LE, odd length", encodeText(page, TextEncoding::Utf16LeBom).sliced(2) + "\x0A",
         TextEncoding::Utf16LeBom},
        {"Shift-JIS with one NUL", sjis + QByteArray(1, '\0') + sjis, TextEncoding::ShiftJis},
        {"a Shift-JIS kanji that starts like UTF-8", "\xE3\x81", TextEncoding::ShiftJis},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(nameOf(detectEncoding(c.bytes)), nameOf(c.expected));
    }

    // A whole file that ends in half a UTF-8 sequence is not UTF-8.
    const QByteArray cutOff[] = {utf8 + "\xE3\x81", "<p>\xE6\xBC\xA2\xE5\xAD", "\xE3"};
    for (const QByteArray &bytes : cutOff) {
        SCOPED_TRACE(hex(bytes.right(8)));
        EXPECT_NE(nameOf(detectEncoding(bytes)), nameOf(TextEncoding::Utf8));
    }
}
