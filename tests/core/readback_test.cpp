#include "core/encodings.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <gtest/gtest.h>
#include <random>

// A file is opened, edited and saved, and the saved file opened again: it must read as the
// text that was saved, whatever the edit put next to the bytes the reader kept, except for the
// characters the save reports as written as references ("&#xHHHH;"), which read back as those
// references.

namespace {

std::string hex(const QByteArray &bytes)
{
    return bytes.toHex(' ').toStdString();
}

// The units of a text, for messages: kept bytes and control characters show as U+XXXX.
std::string units(const QString &text)
{
    std::string result;
    for (QChar unit : text) {
        if (unit.unicode() >= 0x20 && unit.unicode() < 0x7F)
            result += char(unit.unicode());
        else
            result += "<" + QString::number(unit.unicode(), 16).toUpper().toStdString() + ">";
    }
    return result;
}

QString reference(const QString &text, qsizetype at, qsizetype *length)
{
    const bool pair
        = text.at(at).isHighSurrogate() && at + 1 < text.size() && text.at(at + 1).isLowSurrogate();
    *length = pair ? 2 : 1;
    const uint codePoint
        = pair ? QChar::surrogateToUcs4(text.at(at), text.at(at + 1)) : text.at(at).unicode();
    return QStringLiteral("&#x") + QString::number(codePoint, 16).toUpper().rightJustified(4, u'0')
           + u';';
}

// What the saved text must read back as: the text, with each reported character replaced by
// its reference. Empty and a failure when the report itself is inconsistent.
QString expectedReadBack(const QString &text, const EncodeReport &report)
{
    EXPECT_EQ(report.unmappable, report.unmappableAt.size());
    QString expected;
    qsizetype from = 0;
    for (qsizetype at : report.unmappableAt) {
        if (at < from || at >= text.size()) {
            ADD_FAILURE() << "reported position " << at << " out of order or range";
            return {};
        }
        if (at > 0 && text.at(at).isLowSurrogate() && text.at(at - 1).isHighSurrogate()) {
            ADD_FAILURE() << "reported position " << at << " splits a surrogate pair";
            return {};
        }
        qsizetype length = 0;
        expected += QStringView(text).mid(from, at - from);
        expected += reference(text, at, &length);
        from = at + length;
    }
    expected += QStringView(text).mid(from);
    return expected;
}

// The byte-order mark an encoding writes before the text (none for most).
QByteArray markOf(TextEncoding encoding)
{
    return encodeText(QString(), encoding);
}

bool isUtf16(TextEncoding encoding)
{
    return encodingName(encoding).startsWith(QStringLiteral("UTF-16"));
}

bool isBigEndianUtf16(TextEncoding encoding)
{
    return encodingName(encoding).startsWith(QStringLiteral("UTF-16BE"));
}

QByteArray utf16Unit(char16_t unit, bool bigEndian)
{
    return bigEndian ? QByteArray{char(unit >> 8), char(unit & 0xFF)}
                     : QByteArray{char(unit & 0xFF), char(unit >> 8)};
}

// Byte strings that make readers keep bytes: cut-off and invalid codes, lone lead bytes,
// escapes, lone surrogates, odd bytes.
QList<QByteArray> awkwardBytes(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::ShiftJis:
        return {"\x81", "\x87", "\xED", "\xEE",     "\xFA",     "\xFC",
                "\x80", "\xA0", "\xFD", "\x81\x40", "\xEE\xEE", "\xED\x40"};
    case TextEncoding::EucJp:
        return {"\x8E",     "\x8F",     "\xA1", "\xA4",     "\xB4",    "\xFE",
                "\x8F\xA2", "\x8F\xF4", "\xFF", "\x8E\xB1", "\xB4\xC1"};
    case TextEncoding::Iso2022Jp:
        return {"\x1B$B", "\x1B(B", "\x1B(J", "\x1B(I", "\x1B$@", "\x1B", "\x1B(", "\x1B$", "4A",
                "(B",     "$B",     "\r\n",   "\xB4",   "\\",     "~",    "\x7F",  "1"};
    default: break;
    }
    if (isUtf16(encoding)) {
        const bool big = isBigEndianUtf16(encoding);
        QList<QByteArray> pieces;
        for (char16_t unit : {0xD800, 0xD83D, 0xDBFF, 0xDC00, 0xDC80, 0xDE00, 0xDFFF, 0x2029,
                              0xFDD0, 0xFDD1, 0x3042, 0x000A})
            pieces << utf16Unit(unit, big);
        pieces << "\x00"
               << "\xD8"
               << "\xDC"
               << "\x41";
        return pieces;
    }
    return {"\xE2\x80\xA9", "\xEF\xB7\x90", "\xEF\xB7\x91", "\xE3", "\xE3\x81", "\x80",
            "\x82",         "\xF0\x9F",     "\xED\xA0\x80", "\xC0", "\xFF",     "\xEF\xBB\xBF"};
}

