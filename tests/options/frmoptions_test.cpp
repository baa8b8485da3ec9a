#include "options/frmoptions.h"

#include "core/settingsnotifier.h"
#include "core/settingsstore.h"
#include "core/sharedstate.h"
#include "document/frmdocument.h"
#include "options/optionscommands.h"
#include "support/scriptedinteraction.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QString storedValue(const char *key)
{
    SettingsStore::sync();
    QSettings file(SettingsStore::fileName(), QSettings::IniFormat);
    return file.value(QStringLiteral("Settings/") + QLatin1String(key)).toString();
}

class Options : public testing::Test
{
protected:
    void SetUp() override { saved = shared(); }
    void TearDown() override { shared() = saved; }
    SharedState saved;
};

// A boolean option and the control that shows it; `inverted` when the control is checked for
// false.
struct FlagRow
{
    const char *key;
    bool SharedState::*option;
    QAbstractButton *(*control)(frmOptions &);
    bool inverted = false;
};

// A text option and its box.
struct TextRow
{
    const char *key;
    QString SharedState::*option;
    QLineEdit *(*box)(frmOptions &);
};

TEST_F(Options, EveryOptionIsShownAndStoredBothWays)
{
    const FlagRow flags[] = {
        {"MyBrowzer", &SharedState::blnMyBrowzer,
         [](frmOptions &d) -> QAbstractButton * { return d.Option1[0]; }},
        {"TagColor", &SharedState::blnTagColor,
         [](frmOptions &d) -> QAbstractButton * { return d.chkTagColor; }},
        {"TreePathChange", &SharedState::blnTreePathChange,
         [](frmOptions &d) -> QAbstractButton * { return d.chkTreePathChange; }},
        {"TreeViewHide", &SharedState::blnTreeViewHide,
         [](frmOptions &d) -> QAbstractButton * { return d.chkTrvHide; }},
        {"WindowsCheck", &SharedState::blnWindowsCheck,
         [](frmOptions &d) -> QAbstractButton * { return d.chkWInCheck; }, true},
    };
    for (const FlagRow &row : flags) {
        for (const bool value : {true, false}) {
            SCOPED_TRACE(std::string(row.key) + (value ? " true" : " false"));
            shared().*row.option = value;
            frmOptions dialog;
            QAbstractButton *control = row.control(dialog);
            EXPECT_EQ(control->isChecked(), value != row.inverted);
            // Choosing the other state: a box is ticked or cleared, an option button pair flips.
            if (auto *box = qobject_cast<QCheckBox *>(control))
                box->setChecked(!box->isChecked());
            else
                dialog.Option1[value ? 1 : 0]->setChecked(true);
            dialog.cmdOK->click();
            EXPECT_EQ(shared().*row.option, !value);
            EXPECT_EQ(storedValue(row.key),
                      !value ? QStringLiteral("True") : QStringLiteral("False"));
        }
    }
    const TextRow texts[] = {
        {"BrowzerPath", &SharedState::strBrowzerPath,
         [](frmOptions &d) { return d.txtBrowzeName; }},
        {"ImageToolPath", &SharedState::strImageToolPath,
         [](frmOptions &d) { return d.txtDrawName; }},
        {"Author", &SharedState::strAuthor, [](frmOptions &d) { return d.txtAuthor; }},
    };
    for (const TextRow &row : texts) {
        SCOPED_TRACE(row.key);
        shared().*row.option = QStringLiteral("/opt/古い パス");
        frmOptions dialog;
        EXPECT_EQ(row.box(dialog)->text(), QStringLiteral("/opt/古い パス"));
        row.box(dialog)->setText(QStringLiteral("/usr/bin/新しい"));
        dialog.cmdOK->click();
        EXPECT_EQ(shared().*row.option, QStringLiteral("/usr/bin/新しい"));
        EXPECT_EQ(storedValue(row.key), QStringLiteral("/usr/bin/新しい"));
    }
}

TEST_F(Options, OkSavesAllSettingsAndTellsOpenWindows)
{
    shared().strRecentFile[1] = QStringLiteral("/home/u/最近.htm");
    shared().strKeikeiName[3] = QStringLiteral("挨拶");
    QSignalSpy changed(&SettingsNotifier::instance(), &SettingsNotifier::optionsChanged);
    frmOptions dialog;
    dialog.cmdOK->click();
    EXPECT_EQ(changed.count(), 1);
    SettingsStore::sync();
    QSettings file(SettingsStore::fileName(), QSettings::IniFormat);
    EXPECT_EQ(file.value(QStringLiteral("Recent Files/RecentFile1")).toString(),
              QStringLiteral("/home/u/最近.htm"));
    EXPECT_EQ(file.value(QStringLiteral("Settings/KeikeiName3")).toString(),
              QStringLiteral("挨拶"));
}

