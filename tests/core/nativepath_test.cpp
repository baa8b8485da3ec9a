#include "core/nativepath.h"

#include "support/qstringprinter.h"

#include <QRandomGenerator>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

// テスト.htm in Shift-JIS: 83 65 83 58 83 67, three lead bytes UTF-8 cannot read.
const QByteArray shiftJisName("\x83\x65\x83\x58\x83\x67.htm");

QString hex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' '));
}

} // namespace

// Every byte string a file system can give comes back as the same bytes, and a UTF-8 name reads
// exactly as Qt reads it, so ordinary names are the strings they always were.
TEST(NativePath, EveryNameComesBackAsItsOwnBytes)
{
    struct Case
    {
        const char *what;
        QByteArray bytes;
        bool utf8;
    };
    const Case cases[] = {
        {"ASCII", "/tmp/index.html", true},
        {"Japanese in UTF-8", "/tmp/\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E.htm", true},
        {"a character beyond the BMP", "/tmp/\xF0\x9F\x98\x80.htm", true},
        {"a real U+FFFD in the name", "/tmp/\xEF\xBF\xBD.htm", true},
        {"Shift-JIS", "/tmp/" + shiftJisName, false},
        {"EUC-JP", "/tmp/\xA5\xC6\xA5\xB9\xA5\xC8.htm", false},
        {"Latin-1", "/tmp/caf\xE9.htm", false},
        {"overlong slash",
         "/tmp/a\xC0\xAF"
         "b",
         false},
        {"an encoded surrogate", "/tmp/\xED\xA0\x80.htm", false},
        {"beyond U+10FFFF", "/tmp/\xF4\x90\x80\x80", false},
        {"cut-off sequence at the end", "/tmp/\xE3\x81", false},
        {"cut-off sequence before ASCII", "/tmp/\xE3\x81.htm", false},
        {"a lone continuation byte", "/tmp/\x80\xBF", false},
        {"kept bytes that look like UTF-8 leads before valid text", "\xE3\xE3\x81\x82", false},
        {"every high byte",
         [] {
             QByteArray all;
             for (int b = 0x80; b <= 0xFF; ++b)
                 all.append(char(b));
             return all;
         }(),
         false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = pathFromNative(c.bytes);
        EXPECT_EQ(hex(nativePath(path)), hex(c.bytes));
        EXPECT_EQ(hasKeptBytes(path), !c.utf8);
        EXPECT_EQ(pathFromNative(nativePath(path)), path);
        if (c.utf8) {
            EXPECT_EQ(path, QString::fromUtf8(c.bytes));
        }
        // Nothing is lost to U+FFFD: the text holds the bytes or a real character.
        if (!c.bytes.contains("\xEF\xBF\xBD")) {
            EXPECT_FALSE(path.contains(QChar::ReplacementCharacter));
        }
    }
}

TEST(NativePath, RandomByteStringsRoundTrip)
{
    QRandomGenerator random(20240611);
    for (int round = 0; round < 20000; ++round) {
        QByteArray bytes(random.bounded(1, 24), '\0');
        for (char &b : bytes) {
            // Mostly high bytes and the bytes UTF-8 is built of, now and then a slash or a letter.
            const int pick = random.bounded(10);
            b = char(pick == 0   ? '/'
                     : pick == 1 ? 'a' + random.bounded(26)
                                 : 0x80 + random.bounded(128));
        }
        const QString path = pathFromNative(bytes);
        ASSERT_EQ(hex(nativePath(path)), hex(bytes)) << "round " << round;
        ASSERT_EQ(bytes.isValidUtf8(), path == QString::fromUtf8(bytes))
            << hex(bytes).toStdString();
    }
}

TEST(NativePath, KeptBytesAreShownAsHexAndOrdinaryPathsAsTheyAre)
{
    struct Case
    {
        QString path;
        QString shown;
    };
    const Case cases[] = {
        {pathFromNative("/tmp/" + shiftJisName), QStringLiteral("/tmp/\\x83e\\x83X\\x83g.htm")},
        {pathFromNative(QByteArray("/tmp/\xFF\x80/a")), QStringLiteral("/tmp/\\xFF\\x80/a")},
        {QStringLiteral("/tmp/日本語 \\x83.htm"), QStringLiteral("/tmp/日本語 \\x83.htm")},
        {QString(), QString()},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(displayPath(c.path), c.shown);
        EXPECT_FALSE(hasKeptBytes(displayPath(c.path)));
    }
}

// Drags and command lines name files by "file:" addresses, whose percent-encoded bytes are the
// name; Qt's own toLocalFile turns bytes that are not UTF-8 into U+FFFD.
TEST(NativePath, FileAddressesKeepTheirBytes)
{
    const QString sjis = pathFromNative("/tmp/" + shiftJisName);
    struct Case
    {
        const char *what;
        QUrl url;
        QString path;
    };
    const Case cases[] = {
        {"percent-encoded Shift-JIS", QUrl(QStringLiteral("file:///tmp/%83e%83X%83g.htm")), sjis},
        {"percent-encoded UTF-8", QUrl(QStringLiteral("file:///tmp/%E5%86%99%E7%9C%9F.png")),
         QStringLiteral("/tmp/写真.png")},
        {"blanks and signs", QUrl::fromLocalFile(QStringLiteral("/tmp/a b#c%d?.htm")),
         QStringLiteral("/tmp/a b#c%d?.htm")},
        {"localhost", QUrl(QStringLiteral("file://localhost/tmp/a.htm")),
         QStringLiteral("/tmp/a.htm")},
        {"a share", QUrl(QStringLiteral("file://server/share/a.htm")),
         QStringLiteral("//server/share/a.htm")},
        {"a web address", QUrl(QStringLiteral("http://example.com/a.htm")), QString()},
        {"raw bytes written into the address", urlOf(QStringLiteral("file://") + sjis), sjis},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(localPathOf(c.url), c.path);
    }
    for (const QString &path :
         {sjis, QStringLiteral("/tmp/日本 語#1%.htm"), pathFromNative(QByteArray("/\xFF/%41"))}) {
        SCOPED_TRACE(displayPath(path).toStdString());
        EXPECT_TRUE(fileUrlOf(path).isLocalFile());
        EXPECT_EQ(localPathOf(fileUrlOf(path)), path);
    }
}

TEST(NativePath, CommandLineArgumentsKeepTheirBytes)
{
    const QByteArray name = "/tmp/" + shiftJisName;
    const char *argv[] = {"orvine", name.constData(), "\xE6\x97\xA5.htm", nullptr};
    EXPECT_EQ(nativeArguments(3, argv), (QStringList{QStringLiteral("orvine"), pathFromNative(name),
                                                     QStringLiteral("日.htm")}));
}
