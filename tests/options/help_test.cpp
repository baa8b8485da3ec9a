#include "support/spinefixture.h"

#include "core/paths.h"
#include "options/frmhelp.h"

#include <QAction>
#include <QDir>
#include <QHelpContentModel>
#include <QHelpEngine>
#include <QHelpIndexModel>
#include <QHelpIndexWidget>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>

namespace {

constexpr int Patience = 10000; // milliseconds for the help engine's background work

const QString NoHelp = QStringLiteral("ﾍﾙﾌﾟの目次を表示できません。 このﾌﾟﾛｼﾞｪｸﾄに関連付けられたﾍﾙﾌﾟが存在しません。");

class HelpTest : public SpineTest
{
protected:
    void TearDown() override
    {
        delete frmHelp::instance();
        SpineTest::TearDown();
    }

    static frmHelp &openWindow()
    {
        frmHelp *window = frmHelp::instance();
        EXPECT_TRUE(window);
        return *window;
    }
};

TEST_F(HelpTest, TheBuildPutsTheGuideBesideTheProgram)
{
    const QString collection = QDir(programFolder()).filePath(QStringLiteral("orvine.qhc"));
    ASSERT_TRUE(QFileInfo::exists(collection));
    EXPECT_EQ(frame->helpFile, collection);
}

TEST_F(HelpTest, ContentsOpensTheGuideOnItsFirstPage)
{
    ScriptedInteraction ui;
    frame->action(QStringLiteral("mnuHelpContents"))->trigger();
    frmHelp &window = openWindow();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.tabHelp->currentIndex(), 0);
    EXPECT_EQ(window.tabHelp->tabText(0), QStringLiteral("目次"));
    EXPECT_EQ(window.txtPage->documentTitle(), QStringLiteral("Orvine ユーザーズガイド"));
    EXPECT_TRUE(window.txtPage->toPlainText().contains(QStringLiteral("ﾌｧｲﾙ メニュー")));

    QHelpContentModel *contents = window.engine()->contentModel();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !contents->isCreatingContents() && contents->rowCount() > 0; }, Patience));
    const QModelIndex guide = contents->index(0, 0);
    EXPECT_GE(contents->rowCount(guide), 12) << "one page per menu and the general pages";
}

TEST_F(HelpTest, KeywordSearchFindsAMenuEntryAndShowsItsPage)
{
    ScriptedInteraction ui;
    frmDocument *doc = newDocument(ui);
    ASSERT_TRUE(doc);
    doc->action(QStringLiteral("mnuHelpShow"))->trigger();
    frmHelp &window = openWindow();
    EXPECT_EQ(window.tabHelp->currentIndex(), 1);
    EXPECT_TRUE(window.txtKeyword->text().isEmpty());

    QHelpIndexModel *index = window.engine()->indexModel();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !index->isCreatingIndex() && index->rowCount() > 0; }, Patience));
    window.txtKeyword->setText(QStringLiteral("検索と置換"));
    ASSERT_GE(index->rowCount(), 1);
    EXPECT_EQ(index->data(index->index(0, 0), Qt::DisplayRole).toString(), QStringLiteral("検索と置換"));

    window.engine()->indexWidget()->setCurrentIndex(index->index(0, 0));
    QTest::keyClick(window.txtKeyword, Qt::Key_Return);
    EXPECT_EQ(window.txtPage->source().fileName(), QStringLiteral("edit.html"));
    EXPECT_TRUE(window.txtPage->toPlainText().contains(QStringLiteral("大文字と小文字を区別する")));
}

TEST_F(HelpTest, WithoutAHelpFileEachMenuSaysSoUnderItsWindowsCaption)
{
    frame->helpFile.clear();
    ScriptedInteraction ui;
    frmDocument *doc = newDocument(ui);
    ASSERT_TRUE(doc);
    struct Case { const char *entry; QWidget *owner; QAction *action; };
    const Case cases[] = {
        {"mnuHelpContents", frame.get(), frame->action(QStringLiteral("mnuHelpContents"))},
        {"mnuHelpSearch", frame.get(), frame->action(QStringLiteral("mnuHelpSearch"))},
        {"mnuHelpIndex", doc, doc->action(QStringLiteral("mnuHelpIndex"))},
        {"mnuHelpShow", doc, doc->action(QStringLiteral("mnuHelpShow"))},
    };
    for (const Case &c : cases) {
        ui.expectMessage(NoHelp);
        c.action->trigger();
        EXPECT_EQ(ui.pendingCount(), 0) << c.entry;
        EXPECT_EQ(ui.lastPrompt().message.title, c.owner->windowTitle()) << c.entry;
        EXPECT_EQ(ui.lastPrompt().message.icon, Interaction::Icon::Information) << c.entry;
    }
    EXPECT_FALSE(frmHelp::instance());
}

TEST_F(HelpTest, AnUnreadableHelpFileIsReportedInAPlainBox)
{
    QFile broken(path(QStringLiteral("broken.qhc")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a help collection");
    broken.close();
    for (const QString &file : {broken.fileName(), path(QStringLiteral("missing.qhc"))}) {
        frame->helpFile = file;
        ScriptedInteraction ui;
        ui.expectMessage({});
        frame->action(QStringLiteral("mnuHelpContents"))->trigger();
        EXPECT_EQ(ui.pendingCount(), 0) << qPrintable(file);
        EXPECT_EQ(ui.lastPrompt().message.icon, Interaction::Icon::None) << qPrintable(file);
        EXPECT_FALSE(ui.lastPrompt().message.text.isEmpty()) << qPrintable(file);
        EXPECT_FALSE(frmHelp::instance()) << qPrintable(file);
    }
}

} // namespace
