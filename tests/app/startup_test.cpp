#include "app/frmsplash.h"
#include "app/singleinstance.h"
#include "support/builtversion.h"
#include "support/spinefixture.h"

#include <QDialog>
#include <QLabel>

namespace {

const QString StandardTemplate = QStringLiteral(
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 //EN\" \"http://www.w3.org/TR/REC-html40/frameset.dtd\">\r\n"
    "<HTML lang=\"ja\">\r\n"
    "<HEAD>\r\n"
    "<META http-equiv=\"Content-Type\" content=\"text/html; charset=x-sjis\">\r\n"
    "<META name=\"Generator\" content=\"Orvine\">\r\n"
    "<TITLE>Welcome To My HomePage</TITLE>\r\n"
    "</HEAD>\r\n"
    "\r\n"
    "<BODY bgcolor=\"#FFFFFF\">\r\n"
    "<H1>タイトル</H1>\r\n"
    "<HR>\r\n"
    "\r\n"
    "</BODY>\r\n"
    "\r\n"
    "</HTML>");

QString withLf(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

TEST(NewTemplate, IsTheFifteenFixedLinesWithoutATrailingBreak)
{
    const QString text = buildNewTemplate();
    EXPECT_EQ(text, StandardTemplate);
    EXPECT_EQ(text.split(QStringLiteral("\r\n")).size(), 15);
    EXPECT_TRUE(text.endsWith(QStringLiteral("</HTML>")));
}

TEST(Splash, ShowsTheVersionWithTwoTrailingBlanks)
{
    frmSplash splash;
    EXPECT_EQ(splash.lblAppVer->text(),
              QStringLiteral("Version ") + builtVersion() + QStringLiteral("  "));
}

TEST(SingleInstanceLock, ASecondStartFindsTheFirstRunning)
{
    QTemporaryDir dir;
    const QString lock = dir.filePath(QStringLiteral("orvine.lock"));
    {
        SingleInstance first(lock);
        EXPECT_TRUE(first.isFirst());
        SingleInstance second(lock);
        EXPECT_FALSE(second.isFirst());
    }
    SingleInstance afterwards(lock);
    EXPECT_TRUE(afterwards.isFirst());
}

using NewDocumentTest = SpineTest;

TEST_F(NewDocumentTest, TheTemplateDialogDecidesTheText)
{
    struct Case
    {
        const char *what;
        ScriptedInteraction::DialogScript script;
        bool opens;
        QString text;
    };
    const QList<Case> cases = {
        {"standard template", [](QDialog &d) { clickControl(d, QStringLiteral("OKButton")); }, true,
         StandardTemplate},
        {"blank template",
         [](QDialog &d) {
             clickControl(d, QStringLiteral("optTemplate_0"));
             clickControl(d, QStringLiteral("OKButton"));
         },
         true, QString()},
        {"edited before OK",
         [](QDialog &d) {
             clickControl(d, QStringLiteral("optTemplate_2"));
             setControlText(d, QStringLiteral("txtTemplate"), QStringLiteral("<P>mine\n</P>"));
             clickControl(d, QStringLiteral("OKButton"));
         },
         true, QStringLiteral("<P>mine\r\n</P>")},
        {"the word Cancel typed in",
         [](QDialog &d) {
             setControlText(d, QStringLiteral("txtTemplate"), QStringLiteral("Cancel"));
             clickControl(d, QStringLiteral("OKButton"));
         },
         false, QString()},
        {"cancelled", [](QDialog &d) { clickControl(d, QStringLiteral("CancelButton")); }, false,
         QString()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedInteraction ui;
        ui.expectDialog(QStringLiteral("dlgOpenHtml"), c.script);
        const int before = int(frame->documents().size());
        NewDocument();
        const QList<frmDocument *> docs = frame->documents();
        ASSERT_EQ(docs.size(), before + (c.opens ? 1 : 0));
        if (!c.opens)
            continue;
        frmDocument *doc = docs.constLast();
        EXPECT_EQ(doc->txtText->text(), c.text);
        EXPECT_EQ(doc->strFileName, QStringLiteral("NewHtml"));
        EXPECT_EQ(doc->textTag(), QStringLiteral("NewHtml"));
        EXPECT_FALSE(doc->blnFlgDirty);
        EXPECT_TRUE(doc->isVisible());
    }
    // The standard template itself is never changed by an edit in the dialog.
    EXPECT_EQ(shared().strNewTemplate, StandardTemplate);
}

TEST_F(NewDocumentTest, ACancelledDialogUsesUpItsNumber)
{
    ScriptedInteraction ui;
    ui.expectDialog(QStringLiteral("dlgOpenHtml"),
                    [](QDialog &d) { clickControl(d, QStringLiteral("CancelButton")); });
    NewDocument();
    EXPECT_TRUE(frame->documents().isEmpty());

    ui.expectDialog(QStringLiteral("dlgOpenHtml"), [](QDialog &d) {
        // The next dialog offers the standard template again, whatever the last one showed.
        EXPECT_EQ(controlText(d, QStringLiteral("txtTemplate")), withLf(StandardTemplate));
        clickControl(d, QStringLiteral("OKButton"));
    });
    NewDocument();
    ASSERT_EQ(frame->documents().size(), 1);
    EXPECT_EQ(frame->documents().constFirst()->caption(), QStringLiteral("NewHtml2.htm"));
}
