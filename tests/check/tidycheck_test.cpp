#include "check/tidycheck.h"

#include "core/documentfile.h"
#include "core/encodings.h"
#include "support/u8.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The first finding with `id`, or nullptr.
const PageFinding *findingOf(const QList<PageFinding> &findings, const QString &id)
{
    for (const PageFinding &finding : findings)
        if (finding.id == id)
            return &finding;
    return nullptr;
}

QString describe(const QList<PageFinding> &findings)
{
    QString all;
    for (const PageFinding &f : findings)
        all += QStringLiteral("%1:%2 %3 %4\n").arg(f.line).arg(f.column).arg(f.id, f.message);
    return all;
}

// A page whose fourth line is `line`, Japanese before and after it.
QString pageWith(const QString &line)
{
    return u8("<!DOCTYPE html>\r\n<html><head><title>日本語のページ</title></head>\r\n"
              "<body>\r\n")
           + line + u8("\r\n<p>おわり</p>\r\n</body></html>\r\n");
}

struct FaultCase
{
    const char *name;
    const char *line; // the fourth line of the page
    const char *id;
    FindingSeverity severity;
    int column; // in characters
};

// Each fault comes after Japanese text and a tab on its line, so a column counted in bytes or
// with the tab expanded would be another number.
const FaultCase Faults[] = {
    {"unclosed table", "<p>表の前です\t<table><tr><td>セル</td></tr>", "MISSING_ENDTAG_BEFORE",
     FindingSeverity::Warning, 10},
    {"duplicate attribute", "全角　<p class=\"a\" class=\"b\">段落</p>", "REPEATED_ATTRIBUTE",
     FindingSeverity::Warning, 4},
    {"unknown tag", "<p>日本語<blinker>点滅</blinker></p>", "UNKNOWN_ELEMENT",
     FindingSeverity::Error, 7},
    {"picture without ALT", "<p>日本語の段落です。\t<img src=\"a.png\"></p>", "MISSING_ATTRIBUTE",
     FindingSeverity::Warning, 14},
};

} // namespace

// A page is written to a file in each encoding and read back as the program reads it; the
// fault is found at its line and at its column counted in characters.
TEST(TidyCheck, FindsKnownFaultsAtTheirLineAndCharacterColumnInEveryEncoding)
{
    QTemporaryDir dir;
    for (const TextEncoding encoding : {TextEncoding::ShiftJis, TextEncoding::Utf8}) {
        for (const FaultCase &c : Faults) {
            SCOPED_TRACE(std::string(c.name) + " in " + encodingName(encoding).toStdString());
            const QString path = dir.filePath(QStringLiteral("page.html"));
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(encodeText(pageWith(u8(c.line)), encoding));
            file.close();
            const ReadResult read = readDocumentFile(path, encoding);
            ASSERT_TRUE(read.error.ok());
            const QList<PageFinding> findings = tidyFindings(read.text);
            const PageFinding *found = findingOf(findings, QLatin1String(c.id));
            ASSERT_TRUE(found) << describe(findings).toStdString();
            EXPECT_EQ(found->line, 4);
            EXPECT_EQ(found->column, c.column);
            EXPECT_EQ(found->severity, c.severity);
            EXPECT_FALSE(found->message.isEmpty());
        }
    }
}