// What an edit types or pastes: ASCII (the bytes of escapes among it), line breaks, kana and
// kanji, half-width katakana, characters some encodings cannot hold, ESC, kept bytes.
const QString typedPieces[] = {
    QStringLiteral("a"),   QStringLiteral("B"),      QStringLiteral("$"),    QStringLiteral("("),
    QStringLiteral("@"),   QStringLiteral("J"),      QStringLiteral("I"),    QStringLiteral("&"),
    QStringLiteral("#"),   QStringLiteral("\\"),     QStringLiteral("~"),    QStringLiteral("4"),
    QStringLiteral("<p>"), QStringLiteral(" "),      QStringLiteral("\r\n"), QStringLiteral("\n"),
    QStringLiteral("\r"),  QStringLiteral("あ"),     QStringLiteral("漢"),   QStringLiteral("字"),
    QStringLiteral("髙"),  QStringLiteral("①"),      QStringLiteral("ｱ"),    QStringLiteral("ﾟ"),
    QStringLiteral("é"),   QStringLiteral("😀"),      QStringLiteral("𠮷"),   QStringLiteral("¥"),
    QStringLiteral("‾"),   QStringLiteral("\u00A0"), QStringLiteral("\x1B"), QStringLiteral("\x0C"),
    QString(QChar(0)),
};

class Fuzzer
{
public:
    Fuzzer(TextEncoding encoding, unsigned seed)
        : m_encoding(encoding), m_random(seed), m_awkward(awkwardBytes(encoding))
    {}

    int below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(m_random); }

    QString typed()
    {
        QString text;
        for (int n = 1 + below(4); n > 0; --n) {
            const int kind = below(10);
            if (kind < 6)
                text += typedPieces[below(int(std::size(typedPieces)))];
            else if (kind < 8)
                text += QChar(char16_t(0xDC00 + below(0x100))); // a kept byte from another text
            else if (kind < 9) {
                // A kept byte that is also a lead, trail or escape byte (or NUL).
                static const char bytes[] = "\x1B$(B@JI\x81\x8F\xE3\xD8\xDC";
                text += QChar(char16_t(0xDC00 + uchar(bytes[below(int(std::size(bytes)))])));
            } else if (below(4) == 0)
                text += QChar(char16_t(0xD83D)); // half of a pair, pasted from a broken text
            else
                text += typedPieces[below(int(std::size(typedPieces)))];
        }
        return text;
    }

    // A file: pieces of valid text, random bytes and awkward bytes.
    QByteArray file()
    {
        QByteArray bytes = markOf(m_encoding);
        for (int n = below(24); n > 0; --n) {
            const int kind = below(3);
            if (kind == 0)
                bytes += encodeText(typed(), m_encoding).mid(markOf(m_encoding).size());
            else if (kind == 1)
                bytes += char(below(256));
            else
                bytes += m_awkward[below(int(m_awkward.size()))];
        }
        return bytes;
    }

    // A place between two characters of `text` (never inside a surrogate pair), as a caret
    // stands.
    qsizetype place(const QString &text)
    {
        qsizetype at = below(int(text.size()) + 1);
        if (at > 0 && at < text.size() && text.at(at).isLowSurrogate()
            && text.at(at - 1).isHighSurrogate())
            --at;
        return at;
    }

    // One to four edits: typing, deleting, replacing, and moving a piece of the text itself.
    QString edit(QString text)
    {
        for (int n = 1 + below(4); n > 0; --n) {
            qsizetype from = place(text);
            qsizetype to = place(text);
            if (from > to)
                std::swap(from, to);
            switch (below(4)) {
            case 0: text.insert(from, typed()); break;
            case 1: text.remove(from, std::min<qsizetype>(to - from, 8)); break;
            case 2: text.replace(from, std::min<qsizetype>(to - from, 8), typed()); break;
            case 3: {
                const QString piece = text.mid(from, std::min<qsizetype>(to - from, 6));
                text.remove(from, piece.size());
                text.insert(place(text), piece);
                break;
            }
            }
        }
        return text;
    }

