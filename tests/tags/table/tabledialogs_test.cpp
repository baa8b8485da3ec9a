#include "support/qstringprinter.h"
#include "support/scriptedinteraction.h"
#include "tags/table/frmtableset.h"
#include "tags/table/frmtableset2.h"
#include "tags/table/frmtdset.h"
#include "tags/table/frmtrset.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include <gtest/gtest.h>

namespace {

TEST(TableDialogs, LoadWithCancelAndTheirDefaults)
{
    frmTableSet table;
    EXPECT_EQ(table.resultString(), QStringLiteral("Cancel"));
    EXPECT_EQ(table.windowTitle(), QStringLiteral("表の設定"));
    EXPECT_EQ(table.txtTD->text(), QStringLiteral("1"));
    EXPECT_EQ(table.txtTR->text(), QStringLiteral("1"));
    EXPECT_EQ(table.Slider1->value(), 1);
    EXPECT_EQ(table.Slider2->value(), 1);
    EXPECT_TRUE(table.optAlign[0]->isChecked());
    EXPECT_EQ(table.cmbAlign->currentText(), QString());
    EXPECT_EQ(table.cmbAlign->count(), 3);
    EXPECT_EQ(table.okButton()->objectName(), QStringLiteral("cmdOK"));
    EXPECT_EQ(table.cancelButton()->text(), QStringLiteral("ｷｬﾝｾﾙ"));

    frmTableSet2 table2;
    for (TableDialogBase *dialog :
         {static_cast<TableDialogBase *>(&table), static_cast<TableDialogBase *>(&table2)}) {
        SCOPED_TRACE(dialog->objectName().toStdString());
        EXPECT_FALSE(dialog->chkRules->isChecked());
        EXPECT_EQ(dialog->rulesOption(), 4);
        for (QRadioButton *option : dialog->optRules)
            EXPECT_FALSE(option->isEnabled());
    }

    frmTrSet row;
    EXPECT_EQ(row.windowTitle(), QStringLiteral("レコードブロックの設定"));
    EXPECT_EQ(row.cboAlign->currentText(), QStringLiteral("（なし）"));
    EXPECT_EQ(row.cboValign->currentText(), QStringLiteral("（なし）"));

    frmTdSet cell;
    EXPECT_EQ(cell.windowTitle(), QStringLiteral("セルの設定"));
    EXPECT_EQ(cell.cboAlign->currentText(), QStringLiteral("（なし）"));
    EXPECT_EQ(cell.cboAlign->count(), 3);
    EXPECT_FALSE(cell.chkTH->isChecked());
}

TEST(TableDialogs, RulesBoxEnablesTheOptions)
{
    frmTableSet2 dialog;
    dialog.chkRules->setChecked(true);
    for (QRadioButton *option : dialog.optRules)
        EXPECT_TRUE(option->isEnabled());
    dialog.chkRules->setChecked(false);
    for (QRadioButton *option : dialog.optRules)
        EXPECT_FALSE(option->isEnabled());

    dialog.setRulesOption(-1);
    EXPECT_EQ(dialog.rulesOption(), -1);
    dialog.setRulesOption(2);
    EXPECT_EQ(dialog.rulesOption(), 2);
    dialog.optRules[0]->setChecked(true);
    EXPECT_EQ(dialog.rulesOption(), 0);
}

TEST(TableDialogs, SlidersAndBoxesMirrorEachOther)
{
    frmTableSet dialog;
    dialog.Slider1->setValue(7);
    EXPECT_EQ(dialog.txtTD->text(), QStringLiteral("7"));
    dialog.Slider2->setValue(20);
    EXPECT_EQ(dialog.txtTR->text(), QStringLiteral("20"));

    dialog.txtTD->setText(QStringLiteral("12"));
    EXPECT_EQ(dialog.Slider1->value(), 12);
    // Beyond the scale the slider stops at its end and the typed count stays.
    dialog.txtTD->setText(QStringLiteral("25"));
    EXPECT_EQ(dialog.Slider1->value(), 20);
    EXPECT_EQ(dialog.txtTD->text(), QStringLiteral("25"));
    // Text that is no count leaves the slider alone.
    dialog.txtTR->setText(QStringLiteral("abc"));
    EXPECT_EQ(dialog.Slider2->value(), 20);
    EXPECT_EQ(dialog.txtTR->text(), QStringLiteral("abc"));
}

TEST(TableDialogs, BadCountsAreRefusedWithTheFocusOnTheirBox)
{
    const struct
    {
        const char *cells, *rows;
        const char *message;
        const char *focus;
    } cases[] = {
        {"", "1", "横並びの数は0から1000までの数字で入力して下さい。", "txtTD"},
        {"abc", "1", "横並びの数は0から1000までの数字で入力して下さい。", "txtTD"},
        {"-3", "1", "横並びの数は0から1000までの数字で入力して下さい。", "txtTD"},
        {"1", "", "縦並びの数は0から1000までの数字で入力して下さい。", "txtTR"},
        {"1", "1001", "縦並びの数は0から1000までの数字で入力して下さい。", "txtTR"},
        {"1", "1000000", "縦並びの数は0から1000までの数字で入力して下さい。", "txtTR"},
        {"1000", "1000", "セルの数が多すぎます。", "txtTD"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.cells) + " x " + c.rows);
        ScriptedInteraction script;
        script.expectMessage(QString::fromUtf8(c.message));
        frmTableSet dialog;
        dialog.txtTD->setText(QString::fromUtf8(c.cells));
        dialog.txtTR->setText(QString::fromUtf8(c.rows));
        dialog.okButton()->click();
        EXPECT_EQ(dialog.resultString(), QStringLiteral("Cancel"));
        ASSERT_NE(dialog.focusWidget(), nullptr);
        EXPECT_EQ(dialog.focusWidget()->objectName(), QString::fromUtf8(c.focus));
        EXPECT_EQ(script.lastPrompt().message.icon, Interaction::Icon::Warning);
    }
}