TEST(TidyCheck, ColumnsCountCharactersWithTabsAndCharactersBeyondSixteenBits)
{
    const struct
    {
        const char *name;
        const char *line;
        int column;
        int offset; // in UTF-16 code units, where the caret goes
    } cases[] = {
        {"tab first", "\t<foo>x</foo>", 2, 1},
        {"two tabs after text", "ab\t\t<foo>x</foo>", 5, 4},
        {"tab ending at a stop", "1234567\t<foo>x</foo>", 9, 8},
        {"Japanese and a tab", "日本\t<foo>x</foo>", 4, 3},
        {"emoji", "😀😀<foo>x</foo>", 3, 4},
        {"full-width blank", "　<foo>x</foo>", 2, 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString line = u8(c.line);
        const QList<PageFinding> findings = tidyFindings(u8("<p>本文</p>\r\n") + line);
        const PageFinding *found = findingOf(findings, QStringLiteral("UNKNOWN_ELEMENT"));
        ASSERT_TRUE(found) << describe(findings).toStdString();
        EXPECT_EQ(found->line, 2);
        EXPECT_EQ(found->column, c.column);
        EXPECT_EQ(lineOffsetOfColumn(line, found->column), c.offset);
    }
}

TEST(TidyCheck, LineBreaksOfEveryKindCountAsOneLine)
{
    for (const char *breakText : {"\r\n", "\n", "\r"}) {
        const QString br = QString::fromLatin1(breakText);
        const QString text = QStringLiteral("<p>a</p>") + br + QStringLiteral("x") + br
                             + QStringLiteral("<foo>b</foo>") + br;
        const QList<PageFinding> findings = tidyFindings(text);
        const PageFinding *found = findingOf(findings, QStringLiteral("UNKNOWN_ELEMENT"));
        ASSERT_TRUE(found);
        EXPECT_EQ(found->line, 3);
        EXPECT_EQ(found->column, 1);
    }
}

TEST(TidyCheck, AFaultBeyondThe16BitColumnIsPlacedExactly)
{
    const QString line = QString(40000, QChar(0x3042)) + QStringLiteral("<foo>x</foo>");
    const QList<PageFinding> findings = tidyFindings(QStringLiteral("<p>a</p>\r\n") + line);
    const PageFinding *found = findingOf(findings, QStringLiteral("UNKNOWN_ELEMENT"));
    ASSERT_TRUE(found);
    EXPECT_EQ(found->line, 2);
    EXPECT_EQ(found->column, 40001);
}

TEST(TidyCheck, OptionsHideIdsAssumeAVersionAndTurnOnAccessibility)
{
    const QString page = u8("<p>日本<foo>x</foo><img src=\"a.png\"></p>");
    const QList<PageFinding> plain = tidyFindings(page);
    ASSERT_TRUE(findingOf(plain, QStringLiteral("MISSING_DOCTYPE")));
    for (const PageFinding &f : plain)
        EXPECT_NE(f.severity, FindingSeverity::Access) << f.id.toStdString();

    PageCheckOptions hiding;
    hiding.hiddenIds = parseMessageIds(QStringLiteral("missing_doctype, UNKNOWN_ELEMENT"));
    const QList<PageFinding> hidden = tidyFindings(page, hiding);
    EXPECT_FALSE(findingOf(hidden, QStringLiteral("MISSING_DOCTYPE")));
    EXPECT_FALSE(findingOf(hidden, QStringLiteral("UNKNOWN_ELEMENT")));
    EXPECT_TRUE(findingOf(hidden, QStringLiteral("MISSING_ATTRIBUTE")));

    // The DOCTYPE assumed is put before the first line: places on that line stay the page's.
    for (const AssumedHtmlVersion version :
         {AssumedHtmlVersion::Html32, AssumedHtmlVersion::Html401Transitional,
          AssumedHtmlVersion::Html401Strict}) {
        PageCheckOptions assuming;
        assuming.assumedVersion = version;
        const QList<PageFinding> findings = tidyFindings(page, assuming);
        EXPECT_FALSE(findingOf(findings, QStringLiteral("MISSING_DOCTYPE")));
        const PageFinding *unknown = findingOf(findings, QStringLiteral("UNKNOWN_ELEMENT"));
        ASSERT_TRUE(unknown) << describe(findings).toStdString();
        EXPECT_EQ(unknown->line, 1);
        EXPECT_EQ(unknown->column, 6);
    }

    PageCheckOptions access;
    access.accessibility = true;
    bool accessFound = false;
    for (const PageFinding &f : tidyFindings(page, access))
        if (f.severity == FindingSeverity::Access && f.line == 1 && f.column == 18)
            accessFound = true;
    EXPECT_TRUE(accessFound);
}

TEST(TidyCheck, ADeclaredDoctypeIsFoundAfterBlanksCommentsAndAnXmlDeclaration)
{
    EXPECT_TRUE(declaresDoctype(QStringLiteral("<!doctype html>")));
    EXPECT_TRUE(declaresDoctype(
        QStringLiteral("\xFEFF <?xml version=\"1.0\"?>\r\n<!-- a -->\n<!DOCTYPE HTML PUBLIC>")));
    EXPECT_FALSE(declaresDoctype(QStringLiteral("<html><!DOCTYPE html>")));
    EXPECT_FALSE(declaresDoctype(QStringLiteral("<!-- unclosed <!DOCTYPE html>")));
    EXPECT_FALSE(declaresDoctype(QString()));
}

// Hostile input: random bytes read as each encoding, and random UTF-16 code units with lone
// surrogates and NULs. The check ends, and every place it gives lies inside the text.
TEST(TidyCheck, RandomBytesAreCheckedWithoutACrashAndPlacesStayInsideTheText)
{
    QRandomGenerator random(33);
    for (int round = 0; round < 12; ++round) {
        QByteArray bytes(4096 + round * 500, '\0');
        for (char &b : bytes)
            b = char(random.bounded(256));
        QString text;
        if (round % 3 == 0) {
            text = decodeText(bytes, TextEncoding::ShiftJis);
        } else if (round % 3 == 1) {
            text = decodeText(bytes, TextEncoding::Utf8);
        } else {
            text.resize(bytes.size() / 2);
            for (QChar &c : text)
                c = QChar(char16_t(random.bounded(0x10000)));
        }
        const QString before = text;
        PageCheckOptions options;
        options.accessibility = round % 2 == 0;
        options.assumedVersion = AssumedHtmlVersion(round % 4);
        QString normalised = text;
        normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        normalised.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        const QStringList lines = normalised.split(QLatin1Char('\n'));
        for (const PageFinding &f : tidyFindings(text, options)) {
            ASSERT_GE(f.line, 1);
            ASSERT_LE(f.line, lines.size());
            ASSERT_GE(f.column, 1);
            ASSERT_LE(lineOffsetOfColumn(lines[f.line - 1], f.column), lines[f.line - 1].size());
        }
        EXPECT_EQ(text, before);
    }
}
