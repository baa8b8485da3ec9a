#include "core/paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The same case with "/" in place of every "\".
QString slashed(QString path)
{
    return path.replace(u'\\', u'/');
}

} // namespace

TEST(FolderOf, GivesEverythingBeforeTheLastSeparator)
{
    const struct
    {
        QString path, folder;
    } cases[] = {
        {QStringLiteral("C:\\site\\page.htm"), QStringLiteral("C:\\site")},
        {QStringLiteral("C:\\page.htm"), QStringLiteral("C:")},
        {QStringLiteral("NewHtml"), QString()},
        {QStringLiteral("\\\\server\\share\\a.htm"), QStringLiteral("\\\\server\\share")},
        {QStringLiteral("C:\\site\\"), QStringLiteral("C:\\site")},
        {QString(), QString()},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(FolderOf(c.path), c.folder) << c.path.toStdString();
        EXPECT_EQ(FolderOf(slashed(c.path)), slashed(c.folder)) << c.path.toStdString();
    }
    EXPECT_EQ(FolderOf(QStringLiteral("C:\\site/img\\a.gif")), QStringLiteral("C:\\site/img"));
    EXPECT_EQ(FolderOf(QStringLiteral("/home/u/site/a.htm")), QStringLiteral("/home/u/site"));
    // A file in the root lies in the root, not in "no folder".
    EXPECT_EQ(FolderOf(QStringLiteral("/a.htm")), QStringLiteral("/"));
}

TEST(RelativePath, GivesTheReferenceFromTheDocumentToTheTarget)
{
    const struct
    {
        QString base, target, reference;
    } cases[] = {
        {QStringLiteral("C:\\site\\page.htm"), QStringLiteral("C:\\site\\img\\a.gif"),
         QStringLiteral("img/a.gif")},
        {QStringLiteral("C:\\site\\page.htm"), QStringLiteral("C:\\site\\b.htm"),
         QStringLiteral("b.htm")},
        {QStringLiteral("C:\\site\\page.htm"), QStringLiteral("C:\\other\\y.gif"),
         QStringLiteral("../other/y.gif")},
        {QStringLiteral("C:\\site\\page.htm"), QStringLiteral("D:\\y.gif"),
         QStringLiteral("../../D:/y.gif")},
        {QStringLiteral("NewHtml"), QStringLiteral("C:\\site\\a.gif"),
         QStringLiteral("C:/site/a.gif")},
        // Names differing in letter case are different folders and files, as on the disk.
        {QStringLiteral("C:\\SITE\\x.htm"), QStringLiteral("C:\\site\\img\\a.gif"),
         QStringLiteral("../site/img/a.gif")},
        {QStringLiteral("C:\\site\\Page.htm"), QStringLiteral("C:\\site\\page.htm"),
         QStringLiteral("page.htm")},
        {QStringLiteral("C:\\site\\page.htm"), QStringLiteral("C:\\site\\page.htm"),
         QStringLiteral("page.htm")},
        {QStringLiteral("C:\\site\\sub\\deep\\page.htm"), QStringLiteral("C:\\site\\a.gif"),
         QStringLiteral("../../a.gif")},
        {QStringLiteral("\\\\server\\share\\a.htm"), QStringLiteral("\\\\server\\share\\i\\b.gif"),
         QStringLiteral("i/b.gif")},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(RelativePath(c.base, c.target), c.reference)
            << c.base.toStdString() << " -> " << c.target.toStdString();
        EXPECT_EQ(RelativePath(slashed(c.base), slashed(c.target)), c.reference)
            << c.base.toStdString() << " -> " << c.target.toStdString();
    }
    EXPECT_EQ(
        RelativePath(QStringLiteral("/home/u/site/a.htm"), QStringLiteral("/home/u/img/b.gif")),
        QStringLiteral("../img/b.gif"));
    EXPECT_EQ(RelativePath(QStringLiteral("NewHtml"), QStringLiteral("/home/u/b.gif")),
              QStringLiteral("/home/u/b.gif"));
}

