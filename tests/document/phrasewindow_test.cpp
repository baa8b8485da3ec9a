#include "core/settingsstore.h"
#include "document/dlgteikeiinput.h"
#include "document/frmteikeiset.h"
#include "document/phrases.h"
#include "support/documentfixture.h"
#include "support/qstringprinter.h"
#include "support/scriptedinteraction.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>

namespace {

class PhraseWindowTest : public DocumentFixture
{
protected:
    void SetUp() override
    {
        resetStore();
        DocumentFixture::SetUp();
    }
    void TearDown() override
    {
        DocumentFixture::TearDown();
        resetStore();
    }
    static void resetStore()
    {
        QFile::remove(SettingsStore::fileName());
        SettingsStore::sync();
        shared() = SharedState{};
    }

    // Queues one input dialog that receives `title` and `text` and is confirmed.
    static void expectInput(ScriptedInteraction &ui, const QString &title, const QString &text)
    {
        ui.expectDialog(QStringLiteral("dlgTeikeiInput"), [title, text](QDialog &dialog) {
            setControlText(dialog, QStringLiteral("txtTitle"), title);
            setControlText(dialog, QStringLiteral("txtTeikei"), text);
            clickControl(dialog, QStringLiteral("OKButton"));
        });
    }

    QStringList visibleItems() const
    {
        emit doc->menu(QStringLiteral("mnuInsert"))->aboutToShow();
        QStringList shown;
        for (int i = 0; i < Phrases::Limit; ++i) {
            QAction *item = doc->action(QStringLiteral("mnuInsetrTeikeiItem_%1").arg(i));
            if (item->isVisible())
                shown << item->text() + (item->isEnabled() ? QLatin1Char('+') : QLatin1Char('-'));
        }
        return shown;
    }
};

QString multiLinePhrase(int i)
{
    return QStringLiteral("<P>第%1の定型文です。</P>\r\n  ｶﾀｶﾅ, \"引用\"; =\r\n最後の行%1").arg(i);
}

TEST_F(PhraseWindowTest, FifteenPhrasesReachTheFileAndTheMenuAfterARestart)
{
    ScriptedInteraction ui;
    ui.expectDialog(QStringLiteral("frmTeikeiSet"), [](QDialog &window) {
        for (int i = 0; i < Phrases::Limit; ++i)
            clickControl(window, QStringLiteral("cmdAdd"));
        EXPECT_FALSE(window.findChild<QPushButton *>(QStringLiteral("cmdAdd"))->isEnabled());
        clickControl(window, QStringLiteral("cmdExit"));
    });
    for (int i = 0; i < Phrases::Limit; ++i)
        expectInput(ui, QStringLiteral("挨拶 %1").arg(i),
                    Phrases::toEditorLines(multiLinePhrase(i)));
    doc->run(QStringLiteral("mnuInsertTeikeiSet_Click"));

    // On disk as soon as the window closed.
    QSettings disk(SettingsStore::fileName(), QSettings::IniFormat);
    for (int i = 0; i < Phrases::Limit; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(disk.value(QStringLiteral("Settings/KeikeiBun%1").arg(i)).toString(),
                  multiLinePhrase(i));
        EXPECT_EQ(disk.value(QStringLiteral("Settings/KeikeiName%1").arg(i)).toString(),
                  QStringLiteral("挨拶 %1").arg(i));
    }

    // A new window reloads the settings.
    shared() = SharedState{};
    delete doc;
    doc = new frmDocument;
    EXPECT_EQ(visibleItems().size(), Phrases::Limit);
    EXPECT_EQ(visibleItems().at(14), QStringLiteral("挨拶 14+"));

    text().setText(QStringLiteral("before OLD after"));
    text().select(7, 3);
    doc->action(QStringLiteral("mnuInsetrTeikeiItem_3"))->trigger();
    EXPECT_EQ(text().text(),
              QStringLiteral("before ") + multiLinePhrase(3) + QStringLiteral(" after"));
}

TEST_F(PhraseWindowTest, MenuFollowsThePhrases)
{
    EXPECT_EQ(visibleItems(), QStringList{QStringLiteral("（なし）-")});
    for (int i = 0; i < 3; ++i)
        Phrases::store(shared(), i, QStringLiteral("名%1").arg(i), QStringLiteral("文%1").arg(i));
    Phrases::store(shared(), 1, QStringLiteral("R&D"), QStringLiteral("x"));
    EXPECT_EQ(visibleItems(), QStringList({QStringLiteral("名0+"), QStringLiteral("R&&D+"),
                                           QStringLiteral("名2+")}));

    ScriptedInteraction ui;
    ui.expectDialog(QStringLiteral("frmTeikeiSet"), [](QDialog &window) {
          clickControl(window, QStringLiteral("cmdDell"));
          window.close();
      }).expectMessage(QStringLiteral("「名0」を削除しますか？"), Interaction::Answer::Yes);
    doc->run(QStringLiteral("mnuInsertTeikeiSet_Click"));
    EXPECT_EQ(ui.log().at(1).message.title, QStringLiteral("定型文の削除"));
    EXPECT_EQ(ui.log().at(1).message.icon, Interaction::Icon::Question);
    EXPECT_EQ(visibleItems(), QStringList({QStringLiteral("R&&D+"), QStringLiteral("名2+")}));
}

TEST_F(PhraseWindowTest, ButtonsFollowTheNumberOfPhrases)
{
    SharedState state;
    frmTeikeiSet empty(state);
    EXPECT_EQ(empty.windowTitle(), QStringLiteral("定型分の設定"));
    EXPECT_TRUE(empty.cmdAdd->isEnabled());
    EXPECT_FALSE(empty.Command1->isEnabled());
    EXPECT_FALSE(empty.cmdDell->isEnabled());

    for (int i = 0; i < Phrases::Limit; ++i)
        Phrases::store(state, i, QString::number(i), QStringLiteral("文") + QString::number(i));
    frmTeikeiSet full(state);
    EXPECT_FALSE(full.cmdAdd->isEnabled());
    EXPECT_EQ(full.lstTeikei->currentRow(), 0);
    EXPECT_EQ(full.txtTeikei->toPlainText(), QStringLiteral("文0"));
    full.lstTeikei->setCurrentRow(4);
    EXPECT_EQ(full.txtTeikei->toPlainText(), QStringLiteral("文4"));

    ScriptedInteraction ui;
    ui.expectMessage(QStringLiteral("「4」"), Interaction::Answer::No)
        .expectMessage(QStringLiteral("「4」"), Interaction::Answer::Yes);
    full.cmdDell->click();
    EXPECT_EQ(full.lstTeikei->count(), 15);
    full.cmdDell->click();
    EXPECT_EQ(full.lstTeikei->count(), 14);
    EXPECT_TRUE(full.cmdAdd->isEnabled());
    EXPECT_EQ(state.strKeikeiBun[4], QStringLiteral("文5"));
    EXPECT_EQ(full.lstTeikei->currentRow(), 0);

    // The phrase box takes no typing.
    QTest::keyClicks(full.txtTeikei, QStringLiteral("xyz"));
    EXPECT_EQ(full.txtTeikei->toPlainText(), QStringLiteral("文0"));
    EXPECT_EQ(state.strKeikeiBun[0], QStringLiteral("文0"));
}

TEST_F(PhraseWindowTest, InputDialogRefusesEmptyFields)
{
    const struct
    {
        const char *name;
        const char *title;
        const char *text;
        const char *message;
    } cases[] = {
        {"no name", "", "本文", "表示名が未入力です。"},
        {"no text", "名前", "", "定型文が未入力です。"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedInteraction ui;
        ui.expectMessage(QString::fromUtf8(c.message));
        dlgTeikeiInput dialog;
        dialog.setFields(QString::fromUtf8(c.title), QString::fromUtf8(c.text));
        dialog.OKButton->click();
        EXPECT_EQ(dialog.resultString(), QStringLiteral("Cancel"));
        EXPECT_EQ(ui.lastPrompt().message.title, QStringLiteral("定型文の設定"));
        EXPECT_EQ(ui.lastPrompt().message.icon, Interaction::Icon::Warning);
    }
    dlgTeikeiInput dialog;
    dialog.setFields(QStringLiteral("名"), QStringLiteral("一\r\n二"));
    dialog.OKButton->click();
    EXPECT_EQ(dialog.resultString(), QString());
    EXPECT_EQ(dialog.phraseText(), QStringLiteral("一\r\n二"));
}

TEST_F(PhraseWindowTest, EditingAndACancelledInputKeepingItsText)
{
    SharedState state;
    Phrases::store(state, 0, QStringLiteral("旧"), QStringLiteral("古い文"));
    frmTeikeiSet window(state);
    ScriptedInteraction ui;
    ui.expectDialog(QStringLiteral("dlgTeikeiInput"),
                    [](QDialog &dialog) {
                        EXPECT_EQ(controlText(dialog, QStringLiteral("txtTitle")),
                                  QStringLiteral("旧"));
                        setControlText(dialog, QStringLiteral("txtTitle"), QStringLiteral("新"));
                        clickControl(dialog, QStringLiteral("OKButton"));
                    })
        .expectDialog(QStringLiteral("dlgTeikeiInput"),
                      [](QDialog &dialog) {
                          setControlText(dialog, QStringLiteral("txtTitle"),
                                         QStringLiteral("途中"));
                          clickControl(dialog, QStringLiteral("CancelButton"));
                      })
        .expectDialog(QStringLiteral("dlgTeikeiInput"), [](QDialog &dialog) {
            EXPECT_EQ(controlText(dialog, QStringLiteral("txtTitle")), QStringLiteral("途中"));
            clickControl(dialog, QStringLiteral("CancelButton"));
        });
    window.Command1->click();
    EXPECT_EQ(state.strKeikeiName[0], QStringLiteral("新"));
    EXPECT_EQ(state.strKeikeiBun[0], QStringLiteral("古い文"));
    EXPECT_EQ(window.lstTeikei->item(0)->text(), QStringLiteral("新"));
    window.cmdAdd->click();
    window.cmdAdd->click();
    EXPECT_EQ(window.lstTeikei->count(), 1);
    EXPECT_TRUE(state.strKeikeiName[1].isEmpty());
}

} // namespace
