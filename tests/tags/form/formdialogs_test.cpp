#include "support/qstringprinter.h"
#include "support/retagfixture.h"
#include "support/scriptedinteraction.h"
#include "support/u8.h"
#include "tags/form/frmformset.h"
#include "tags/form/frminput.h"
#include "tags/form/frmtextboxset.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace {

TEST(FormDialogs, LoadWithTheirDefaults)
{
    frmFormSet form;
    EXPECT_EQ(form.windowTitle(), u8("フォームの定義"));
    EXPECT_TRUE(form.optMethod[2]->isChecked());
    EXPECT_EQ(form.optMethod[0]->text(), u8("標準入力から　(POST)"));
    EXPECT_EQ(form.cancelButton()->text(), u8("ｷｬﾝｾﾙ"));

    frmInput input;
    EXPECT_EQ(input.windowTitle(), u8("１行部品の作成"));
    EXPECT_TRUE(input.optType[5]->isChecked());
    EXPECT_TRUE(input.txtSize->isEnabled());
    EXPECT_TRUE(input.txtMaxlength->isEnabled());
    EXPECT_FALSE(input.chkCheck->isEnabled());
    EXPECT_EQ(input.Label2->text(), u8("規定値"));

    frmTextBoxSet area;
    EXPECT_EQ(area.windowTitle(), u8("複数行テキストボックスの設定"));
    EXPECT_TRUE(area.chkWrap->isChecked());
    EXPECT_EQ(area.resultString(), u8("Cancel"));
}

TEST(FormDialogs, TypeDecidesWhichControlsTakePart)
{
    const struct
    {
        int type;
        bool size;
        bool tick;
        const char *label2; // after choosing the type from text (規定値)
    } cases[] = {
        {0, true, false, "規定値"},  {1, false, true, "規定値"},  {2, false, true, "規定値"},
        {3, false, false, "表示名"}, {4, false, false, "表示名"}, {5, true, false, "規定値"},
        {6, false, false, "表示名"},
    };
    for (const auto &c : cases) {
        frmInput dialog;
        dialog.optType[0]->setChecked(true);
        dialog.optType[c.type]->setChecked(true);
        SCOPED_TRACE(c.type);
        EXPECT_EQ(dialog.txtSize->isEnabled(), c.size);
        EXPECT_EQ(dialog.txtMaxlength->isEnabled(), c.size);
        EXPECT_EQ(dialog.Label3->isEnabled(), c.size);
        EXPECT_EQ(dialog.Label4->isEnabled(), c.size);
        EXPECT_EQ(dialog.chkCheck->isEnabled(), c.tick);
        EXPECT_EQ(dialog.Label2->text(), u8(c.label2));
    }
    // Radio and checkbox keep the caption the value box had.
    frmInput dialog;
    dialog.optType[6]->setChecked(true);
    dialog.optType[2]->setChecked(true);
    EXPECT_EQ(dialog.Label2->text(), u8("表示名"));
}

TEST(FormDialogs, SizeTypedThenTypeChangedIsNotWritten)
{
    frmInput dialog;
    dialog.optType[0]->setChecked(true);
    dialog.txtName->setText(u8("r"));
    dialog.txtSize->setText(u8("20"));
    dialog.optType[1]->setChecked(true);
    dialog.okButton()->click();
    EXPECT_EQ(dialog.resultString(), u8("<INPUT type=\"radio\" name=\"r\">"));
}