TEST(RelativePath, WorksOnDeepPaths)
{
    QString folder = QStringLiteral("/r");
    for (int i = 0; i < 30; ++i)
        folder += QStringLiteral("/d") + QString::number(i);
    EXPECT_EQ(
        RelativePath(folder + QStringLiteral("/x/page.htm"), folder + QStringLiteral("/y/a.gif")),
        QStringLiteral("../y/a.gif"));
    EXPECT_EQ(RelativePath(QStringLiteral("/r/page.htm"), folder + QStringLiteral("/a.gif")),
              QString(folder).mid(3) + QStringLiteral("/a.gif"));
    EXPECT_EQ(RelativePath(folder + QStringLiteral("/page.htm"), QStringLiteral("/r/a.gif")),
              QStringLiteral("../").repeated(30) + QStringLiteral("a.gif"));
}

TEST(HexValues, ReadDigitsAndBytes)
{
    const struct
    {
        QString text;
        int digit, byte;
    } cases[] = {
        {QStringLiteral("0"), 0, 0},    {QStringLiteral("9"), 9, 153},
        {QStringLiteral("a"), 10, 170}, {QStringLiteral("F"), 15, 255},
        {QStringLiteral("g"), 0, 0},    {QString(), 0, 0},
        {QStringLiteral("FF"), 0, 255}, {QStringLiteral("0a"), 0, 10},
        {QStringLiteral("７"), 0, 0},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(HexDigitValue(c.text), c.digit) << c.text.toStdString();
        EXPECT_EQ(HexByteValue(c.text), c.byte) << c.text.toStdString();
    }
}

TEST(ColorToHtml, WritesRedGreenBlue)
{
    const struct
    {
        int color;
        QString html;
    } cases[] = {
        {255, QStringLiteral("#FF0000")},        {16711680, QStringLiteral("#0000FF")},
        {0, QStringLiteral("#000000")},          {16777215, QStringLiteral("#FFFFFF")},
        {4210752, QStringLiteral("#404040")},    {0x0A0B0C, QStringLiteral("#0C0B0A")},
        {-1, QStringLiteral("#FFFFFF")},         {int(0x80000005), QStringLiteral("#050000")},
        {0x12345678, QStringLiteral("#785634")},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ColorToHtml(c.color), c.html) << c.color;
}

TEST(NextToken, ReadsUpToTheSeparator)
{
    const QString drives = QStringLiteral("A:\\") + QChar(0) + QStringLiteral("C:\\") + QChar(0);
    const QString nul(QChar(0));
    const struct
    {
        QString text;
        int start, correctedStart;
        QString token;
    } cases[] = {
        {drives, 5, 5, QStringLiteral("C:\\")},
        {drives, 1, 1, QStringLiteral("A:\\")},
        {drives, 0, 1, QStringLiteral("A:\\")},
        {drives, -3, 1, QStringLiteral("A:\\")},
        {drives, 8, 8, QString()},
        {drives, 9, 9, QString()},
        {QStringLiteral("abc"), 2, 2, QStringLiteral("bc")},
        {QString(), 1, 1, QString()},
    };
    for (const auto &c : cases) {
        int start = c.start;
        EXPECT_EQ(NextToken(c.text, start, nul), c.token) << c.start;
        EXPECT_EQ(start, c.correctedStart) << c.start;
    }
    int start = 1;
    EXPECT_EQ(NextToken(QStringLiteral("a<>b<>c"), start, QStringLiteral("<>")),
              QStringLiteral("a"));
}

TEST(FileExists, IsTrueForPlainFilesOnly)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("ページ [1].htm"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sub")));

    EXPECT_TRUE(FileExists(file));
    EXPECT_TRUE(FileExists(QString(file).replace(u'/', u'\\')));
    EXPECT_TRUE(FileExists(dir.filePath(QStringLiteral("*.htm"))));
    EXPECT_TRUE(FileExists(dir.filePath(QStringLiteral("ページ [?].htm"))));
    EXPECT_FALSE(FileExists(dir.filePath(QStringLiteral("*.gif"))));
    EXPECT_FALSE(FileExists(dir.filePath(QStringLiteral("sub"))));
    EXPECT_FALSE(FileExists(dir.filePath(QStringLiteral("su*"))));
    EXPECT_FALSE(FileExists(dir.filePath(QStringLiteral("missing.htm"))));
    EXPECT_FALSE(FileExists(QString()));
}
