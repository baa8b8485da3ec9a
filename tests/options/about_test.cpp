#include "options/aboutinfo.h"
#include "options/frmabout.h"
#include "options/systeminfo.h"
#include "support/builtversion.h"
#include "support/spinefixture.h"

#include <QAction>
#include <QLabel>
#include <QTest>

namespace {

using AboutTest = SpineTest;

TEST(AboutVersion, ShowsTheDebugMarkOnlyInDebugMode)
{
    struct Case
    {
        const char *name;
        int major, minor, revision;
        bool debug;
        const char *text;
    };
    const Case cases[] = {
        {"this program", 0, 36, 9, false, "Ver 0.36.9"},
        {"this program in debug mode", 0, 36, 9, true, "Ver 0.36.9D"},
        {"numbers without leading zeros", 1, 0, 12, false, "Ver 1.0.12"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(aboutVersionText(c.major, c.minor, c.revision, c.debug),
                  QString::fromUtf8(c.text))
            << c.name;
}

TEST_F(AboutTest, BoxShowsCaptionTitleAndStoredDebugMode)
{
    for (const bool debug : {false, true}) {
        shared().blnDebugMode = debug;
        frmAbout about;
        EXPECT_EQ(about.windowTitle(), QStringLiteral("Orvineのﾊﾞｰｼﾞｮﾝ情報"));
        EXPECT_EQ(about.lblTitle->text(), QStringLiteral("Orvine"));
        EXPECT_EQ(about.lblVersion->text(), QStringLiteral("Ver ") + builtVersion()
                                                + (debug ? QStringLiteral("D") : QString()))
            << "debug " << debug;
        EXPECT_EQ(about.lblDescription->text().count(QLatin1Char('\n')), 3) << "four author lines";
    }
    shared().blnDebugMode = false;
}

TEST_F(AboutTest, PasswordSwitchesDebugModeAndTagColouringAndSavesThem)
{
    // `before`: the state stored when the box opens; `after`: the state stored afterwards.
    struct Case
    {
        const char *name;
        std::optional<QString> answer;
        bool before;
        bool after;
    };
    const Case cases[] = {
        {"right password", QStringLiteral("Ottla5926"), false, true},
        {"other letter case", QStringLiteral("ottla5926"), true, false},
        {"longer answer", QStringLiteral("Ottla59260"), true, false},
        {"empty answer", QString(), true, false},
        {"cancelled while on", std::nullopt, true, true},
        {"cancelled while off", std::nullopt, false, false},
    };
    for (const Case &c : cases) {
        shared().blnDebugMode = c.before;
        shared().blnTagColor = c.before;
        SaveSettings();
        frmAbout about;
        about.show();

        ScriptedInteraction ui;
        ui.expectInput(c.answer);
        QTest::mouseDClick(about.Image1, Qt::LeftButton);
        ASSERT_EQ(ui.pendingCount(), 0) << c.name;
        EXPECT_EQ(ui.lastPrompt().text, QStringLiteral("パスワードは？")) << c.name;
        EXPECT_EQ(about.lblVersion->text().endsWith(QLatin1Char('D')), c.after) << c.name;
        EXPECT_EQ(shared().blnTagColor, c.after) << c.name;

        shared() = SharedState{};
        shared().blnDebugMode = shared().blnTagColor = !c.after;
        LoadSettings();
        EXPECT_EQ(shared().blnDebugMode, c.after) << c.name;
        EXPECT_EQ(shared().blnTagColor, c.after) << c.name;
    }
}

TEST_F(AboutTest, CancellingThePasswordPromptLeavesTheSettingsFileAlone)
{
    // Settings changed in this run but not yet stored must not be written by a cancel.
    shared().blnDebugMode = false;
    shared().blnTagColor = true;
    shared().strAuthor = QStringLiteral("保存済みの作者");
    SaveSettings();
    shared().strAuthor = QStringLiteral("まだ保存しない作者");
    frmAbout about;
    about.show();
    ScriptedInteraction ui;
    ui.expectInput(std::nullopt);
    QTest::mouseDClick(about.Image1, Qt::LeftButton);
    ASSERT_EQ(ui.pendingCount(), 0);

    shared() = SharedState{};
    LoadSettings();
    EXPECT_EQ(shared().strAuthor, QStringLiteral("保存済みの作者"));
    EXPECT_TRUE(shared().blnTagColor);
}

TEST_F(AboutTest, HelpMenusShowTheAboutBoxModally)
{
    ScriptedInteraction ui;
    ui.expectDialog(QStringLiteral("frmAbout"),
                    [](QDialog &box) { clickControl(box, QStringLiteral("cmdOK")); });
    frame->action(QStringLiteral("mnuHelpAbout"))->trigger();
    EXPECT_EQ(ui.pendingCount(), 0);

    frmDocument *doc = newDocument(ui);
    ASSERT_TRUE(doc);
    ui.expectDialog(QStringLiteral("frmAbout"),
                    [](QDialog &box) { clickControl(box, QStringLiteral("cmdOK")); });
    doc->action(QStringLiteral("mnuHelpAboout"))->trigger();
    EXPECT_EQ(ui.pendingCount(), 0);
}

// A folder with empty executable files of the given names.
QString folderWithPrograms(QTemporaryDir &dir, const QStringList &names)
{
    for (const QString &name : names) {
        QFile file(dir.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    return dir.path();
}

TEST(SystemInformation, LaunchesTheFirstProgramFoundOrSaysItIsNotAvailable)
{
    // `tried`: the program the launcher is asked to start, if any; `starts`: whether it does.
    struct Case
    {
        const char *name;
        QStringList installed;
        const char *tried;
        bool starts;
    };
    const Case cases[] = {
        {"nothing installed", {}, nullptr, false},
        {"only the system monitor",
         {QStringLiteral("gnome-system-monitor")},
         "gnome-system-monitor",
         true},
        {"the viewer before the monitor",
         {QStringLiteral("gnome-system-monitor"), QStringLiteral("hardinfo")},
         "hardinfo",
         true},
        {"KDE's first",
         {QStringLiteral("hardinfo"), QStringLiteral("kinfocenter")},
         "kinfocenter",
         true},
        {"found but does not start", {QStringLiteral("hardinfo")}, "hardinfo", false},
        {"a name that is not a candidate", {QStringLiteral("sysinfo")}, nullptr, false},
    };
    for (const Case &c : cases) {
        QTemporaryDir dir;
        const QString folder = folderWithPrograms(dir, c.installed);
        ScriptedInteraction ui;
        if (c.tried)
            ui.expectStartProgram(c.starts);
        if (!c.starts)
            ui.expectMessage(QStringLiteral("現時点ではｼｽﾃﾑ情報を使用できません"));
        StartSysInfo({folder});
        EXPECT_EQ(ui.pendingCount(), 0) << c.name;
        if (c.tried) {
            const auto &launch = ui.log().constFirst();
            EXPECT_EQ(launch.text, dir.filePath(QString::fromUtf8(c.tried))) << c.name;
            EXPECT_TRUE(launch.arguments.isEmpty()) << c.name;
        }
        if (!c.starts) {
            EXPECT_EQ(ui.lastPrompt().message.icon, Interaction::Icon::None) << c.name;
        }
    }
}

} // namespace