private:
    TextEncoding m_encoding;
    std::mt19937 m_random;
    QList<QByteArray> m_awkward;
};

// The number of edited files per encoding; ORVINE_READBACK_CASES raises it for a long run.
int caseCount()
{
    const int asked = qEnvironmentVariableIntValue("ORVINE_READBACK_CASES");
    return asked > 0 ? asked : 3000;
}

// Checks that `text` saved in `encoding` reads back as itself apart from what the report lists;
// gives the number of references.
int expectReadsBack(const QString &text, TextEncoding encoding, const std::string &context)
{
    EncodeReport report;
    const QByteArray saved = encodeText(text, encoding, &report);
    const QString expected = expectedReadBack(text, report);
    const QString readBack = decodeText(saved, encoding);
    EXPECT_EQ(units(readBack), units(expected)) << context << "\nsaved: " << hex(saved);
    return report.unmappable;
}

bool isKeptUnit(QChar unit)
{
    return unit.unicode() >= 0xDC00 && unit.unicode() <= 0xDCFF;
}

} // namespace

// Random files in every encoding, edited at random and saved: the save reads back as the text.
// A reference is written only for a character the encoding cannot hold at all, or one next to
// a kept byte (or ESC) that leaves it no other form.
TEST(ReadBack, EditedRandomFilesReadBackAsSaved)
{
    const int cases = caseCount();
    for (TextEncoding encoding : textEncodings) {
        SCOPED_TRACE(encodingName(encoding).toStdString());
        Fuzzer fuzzer(encoding, 28 + unsigned(encoding));
        int references = 0;
        for (int round = 0; round < cases; ++round) {
            const QByteArray file = fuzzer.file();
            const QString opened = decodeText(file, encoding);
            const QString edited = fuzzer.edit(opened);
            const std::string context = "file: " + hex(file) + "\nedited: " + units(edited);
            EncodeReport report;
            encodeText(edited, encoding, &report);
            for (qsizetype at : report.unmappableAt) {
                // Alone it cannot be held, or a kept byte or ESC stands near it.
                EncodeReport alone;
                encodeText(edited.mid(at, edited.at(at).isHighSurrogate() ? 2 : 1), encoding,
                           &alone);
                const QString near = edited.mid(std::max<qsizetype>(0, at - 6), 13);
                const bool nearKept = std::any_of(near.begin(), near.end(), [](QChar unit) {
                    return isKeptUnit(unit) || unit == u'\x1B';
                });
                ASSERT_TRUE(alone.unmappable > 0 || nearKept) << context << "\nreference at " << at;
            }
            references += expectReadsBack(edited, encoding, context);
            if (testing::Test::HasFailure())
                return;
        }
        RecordProperty(encodingName(encoding).toStdString() + " references", references);
    }
}

// Unedited files come back byte for byte, with no reference (Shift-JIS writes a duplicate code
// in its one form: the file then reads back the same and keeps its length).
TEST(ReadBack, UneditedRandomFilesComeBackByteForByte)
{
    const int cases = caseCount();
    for (TextEncoding encoding : textEncodings) {
        SCOPED_TRACE(encodingName(encoding).toStdString());
        Fuzzer fuzzer(encoding, 2022 + unsigned(encoding));
        for (int round = 0; round < cases; ++round) {
            const QByteArray file = fuzzer.file();
            const QString opened = decodeText(file, encoding);
            EncodeReport report;
            const QByteArray saved = encodeText(opened, encoding, &report);
            ASSERT_EQ(report.unmappable, 0) << hex(file);
            if (encoding == TextEncoding::ShiftJis) {
                ASSERT_EQ(decodeText(saved, encoding), opened) << hex(file);
                ASSERT_EQ(saved.size(), file.size()) << hex(file);
            } else {
                ASSERT_EQ(hex(saved), hex(file));
            }
        }
    }
}