TEST(FormDialogs, RefusalsKeepTheDialogOpenAndFocusTheBox)
{
    const struct
    {
        const char *name;
        std::function<TagDialog *()> make;
        std::function<void(TagDialog &)> fill;
        const char *message;
        const char *field;
        Interaction::Icon icon;
        const char *title;
    } cases[] = {
        {"input without name", [] { return new frmInput; }, [](TagDialog &) {},
         "名前を入力してください。", "txtName", Interaction::Icon::None, ""},
        {"input size not a number", [] { return new frmInput; },
         [](TagDialog &d) {
             setControlText(d, u8("txtName"), u8("q"));
             setControlText(d, u8("txtSize"), u8("2O"));
         },
         "サイズは 1 から 99999", "txtSize", Interaction::Icon::Warning, ""},
        {"input maxlength beyond 16 bits and range", [] { return new frmInput; },
         [](TagDialog &d) {
             setControlText(d, u8("txtName"), u8("q"));
             setControlText(d, u8("txtMaxlength"), u8("4294967296"));
         },
         "最大桁数は", "txtMaxlength", Interaction::Icon::Warning, ""},
        {"textarea without name", [] { return new frmTextBoxSet; }, [](TagDialog &) {},
         "データ名を入力して下さい。", "txtName", Interaction::Icon::Warning,
         "テキストボックス定義"},
        {"textarea cols", [] { return new frmTextBoxSet; },
         [](TagDialog &d) {
             setControlText(d, u8("txtName"), u8("t"));
             setControlText(d, u8("txtCols"), u8("-1"));
         },
         "横の文字数は", "txtCols", Interaction::Icon::Warning, "テキストボックス定義"},
        {"textarea rows", [] { return new frmTextBoxSet; },
         [](TagDialog &d) {
             setControlText(d, u8("txtName"), u8("t"));
             setControlText(d, u8("txtRows"), u8("99999999999999999999"));
         },
         "縦の行数は", "txtRows", Interaction::Icon::Warning, "テキストボックス定義"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<TagDialog> dialog(c.make());
        dialog->show();
        c.fill(*dialog);
        ScriptedInteraction ui;
        ui.expectMessage(u8(c.message));
        dialog->okButton()->click();
        EXPECT_EQ(ui.pendingCount(), 0);
        ASSERT_FALSE(ui.log().isEmpty());
        EXPECT_EQ(ui.lastPrompt().message.icon, c.icon);
        EXPECT_EQ(ui.lastPrompt().message.title, u8(c.title));
        EXPECT_EQ(dialog->resultString(), u8("Cancel"));
        EXPECT_TRUE(dialog->isVisible());
        ASSERT_NE(dialog->focusWidget(), nullptr);
        EXPECT_EQ(dialog->focusWidget()->objectName(), u8(c.field));
    }
}

TEST(FormDialogs, SubmitNeedsNoName)
{
    frmInput dialog;
    dialog.optType[4]->setChecked(true);
    dialog.txtValue->setText(u8("送信"));
    dialog.okButton()->click();
    EXPECT_EQ(dialog.resultString(), u8("<INPUT type=\"submit\" value=\"送信\">"));
    EXPECT_TRUE(dialog.okPressed);
}

TEST(FormDialogs, InputRefusesToBeDiscardedOnceAfterCancel)
{
    {
        DialogUse<frmInput> use;
        use->txtName->setText(u8("kept"));
        use->cancelButton()->click();
        EXPECT_FALSE(use->okPressed);
    }
    // The refused discard kept the dialog loaded with its fields; the next discard goes through.
    ASSERT_NE(loadedDialog<frmInput>(), nullptr);
    EXPECT_EQ(loadedDialog<frmInput>()->txtName->text(), u8("kept"));
    EXPECT_TRUE(unloadDialog<frmInput>());
    EXPECT_EQ(loadedDialog<frmInput>(), nullptr);
}

class FormCommands : public ReEditTest
{
protected:
    QString run(const char *command, const QString &content, const QString &selected,
                const ScriptedInteraction::DialogScript &script, const char *dialog)
    {
        load(content, selected);
        ScriptedInteraction ui;
        ui.expectDialog(u8(dialog), script);
        EXPECT_TRUE(doc->run(QLatin1String(command))) << command;
        unloadDialog<frmInput>();
        return text().text();
    }
};

TEST_F(FormCommands, InsertTheirFragments)
{
    const auto ok = [](std::function<void(QDialog &)> fill) {
        return [fill](QDialog &d) {
            fill(d);
            clickControl(d, u8("cmdOK"));
        };
    };
    const auto cancel = [](QDialog &d) { clickControl(d, u8("cmdCancel")); };
    const struct
    {
        const char *name;
        const char *command;
        const char *dialog;
        ScriptedInteraction::DialogScript script;
        const char *after;
    } cases[] = {
        {"form replaces the selection", "mnuFormForm_Click", "frmFormSet", ok([](QDialog &d) {
             setControlText(d, u8("txtName"), u8("f1"));
             setControlText(d, u8("txtAction"), u8("a.cgi"));
             setControlChecked(d, u8("optMethod_0"), true);
         }),
         "a<FORM name=\"f1\" action=\"a.cgi\" method=\"POST\">\r\n</FORM>\r\nc"},
        {"input then a line break", "mnuFormInput_Click", "frmInput",
         ok([](QDialog &d) { setControlText(d, u8("txtName"), u8("pw")); }),
         "a<INPUT type=\"password\" name=\"pw\">\r\nc"},
        {"textarea around the selection", "mnuFormTextarea_Click", "frmTextBoxSet",
         ok([](QDialog &d) {
             EXPECT_EQ(controlText(d, u8("txtValue")), u8("選択"));
             setControlText(d, u8("txtName"), u8("t"));
         }),
         "a<TEXTAREA name=\"t\" wrap=\"on\">選択</TEXTAREA>c"},
        {"cancelled form", "mnuFormForm_Click", "frmFormSet", cancel, "a選択c"},
        {"cancelled input", "mnuFormInput_Click", "frmInput", cancel, "a選択c"},
        {"cancelled textarea", "mnuFormTextarea_Click", "frmTextBoxSet", cancel, "a選択c"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(run(c.command, u8("a選択c"), u8("選択"), c.script, c.dialog), u8(c.after))
            << c.name;
}

TEST_F(FormCommands, TextareaKeepsTheLinesOfTheSelection)
{
    const QString after = run(
        "mnuFormTextarea_Click", u8("<P>\r\n一行目\r\n二行目\r\n</P>"), u8("一行目\r\n二行目"),
        [](QDialog &d) {
            setControlText(d, u8("txtName"), u8("t"));
            clickControl(d, u8("cmdOK"));
        },
        "frmTextBoxSet");
    EXPECT_EQ(after,
              u8("<P>\r\n<TEXTAREA name=\"t\" wrap=\"on\">一行目\r\n二行目</TEXTAREA>\r\n</P>"));
}

} // namespace