TEST(TableDialogs, OkBuildsFromTheControls)
{
    ScriptedInteraction script;
    script.expectColor(0x00FFCC00 & 0xFFFFFF);
    frmTdSet cell;
    cell.chkTH->setChecked(true);
    cell.cmdColRef->click();
    cell.cboAlign->setEditText(QStringLiteral("右揃え"));
    cell.txtWidth->setText(QStringLiteral("40"));
    cell.chkWidth->setChecked(true);
    cell.okButton()->click();
    EXPECT_EQ(cell.resultString(),
              QStringLiteral("<TH bgcolor=\"#00CCFF\" align=\"right\" width=\"40%\">"));

    frmTrSet row;
    row.cboValign->setCurrentIndex(2);
    row.okButton()->click();
    EXPECT_EQ(row.resultString(), QStringLiteral("<TR valign=\"bottom\">"));

    frmTableSet2 table2;
    table2.chkRules->setChecked(true);
    table2.txtBorder->setText(QStringLiteral("1"));
    table2.okButton()->click();
    EXPECT_EQ(table2.resultString(), QStringLiteral("<TABLE border=\"1\" rules=\"all\">"));

    frmTableSet table;
    table.chkRules->setChecked(true);
    table.txtTableCaption->setText(QStringLiteral("表"));
    table.optAlign[1]->setChecked(true);
    table.cmbAlign->setCurrentIndex(0);
    table.okButton()->click();
    EXPECT_EQ(
        table.resultString(),
        QStringLiteral("<TABLE align=\"right\">\r\n<CAPTION ALIGN=\"bottom\">表</CAPTION>\r\n"));
}

TEST(TableDialogs, CancelledColourDialogLeavesTheBox)
{
    ScriptedInteraction script;
    script.expectColor(0x0000FF).expectColor(std::nullopt);
    frmTableSet2 dialog;
    dialog.cmdColRef->click();
    EXPECT_EQ(dialog.txtBorderColor->text(), QStringLiteral("#FF0000"));
    dialog.cmdColRef->click();
    EXPECT_EQ(dialog.txtBorderColor->text(), QStringLiteral("#FF0000"));
    // The colour dialog starts from the colour chosen last.
    EXPECT_EQ(script.lastPrompt().color, 0x0000FF);
}

TEST(TableDialogs, CancelAndCloseBoxLeaveCancel)
{
    frmTdSet dialog;
    dialog.txtColspan->setText(QStringLiteral("2"));
    dialog.cancelButton()->click();
    EXPECT_EQ(dialog.resultString(), QStringLiteral("Cancel"));

    dialog.show();
    dialog.okButton()->click();
    EXPECT_EQ(dialog.resultString(), QStringLiteral("<TD colspan=\"2\">"));
    EXPECT_FALSE(dialog.isVisible());
    dialog.show();
    dialog.close();
    EXPECT_EQ(dialog.resultString(), QStringLiteral("Cancel"));
    EXPECT_FALSE(dialog.isVisible());
}

} // namespace
