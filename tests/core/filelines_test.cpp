#include "core/filelines.h"

#include "core/codec.h"
#include "support/u8.h"

#include <gtest/gtest.h>
#include <random>

namespace {

const TextEncoding allEncodings[] = {
    TextEncoding::ShiftJis, TextEncoding::EucJp,      TextEncoding::Iso2022Jp,  TextEncoding::Utf8,
    TextEncoding::Utf8Bom,  TextEncoding::Utf16LeBom, TextEncoding::Utf16BeBom,
};

std::string hex(const QByteArray &bytes)
{
    return bytes.toHex(' ').toStdString();
}

// The text as the edit control hands it to a save: every line break CR LF.
QString controlText(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    text.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    return text;
}

// Line breaks of any kind as LF, to compare what a file reads as with what was on screen.
QString lfText(const QString &text)
{
    QString result = text;
    result.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    result.replace(u'\r', u'\n');
    return result;
}

QByteArray savedUnchanged(const QByteArray &bytes, TextEncoding encoding)
{
    const FileLines lines(bytes, encoding);
    return writeLines(controlText(lines.text()), encoding, &lines).bytes;
}

// The bytes of `text` saved over a file that held `before`.
QByteArray savedOver(const QByteArray &before, TextEncoding encoding, const QString &text)
{
    const FileLines lines(before, encoding);
    return writeLines(text, encoding, &lines).bytes;
}

QByteArray randomBytes(std::mt19937 &random, TextEncoding encoding, int maxLength)
{
    std::uniform_int_distribution<int> length(0, maxLength);
    std::uniform_int_distribution<int> byte(0, 0xFF);
    // Line breaks, escapes and characters of each encoding come often, not once in 256 bytes.
    const QList<QByteArray> pieces = [encoding]() -> QList<QByteArray> {
        switch (encoding) {
        case TextEncoding::Iso2022Jp:
            return {"\x1B$B", "\x1B(B", "\x1B(J", "\x1B(I", "\x1B$@", "\x1B",
                    "4A",     "\r\n",   "\n",     "\r",     "\\"};
        case TextEncoding::Utf16LeBom:
            return {QByteArray("\r\0\n\0", 4), QByteArray("\n\0", 2), QByteArray("\r\0", 2),
                    "\x42\x30", "\x3D\xD8"};
        case TextEncoding::Utf16BeBom:
            return {QByteArray("\0\r\0\n", 4), QByteArray("\0\n", 2), QByteArray("\0\r", 2),
                    "\x30\x42", "\xD8\x3D"};
        case TextEncoding::ShiftJis:
            return {"\r\n", "\n", "\r", "\xED\x40", "\xFA\x5C", "\x87\x90", "\x82\xA0"};
        default: return {"\r\n", "\n", "\r", "\xA4\xA2", "\xE3\x81\x82", "\x8E"};
        }
    }();
    QByteArray bytes;
    if (encoding == TextEncoding::Utf8Bom && byte(random) < 200)
        bytes = "\xEF\xBB\xBF";
    else if (encoding == TextEncoding::Utf16LeBom && byte(random) < 200)
        bytes = "\xFF\xFE";
    else if (encoding == TextEncoding::Utf16BeBom && byte(random) < 200)
        bytes = "\xFE\xFF";
    for (int n = length(random); n > 0; --n) {
        if (byte(random) < 80)
            bytes += pieces[byte(random) % pieces.size()];
        else
            bytes += char(byte(random));
    }
    return bytes;
}

} // namespace

