#include "support/qstringprinter.h"
#include "support/retagfixture.h"
#include "support/scriptedinteraction.h"
#include "support/u8.h"
#include "tags/font/frmfontset.h"
#include "tags/font/frmkeisenset.h"
#include "tags/font/frmmidashi.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace {

TEST(FontDialogs, LoadWithCancelAndTheirDefaults)
{
    frmFontSet font;
    EXPECT_EQ(font.resultString(), u8("Cancel"));
    EXPECT_EQ(font.windowTitle(), u8("フォントサイズ、色、フォント名を決めます"));
    EXPECT_EQ(font.Combo1->count(), 21);
    EXPECT_EQ(font.Combo1->currentText(), QString());

    frmMidashi heading;
    EXPECT_EQ(heading.windowTitle(), u8("見出しのサイズと位置を決めます。"));
    EXPECT_TRUE(heading.optSise[0]->isChecked());
    EXPECT_EQ(heading.Combo1->count(), 3);
    EXPECT_EQ(heading.Combo1->currentText(), QString());

    frmKeisenSet rule;
    EXPECT_EQ(rule.windowTitle(), u8("Form1"));
    EXPECT_EQ(rule.cboAlign->currentText(), u8("（なし）"));
    EXPECT_FALSE(rule.chk3D->isChecked());
}

TEST(FontDialogs, OkBuildsTheFragmentFromTheControls)
{
    const struct
    {
        const char *name;
        std::function<TagDialog *()> fill;
        const char *result;
    } cases[] = {
        {"font with plus size, face and lower-case colour",
         [] {
             auto *d = new frmFontSet;
             d->Combo1->setEditText(u8("+2"));
             d->txtFont->setText(u8("Arial"));
             d->txtColor->setText(u8("#ff8000"));
             return d;
         },
         "<FONT size=\"+2\" face=\"Arial\" color=\"#FF8000\">"},
        {"font from the list",
         [] {
             auto *d = new frmFontSet;
             d->Combo1->setCurrentIndex(9);
             return d;
         },
         "<FONT size=\"-3\">"},
        {"heading H2 centred",
         [] {
             auto *d = new frmMidashi;
             d->optSise[1]->setChecked(true);
             d->Combo1->setCurrentIndex(1);
             return d;
         },
         "<H2 align=\"center\">"},
        {"heading as loaded", [] { return new frmMidashi; }, "<H1>"},
        {"rule 50% size 3 unshaded",
         [] {
             auto *d = new frmKeisenSet;
             d->txtWidth->setText(u8("50"));
             d->chkWidth->setChecked(true);
             d->txtSize->setText(u8("3"));
             return d;
         },
         "<HR width=\"50%\" size=\"3\" noshade>"},
        {"rule shaded left",
         [] {
             auto *d = new frmKeisenSet;
             d->cboAlign->setCurrentIndex(0);
             d->chk3D->setChecked(true);
             return d;
         },
         "<HR align=\"left\">"},
    };
    for (const auto &c : cases) {
        std::unique_ptr<TagDialog> dialog(c.fill());
        dialog->okButton()->click();
        EXPECT_EQ(dialog->resultString(), u8(c.result)) << c.name;
        EXPECT_TRUE(dialog->isHidden()) << c.name;
    }
}

TEST(FontDialogs, UnknownHeadingAlignmentIsRefused)
{
    frmMidashi dialog;
    dialog.Combo1->setEditText(u8("middle"));
    ScriptedInteraction ui;
    ui.expectMessage(u8("設定値が違います。"));
    dialog.okButton()->click();
    EXPECT_TRUE(dialog.isCancelled());
    EXPECT_EQ(ui.lastPrompt().message.icon, Interaction::Icon::Warning);
    // Titled with the dialog's task, not the program's name.
    EXPECT_EQ(ui.lastPrompt().message.title, u8("見出し設定"));
}

TEST(FontDialogs, ColourAndFontButtonsWriteTheirBoxes)
{
    frmFontSet dialog;
    ScriptedInteraction ui;
    ui.expectColor(0x0000FF).expectColor(std::nullopt);
    dialog.cmdColor->click();
    EXPECT_EQ(dialog.txtColor->text(), u8("#FF0000"));
    dialog.cmdColor->click(); // cancelled: unchanged
    EXPECT_EQ(dialog.txtColor->text(), u8("#FF0000"));

    ui.expectFont(QFont(u8("Serif"))).expectFont(std::nullopt);
    dialog.cmdFont->click();
    EXPECT_EQ(dialog.txtFont->text(), u8("Serif"));
    dialog.cmdFont->click();
    EXPECT_EQ(dialog.txtFont->text(), u8("Serif"));
}

class FontCommands : public ReEditTest
{
protected:
    QString run(const char *handler, const QString &content, int start, int length,
                const char *dialog, ScriptedInteraction::DialogScript script)
    {
        text().setText(content);
        text().select(start, length);
        ScriptedInteraction ui;
        ui.expectDialog(u8(dialog), std::move(script));
        EXPECT_TRUE(doc->run(u8(handler)));
        return text().text();
    }
};

TEST_F(FontCommands, FontWrapsTheSelectionAndSelectsItAgain)
{
    const QString far = QString(70000, QLatin1Char('x'));
    const struct
    {
        const char *name;
        QString before;
        int start, length;
        QString after;
        int selStart;
    } cases[] = {
        {"a word", u8("a word b"), 2, 4, u8("a <FONT size=\"4\">word</FONT> b"), 17},
        {"nothing selected", u8("ab"), 1, 0, u8("a<FONT size=\"4\"></FONT>b"), 16},
        {"far into the text", far + u8("word"), 70000, 4, far + u8("<FONT size=\"4\">word</FONT>"),
         70015},
    };
    for (const auto &c : cases) {
        const QString after = run("mnuHtmlTextFont_Click", c.before, c.start, c.length,
                                  "frmFontSet", [](QDialog &d) {
                                      setControlText(d, u8("Combo1"), u8("4"));
                                      clickControl(d, u8("cmdOK"));
                                  });
        EXPECT_EQ(after, c.after) << c.name;
        EXPECT_EQ(text().selStart(), c.selStart) << c.name;
        EXPECT_EQ(text().selLength(), c.length) << c.name;
    }
}

TEST_F(FontCommands, HeadingAndRuleAroundAndAfterTheSelection)
{
    EXPECT_EQ(run("mnuHtmlTextMidashi_Click", u8("x word y"), 2, 4, "frmMidashi",
                  [](QDialog &d) {
                      setControlChecked(d, u8("optSise_1"), true);
                      setControlText(d, u8("Combo1"), u8("中央"));
                      clickControl(d, u8("cmdOK"));
                  }),
              u8("x <H2 align=\"center\">word</H2> y"));
    EXPECT_EQ(run("mnuHtmlTextKeisen_Click", u8("ab"), 1, 0, "frmKeisenSet",
                  [](QDialog &d) {
                      setControlChecked(d, u8("chk3D"), true);
                      clickControl(d, u8("cmdOK"));
                  }),
              u8("a<HR>\r\nb"));
    for (const char *handler :
         {"mnuHtmlTextFont_Click", "mnuHtmlTextMidashi_Click", "mnuHtmlTextKeisen_Click"}) {
        EXPECT_EQ(
            run(handler, u8("abc"), 1, 1, "", [](QDialog &d) { clickControl(d, u8("cmdCancel")); }),
            u8("abc"))
            << handler;
    }
}

} // namespace
