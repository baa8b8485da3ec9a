#include "support/qstringprinter.h"
#include "support/retagfixture.h"
#include "tags/list/dlgdledit.h"
#include "tags/list/dlgdlset.h"
#include "tags/list/dlglistmark.h"
#include "tags/list/dlglistnumber.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

namespace {

QString u(const char *text)
{
    return QString::fromUtf8(text);
}

void pressOkButton(QDialog &d)
{
    clickControl(d, QStringLiteral("OKButton"));
}

TEST(ListDialogs, LoadWithTheirDefaults)
{
    dlgListMark mark;
    EXPECT_EQ(mark.windowTitle(), u("リストのマーク"));
    EXPECT_TRUE(mark.chkMark->isChecked());
    EXPECT_EQ(mark.fields().mark, QString());
    EXPECT_EQ(mark.resultString(), u("Cancel"));

    dlgListNumber number;
    EXPECT_EQ(number.windowTitle(), u("リスト番号の形式"));
    EXPECT_TRUE(number.chkAll->isChecked());
    EXPECT_TRUE(number.txtStartNo->isEnabled());
    EXPECT_EQ(number.fields().number, QString());

    dlgDlSet set;
    EXPECT_EQ(set.windowTitle(), u("定義形式リストの設定"));
    EXPECT_FALSE(set.cmdEdit->isEnabled());
    dlgDlEdit edit;
    EXPECT_EQ(edit.windowTitle(), u("ﾀﾞｲｱﾛｸﾞ ｷｬﾌﾟｼｮﾝ"));
}

TEST(ListDialogs, WholeListBoxEnablesTheStartNumber)
{
    dlgListNumber dialog;
    dialog.chkAll->setChecked(false);
    EXPECT_FALSE(dialog.txtStartNo->isEnabled());
    EXPECT_FALSE(dialog.Label1->isEnabled());
    dialog.chkAll->setChecked(true);
    EXPECT_TRUE(dialog.txtStartNo->isEnabled());
    EXPECT_TRUE(dialog.Label1->isEnabled());
}

TEST(ListDialogs, OkIsRefusedUntilTheFieldsAreRight)
{
    const struct
    {
        const char *name;
        std::function<void(DialogUse<dlgListNumber> &)> fill;
        const char *message;
    } numberCases[] = {
        {"no type", [](auto &) {}, "番号の形式を指定して下さい。"},
        {"start 0",
         [](auto &d) {
             d->txtStartNo->setText(u("0"));
             d->optNumber[0]->setChecked(true);
         },
         "開始番号は数字を入力してください。"},
        {"start abc",
         [](auto &d) {
             d->txtStartNo->setText(u("abc"));
             d->optNumber[0]->setChecked(true);
         },
         "開始番号は数字を入力してください。"},
    };
    for (const auto &c : numberCases) {
        DialogUse<dlgListNumber> dialog;
        c.fill(dialog);
        ScriptedInteraction ui;
        ui.expectMessage(u(c.message));
        pressOkButton(*dialog);
        EXPECT_TRUE(dialog->isCancelled()) << c.name;
    }

    DialogUse<dlgListMark> mark;
    {
        ScriptedInteraction ui;
        ui.expectMessage(u("マークの種類を指定して下さい。"));
        pressOkButton(*mark);
        EXPECT_TRUE(mark->isCancelled());
    }
    mark->optMark[1]->setChecked(true);
    pressOkButton(*mark);
    EXPECT_EQ(mark->resultString(), u("11"));

    DialogUse<dlgDlSet> set;
    {
        ScriptedInteraction ui;
        ui.expectMessage(u("用語が入力されていません。"));
        pressOkButton(*set);
        EXPECT_TRUE(set->isCancelled());
    }

    const struct
    {
        const char *term;
        const char *description;
        const char *message;
    } entryCases[] = {
        {"", "x", "定義用語が未入力です。"},
        {"a", "", "説明が未入力です。"},
    };
    for (const auto &c : entryCases) {
        DialogUse<dlgDlEdit> entry;
        entry->apply({u(c.term), u(c.description)});
        ScriptedInteraction ui;
        ui.expectMessage(u(c.message));
        pressOkButton(*entry);
        EXPECT_TRUE(entry->isCancelled()) << c.message;
    }
}

TEST(ListDialogs, EntriesAreAddedAndEdited)
{
    DialogUse<dlgDlSet> set;
    ScriptedInteraction ui;
    ui.expectDialog(u("dlgDlEdit"), [](QDialog &d) {
        setControlText(d, u("txtYougo"), u("用語"));
        setControlText(d, u("txtSetsumei"), u("説明"));
        pressOkButton(d);
    });
    ui.expectDialog(u("dlgDlEdit"), [](QDialog &d) { clickControl(d, u("CancelButton")); });
    set->cmdDtAdd->click();
    set->cmdDtAdd->click();
    EXPECT_EQ(set->fields(), (DefinitionEntries{{u("用語"), u("説明")}}));
    set->lvwYougo->setCurrentItem(set->lvwYougo->topLevelItem(0));
    set->lvwYougo_Click();
    EXPECT_TRUE(set->cmdEdit->isEnabled());
    pressOkButton(*set);
    EXPECT_EQ(set->resultString(), u("OK"));
}

class ListCommands : public ReEditTest
{
protected:
    QString run(const char *command, const QString &content, const QString &selected,
                const ScriptedInteraction::DialogScript &script = {}, const QString &dialog = {})
    {
        load(content, selected);
        ScriptedInteraction ui;
        if (script)
            ui.expectDialog(dialog, script);
        EXPECT_TRUE(doc->run(QLatin1String(command))) << command;
        return text().text();
    }
};

TEST_F(ListCommands, SelectedLinesBecomeTheList)
{
    const QString content = u("前\r\na\r\nbb\r\nc\r\n後");
    const QString lines = u("a\r\nbb\r\nc\r\n");
    EXPECT_EQ(run("mnuListUl_Click", content, lines),
              u("前\r\n<UL>\r\na<BR>\r\nbb<BR>\r\nc<BR>\r\n</UL>\r\n後"));
    EXPECT_EQ(run(
                  "mnuListUlLi_Click", content, lines,
                  [](QDialog &d) {
                      setControlChecked(d, u("chkMark"), false);
                      setControlChecked(d, u("optMark_1"), true);
                      pressOkButton(d);
                  },
                  u("dlgListMark")),
              u("前\r\n<UL>\r\n<LI type=\"circle\">a</LI>\r\n<LI type=\"circle\">bb</LI>\r\n"
                "<LI type=\"circle\">c</LI>\r\n</UL>\r\n後"));
    EXPECT_EQ(run(
                  "mnuListOLLI_Click", content, lines,
                  [](QDialog &d) {
                      EXPECT_EQ(controlText(d, u("txtStartNo")), QString());
                      setControlText(d, u("txtStartNo"), u("3"));
                      setControlChecked(d, u("optNumber_1"), true);
                      pressOkButton(d);
                  },
                  u("dlgListNumber")),
              u("前\r\n<OL type=\"a\" start=\"3\">\r\n<LI>a</LI>\r\n<LI>bb</LI>\r\n<LI>c</LI>\r\n"
                "</OL>\r\n後"));
    EXPECT_EQ(run(
                  "mnuListDl_Click", content, lines,
                  [](QDialog &d) {
                      static_cast<dlgDlSet &>(d).apply({{u("t"), u("d")}});
                      pressOkButton(d);
                  },
                  u("dlgDlSet")),
              u("前\r\n<DL>\r\n<DT>t</DT>\r\n<DD>\r\nd\r\n</DD>\r\n</DL>\r\n後"));
}

TEST_F(ListCommands, CancelLeavesTheSelection)
{
    const QString content = u("x\r\ny");
    for (const char *command : {"mnuListUlLi_Click", "mnuListOLLI_Click", "mnuListDl_Click"}) {
        EXPECT_EQ(run(command, content, content, [](QDialog &d) { d.reject(); }), content)
            << command;
        EXPECT_EQ(text().selText(), content) << command;
    }
}

} // namespace