// A file saved without a change is the same file, whatever its line breaks, its last line, its
// stray bytes or its encoding, and saving it again changes nothing either.
TEST(FileLinesUnchanged, EveryFileComesBackByteForByte)
{
    const struct
    {
        const char *name;
        QByteArray bytes;
        TextEncoding encoding;
    } cases[] = {
        {"LF breaks", "<p>a</p>\n<p>b</p>\n", TextEncoding::ShiftJis},
        {"CR LF without a final break", "a\r\nb", TextEncoding::ShiftJis},
        {"mixed breaks", "a\r\nb\nc\rd\n\r\n\n", TextEncoding::ShiftJis},
        {"lone CRs", "a\rb\r", TextEncoding::ShiftJis},
        {"empty file", "", TextEncoding::ShiftJis},
        {"only breaks", "\n\n\r\n\r", TextEncoding::ShiftJis},
        {"duplicate Shift-JIS codes", "\xED\x40\xEE\xEF\n\xFA\x4A\x87\x90\xFA\x54",
         TextEncoding::ShiftJis},
        {"Shift-JIS lead byte before a break", "\x82\n\x82\r\n\xFC", TextEncoding::ShiftJis},
        {"EUC-JP stray bytes at line ends", "\xA4\xB4\xA4\xED\x8E\n\xA4\xAB\xFF\xA1\n",
         TextEncoding::EucJp},
        {"ISO-2022-JP two-byte set across a break", "\x1B$B4A\n4A\x1B(B\n",
         TextEncoding::Iso2022Jp},
        {"ISO-2022-JP Roman set across lines", "\x1B(Jx\\\n\\y~\n\x1B(B", TextEncoding::Iso2022Jp},
        {"ISO-2022-JP final switch without a break", "\x1B$B4A\x1B(B", TextEncoding::Iso2022Jp},
        {"UTF-8 with a cut-off character", "a\n\xE3\x81", TextEncoding::Utf8},
        {"UTF-8 BOM and LF",
         "\xEF\xBB\xBF"
         "a\nb",
         TextEncoding::Utf8Bom},
        {"UTF-8 BOM encoding on a file without one", "a\nb", TextEncoding::Utf8Bom},
        {"UTF-16LE BOM and LF",
         QByteArray("\xFF\xFE"
                    "a\0\n\0",
                    6),
         TextEncoding::Utf16LeBom},
        {"UTF-16LE without a BOM", QByteArray("a\0\n\0b\0", 6), TextEncoding::Utf16LeBom},
        {"UTF-16BE odd length", QByteArray("\xFE\xFF\0a\0\n\0", 7), TextEncoding::Utf16BeBom},
        {"UTF-16BE a lone surrogate before a break", QByteArray("\xD8\x3D\0\r\0\n\xDC\x00", 8),
         TextEncoding::Utf16BeBom},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray once = savedUnchanged(c.bytes, c.encoding);
        EXPECT_EQ(hex(once), hex(c.bytes));
        EXPECT_EQ(hex(savedUnchanged(once, c.encoding)), hex(c.bytes));
    }
}

TEST(FileLinesUnchanged, RandomBytesInEveryEncoding)
{
    std::mt19937 random(28);
    for (TextEncoding encoding : allEncodings) {
        SCOPED_TRACE(encodingName(encoding).toStdString());
        for (int round = 0; round < 2000; ++round) {
            const QByteArray bytes = randomBytes(random, encoding, 120);
            ASSERT_EQ(hex(savedUnchanged(bytes, encoding)), hex(bytes));
        }
    }
}

// The bytes of a line that a save may write again read alone as the line: nothing before the
// line changes what it reads as.
TEST(FileLinesUnchanged, ReusableLinesReadAloneAsTheirText)
{
    std::mt19937 random(2028);
    for (TextEncoding encoding : allEncodings) {
        SCOPED_TRACE(encodingName(encoding).toStdString());
        const qsizetype markSize = encodeText(QString(), encoding).size();
        for (int round = 0; round < 1000; ++round) {
            const QByteArray bytes = randomBytes(random, encoding, 120);
            const FileLines file(bytes, encoding);
            for (const FileLines::Line &line : file.lines()) {
                if (!line.reusable)
                    continue;
                // A mark in front, for the encodings that would drop one from the line.
                const QByteArray alone = encodeText(QString(), encoding)
                                         + file.bytesOf(line).toByteArray()
                                         + file.endBytesOf(line).toByteArray();
                const QString read = decodeText(alone, encoding);
                const qsizetype endLength = line.end == LineEnd::CrLf   ? 2
                                            : line.end == LineEnd::None ? 0
                                                                        : 1;
                ASSERT_EQ(read, file.text().mid(line.textStart, line.textLength + endLength))
                    << hex(bytes) << " line at " << line.byteStart << " mark " << markSize;
            }
        }
    }
}

// After an edit the file reads back as the text on screen, and the lines the user did not touch
// keep their bytes.
TEST(FileLinesEdited, RandomFilesReadBackAsEdited)
{
    std::mt19937 random(1995);
    std::uniform_int_distribution<int> choice(0, 1 << 20);
    const QString added = u8("<p>新しい行です</p>");
    for (TextEncoding encoding : allEncodings) {
        SCOPED_TRACE(encodingName(encoding).toStdString());
        for (int round = 0; round < 1500; ++round) {
            const QByteArray bytes = randomBytes(random, encoding, 160);
            const FileLines file(bytes, encoding);
            QStringList lines = controlText(file.text()).split(QStringLiteral("\r\n"));
            const int at = choice(random) % int(lines.size());
            switch (choice(random) % 4) {
            case 0: lines.insert(at, added); break;
            case 1: lines.removeAt(at); break;
            case 2: lines[at] = added; break;
            default: lines.append(added); break;
            }
            const QString edited = lines.join(QStringLiteral("\r\n"));
            // What a plain encoding of the text cannot bring back is the codec's to mend, not
            // the writer's (kept bytes that an edit puts side by side).
            const QByteArray plain = encodeText(edited, encoding);
            if (lfText(decodeText(plain, encoding)) != lfText(edited))
                continue;
            const QByteArray saved = writeLines(edited, encoding, &file).bytes;
            ASSERT_EQ(lfText(decodeText(saved, encoding)), lfText(edited))
                << hex(bytes) << " -> " << hex(saved);
        }
    }
}

