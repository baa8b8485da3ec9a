#include "core/settingsstore.h"

#include "support/scriptedinteraction.h"

#include <QDir>
#include <QFile>
#include <QSettings>

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

const QString section = QStringLiteral("Settings");

void clearStore()
{
    QFile::remove(SettingsStore::fileName());
    SettingsStore::sync();
}

// Replaces the store's file with `content`, as a user editing it by hand would.
void writeStoreFile(const QByteArray &content)
{
    QFile file(SettingsStore::fileName());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
    file.close();
    SettingsStore::sync();
}

QByteArray storeFileContent()
{
    QFile file(SettingsStore::fileName());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Reads a key as a program started afresh would: from a copy of the file, parsed anew.
QString readFromDisk(const QString &group, const QString &key)
{
    const QString copy = SettingsStore::fileName() + QStringLiteral(".copy.ini");
    QFile::remove(copy);
    EXPECT_TRUE(QFile::copy(SettingsStore::fileName(), copy));
    QSettings fresh(copy, QSettings::IniFormat);
    const QString value = fresh.value(group + u'/' + key).toString();
    QFile::remove(copy);
    return value;
}

class SettingsStoreTest : public testing::Test
{
protected:
    void SetUp() override { clearStore(); }
    void TearDown() override { clearStore(); }
};

} // namespace

TEST_F(SettingsStoreTest, KeyNamesMatchWithoutLetterCase)
{
    SettingsStore::setBool(section, QStringLiteral("WindowsCheck"), false);
    EXPECT_FALSE(SettingsStore::getBool(section, QStringLiteral("WindowsCHeck"), true));
    EXPECT_EQ(SettingsStore::get(section, QStringLiteral("windowscheck")), QStringLiteral("False"));
}

TEST_F(SettingsStoreTest, WritingReplacesEveryStoredSpellingOfTheKey)
{
    writeStoreFile("[Settings]\nwindowscheck=True\nWINDOWSCHECK=True\nOther=1\n");
    SettingsStore::setBool(section, QStringLiteral("WindowsCheck"), false);

    const QByteArray content = storeFileContent();
    EXPECT_EQ(content.count("indowscheck"), 0) << content.constData();
    EXPECT_EQ(content.count("WINDOWSCHECK"), 0) << content.constData();
    EXPECT_EQ(content.count("WindowsCheck=False"), 1) << content.constData();
    EXPECT_FALSE(SettingsStore::getBool(section, QStringLiteral("WindowsCHeck"), true));
    EXPECT_EQ(SettingsStore::get(section, QStringLiteral("Other")), QStringLiteral("1"));

    SettingsStore::remove(section, QStringLiteral("WINDOWScheck"));
    EXPECT_TRUE(SettingsStore::getBool(section, QStringLiteral("WindowsCheck"), true));
}

TEST_F(SettingsStoreTest, SpellingsEditedByHandWhileRunningAreFoundAfterTheNextWrite)
{
    writeStoreFile("[Settings]\nwindowscheck=True\n[Other]\nWindowsCheck=1\n");
    EXPECT_TRUE(SettingsStore::getBool(section, QStringLiteral("WindowsCheck"), false));
    EXPECT_EQ(SettingsStore::get(section, QStringLiteral("Missing"), QStringLiteral("-")),
              QStringLiteral("-"));

    // Another spelling replaces the first, and a key the store looked for appears.
    writeStoreFile("[Settings]\nWINDOWSCHECK=False\nmISSING=here\n");
    EXPECT_FALSE(SettingsStore::getBool(section, QStringLiteral("WindowsCheck"), true));
    EXPECT_EQ(SettingsStore::get(section, QStringLiteral("Missing")), QStringLiteral("here"));
    EXPECT_EQ(SettingsStore::get(QStringLiteral("Other"), QStringLiteral("windowscheck")),
              QString());

    // Written back, each key has one spelling; nested groups keep theirs.
    SettingsStore::set(section, QStringLiteral("Missing"), QStringLiteral("again"));
    SettingsStore::set(QStringLiteral("Outer/Inner"), QStringLiteral("Key"), QStringLiteral("1"));
    SettingsStore::remove(section, QStringLiteral("windowsCheck"));
    const QByteArray content = storeFileContent();
    EXPECT_EQ(content.count("ISSING"), 0) << content.constData();
    EXPECT_EQ(content.count("Missing=again"), 1) << content.constData();
    EXPECT_EQ(content.count("WINDOWSCHECK"), 0) << content.constData();
    EXPECT_EQ(SettingsStore::get(QStringLiteral("Outer/Inner"), QStringLiteral("KEY")),
              QStringLiteral("1"));
}

TEST_F(SettingsStoreTest, TextValuesSurviveTheFile)
{
    const QString values[] = {
        QStringLiteral("一行目\r\n二行目\r\n\r\n四行目"),
        QStringLiteral("<P>\n<BR>\n"),
        QStringLiteral("  leading and trailing blanks  "),
        QStringLiteral("a, b,c"),
        QStringLiteral("\"quoted\" and 'single'"),
        QStringLiteral("; not a comment # nor this = that"),
        QStringLiteral("C:\\site\\page.htm"),
        QStringLiteral("@Variant(\\0\\0\\0\\x7f)"),
        QStringLiteral("[Section]"),
        QStringLiteral("ﾃｷｽﾄ\tタブ　全角空白"),
        QStringLiteral("%41%20"),
        QString(),
    };
    int n = 0;
    for (const QString &value : values) {
        const QString key = QStringLiteral("KeikeiBun") + QString::number(n++);
        SettingsStore::set(section, key, value);
        EXPECT_EQ(SettingsStore::get(section, key, QStringLiteral("default")), value) << n;
        EXPECT_EQ(readFromDisk(section, key), value) << n;
    }
    SettingsStore::set(QStringLiteral("Recent Files"), QStringLiteral("RecentFile1"),
                       QStringLiteral("/home/u/サイト/a b.htm"));
    EXPECT_EQ(readFromDisk(QStringLiteral("Recent Files"), QStringLiteral("RecentFile1")),
              QStringLiteral("/home/u/サイト/a b.htm"));
}