// The edits the fuzzer found first, as the editor holds the text after them.
TEST(ReadBack, EditsNextToKeptBytes)
{
    const QChar esc(0x1B);
    auto kept = [](std::initializer_list<int> bytes) {
        QString text;
        for (int byte : bytes)
            text += QChar(char16_t(0xDC00 + byte));
        return text;
    };
    const struct
    {
        const char *name;
        TextEncoding encoding;
        QString text;
        int references; // how many characters cannot be kept
    } cases[] = {
        {"ISO-2022-JP: a kept ESC, then typed \"$B\"", TextEncoding::Iso2022Jp,
         kept({0x1B}) + QStringLiteral("$B漢"), 1},
        {"ISO-2022-JP: a kept ESC, then typed \"(J\"", TextEncoding::Iso2022Jp,
         QStringLiteral("a") + kept({0x1B}) + QStringLiteral("(Jb"), 1},
        {"ISO-2022-JP: a kept ESC and \"(\", then typed \"B\"", TextEncoding::Iso2022Jp,
         kept({0x1B, 0x28}) + QStringLiteral("B"), 1},
        {"ISO-2022-JP: a kept ESC, then a kanji whose code is \"$B\"", TextEncoding::Iso2022Jp,
         QStringLiteral("漢") + kept({0x1B}) + QStringLiteral("ぢ"), 1},
        {"ISO-2022-JP: a kept 7-bit byte of a two-byte set after typed ASCII",
         TextEncoding::Iso2022Jp, QStringLiteral("漢x") + kept({0x41, 0x0D, 0x0A}), 3},
        {"ISO-2022-JP: a reference in JIS X 0201 Roman", TextEncoding::Iso2022Jp,
         QStringLiteral("¥é¥"), 1},
        {"ISO-2022-JP: a typed ESC", TextEncoding::Iso2022Jp,
         QStringLiteral("a") + esc + QStringLiteral("$B"), 1},
        {"ISO-2022-JP: a kept switch to ASCII, then typed ASCII", TextEncoding::Iso2022Jp,
         QStringLiteral("漢") + kept({0x1B, 0x28, 0x42}) + QStringLiteral("x"), 1},
        {"ISO-2022-JP: a kept switch to kanji, then a kanji", TextEncoding::Iso2022Jp,
         kept({0x1B, 0x24, 0x42}) + QStringLiteral("漢"), 1},
        {"EUC-JP: a kept lead byte, then a kanji that completes it", TextEncoding::EucJp,
         kept({0xB4}) + QStringLiteral("あ"), 1},
        {"EUC-JP: a kept 8E, then a kanji", TextEncoding::EucJp,
         kept({0x8E}) + QStringLiteral("漢"), 1},
        {"EUC-JP: a kept 8F, a kept byte, then a kanji", TextEncoding::EucJp,
         kept({0x8F, 0xB0}) + QStringLiteral("あ"), 1},
        {"EUC-JP: two kept bytes that make a kanji", TextEncoding::EucJp, kept({0xB4, 0xC1}), 1},
        {"Shift-JIS: two kept bytes that make a kanji", TextEncoding::ShiftJis, kept({0x81, 0x81}),
         1},
        {"Shift-JIS: a kept lead byte, then ASCII", TextEncoding::ShiftJis,
         kept({0x81}) + QStringLiteral("A"), 1},
        {"UTF-8: three kept bytes that make a kana", TextEncoding::Utf8, kept({0xE3, 0x81, 0x82}),
         1},
        {"UTF-8: kept bytes of U+2029 stay", TextEncoding::Utf8,
         kept({0xE2, 0x80, 0xA9}) + QStringLiteral("a"), 0},
        {"UTF-16: one kept byte in the middle", TextEncoding::Utf16LeBom,
         QStringLiteral("A") + kept({0xD8}) + QStringLiteral("B"), 1},
        {"UTF-16: three kept bytes", TextEncoding::Utf16BeBom,
         kept({0xD8, 0x00, 0xDC}) + QStringLiteral("字"), 1},
        {"UTF-16: a kept odd last byte, then typed text", TextEncoding::Utf16LeBom,
         QStringLiteral("A") + kept({0x7A}) + QStringLiteral("B"), 1},
        {"UTF-16: kept high and low surrogates made adjacent", TextEncoding::Utf16LeBom,
         kept({0x3D, 0xD8, 0x00, 0xDE}), 1},
        {"UTF-16: two kept bytes that make a character", TextEncoding::Utf16LeBom,
         kept({0x41, 0x00}), 1},
        {"UTF-16: a lone high surrogate typed", TextEncoding::Utf16LeBom,
         QString(QChar(0xD83D)) + u'a', 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(expectReadsBack(c.text, c.encoding, c.name), c.references);
    }
}

// The kept bytes an unchanged save writes back, and a kept byte at the end of a UTF-16 file
// followed by nothing, stay bytes.
TEST(ReadBack, KeptBytesThatCannotCombineStayBytes)
{
    const struct
    {
        const char *name;
        TextEncoding encoding;
        QByteArray file;
        qsizetype at; // where the edit types
        QString typed;
        QByteArray saved;
    } cases[] = {
        {"Shift-JIS: a kept lead byte, then a kanji written in its other code",
         TextEncoding::ShiftJis, "\xEE\n", 1, QStringLiteral("\u7E8A"),
         "\xEE"
         "\xED\x40\n"},
        {"EUC-JP: a kept byte that no kanji completes", TextEncoding::EucJp,
         "\xFF"
         "a",
         1, QStringLiteral("漢"),
         "\xFF\xB4\xC1"
         "a"},
        {"ISO-2022-JP: a kept ESC, then kanji", TextEncoding::Iso2022Jp,
         "\x1B"
         "a",
         1, QStringLiteral("漢"), "\x1B\x1B$B4A\x1B(Ba"},
        {"UTF-16: text typed before a kept pair", TextEncoding::Utf16LeBom,
         QByteArray("\xFF\xFE\x00\xD8", 4), 0, QStringLiteral("a"),
         QByteArray("\xFF\xFE"
                    "a\x00\x00\xD8",
                    6)},
        {"UTF-8: text typed between kept bytes", TextEncoding::Utf8, "\xE3\x81", 1,
         QStringLiteral("a"),
         "\xE3"
         "a\x81"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QString text = decodeText(c.file, c.encoding);
        text.insert(c.at, c.typed);
        EncodeReport report;
        const QByteArray saved = encodeText(text, c.encoding, &report);
        EXPECT_EQ(hex(saved), hex(c.saved));
        EXPECT_EQ(report.unmappable, 0);
        EXPECT_EQ(units(decodeText(saved, c.encoding)), units(text));
    }
}

// The real texts, read in every encoding (bytes a reading cannot place are kept), come back
// byte for byte, and edited they read back as saved.
TEST(ReadBack, RealTextsInEveryEncoding)
{
    const QDir folder(QStringLiteral(ORVINE_TEST_DATA "/ja-encodings"));
    const QStringList names = folder.entryList({QStringLiteral("*.txt")}, QDir::Files);
    ASSERT_GE(names.size(), 4);
    for (const QString &name : names) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray body = file.readAll();
        for (TextEncoding encoding : textEncodings) {
            SCOPED_TRACE(name.toStdString() + " as " + encodingName(encoding).toStdString());
            const QByteArray bytes = markOf(encoding) + body;
            const QString opened = decodeText(bytes, encoding);
            if (encoding == TextEncoding::ShiftJis)
                EXPECT_EQ(units(decodeText(encodeText(opened, encoding), encoding)), units(opened));
            else
                EXPECT_EQ(hex(encodeText(opened, encoding)), hex(bytes));
            Fuzzer fuzzer(encoding, unsigned(qHash(name)));
            for (int round = 0; round < 200; ++round)
                expectReadsBack(fuzzer.edit(opened), encoding, name.toStdString());
        }
    }
}
