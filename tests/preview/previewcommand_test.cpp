#include "core/browserwindow.h"
#include "core/settings.h"
#include "mainwindow/explorerpane.h"
#include "mainwindow/previewcommands.h"
#include "preview/frmbrowser.h"
#include "preview/previewpages.h"
#include "support/qstringprinter.h"
#include "support/spinefixture.h"

#include <QAction>
#include <QMdiArea>
#include <QTimer>
#include <QToolBar>
#include <QWebEngineView>

namespace {

using Answer = Interaction::Answer;

// The options dialog as a user fills it when asked for the browser: the path typed, OK.
int optionsShown = 0;

void expectBrowserChosenInOptions(ScriptedInteraction &ui, const QString &path)
{
    ui.expectDialog(QStringLiteral("frmOptions"), [path](QDialog &dialog) {
        ++optionsShown;
        setControlText(dialog, QStringLiteral("txtBrowzeName"), path);
        clickControl(dialog, QStringLiteral("cmdOK"));
    });
}

class PreviewCommandTest : public SpineTest
{
protected:
    void SetUp() override
    {
        SpineTest::SetUp();
        installBuiltInBrowser();
        optionsShown = 0;
        shared().blnMyBrowzer = true;
        shared().blnTreeViewHide = false;
        shared().strBrowzerPath.clear();
        // The store starts as the state does: windows that load read it back.
        SaveSettings();
    }

    void TearDown() override
    {
        delete builtInBrowserWindow();
        shared().blnTreeViewHide = false;
        shared().blnMyBrowzer = true;
        SpineTest::TearDown();
    }

    // A saved document in the scratch folder of pages (blank, ";" and Japanese in its path).
    frmDocument *savedDocument(const QString &title)
    {
        return open(pages.write(QStringLiteral("文書 a;b.htm"), title));
    }

    void preview(frmDocument &doc) { ASSERT_TRUE(doc.run(QStringLiteral("mnuViewBrowser_Click"))); }

    QString shownAddress() const
    {
        BrowserWindow *window = builtInBrowserWindow();
        return window ? window->startingAddress() : QString();
    }

    // Waits until the built-in browser has loaded and returns its page's title.
    QString shownTitle() const
    {
        auto *window = qobject_cast<frmBrowser *>(builtInBrowserWindow());
        if (!window
            || !waitFor([window] { return !window->busy() && !window->timTimer->isActive(); }))
            return {};
        return window->brwWebBrowser->title();
    }