TEST_F(SettingsStoreTest, StoredTextsConvertOrFallBackToTheDefault)
{
    struct Case
    {
        QString stored;
        bool asBool; // read with default true; false only when the text converts to false
        int asInt;   // read with default 77
    };
    const Case cases[] = {
        {QStringLiteral("True"), true, 77},
        {QStringLiteral("false"), false, 77},
        {QStringLiteral("FALSE"), false, 77},
        {QStringLiteral("-1"), true, -1},
        {QStringLiteral("0"), false, 0},
        {QStringLiteral(" 0 "), false, 0},
        {QStringLiteral("12.6"), true, 13},
        {QStringLiteral("yes"), true, 77},
        {QStringLiteral(""), true, 77},
        {QStringLiteral("abc"), true, 77},
        {QStringLiteral("99999999999"), true, 77},
        {QStringLiteral("nan"), true, 77},
    };
    for (const Case &c : cases) {
        SettingsStore::set(section, QStringLiteral("Value"), c.stored);
        EXPECT_EQ(SettingsStore::getBool(section, QStringLiteral("Value"), true), c.asBool)
            << c.stored.toStdString();
        EXPECT_EQ(SettingsStore::getInt(section, QStringLiteral("Value"), 77), c.asInt)
            << c.stored.toStdString();
    }
    // The default decides for texts that do not convert.
    SettingsStore::set(section, QStringLiteral("Value"), QStringLiteral("maybe"));
    EXPECT_FALSE(SettingsStore::getBool(section, QStringLiteral("Value"), false));
}

// Writing a value that is already stored leaves the file alone (it is replaced, a new file
// under the same name, only when something changes).
TEST_F(SettingsStoreTest, AnUnchangedValueIsNotWrittenAgain)
{
    SettingsStore::set(section, QStringLiteral("LastFullPath"), QStringLiteral("/site/a.htm"));
    const auto inode = [] {
        struct stat info
        {};
        return ::stat(QFile::encodeName(SettingsStore::fileName()).constData(), &info) == 0
                   ? info.st_ino
                   : ino_t(0);
    };
    const ino_t first = inode();
    ASSERT_NE(first, ino_t(0));
    SettingsStore::set(section, QStringLiteral("LastFullPath"), QStringLiteral("/site/a.htm"));
    EXPECT_EQ(inode(), first);
    SettingsStore::set(section, QStringLiteral("LastFullPath"), QStringLiteral("/site/b.htm"));
    EXPECT_NE(inode(), first);
    EXPECT_EQ(readFromDisk(section, QStringLiteral("LastFullPath")), QStringLiteral("/site/b.htm"));
}

TEST_F(SettingsStoreTest, TextsWithKeptBytesComeBackAsStoredAfterARestart)
{
    // Kept bytes are unpaired surrogates; the file's UTF-8 cannot hold them as such.
    const QString kept = QString(QChar(0xDC81));
    const QStringList values = {
        QStringLiteral("a") + kept + QStringLiteral("b"),
        kept + QString(QChar(0xDCFF)) + QStringLiteral("\r\n定型") + QString(QChar(0xDC80)),
        QString(QChar(0xD800)) + QStringLiteral("x"), // a high surrogate alone
        QStringLiteral("😀") + kept,                   // a pair stays a pair beside a kept byte
        QStringLiteral("@ByteArray(") + kept + QStringLiteral(")\\\"=,;"),
    };
    for (int i = 0; i < values.size(); ++i)
        SettingsStore::set(section, QStringLiteral("Phrase%1").arg(i), values[i]);

    // The store reads its file anew, as a program started afresh would.
    writeStoreFile(storeFileContent());
    for (int i = 0; i < values.size(); ++i)
        EXPECT_EQ(SettingsStore::get(section, QStringLiteral("Phrase%1").arg(i)), values[i]) << i;
}

TEST_F(SettingsStoreTest, AFileThatCannotBeWrittenIsToldOnceAndTheValuesStayForTheRun)
{
    // A folder where the file should be: nothing can be written there, not even by root.
    QFile::remove(SettingsStore::fileName());
    ASSERT_TRUE(QDir().mkpath(SettingsStore::fileName()));
    {
        ScriptedInteraction script;
        script.expectMessage(QStringLiteral("設定ファイルに書き込めません。"));
        SettingsStore::set(section, QStringLiteral("First"), QStringLiteral("一"));
        SettingsStore::set(section, QStringLiteral("Second"), QStringLiteral("二"));
        SettingsStore::sync();
        EXPECT_EQ(script.log().size(), 1);
        EXPECT_EQ(script.lastPrompt().message.icon, Interaction::Icon::Warning);
    }
    EXPECT_EQ(SettingsStore::get(section, QStringLiteral("First")), QStringLiteral("一"));
    EXPECT_EQ(SettingsStore::get(section, QStringLiteral("Second")), QStringLiteral("二"));

    // Once the file can be written again, what was kept in memory reaches it.
    ASSERT_TRUE(QDir(SettingsStore::fileName()).removeRecursively());
    SettingsStore::sync();
    EXPECT_EQ(readFromDisk(section, QStringLiteral("Second")), QStringLiteral("二"));
}