TEST_F(Options, CancelKeepsTheOldValues)
{
    shared().strAuthor = QStringLiteral("山田");
    SettingsStore::set(QStringLiteral("Settings"), QStringLiteral("Author"),
                       QStringLiteral("山田"));
    QSignalSpy changed(&SettingsNotifier::instance(), &SettingsNotifier::optionsChanged);
    frmOptions dialog;
    dialog.txtAuthor->setText(QStringLiteral("鈴木"));
    dialog.chkTagColor->setChecked(!shared().blnTagColor);
    const SharedState before = shared();
    dialog.cmdCancel->click();
    EXPECT_EQ(shared(), before);
    EXPECT_EQ(storedValue("Author"), QStringLiteral("山田"));
    EXPECT_EQ(changed.count(), 0);
}

TEST_F(Options, TheBrowserPathIsEnabledOnlyForAChosenBrowser)
{
    shared().blnMyBrowzer = true;
    frmOptions dialog;
    EXPECT_FALSE(dialog.txtBrowzeName->isEnabled());
    EXPECT_FALSE(dialog.cmdBrowzeRef->isEnabled());
    dialog.Option1[1]->click();
    EXPECT_TRUE(dialog.txtBrowzeName->isEnabled());
    EXPECT_TRUE(dialog.cmdBrowzeRef->isEnabled());
    dialog.Option1[0]->click();
    EXPECT_FALSE(dialog.txtBrowzeName->isEnabled());
}

TEST_F(Options, ReferenceButtonsFillTheirBoxUnlessCancelled)
{
    shared().blnMyBrowzer = false;
    shared().strBrowzerPath = QStringLiteral("/usr/bin/old");
    frmOptions dialog;
    ScriptedInteraction script;
    script.expectOpenFile(QStringLiteral("/usr/bin/firefox")).expectOpenFile(QString());
    script.expectOpenFile(QStringLiteral("/usr/bin/gimp"));
    dialog.cmdBrowzeRef->click();
    EXPECT_EQ(dialog.txtBrowzeName->text(), QStringLiteral("/usr/bin/firefox"));
    dialog.cmdBrowzeRef->click();
    EXPECT_EQ(dialog.txtBrowzeName->text(), QStringLiteral("/usr/bin/firefox"));
    dialog.cmdImageToolRef->click();
    EXPECT_EQ(dialog.txtDrawName->text(), QStringLiteral("/usr/bin/gimp"));
}

TEST_F(Options, CtrlTabWrapsAroundTheTabs)
{
    frmOptions dialog;
    auto expectPanel = [&dialog](int index) {
        EXPECT_EQ(dialog.tbsOptions->currentIndex(), index);
        for (int i = 0; i < dialog.picOptions.size(); ++i)
            EXPECT_EQ(dialog.picOptions[i]->isEnabled(), i == index) << "panel " << i;
    };
    expectPanel(0);
    QTest::keyClick(dialog.txtDrawName, Qt::Key_Tab, Qt::ControlModifier);
    expectPanel(1);
    QTest::keyClick(dialog.chkTagColor, Qt::Key_Tab, Qt::ControlModifier);
    expectPanel(2);
    QTest::keyClick(dialog.txtAuthor, Qt::Key_Tab, Qt::ControlModifier);
    expectPanel(0);
    QTest::keyClick(&dialog, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    expectPanel(2);
    QTest::keyClick(&dialog, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    expectPanel(1);
}

TEST_F(Options, TheToolMenuOpensTheDialogAndGivesTheTextTheFocusBack)
{
    frmDocument doc;
    ScriptedInteraction script;
    script.expectDialog(QStringLiteral("frmOptions"), [](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("ｵﾌﾟｼｮﾝ"));
        setControlText(d, QStringLiteral("txtAuthor"), QStringLiteral("作者"));
        clickControl(d, QStringLiteral("cmdOK"));
    });
    EXPECT_TRUE(doc.run(QStringLiteral("mnuToolOption_Click")));
    EXPECT_EQ(shared().strAuthor, QStringLiteral("作者"));
}

} // namespace

namespace {

// The recovery options start at 5 s and 50 MB, absurd stored values read as the nearest
// sensible ones, and OK stores what the boxes hold.
TEST_F(Options, RecoveryOptionsHaveTheirDefaultsAndBounds)
{
    const QString section = QStringLiteral("Recovery");
    SettingsStore::remove(section, QStringLiteral("IdleSeconds"));
    SettingsStore::remove(section, QStringLiteral("LargePageMB"));
    {
        frmOptions dialog;
        EXPECT_EQ(dialog.spnRecoveryIdle->value(), 5);
        EXPECT_EQ(dialog.spnRecoveryLarge->value(), 50);
    }
    SettingsStore::set(section, QStringLiteral("IdleSeconds"), QStringLiteral("-7"));
    SettingsStore::set(section, QStringLiteral("LargePageMB"), QStringLiteral("99999999999"));
    frmOptions dialog;
    EXPECT_EQ(dialog.spnRecoveryIdle->value(), 1);
    EXPECT_EQ(dialog.spnRecoveryLarge->value(), 50) << "a number that does not convert";
    dialog.spnRecoveryIdle->setValue(12);
    dialog.spnRecoveryLarge->setValue(200);
    dialog.cmdOK->click();
    EXPECT_EQ(SettingsStore::getInt(section, QStringLiteral("IdleSeconds"), 0), 12);
    EXPECT_EQ(SettingsStore::getInt(section, QStringLiteral("LargePageMB"), 0), 200);
}

} // namespace
