#include "core/settings.h"

#include "core/paths.h"
#include "core/settingsstore.h"
#include "core/sharedstate.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

const QString section = QStringLiteral("Settings");

class FixedLayout : public FrameLayout
{
public:
    Values values;
    Values current() const override { return values; }
};

class SettingsTest : public testing::Test
{
protected:
    void SetUp() override { reset(); }
    void TearDown() override
    {
        setFrameLayout(nullptr);
        reset();
    }
    static void reset()
    {
        QFile::remove(SettingsStore::fileName());
        SettingsStore::sync();
        shared() = SharedState{};
    }
};

// A state in which every stored value differs from its default and from every other.
SharedState populatedState()
{
    SharedState s;
    for (int i = 1; i <= 20; ++i)
        s.strRecentFile[i] = QStringLiteral("C:\\site\\ページ%1.htm").arg(i);
    for (int n = 0; n <= 9; ++n) {
        for (int i = 0; i <= 1; ++i)
            s.strFavorites[n][i] = QStringLiteral("http://example.jp/%1/%2").arg(n).arg(i);
    }
    for (int i = 0; i <= 14; ++i) {
        s.strKeikeiName[i] = QStringLiteral("定型文%1").arg(i);
        s.strKeikeiBun[i] = QStringLiteral("<P>%1行目\r\n  ﾆ行目, \"引用\"; 終わり\r\n").arg(i);
    }
    s.strLastFullPath = QStringLiteral("/home/u/site/index.htm");
    s.strLastImagePath = QStringLiteral("/home/u/site/img/a.gif");
    s.blnTagColor = true;
    s.blnDebugMode = true;
    s.blnWindowsCheck = false;
    s.blnTreePathChange = false;
    s.blnTreeViewHide = true;
    s.blnMyBrowzer = false;
    s.strBrowzerPath = QStringLiteral("/usr/bin/firefox");
    s.strImageToolPath = QStringLiteral("/usr/bin/gimp");
    s.strAuthor = QStringLiteral("山田 太郎");
    s.intChildState = 2;
    return s;
}

} // namespace

TEST_F(SettingsTest, FirstRunGivesTheDefaults)
{
    LoadSettings();
    const SharedState &s = shared();
    EXPECT_EQ(s.strLastFullPath, programFolder());
    EXPECT_EQ(s.strLastImagePath, programFolder());
    EXPECT_FALSE(s.blnTagColor);
    EXPECT_FALSE(s.blnDebugMode);
    EXPECT_TRUE(s.blnMyBrowzer);
    EXPECT_TRUE(s.blnWindowsCheck);
    EXPECT_TRUE(s.blnTreePathChange);
    EXPECT_FALSE(s.blnTreeViewHide);
    for (int i = 1; i <= 20; ++i)
        EXPECT_TRUE(s.strRecentFile[i].isEmpty()) << i;

    const FrameLayout::Values v = loadFrameLayout(19200, 14400, 3000, 6000);
    EXPECT_TRUE(v.toolBarVisible && v.statusBarVisible && v.treeViewVisible);
    EXPECT_EQ(v.treeViewWidth, 3000);
    EXPECT_EQ(v.imageViewHeight, 1200);
    EXPECT_EQ(v.windowState, 0);
    EXPECT_EQ(v.left, 2400);
    EXPECT_EQ(v.top, 1800);
    EXPECT_EQ(v.width, 14400);
    EXPECT_EQ(v.height, 10800);
    // Reading wrote nothing.
    EXPECT_FALSE(QFile::exists(SettingsStore::fileName()));
}

TEST_F(SettingsTest, SaveThenLoadKeepsEveryValue)
{
    const SharedState saved = populatedState();
    shared() = saved;
    SaveSettings();
    shared() = SharedState{};
    LoadSettings();
    // The child state is written here but read by the document window itself.
    EXPECT_EQ(shared().intChildState, 0);
    shared().intChildState = saved.intChildState;
    EXPECT_TRUE(shared() == saved);
    // The document window reads the child state itself.
    EXPECT_EQ(SettingsStore::getInt(section, QStringLiteral("childstate"), 0), 2);
}

TEST_F(SettingsTest, DamagedValuesReadAsDefaults)
{
    QFile file(SettingsStore::fileName());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Settings]\nMyBrowzer=perhaps\nTagColor=\nWindowsCheck=0x1\nTreeViewHide=2\n"
               "MainState=7\nMainLeft=left\nMainWidth=1e12\nToolBar=nein\nTreeViewWidth=abc\n"
               "Author=a, b\n");
    file.close();

    LoadSettings();
    EXPECT_TRUE(shared().blnMyBrowzer);
    EXPECT_FALSE(shared().blnTagColor);
    EXPECT_TRUE(shared().blnWindowsCheck);
    EXPECT_TRUE(shared().blnTreeViewHide); // a number converts: non-zero is true
    EXPECT_EQ(shared().strAuthor, QStringLiteral("a, b"));

    const FrameLayout::Values v = loadFrameLayout(16000, 8000, 2500, 5000);
    EXPECT_EQ(v.windowState, 0);
    EXPECT_EQ(v.left, 2000);
    EXPECT_EQ(v.width, 12000);
    EXPECT_TRUE(v.toolBarVisible);
    EXPECT_EQ(v.treeViewWidth, 2500);
}

