#include "core/paths.h"
#include "options/frmhelp.h"
#include "options/helpkeywords.h"
#include "support/spinefixture.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
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

const QString NoHelp = QStringLiteral(
    "ﾍﾙﾌﾟの目次を表示できません。 このﾌﾟﾛｼﾞｪｸﾄに関連付けられたﾍﾙﾌﾟが存在しません。");

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
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return !contents->isCreatingContents() && contents->rowCount() > 0; }, Patience));
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
    ASSERT_TRUE(QTest::qWaitFor([&] { return !index->isCreatingIndex() && index->rowCount() > 0; },
                                Patience));
    window.txtKeyword->setText(QStringLiteral("検索と置換"));
    ASSERT_GE(index->rowCount(), 1);
    EXPECT_EQ(index->data(index->index(0, 0), Qt::DisplayRole).toString(),
              QStringLiteral("検索と置換"));

    window.engine()->indexWidget()->setCurrentIndex(index->index(0, 0));
    QTest::keyClick(window.txtKeyword, Qt::Key_Return);
    EXPECT_EQ(window.txtPage->source().fileName(), QStringLiteral("edit.html"));
    EXPECT_TRUE(window.txtPage->toPlainText().contains(QStringLiteral("大文字と小文字を区別する")));
}

TEST(HelpKeywords, WhatAnInputMethodTypesFindsTheHalfWidthKeywords)
{
    const QStringList keywords = {
        QStringLiteral("ｸﾞﾗﾃﾞｰｼｮﾝ文字の作成"),
        QStringLiteral("ｲﾒｰｼﾞの挿入"),
        QStringLiteral("<HTML> ＨＴＭＬﾌｧｲﾙ"),
        QStringLiteral("<INPUT>１行部品"),
        QStringLiteral("ﾌｧｲﾙ"),
        QStringLiteral("検索と置換"),
        QStringLiteral("VB Script"),
    };
    struct Case
    {
        const char *typed;
        QStringList found;
        int best;
    };
    const Case cases[] = {
        {"ｸﾞﾗﾃﾞ", {QStringLiteral("ｸﾞﾗﾃﾞｰｼｮﾝ文字の作成")}, 0},
        {"グラデ", {QStringLiteral("ｸﾞﾗﾃﾞｰｼｮﾝ文字の作成")}, 0},
        {"ぐらでーしょん", {QStringLiteral("ｸﾞﾗﾃﾞｰｼｮﾝ文字の作成")}, 0},
        {"グラテ", {}, -1}, // a voiced mark is part of the letter
        {"イメージ", {QStringLiteral("ｲﾒｰｼﾞの挿入")}, 0},
        {"ファイル",
         {QStringLiteral("<HTML> ＨＴＭＬﾌｧｲﾙ"), QStringLiteral("ﾌｧｲﾙ")},
         1}, // the keyword that is the word itself
        {"html", {QStringLiteral("<HTML> ＨＴＭＬﾌｧｲﾙ")}, 0},
        {"ＨＴＭＬ", {QStringLiteral("<HTML> ＨＴＭＬﾌｧｲﾙ")}, 0},
        {"1行", {QStringLiteral("<INPUT>１行部品")}, 0},
        {"ｖｂ", {QStringLiteral("VB Script")}, 0},
        {"置換", {QStringLiteral("検索と置換")}, 0},
    };
    for (const Case &c : cases) {
        const KeywordMatches matches = matchKeywords(keywords, QString::fromUtf8(c.typed));
        EXPECT_EQ(matches.keywords, c.found) << c.typed;
        EXPECT_EQ(matches.best, c.best) << c.typed;
    }
    const KeywordMatches all = matchKeywords(keywords, QString());
    EXPECT_EQ(all.keywords, keywords);
    EXPECT_EQ(all.best, -1);
}

