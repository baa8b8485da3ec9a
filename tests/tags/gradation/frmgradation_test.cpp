#include "tags/gradation/frmgradation.h"

#include "core/htmlview.h"
#include "support/qstringprinter.h"
#include "support/retagfixture.h"
#include "support/scriptedinteraction.h"
#include "tags/gradation/colorbox.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>

#include <gtest/gtest.h>

namespace {

constexpr int Red = 0x0000FF;
constexpr int Blue = 0xFF0000;

void doubleClick(QWidget *box)
{
    const QPointF at(4, 4);
    QMouseEvent event(QEvent::MouseButtonDblClick, at, box->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box, &event);
}

// Picks both colours (the colour prompts must be queued) and builds.
void pickAndBuild(frmGradation &dialog)
{
    doubleClick(dialog.picStartCol);
    doubleClick(dialog.picEndCol);
    dialog.cmdGradetion->click();
}

// The preview's rich-text browser: the test program does not link the web engine.
QTextBrowser *previewBrowser(const frmGradation &dialog)
{
    auto *view = qobject_cast<TextHtmlView *>(dialog.WebBrowser1);
    EXPECT_TRUE(view);
    return view ? view->browser() : nullptr;
}

// The colour of the preview's character at `position` of its plain text.
QColor previewColorAt(QTextBrowser *browser, int position)
{
    QTextCursor cursor(browser->document());
    cursor.setPosition(position + 1);
    return cursor.charFormat().foreground().color();
}

TEST(GradationDialog, BuildWaitsForAColourAndOkForABuild)
{
    ScriptedInteraction ui;
    frmGradation dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("グラデーション文字の設定"));
    EXPECT_EQ(dialog.okButton()->objectName(), QStringLiteral("cmdOk"));
    EXPECT_EQ(dialog.resultString(), QStringLiteral("Cancel"));
    EXPECT_FALSE(dialog.cmdGradetion->isEnabled());
    EXPECT_FALSE(dialog.okButton()->isEnabled());

    const int before = dialog.picStartCol->color();
    ui.expectColor(std::nullopt);
    doubleClick(dialog.picStartCol);
    EXPECT_EQ(ui.lastPrompt().color, before); // the picker starts from the box's colour
    EXPECT_EQ(dialog.picStartCol->color(), before);
    EXPECT_FALSE(dialog.cmdGradetion->isEnabled());

    ui.expectColor(Red);
    doubleClick(dialog.picEndCol);
    EXPECT_EQ(dialog.picEndCol->color(), Red);
    EXPECT_TRUE(dialog.cmdGradetion->isEnabled());
    EXPECT_FALSE(dialog.okButton()->isEnabled());

    dialog.cmdGradetion->click();
    EXPECT_TRUE(dialog.okButton()->isEnabled());
}

TEST(GradationDialog, RepeatRenamesTheSecondColour)
{
    frmGradation dialog;
    EXPECT_EQ(dialog.Label4->text(), QStringLiteral("終了色"));
    dialog.chkKurikaeshi->setChecked(true);
    EXPECT_EQ(dialog.Label4->text(), QStringLiteral("中間色"));
    dialog.chkKurikaeshi->setChecked(false);
    EXPECT_EQ(dialog.Label4->text(), QStringLiteral("終了色"));
}

TEST(GradationDialog, BuildShowsTheHtmlAndPreviewsTheColouredText)
{
    ScriptedInteraction ui;
    frmGradation dialog;
    EXPECT_EQ(previewBrowser(dialog)->toPlainText().trimmed(), QString());
    dialog.txtIn->setPlainText(QStringLiteral("日本\n語"));
    dialog.chkKurikaeshi->setChecked(true);
    ui.expectColor(Red).expectColor(Blue);
    pickAndBuild(dialog);

    const GradationValues values{QStringLiteral("日本\r\n語"), Red, Blue, true};
    EXPECT_EQ(dialog.fields().text, values.text);
    EXPECT_EQ(dialog.txtOut->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n")),
              buildGradation(values));

    const QString shown = previewBrowser(dialog)->toPlainText();
    const int first = int(shown.indexOf(QStringLiteral("日")));
    ASSERT_GE(first, 0) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("本")));
    EXPECT_TRUE(shown.contains(QStringLiteral("語")));
    EXPECT_EQ(previewColorAt(previewBrowser(dialog), first), QColor(255, 0, 0));
    EXPECT_EQ(previewColorAt(previewBrowser(dialog), int(shown.indexOf(QStringLiteral("語")))),
              QColor(0x7F, 0, 0x80));
}

class GradationCommandTest : public ReEditTest
{};

TEST_F(GradationCommandTest, OkReplacesTheSelectionWithTheBuiltText)
{
    ScriptedInteraction ui;
    load(QStringLiteral("<P>AB</P>"), QStringLiteral("AB"));
    ui.expectDialog(QStringLiteral("frmGradation"),
                    [](QDialog &d) {
                        auto &dialog = static_cast<frmGradation &>(d);
                        EXPECT_EQ(dialog.txtIn->toPlainText(), QStringLiteral("AB"));
                        pickAndBuild(dialog);
                        dialog.okButton()->click();
                    })
        .expectColor(Red)
        .expectColor(Blue);
    doc->run(QStringLiteral("mnuToolGradation_Click"));
    EXPECT_EQ(text().text(),
              QStringLiteral("<P><FONT color=#FF0000>A</FONT><FONT color=#80007F>B</FONT></P>"));
}

TEST_F(GradationCommandTest, CancelAndTheCloseBoxInsertNothing)
{
    const struct
    {
        const char *name;
        void (*close)(frmGradation &);
    } closings[] = {
        {"close box",
         [](frmGradation &dialog) {
             dialog.show();
             dialog.close();
             EXPECT_FALSE(dialog.isVisible());
         }},
        {"Cancel", [](frmGradation &dialog) { dialog.cancelButton()->click(); }},
    };
    for (const auto &c : closings) {
        SCOPED_TRACE(c.name);
        ScriptedInteraction ui;
        load(QStringLiteral("xy AB"), QStringLiteral("AB"));
        const auto close = c.close;
        ui.expectDialog(QStringLiteral("frmGradation"),
                        [close](QDialog &d) {
                            auto &dialog = static_cast<frmGradation &>(d);
                            pickAndBuild(dialog);
                            close(dialog);
                            EXPECT_EQ(dialog.resultString(), QStringLiteral("Cancel"));
                        })
            .expectColor(Red)
            .expectColor(Blue);
        doc->run(QStringLiteral("mnuToolGradation_Click"));
        EXPECT_EQ(text().text(), QStringLiteral("xy AB"));
        EXPECT_FALSE(loadedDialog<frmGradation>());
    }
}

} // namespace