    PreviewPages pages;
};

TEST_F(PreviewCommandTest, SavedDocumentOpensInTheBuiltInBrowser)
{
    frmDocument *doc = savedDocument(QStringLiteral("保存済み"));
    ASSERT_NE(doc, nullptr);
    ScriptedInteraction ui;
    preview(*doc);
    EXPECT_EQ(shownAddress(), doc->strFileName);
    EXPECT_EQ(shownTitle(), QStringLiteral("保存済み"));
    EXPECT_TRUE(ui.log().isEmpty());
    // The browser window's activation leaves only New and Open enabled on the frame's toolbar.
    EXPECT_FALSE(frame->tbToolBar->actions().at(2)->isEnabled());

    // A second preview replaces the window, with a history of its own.
    BrowserWindow *first = builtInBrowserWindow();
    QPointer<BrowserWindow> watch = first;
    preview(*doc);
    EXPECT_TRUE(watch.isNull());
    EXPECT_NE(builtInBrowserWindow(), nullptr);
}

TEST_F(PreviewCommandTest, NeverSavedDocumentAsksFirst)
{
    {
        SCOPED_TRACE("No: nothing happens");
        ScriptedInteraction ui;
        frmDocument *doc = newDocument(ui);
        ASSERT_NE(doc, nullptr);
        ui.expectMessage(
            QStringLiteral("新規HTMLは保存しないとﾊﾟｽが確定できません。\r\n保存しますか？"),
            Answer::No);
        preview(*doc);
        EXPECT_EQ(ui.lastPrompt().message.buttons, Interaction::Buttons::YesNo);
        EXPECT_EQ(ui.lastPrompt().message.icon, Interaction::Icon::Question);
        EXPECT_EQ(builtInBrowserWindow(), nullptr);
    }
    {
        SCOPED_TRACE("Yes, then the save dialog cancelled: nothing to show, and it says so");
        ScriptedInteraction ui;
        frmDocument *doc = newDocument(ui);
        ui.expectMessage(QStringLiteral("新規HTML"), Answer::Yes)
            .expectSaveFile({})
            .expectMessage(QStringLiteral("新規HTMLは保存しないとﾌﾞﾗｳｻﾞに表示できません。"));
        preview(*doc);
        EXPECT_EQ(ui.pendingCount(), 0);
        EXPECT_EQ(builtInBrowserWindow(), nullptr);
        EXPECT_EQ(ui.lastPrompt().message.icon, Interaction::Icon::Information);

        // Nor is the bare name handed to an external browser.
        shared().blnMyBrowzer = false;
        shared().strBrowzerPath = pages.write(QStringLiteral("browser"), QStringLiteral("x"));
        ui.expectMessage(QStringLiteral("新規HTML"), Answer::Yes)
            .expectSaveFile({})
            .expectMessage(QStringLiteral("新規HTMLは保存しないとﾌﾞﾗｳｻﾞに表示できません。"));
        preview(*doc);
        EXPECT_EQ(ui.pendingCount(), 0);
        for (const ScriptedInteraction::Prompt &prompt : ui.log())
            EXPECT_NE(prompt.kind, ScriptedInteraction::Kind::StartProgram);
        shared().blnMyBrowzer = true;
    }
    {
        SCOPED_TRACE("Yes, saved: the preview shows the new file");
        ScriptedInteraction ui;
        frmDocument *doc = newDocument(ui);
        const QString file = pages.path(QStringLiteral("新しい 文書.htm"));
        ui.expectMessage(QStringLiteral("新規HTML"), Answer::Yes).expectSaveFile(file);
        preview(*doc);
        EXPECT_EQ(shownAddress(), file);
        EXPECT_EQ(shownTitle(), QStringLiteral("Welcome To My HomePage"));
    }
}

TEST_F(PreviewCommandTest, ThePreviewOpensOverTheWholeFreeAreaOfTheFrame)
{
    frmDocument *doc = savedDocument(QStringLiteral("広さ"));
    ASSERT_NE(doc, nullptr);
    frame->resize(1000, 700);
    struct Case
    {
        const char *name;
        int paneWidth; // pixels
    };
    const Case cases[] = {
        {"narrow pane", 150},
        {"pane widened over most of the frame", 620},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        frame->picTree->setWidthTwips(c.paneWidth * 15);
        frame->relayout();
        ScriptedInteraction ui;
        preview(*doc);
        BrowserWindow *window = builtInBrowserWindow();
        ASSERT_NE(window, nullptr);
        const QRect area = frame->mdiArea->viewport()->rect();
        EXPECT_EQ(window->geometry(), area);
        // The Back button and the page's left edge are on the screen, right of the pane.
        auto *browser = qobject_cast<frmBrowser *>(window);
        ASSERT_NE(browser, nullptr);
        QWidget *back = browser->tbToolBar->widgetForAction(
            browser->tbToolBar->findChild<QAction *>(QStringLiteral("Back")));
        ASSERT_NE(back, nullptr);
        const QPoint backInArea = back->mapTo(frame->mdiArea->viewport(), QPoint(0, 0));
        EXPECT_TRUE(area.contains(backInArea)) << backInArea.x() << "," << backInArea.y();
        const QPoint pageInFrame = browser->brwWebBrowser->mapTo(frame.get(), QPoint(0, 0));
        EXPECT_GE(pageInFrame.x(),
                  frame->picTree->mapTo(frame.get(), QPoint(frame->picTree->width(), 0)).x());
    }
}

TEST_F(PreviewCommandTest, ChangedDocumentYesSavesNoShowsTheDiskVersionCancelStops)
{
    struct Case
    {
        const char *name;
        Answer answer;
        bool opens;
        QString title;
    };
    const Case cases[] = {
        {"Yes", Answer::Yes, true, QStringLiteral("After")},
        {"No", Answer::No, true, QStringLiteral("Before")},
        {"Cancel", Answer::Cancel, false, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        delete builtInBrowserWindow();
        frmDocument *doc = savedDocument(QStringLiteral("Before"));
        ASSERT_NE(doc, nullptr);
        doc->txtText->setText(
            doc->txtText->text().replace(QStringLiteral("Before"), QStringLiteral("After")));
        ASSERT_TRUE(doc->blnFlgDirty);
        ScriptedInteraction ui;
        ui.expectMessage(QStringLiteral("ﾌｧｲﾙが変更されています。保存しますか。"), c.answer);
        preview(*doc);
        EXPECT_EQ(ui.log().constFirst().message.buttons, Interaction::Buttons::YesNoCancel);
        EXPECT_EQ(builtInBrowserWindow() != nullptr, c.opens);
        if (c.opens) {
            EXPECT_EQ(shownTitle(), c.title);
        }
        doc->blnFlgDirty = false;
        doc->close();
    }
}

TEST_F(PreviewCommandTest, ExternalBrowserQuestionsAndTheExactLaunch)
{
    const QString browser = pages.write(QStringLiteral("ブラウザ prog"), QStringLiteral("x"));
    const QString missing = pages.path(QStringLiteral("無い browser"));
    struct Case
    {
        const char *name;
        QString browserPath;
        QString question; // empty: none
        Answer answer;
        QString chosenInOptions;
        bool launches;
    };
    const QString unset = QStringLiteral("ブラウザが指定されていません。指定しますか？");
    const QString notFound = QStringLiteral("指定されたブラウザが見つかりません。再指定しますか？");
    const Case cases[] = {
        {"unset, No", {}, unset, Answer::No, {}, false},
        {"unset, Yes", {}, unset, Answer::Yes, browser, true},
        {"missing, No", missing, notFound, Answer::No, {}, false},
        {"missing, Yes", missing, notFound, Answer::Yes, browser, true},
        {"present", browser, {}, Answer::Ok, {}, true},
    };
    frmDocument *doc = savedDocument(QStringLiteral("外部"));
    ASSERT_NE(doc, nullptr);
    shared().blnMyBrowzer = false;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        shared().strBrowzerPath = c.browserPath;
        optionsShown = 0;
        ScriptedInteraction ui;
        if (!c.question.isEmpty())
            ui.expectMessage(c.question, c.answer);
        if (c.answer == Answer::Yes)
            expectBrowserChosenInOptions(ui, c.chosenInOptions);
        if (c.launches)
            ui.expectStartProgram(true);
        preview(*doc);
        EXPECT_EQ(optionsShown, c.answer == Answer::Yes ? 1 : 0);
        if (!c.question.isEmpty()) {
            EXPECT_EQ(ui.log().constFirst().message.buttons, Interaction::Buttons::YesNo);
        }
        ASSERT_EQ(ui.pendingCount(), 0);
        if (c.launches) {
            EXPECT_EQ(ui.lastPrompt().kind, ScriptedInteraction::Kind::StartProgram);
            EXPECT_EQ(ui.lastPrompt().text, browser);
            EXPECT_EQ(ui.lastPrompt().arguments, QStringList{doc->strFileName});
        }
        EXPECT_EQ(builtInBrowserWindow(), nullptr);
    }
}

TEST_F(PreviewCommandTest, FailedLaunchShowsTheErrorBox)
{
    frmDocument *doc = savedDocument(QStringLiteral("外部"));
    shared().blnMyBrowzer = false;
    shared().strBrowzerPath = pages.write(QStringLiteral("not a program"), QStringLiteral("x"));
    ScriptedInteraction ui;
    ui.expectStartProgram(false).expectMessage(
        QStringLiteral("ｴﾗｰ場所 : mnuViewBrowser\r\nｴﾗｰ番号 : "));
    preview(*doc);
    EXPECT_EQ(ui.lastPrompt().message.icon, Interaction::Icon::Warning);
    EXPECT_TRUE(ui.lastPrompt().message.text.contains(QStringLiteral("\r\nｴﾗｰ内容 : ")));
}

TEST_F(PreviewCommandTest, TreeViewHideHidesThePaneUntilTheBrowserWindowCloses)
{
    frmDocument *doc = savedDocument(QStringLiteral("ツリー"));
    shared().blnTreeViewHide = true;
    ScriptedInteraction ui;
    preview(*doc);
    EXPECT_FALSE(frame->treeViewShown());
    EXPECT_FALSE(doc->action(QStringLiteral("mnuViewTreeVew"))->isChecked());

    // Previewing again keeps the pane hidden: replacing the window is no close request.
    preview(*doc);
    EXPECT_FALSE(frame->treeViewShown());

    builtInBrowserWindow()->close();
    EXPECT_TRUE(frame->treeViewShown());

    SCOPED_TRACE("external browser: the pane stays hidden");
    shared().blnMyBrowzer = false;
    shared().strBrowzerPath = pages.write(QStringLiteral("browser"), QStringLiteral("x"));
    ui.expectStartProgram(true);
    preview(*doc);
    EXPECT_FALSE(frame->treeViewShown());
}

TEST_F(PreviewCommandTest, HelpSitesOpenTheProgramsOwnPages)
{
    struct Case
    {
        const char *handler;
        QString title;
    };
    const Case cases[] = {
        {"mnuHelpOrvine_Click", QStringLiteral("Orvineのサイト")},
        {"mnuHelpTolvane_Click", QStringLiteral("Tolvane")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.handler);
        ScriptedInteraction ui;
        ASSERT_TRUE(frame->run(QLatin1String(c.handler)));
        EXPECT_EQ(shownTitle(), c.title);

        shared().blnMyBrowzer = false;
        ui.expectMessage(QStringLiteral("ブラウザが指定されていません。指定しますか？"),
                         Answer::No);
        delete builtInBrowserWindow();
        ASSERT_TRUE(frame->run(QLatin1String(c.handler)));
        EXPECT_EQ(builtInBrowserWindow(), nullptr);
        shared().blnMyBrowzer = true;
    }
}

} // namespace