TEST_F(HelpTest, KeywordSearchFindsHalfWidthKeywordsFromFullWidthTyping)
{
    ScriptedInteraction ui;
    frame->action(QStringLiteral("mnuHelpSearch"))->trigger();
    frmHelp &window = openWindow();
    QHelpIndexModel *index = window.engine()->indexModel();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !index->isCreatingIndex() && index->rowCount() > 0; },
                                Patience));
    const int everything = index->rowCount();

    struct Case
    {
        const char *typed;
        const char *first;
        const char *page;
    };
    const Case cases[] = {
        {"グラデ", "ｸﾞﾗﾃﾞｰｼｮﾝ文字の作成", "tool.html"},
        {"ｸﾞﾗﾃﾞ", "ｸﾞﾗﾃﾞｰｼｮﾝ文字の作成", "tool.html"},
        {"イメージの挿入", "ｲﾒｰｼﾞの挿入", "html.html"},
    };
    for (const Case &c : cases) {
        window.txtKeyword->setText(QString::fromUtf8(c.typed));
        ASSERT_GE(index->rowCount(), 1) << c.typed;
        const QModelIndex current = window.engine()->indexWidget()->currentIndex();
        EXPECT_EQ(index->data(current, Qt::DisplayRole).toString(), QString::fromUtf8(c.first))
            << c.typed;
        QTest::keyClick(window.txtKeyword, Qt::Key_Return);
        EXPECT_EQ(window.txtPage->source().fileName(), QString::fromUtf8(c.page)) << c.typed;
    }
    window.txtKeyword->clear();
    EXPECT_EQ(index->rowCount(), everything);
}

// A window of its own that keeps itself open when asked to close.
class StubbornWindow : public QWidget
{
protected:
    void closeEvent(QCloseEvent *event) override { event->ignore(); }
};

TEST_F(HelpTest, QuittingClosesTheHelpWindowAndEveryOtherWindow)
{
    const auto shownWindows = [this] {
        QStringList shown;
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (widget != frame.get() && widget->isVisible())
                shown << widget->metaObject()->className() + QStringLiteral(" ")
                             + widget->objectName();
        return shown;
    };
    ScriptedInteraction ui;
    frame->action(QStringLiteral("mnuHelpContents"))->trigger();
    QPointer<frmHelp> help = frmHelp::instance();
    ASSERT_TRUE(help && help->isVisible());
    QWidget loose;
    loose.show();

    // No to the question: everything stays.
    ui.expectMessage(QStringLiteral("終了しますか？"), Interaction::Answer::No);
    frame->close();
    EXPECT_TRUE(frame->isVisible());
    EXPECT_TRUE(help && help->isVisible());

    // A window that will not close keeps the program, frame included, running.
    {
        StubbornWindow stubborn;
        stubborn.show();
        ui.expectMessage(QStringLiteral("終了しますか？"), Interaction::Answer::Yes);
        frame->close();
        EXPECT_TRUE(frame->isVisible());
    }

    // The help window went on the way (and is discarded when closed): open it again.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    frame->action(QStringLiteral("mnuHelpContents"))->trigger();
    help = frmHelp::instance();
    ASSERT_TRUE(help && help->isVisible());
    loose.show();
    ui.expectMessage(QStringLiteral("終了しますか？"), Interaction::Answer::Yes);
    frame->close();
    EXPECT_FALSE(frame->isVisible());
    EXPECT_FALSE(help && help->isVisible());
    EXPECT_FALSE(loose.isVisible());
    // Nothing visible is left to keep the program running.
    EXPECT_EQ(shownWindows(), QStringList());
}

TEST_F(HelpTest, WithoutAHelpFileEachMenuSaysSoUnderItsWindowsCaption)
{
    frame->helpFile.clear();
    ScriptedInteraction ui;
    frmDocument *doc = newDocument(ui);
    ASSERT_TRUE(doc);
    struct Case
    {
        const char *entry;
        QWidget *owner;
        QAction *action;
    };
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