// Lines the user adds end as most lines of the file do; every other line keeps its own end,
// and the last line ends as the file's last line did.
TEST(FileLinesEdited, LineEndsFollowTheFile)
{
    const struct
    {
        const char *name;
        QByteArray before;
        QString text; // as the edit control gives it
        QByteArray after;
    } cases[] = {
        {"a line added to an LF file", "a\nb\n", QStringLiteral("x\r\na\r\nb\r\n"), "x\na\nb\n"},
        {"a line added to a file without a final break", "a\r\nb", QStringLiteral("a\r\nb\r\nc"),
         "a\r\nb\r\nc"},
        {"a line added to mixed breaks, most of them LF", "a\r\nb\nc\n",
         QStringLiteral("a\r\nx\r\nb\r\nc\r\n"), "a\r\nx\nb\nc\n"},
        {"lone CRs", "a\rb\r", QStringLiteral("a\r\nx\r\nb\r\n"), "a\rx\rb\r"},
        {"the last line edited", "a\nb", QStringLiteral("a\r\nB"), "a\nB"},
        {"the final empty line deleted", "a\n", QStringLiteral("a"), "a"},
        {"a break typed at the end", "a", QStringLiteral("a\r\n"), "a\r\n"},
        {"lines moved keep their ends", "1\n2\r\n3\n", QStringLiteral("3\r\n1\r\n2\r\n"),
         "3\n1\n2\r\n"},
        {"the old last line moved up", "a\nb", QStringLiteral("b\r\na"), "b\na"},
        {"everything replaced", "a\n", QStringLiteral("x\r\ny"), "x\ny"},
        {"an empty file filled", "", QStringLiteral("x\r\ny"), "x\r\ny"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(hex(savedOver(c.before, TextEncoding::ShiftJis, c.text)), hex(c.after));
    }
}

// A page never saved is written with CR LF breaks and one more CR LF; from then on each save
// writes the same file again, and edits keep its final break.
TEST(FileLinesEdited, ANewPageDoesNotGrowFromSaveToSave)
{
    const QString text = QStringLiteral("<html>\r\n<body>\r\n</html>");
    WrittenLines first = writeLines(text, TextEncoding::ShiftJis, nullptr);
    EXPECT_EQ(first.bytes, "<html>\r\n<body>\r\n</html>\r\n");
    const FileLines saved(first.bytes, TextEncoding::ShiftJis, first.finalBreak);
    const WrittenLines second = writeLines(text, TextEncoding::ShiftJis, &saved);
    EXPECT_EQ(second.bytes, first.bytes);
    EXPECT_TRUE(second.unchanged);
    EXPECT_EQ(writeLines(text + QStringLiteral("x"), TextEncoding::ShiftJis, &saved).bytes,
              "<html>\r\n<body>\r\n</html>x\r\n");
    EXPECT_EQ(writeLines(QStringLiteral("<html>\r\n</html>"), TextEncoding::ShiftJis, &saved).bytes,
              "<html>\r\n</html>\r\n");
}

// Every two-byte code of code page 932 comes back as it was read, the 398 duplicates included,
// on lines the user left alone; a duplicate typed anew is written in the usual form.
TEST(FileLinesEdited, EveryShiftJisCodeOnUntouchedLinesComesBack)
{
    QByteArray file;
    int codes = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead >= 0xA0 && lead < 0xE0)
            continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const QByteArray code = QByteArray(1, char(lead)) + char(trail);
            const QString text = decodeCp932(code);
            if (text.size() != 1
                || (text.at(0).unicode() >= 0xDC80 && text.at(0).unicode() <= 0xDCFF))
                continue;
            file += code;
            if (++codes % 40 == 0)
                file += "\n";
        }
    }
    ASSERT_EQ(codes, 9604);
    const FileLines lines(file, TextEncoding::ShiftJis);
    const QString text = controlText(lines.text());
    EXPECT_EQ(hex(writeLines(text, TextEncoding::ShiftJis, &lines).bytes), hex(file));

    // A line typed at the top with two characters that have duplicate codes (∵ 0x81E6/0x879A/
    // 0xFA5B, 纊 0xED40/0xFA5C), and one line in the middle changed.
    QStringList edited = text.split(QStringLiteral("\r\n"));
    const int middle = int(edited.size()) / 2;
    edited[middle] += u8("∵");
    edited.prepend(u8("∵纊"));
    const QByteArray saved
        = writeLines(edited.join(QStringLiteral("\r\n")), TextEncoding::ShiftJis, &lines).bytes;
    QList<QByteArray> savedLines = saved.split('\n');
    const QList<QByteArray> originalLines = file.split('\n');
    ASSERT_EQ(savedLines.size(), originalLines.size() + 1);
    EXPECT_EQ(hex(savedLines.takeFirst()), hex("\x81\xE6\xFA\x5C"));
    for (int i = 0; i < originalLines.size(); ++i) {
        SCOPED_TRACE(i);
        if (i == middle)
            EXPECT_EQ(decodeCp932(savedLines[i]), decodeCp932(originalLines[i]) + u8("∵"));
        else
            ASSERT_EQ(hex(savedLines[i]), hex(originalLines[i]));
    }
}