TEST_F(SettingsTest, SaveWithoutAFrameKeepsTheStoredLayout)
{
    SettingsStore::setInt(section, QStringLiteral("MainState"), 2);
    SettingsStore::setInt(section, QStringLiteral("MainLeft"), 123);
    SettingsStore::setBool(section, QStringLiteral("ToolBar"), false);
    SaveSettings();
    EXPECT_EQ(SettingsStore::getInt(section, QStringLiteral("MainState"), -5), 2);
    EXPECT_EQ(SettingsStore::getInt(section, QStringLiteral("MainLeft"), -5), 123);
    EXPECT_FALSE(SettingsStore::getBool(section, QStringLiteral("ToolBar"), true));
    EXPECT_EQ(SettingsStore::get(section, QStringLiteral("MainTop"), QStringLiteral("unset")),
              QStringLiteral("unset"));
}

TEST_F(SettingsTest, FrameStateDecidesWhichLayoutKeysAreWritten)
{
    const struct
    {
        int state;
        int storedState; // "MainState" afterwards
        int storedLeft;  // "MainLeft" afterwards
    } cases[] = {
        {0, 0, 900}, // normal: state and position written
        {1, 2, 111}, // minimised: state and position left alone
        {2, 2, 111}, // maximised: state written, last normal position kept
    };
    for (const auto &c : cases) {
        {
            SettingsStore::Batch batch;
            SettingsStore::setInt(section, QStringLiteral("MainState"), 2);
            for (const char *key : {"MainLeft", "MainTop", "MainWidth", "MainHeight"})
                SettingsStore::setInt(section, QLatin1String(key), 111);
        }

        FixedLayout layout;
        layout.values = {false, false, true, 2000, 700, c.state, 900, 900, 900, 900};
        setFrameLayout(&layout);
        SaveSettings();
        setFrameLayout(nullptr);

        const FrameLayout::Values v = loadFrameLayout(16000, 8000, 0, 0);
        EXPECT_EQ(v.windowState, c.storedState) << c.state;
        EXPECT_EQ(v.left, c.storedLeft) << c.state;
        EXPECT_EQ(v.top, c.storedLeft) << c.state;
        EXPECT_EQ(v.width, c.storedLeft) << c.state;
        EXPECT_EQ(v.height, c.storedLeft) << c.state;
        EXPECT_FALSE(v.toolBarVisible) << c.state;
        EXPECT_FALSE(v.statusBarVisible) << c.state;
        EXPECT_EQ(v.treeViewWidth, 2000) << c.state;
        EXPECT_EQ(v.imageViewHeight, 700) << c.state;
    }
}

TEST_F(SettingsTest, AddRecentFileKeepsTheListNewestFirst)
{
    // Each letter is one entry, entry 1 first; "." is an empty entry.
    auto list = [](const QString &letters) {
        std::array<QString, 21> entries;
        for (int j = 1; j <= letters.size(); ++j)
            entries[j] = letters[j - 1] == u'.' ? QString() : QString(letters[j - 1]);
        return entries;
    };
    const QString full = QStringLiteral("abcdefghijklmnopqrst");
    const struct
    {
        QString before, path, after;
    } cases[] = {
        {full, QStringLiteral("e"), QStringLiteral("eabcdfghijklmnopqrst")}, // entry 5 again
        {full, QStringLiteral("X"), QStringLiteral("Xabcdefghijklmnopqrs")}, // entry 20 drops
        {full, QStringLiteral("C"), QStringLiteral("Cabcdefghijklmnopqrs")}, // case counts
        {full, QStringLiteral("a"), full},                                   // entry 1: nothing
        {full, QStringLiteral("t"), QStringLiteral("tabcdefghijklmnopqrs")},
        {full, QString(), full},
        {QStringLiteral("ab.................."), QStringLiteral("b"),
         QStringLiteral("ba..................")},
        {QStringLiteral("ab.................."), QString(), QStringLiteral("ab..................")},
    };
    for (const auto &c : cases) {
        shared().strRecentFile = list(c.before);
        AddRecentFile(c.path);
        EXPECT_EQ(shared().strRecentFile, list(c.after))
            << c.before.toStdString() << " + " << c.path.toStdString();
    }
}

TEST(ChildStateSetting, ADamagedValueReadsAsNormal)
{
    const struct
    {
        const char *stored;
        int expected;
    } cases[] = {{"0", 0}, {"2", 2}, {"1", 1}, {"7", 0}, {"-1", 0}, {"abc", 0}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.stored);
        SettingsStore::set(QStringLiteral("Settings"), QStringLiteral("ChildState"),
                           QString::fromLatin1(c.stored));
        EXPECT_EQ(storedChildState(), c.expected);
    }
    storeChildState(2);
    EXPECT_EQ(storedChildState(), 2);
    storeChildState(0);
}
