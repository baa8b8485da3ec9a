#include "core/encodings.h"
#include "core/keptbytes.h"
#include "document/richtextbox.h"

#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <gtest/gtest.h>
#include <random>

// The text a file reads as is held by the editor's control, which changes a few characters
// (into line breaks): the decoders keep the bytes of exactly those, so that what the editor
// shows is what the file holds, and a save writes it back.

namespace {

QString lineBreaksAsLf(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

// Whether the editor's control gives `text` back as it was given, put in whole and typed in.
bool holds(RichTextBox &box, const QString &text)
{
    box.setText(text);
    if (box.text() != text)
        return false;
    box.setText(QString());
    box.setSelText(text);
    return box.text() == text;
}

// The same for the document under the control, without laying out the text (fast enough for
// every code point). `text` holds no line break: it must stay one paragraph, as the raw text
// shows a paragraph separator as U+2029.
bool holds(QTextDocument &document, const QString &text)
{
    document.setPlainText(text);
    if (document.toRawText() != text || document.blockCount() != 1)
        return false;
    document.clear();
    QTextCursor(&document).insertText(text);
    return document.toRawText() == text && document.blockCount() == 1;
}

QString between(char32_t codePoint)
{
    // between letters, so that no character stands at a line's edge
    return u'a' + QString::fromUcs4(&codePoint, 1) + u'a';
}

std::string codePoints(const QList<char32_t> &list)
{
    std::string result;
    for (char32_t codePoint : list)
        result += QString::number(uint(codePoint), 16).toUpper().toStdString() + " ";
    return result;
}

QList<char32_t> keptAsBytes()
{
    QList<char32_t> list;
    for (char32_t codePoint = 0; codePoint < 0x110000; ++codePoint)
        if (keptbytes::isUnholdable(codePoint))
            list.append(codePoint);
    return list;
}

} // namespace

// Every code point but the line breaks, and every lone surrogate: those the document changes
// are the ones the decoders keep as bytes.
TEST(HoldableText, TheDocumentChangesOnlyWhatTheDecodersKeepAsBytes)
{
    QTextDocument document;
    QList<char32_t> changed;
    auto tryAll = [&](char32_t first, char32_t end) {
        QString text;
        for (char32_t codePoint = first; codePoint < end; ++codePoint)
            if (codePoint != u'\r' && codePoint != u'\n')
                text += between(codePoint);
        if (holds(document, text))
            return;
        for (char32_t codePoint = first; codePoint < end; ++codePoint)
            if (codePoint != u'\r' && codePoint != u'\n' && !holds(document, between(codePoint)))
                changed.append(codePoint);
    };
    for (char32_t first = 0; first < 0x110000; first += 0x1000)
        tryAll(first, first + 0x1000); // lone surrogates included, each between letters
    EXPECT_EQ(codePoints(changed), codePoints(keptAsBytes()));
}

// The same through the editor's own control, for those and for the characters most likely to
// be taken for something else.
TEST(HoldableText, TheEditorChangesOnlyWhatTheDecodersKeepAsBytes)
{
    RichTextBox box;
    QList<char32_t> suspects = keptAsBytes();
    suspects << 0x0000 << 0x0009 << 0x000B << 0x000C << 0x001B << 0x007F << 0x0085 << 0x00A0
             << 0x2028 << 0x200B << 0xFEFF << 0xFFF9 << 0xFFFC << 0xFFFD << 0xFFFE << 0xFFFF
             << 0xD800 << 0xDBFF << 0xDFFF << 0x1F600;
    for (char32_t unit = 0xDC00; unit <= 0xDCFF; ++unit)
        suspects << unit;
    std::sort(suspects.begin(), suspects.end());
    QList<char32_t> changed;
    for (char32_t codePoint : suspects)
        if (!holds(box, between(codePoint)))
            changed.append(codePoint);
    EXPECT_EQ(codePoints(changed), codePoints(keptAsBytes()));
}

// Files holding those characters, and random bytes around them, read into text the control
// holds as it is, and are written back byte for byte.
TEST(HoldableText, UnicodeFilesReadAsTextTheControlHolds)
{
    const struct
    {
        const char *name;
        TextEncoding encoding;
        QByteArray file;
    } cases[] = {
        {"UTF-8 paragraph separator and frame marks", TextEncoding::Utf8,
         "a\xE2\x80\xA9"
         "b\xEF\xB7\x90"
         "c\xEF\xB7\x91"
         "d\xE2\x80\xA8"
         "e"},
        {"UTF-8 with a mark", TextEncoding::Utf8Bom, "\xEF\xBB\xBF\xE2\x80\xA9\xE2\x80\xA9"},
        {"UTF-16LE", TextEncoding::Utf16LeBom,
         QByteArray("\xFF\xFE"
                    "a\0\x29\x20\xD0\xFD\xD1\xFD"
                    "b\0",
                    12)},
        {"UTF-16BE", TextEncoding::Utf16BeBom, QByteArray("\xFE\xFF\x20\x29\0a\xFD\xD1", 8)},
    };
    RichTextBox box;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString text = decodeText(c.file, c.encoding);
        EXPECT_TRUE(holds(box, text));
        EXPECT_EQ(encodeText(box.text(), c.encoding).toHex(' ').toStdString(),
                  c.file.toHex(' ').toStdString());
    }
    std::mt19937 random(2029);
    const QByteArray pieces[]
        = {"\xE2\x80\xA9", "\xEF\xB7\x90", "\xEF\xB7\x91", "\x29\x20", "\x20\x29", "\xD0\xFD",
           "\xFD\xD0",     "\xD1\xFD",     "\x00\xD8",     "\xDC",     "a",        "\xE3\x81\x82"};
    for (TextEncoding encoding :
         {TextEncoding::Utf8, TextEncoding::Utf16LeBom, TextEncoding::Utf16BeBom}) {
        SCOPED_TRACE(encodingName(encoding).toStdString());
        for (int round = 0; round < 150; ++round) {
            QByteArray file = encodeText(QString(), encoding);
            for (int n = int(random() % 20); n > 0; --n)
                file += random() % 2 ? pieces[random() % std::size(pieces)]
                                     : QByteArray(1, char(random()));
            const QString text = decodeText(file, encoding);
            box.setText(text);
            ASSERT_EQ(lineBreaksAsLf(box.text()), lineBreaksAsLf(text))
                << file.toHex(' ').toStdString();
        }
    }
}