// ISO-2022-JP: lines that start or end in another set than ASCII are written so that the file
// still reads as the text.
TEST(FileLinesEdited, Iso2022JpStatesAcrossLines)
{
    const struct
    {
        const char *name;
        QByteArray before;
        QByteArray after; // the file with a line "x" added at the top
    } cases[] = {
        {"two-byte set kept across a break", "\x1B$B4A\n4A\x1B(B\n", "x\n\x1B$B4A\n4A\x1B(B\n"},
        {"lines in the Roman set", "\x1B(Jx\\\n\\y\n\x1B(Bz\n", "x\n\x1B(Jx\\\n\\y\n\x1B(Bz\n"},
        {"a final switch back", "a\n\x1B$B4A\x1B(B", "x\na\n\x1B$B4A\x1B(B"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const FileLines lines(c.before, TextEncoding::Iso2022Jp);
        const QString edited = QStringLiteral("x\r\n") + controlText(lines.text());
        const QByteArray saved = writeLines(edited, TextEncoding::Iso2022Jp, &lines).bytes;
        EXPECT_EQ(lfText(decodeText(saved, TextEncoding::Iso2022Jp)), lfText(edited)) << hex(saved);
        EXPECT_EQ(hex(saved), hex(c.after));
    }
    // A yen sign typed on a line before lines read in ASCII: what follows must not be read as
    // JIS X 0201 Roman, where a backslash is a yen sign.
    const QByteArray before = "a\n\\b\n";
    const FileLines lines(before, TextEncoding::Iso2022Jp);
    const QString edited = u8("¥\r\n") + controlText(lines.text());
    const QByteArray saved = writeLines(edited, TextEncoding::Iso2022Jp, &lines).bytes;
    EXPECT_EQ(lfText(decodeText(saved, TextEncoding::Iso2022Jp)), lfText(edited)) << hex(saved);
}

// Another encoding writes every line anew, but keeps the file's own line breaks and its last
// line; a byte-order mark is written when the new encoding has one.
TEST(FileLinesEdited, AnotherEncodingKeepsTheLineBreaks)
{
    const struct
    {
        const char *name;
        QByteArray before;
        TextEncoding from, to;
        QByteArray after;
    } cases[] = {
        {"Shift-JIS LF to UTF-8", "\x8A\xBF\n\x8E\x9A\n", TextEncoding::ShiftJis,
         TextEncoding::Utf8, u8("漢\n字\n").toUtf8()},
        {"to UTF-16LE with its mark", "a\nb", TextEncoding::ShiftJis, TextEncoding::Utf16LeBom,
         QByteArray("\xFF\xFE"
                    "a\0\n\0b\0",
                    8)},
        {"UTF-8 with a mark to without",
         "\xEF\xBB\xBF"
         "a\r\n",
         TextEncoding::Utf8Bom, TextEncoding::Utf8, "a\r\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const FileLines lines(c.before, c.from);
        EXPECT_EQ(hex(writeLines(controlText(lines.text()), c.to, &lines).bytes), hex(c.after));
    }
    // UTF-16 read without a mark stays without one when edited.
    const FileLines unmarked(QByteArray("a\0\n\0", 4), TextEncoding::Utf16LeBom);
    EXPECT_EQ(
        hex(writeLines(QStringLiteral("x\r\na\r\n"), TextEncoding::Utf16LeBom, &unmarked).bytes),
        hex(QByteArray("x\0\n\0a\0\n\0", 8)));
}

// Unmappable characters on new lines are written as references and counted once.
TEST(FileLinesEdited, UnmappableCharactersAreReported)
{
    const FileLines lines(QByteArray("a\nb\n"), TextEncoding::ShiftJis);
    EncodeReport report;
    const QByteArray saved
        = writeLines(u8("😀\r\na\r\n😀x\r\nb\r\n𠀋"), TextEncoding::ShiftJis, &lines, &report).bytes;
    EXPECT_EQ(saved, "&#x1F600;\na\n&#x1F600;x\nb\n&#x2000B;");
    EXPECT_EQ(report.unmappable, 3);
    EXPECT_EQ(report.firstUnmappable, (QStringList{u8("😀"), u8("𠀋")}));
}
