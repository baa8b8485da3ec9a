#include "document/phrases.h"

#include "core/settings.h"
#include "core/settingsstore.h"
#include "support/qstringprinter.h"

#include <QFile>
#include <QSettings>

#include <gtest/gtest.h>

namespace {

SharedState withPhrases(std::initializer_list<std::pair<const char *, const char *>> phrases)
{
    SharedState s;
    int slot = 0;
    for (const auto &[name, text] : phrases)
        Phrases::store(s, slot++, QString::fromUtf8(name), QString::fromUtf8(text));
    return s;
}

// The menu as "caption+" (enabled), "caption-" (disabled) for the visible items.
QStringList visibleMenu(const SharedState &s)
{
    QStringList shown;
    for (const Phrases::MenuItem &item : Phrases::menuItems(s)) {
        if (item.visible)
            shown << item.caption + (item.enabled ? QLatin1Char('+') : QLatin1Char('-'));
    }
    return shown;
}

TEST(Phrases, MenuShowsTheNamedSlots)
{
    const struct
    {
        const char *name;
        SharedState state;
        QStringList expected;
    } cases[] = {
        {"no phrases: one disabled placeholder", SharedState{}, {QStringLiteral("（なし）-")}},
        {"three phrases",
         withPhrases({{"挨拶", "こんにちは"}, {"署名", "山田"}, {"a&b", "x"}}),
         {QStringLiteral("挨拶+"), QStringLiteral("署名+"), QStringLiteral("a&b+")}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(visibleMenu(c.state), c.expected);
        EXPECT_EQ(Phrases::menuItems(c.state).size(), Phrases::Limit);
    }
}

TEST(Phrases, DeletingMovesTheLaterSlotsUp)
{
    SharedState s = withPhrases({{"一", "1"}, {"二", "2"}, {"三", "3"}});
    Phrases::remove(s, 0);
    EXPECT_EQ(Phrases::listedNames(s), QStringList({QStringLiteral("二"), QStringLiteral("三")}));
    EXPECT_EQ(s.strKeikeiBun[0], QStringLiteral("2"));
    EXPECT_EQ(s.strKeikeiBun[1], QStringLiteral("3"));
    EXPECT_TRUE(s.strKeikeiBun[2].isEmpty());
    EXPECT_EQ(visibleMenu(s), QStringList({QStringLiteral("二+"), QStringLiteral("三+")}));

    SharedState full;
    for (int i = 0; i < Phrases::Limit; ++i)
        Phrases::store(full, i, QString::number(i), QString::number(i));
    Phrases::remove(full, 14);
    EXPECT_EQ(Phrases::listedNames(full).size(), 14);
    Phrases::remove(full, 99); // out of range: nothing happens
    EXPECT_EQ(Phrases::listedNames(full).size(), 14);
}

TEST(Phrases, PackingClosesGapsOfAHandEditedStoreWithoutLosingAnything)
{
    SharedState s;
    Phrases::store(s, 2, QStringLiteral("名前だけ"), QString());
    Phrases::store(s, 5, QStringLiteral("五"), QStringLiteral("five"));
    Phrases::store(s, 9, QStringLiteral("九"), QStringLiteral("nine"));
    Phrases::pack(s);
    EXPECT_EQ(Phrases::listedNames(s), QStringList({QStringLiteral("五"), QStringLiteral("九")}));
    EXPECT_EQ(s.strKeikeiBun[1], QStringLiteral("nine"));
    EXPECT_EQ(s.strKeikeiName[4],
              QStringLiteral("名前だけ")); // after the used ones and slots 0 and 1
}

TEST(Phrases, LineBreaksBetweenTheBoxesAndTheDocument)
{
    EXPECT_EQ(Phrases::toEditorLines(QStringLiteral("a\r\nb\r\n")), QStringLiteral("a\nb\n"));
    EXPECT_EQ(Phrases::toDocumentLines(QStringLiteral("a\nb\r\nc")), QStringLiteral("a\r\nb\r\nc"));
}

class PhraseStoreTest : public testing::Test
{
protected:
    void SetUp() override { reset(); }
    void TearDown() override { reset(); }
    static void reset()
    {
        QFile::remove(SettingsStore::fileName());
        SettingsStore::sync();
        shared() = SharedState{};
    }
};

TEST_F(PhraseStoreTest, AnyTextSurvivesARestartByteForByte)
{
    const QString texts[] = {
        QStringLiteral("<P>ようこそ、私のホームページへ！</P>\r\n<P>ご意見は下記まで。</P>\r\n"),
        QStringLiteral("  前後の空白  "),
        QStringLiteral("a, b, c"),
        QStringLiteral("; コメントではない"),
        QStringLiteral("key=value"),
        QStringLiteral("\"引用\" と 'ｼﾝｸﾞﾙ'"),
        QStringLiteral("C:\\path\\to\\file.htm"),
        QStringLiteral("@Variant(ではない)"),
        QStringLiteral("\t字下げ\r\n\r\n\r\n空行の後"),
        QStringLiteral("[Settings]\r\nKeikeiBun0=偽物"),
        QStringLiteral("𠮷野家 😀"),
        QStringLiteral("ﾊﾝｶｸｶﾀｶﾅ＆全角"),
        QStringLiteral("%41%20"),
        QString(QChar(0x1B)) + QStringLiteral("[0m"),
        QStringLiteral("最後\r\n"),
    };
    SharedState &s = shared();
    for (int i = 0; i < Phrases::Limit; ++i)
        Phrases::store(s, i, QStringLiteral("名前 %1, \"x\"").arg(i), texts[i]);
    const SharedState written = s;
    SavePhrases();

    // The file on disk, read by a reader of its own.
    QSettings disk(SettingsStore::fileName(), QSettings::IniFormat);
    for (int i = 0; i < Phrases::Limit; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(disk.value(QStringLiteral("Settings/KeikeiBun%1").arg(i)).toString(), texts[i]);
    }

    // The program's own reading after a restart.
    s = SharedState{};
    LoadSettings();
    for (int i = 0; i < Phrases::Limit; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(s.strKeikeiBun[i], written.strKeikeiBun[i]);
        EXPECT_EQ(s.strKeikeiName[i], written.strKeikeiName[i]);
    }
}

} // namespace
