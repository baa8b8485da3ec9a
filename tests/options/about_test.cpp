#include "support/spinefixture.h"

#include "options/aboutinfo.h"
#include "options/frmabout.h"
#include "options/systeminfo.h"

#include <QAction>
#include <QLabel>
#include <QTest>

namespace {

using AboutTest = SpineTest;

TEST(AboutVersion, ShowsTheDebugMarkOnlyInDebugMode)
{
    struct Case { const char *name; int major, minor, revision; bool debug; const char *text; };
    const Case cases[] = {
        {"this program", 0, 36, 9, false, "Ver 0.36.9"},
        {"this program in debug mode", 0, 36, 9, true, "Ver 0.36.9D"},
        {"numbers without leading zeros", 1, 0, 12, false, "Ver 1.0.12"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(aboutVersionText(c.major, c.minor, c.revision, c.debug), QString::fromUtf8(c.text)) << c.name;
}

TEST_F(AboutTest, BoxShowsCaptionTitleAndStoredDebugMode)
{
    for (const bool debug : {false, true}) {
        shared().blnDebugMode = debug;
        frmAbout about;
        EXPECT_EQ(about.windowTitle(), QStringLiteral("Orvineのﾊﾞｰｼﾞｮﾝ情報"));
        EXPECT_EQ(about.lblTitle->text(), QStringLiteral("Orvine"));
        EXPECT_EQ(about.lblVersion->text(), debug ? QStringLiteral("Ver 0.36.9D") : QStringLiteral("Ver 0.36.9"))
            << "debug " << debug;
        EXPECT_EQ(about.lblDescription->text().count(QLatin1Char('\n')), 3) << "four author lines";
    }
    shared().blnDebugMode = false;
}

TEST_F(AboutTest, PasswordSwitchesDebugModeAndTagColouringAndSavesThem)
{
    struct Case { const char *name; std::optional<QString> answer; bool on; };
    const Case cases[] = {
        {"right password", QStringLiteral("Ottla5926"), true},
        {"other letter case", QStringLiteral("ottla5926"), false},
        {"longer answer", QStringLiteral("Ottla59260"), false},
        {"empty answer", QString(), false},
        {"cancelled", std::nullopt, false},
    };
    for (const Case &c : cases) {
        // Start from the opposite state, stored, so the change has to reach the file.
        shared().blnDebugMode = !c.on;
        shared().blnTagColor = !c.on;
        SaveSettings();
        frmAbout about;
        about.show();

        ScriptedInteraction ui;
        ui.expectInput(c.answer);
        QTest::mouseDClick(about.Image1, Qt::LeftButton);
        ASSERT_EQ(ui.pendingCount(), 0) << c.name;
        EXPECT_EQ(ui.lastPrompt().text, QStringLiteral("パスワードは？")) << c.name;
        EXPECT_EQ(about.lblVersion->text().endsWith(QLatin1Char('D')), c.on) << c.name;

        shared() = SharedState{};
        shared().blnDebugMode = shared().blnTagColor = !c.on;
        LoadSettings();
        EXPECT_EQ(shared().blnDebugMode, c.on) << c.name;
        EXPECT_EQ(shared().blnTagColor, c.on) << c.name;
    }
}

TEST_F(AboutTest, HelpMenusShowTheAboutBoxModally)
{
    ScriptedInteraction ui;
    ui.expectDialog(QStringLiteral("frmAbout"), [](QDialog &box) { clickControl(box, QStringLiteral("cmdOK")); });
    frame->action(QStringLiteral("mnuHelpAbout"))->trigger();
    EXPECT_EQ(ui.pendingCount(), 0);

    frmDocument *doc = newDocument(ui);
    ASSERT_TRUE(doc);
    ui.expectDialog(QStringLiteral("frmAbout"), [](QDialog &box) { clickControl(box, QStringLiteral("cmdOK")); });
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
    struct Case { const char *name; QStringList installed; const char *tried; bool starts; };
    const Case cases[] = {
        {"nothing installed", {}, nullptr, false},
        {"only the system monitor", {QStringLiteral("gnome-system-monitor")}, "gnome-system-monitor", true},
        {"the viewer before the monitor", {QStringLiteral("gnome-system-monitor"), QStringLiteral("hardinfo")}, "hardinfo", true},
        {"KDE's first", {QStringLiteral("hardinfo"), QStringLiteral("kinfocenter")}, "kinfocenter", true},
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
        if (!c.starts)
            EXPECT_EQ(ui.lastPrompt().message.icon, Interaction::Icon::None) << c.name;
    }
}

} // namespace
