#include "core/recoveryrecord.h"

#include "core/linediff.h"
#include "support/qstringprinter.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

RecoveryRecord recordWith(const QString &text, const QString &path = {})
{
    RecoveryRecord record;
    record.path = path;
    record.caption = path.isEmpty() ? QStringLiteral("NewHtml3.htm") : path;
    record.encoding = TextEncoding::EucJp;
    record.caret = text.size() / 2;
    record.taken = QDateTime::fromMSecsSinceEpoch(1765000000123);
    record.text = text;
    return record;
}

// Every unit a document can hold comes back: kept bytes are lone low surrogates, and a broken
// pair leaves a lone high one.
TEST(RecoveryRecord, EveryTextAndPathComesBackExactly)
{
    QString keptBytes;
    for (int byte = 0x80; byte <= 0xFF; ++byte)
        keptBytes += QChar(char16_t(0xDC00 + byte));
    QString everyUnit;
    for (int unit = 0; unit <= 0xFFFF; ++unit)
        everyUnit += QChar(char16_t(unit));
    const struct
    {
        QString text;
        QString path;
    } cases[] = {
        {QString(), QString()},
        {QStringLiteral("<P>日本語のﾃｷｽﾄ</P>\r\n<BR>\r\n"), QStringLiteral("/home/a/index.htm")},
        {QStringLiteral("a\rb\nc\r\nd"), QStringLiteral("/tmp/名前 with = and %41\nnewline.htm")},
        {QStringLiteral("<P>") + keptBytes + QStringLiteral("</P>"), QStringLiteral("/x/y.html")},
        {QString(QChar(char16_t(0xD800))) + QStringLiteral("x𠮷") + QChar(char16_t(0xDFFF)), {}},
        {everyUnit, QStringLiteral("/every.htm")},
    };
    for (const auto &c : cases) {
        const RecoveryRecord record = recordWith(c.text, c.path);
        const std::optional<RecoveryRecord> back
            = decodeRecoveryRecord(encodeRecoveryRecord(record));
        ASSERT_TRUE(back) << c.path.toStdString();
        EXPECT_EQ(*back, record) << c.path.toStdString();
    }
}

// A file cut short by a power cut, altered on the disk, or not a recovery file at all never
// decodes into a text that differs from what was written.
TEST(RecoveryRecord, CutOrAlteredFilesDoNotDecode)
{
    const QByteArray whole = encodeRecoveryRecord(recordWith(QStringLiteral("<P>本文</P>\r\n")));
    for (qsizetype size = 0; size < whole.size(); ++size)
        EXPECT_FALSE(decodeRecoveryRecord(whole.left(size))) << size;
    for (qsizetype at = 0; at < whole.size(); ++at) {
        QByteArray altered = whole;
        altered[at] = char(altered.at(at) ^ 0x20);
        const std::optional<RecoveryRecord> back = decodeRecoveryRecord(altered);
        // Only a field name's letter case or the like may change harmlessly.
        if (back) {
            EXPECT_EQ(back->text, QStringLiteral("<P>本文</P>\r\n")) << at;
        }
    }
    QRandomGenerator random(35);
    for (int round = 0; round < 500; ++round) {
        QByteArray noise(random.bounded(0, 400), Qt::Uninitialized);
        for (char &byte : noise)
            byte = char(random.bounded(256));
        if (round % 2)
            noise.prepend("Orvine recovery 1\nlength=99999999999\n\n");
        EXPECT_FALSE(decodeRecoveryRecord(noise));
    }
}

TEST(RecoveryRecord, FirstLineSkipsBlankLinesAndIsShortened)
{
    EXPECT_EQ(recoveryFirstLine(QStringLiteral("\r\n  \r\n  <HTML>\r\n<BODY>")),
              QStringLiteral("<HTML>"));
    EXPECT_EQ(recoveryFirstLine(QString(100, QLatin1Char('a')), 10),
              QString(10, QLatin1Char('a')) + QStringLiteral("…"));
    EXPECT_EQ(recoveryFirstLine(QString()), QString());
}

TEST(LineDifference, ShowsChangedLinesWithTheirContext)
{
    const struct
    {
        const char *name;
        QString before;
        QString after;
        QString expected;
    } cases[] = {
        {"same lines, other breaks", QStringLiteral("a\r\nb\r\n"), QStringLiteral("a\nb"), {}},
        {"one line changed", QStringLiteral("1\n2\n3\n4\n5\n6\n7"),
         QStringLiteral("1\n2\n3\nX\n5\n6\n7"),
         QStringLiteral("…\n  2\n  3\n- 4\n+ X\n  5\n  6\n…\n")},
        {"added at the end", QStringLiteral("a\nb"), QStringLiteral("a\nb\nc"),
         QStringLiteral("  a\n  b\n+ c\n")},
        {"removed at the start", QStringLiteral("x\na\nb\nc\nd"), QStringLiteral("a\nb\nc\nd"),
         QStringLiteral("- x\n  a\n  b\n…\n")},
        {"from nothing", QString(), QStringLiteral("新しい\n行"),
         QStringLiteral("+ 新しい\n+ 行\n")},
        {"moved line", QStringLiteral("a\nb\nc"), QStringLiteral("b\nc\na"),
         QStringLiteral("- a\n  b\n  c\n+ a\n")},
    };
    for (const auto &c : cases)
        EXPECT_EQ(lineDifference(c.before, c.after), c.expected) << c.name;
}

// Two pages of 200,000 lines that differ everywhere in the middle: too large to match line by
// line, shown as removed and added whole, in bounded time and memory.
TEST(LineDifference, HugeDifferencesAreShownWhole)
{
    QString before, after;
    for (int i = 0; i < 200000; ++i) {
        before += QStringLiteral("old %1\n").arg(i);
        after += QStringLiteral("new %1\n").arg(i);
    }
    const QString shown = lineDifference(before, after);
    EXPECT_EQ(shown.count(QStringLiteral("- old")), 200000);
    EXPECT_EQ(shown.count(QStringLiteral("+ new")), 200000);
}

} // namespace
