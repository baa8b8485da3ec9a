#include "core/encodings.h"
#include "mainwindow/frmsitefind.h"
#include "support/qstringprinter.h"
#include "support/spinefixture.h"
#include "support/u8.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeWidget>

namespace {

class SiteFindWindowTest : public SpineTest
{
protected:
    struct Page
    {
        const char *name;
        TextEncoding encoding;
        const char *charset;
    };
    static constexpr Page pages[] = {
        {"site/index.htm", TextEncoding::ShiftJis, "Shift_JIS"},
        {"site/news/old.html", TextEncoding::EucJp, "EUC-JP"},
        {"site/about.html", TextEncoding::Utf8, "UTF-8"},
    };

    QByteArray pageBytes(const Page &page) const
    {
        return encodeText(QStringLiteral("<meta charset=\"%1\">\r\n<p>© 2023 山田商店</p>\r\n"
                                         "<p>山田商店へのお問い合わせ</p>\r\n")
                              .arg(QLatin1String(page.charset)),
                          page.encoding);
    }

    void writeSite()
    {
        QDir(scratch.path()).mkpath(QStringLiteral("site/news"));
        for (const Page &page : pages)
            writeBytes(path(page.name), pageBytes(page));
    }

    frmSiteFind *window() const { return frame->findChild<frmSiteFind *>(); }

    static bool run(frmSiteFind *window, QPushButton *button, void (frmSiteFind::*done)())
    {
        QSignalSpy spy(window, done);
        button->click();
        return spy.count() > 0 || spy.wait(10000);
    }
};

} // namespace

TEST_F(SiteFindWindowTest, TheEditMenuAndTheExplorerMenusOfferIt)
{
    EXPECT_EQ(frame->action(QStringLiteral("mnuPopupSiteFind"))->text(),
              u8("フォルダ内の検索・置換..."));
    ScriptedInteraction ui;
    frmDocument *doc = newDocument(ui);
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->action(QStringLiteral("mnuEditSiteFind"))->text(),
              u8("フォルダ内の検索・置換..."));
    EXPECT_EQ(doc->action(QStringLiteral("mnuPopSiteFind"))->text(),
              u8("フォルダ内の検索・置換..."));
}

// Across a folder of pages in three encodings, one of them open and changed in its window: the
// list, the writing, the window changed as one undo step, and the undo of the whole replace.
TEST_F(SiteFindWindowTest, ReplacesAcrossTheFolderAndUndoesTheWholeReplace)
{
    writeSite();
    ScriptedInteraction ui;
    frmDocument *open = this->open(path("site/about.html"));
    ASSERT_TRUE(open);
    open->txtText->select(0, 0);
    open->txtText->setSelText(QStringLiteral("<!-- 山田商店 -->\r\n"));
    const QString edited = open->txtText->text();

    open->run(QStringLiteral("mnuEditSiteFind_Click"));
    frmSiteFind *w = window();
    ASSERT_TRUE(w);
    EXPECT_EQ(QDir(w->txtFolder->text()), QDir(path("site")));
    EXPECT_EQ(w->txtPatterns->text(), QStringLiteral("*.htm;*.html;*.shtml;*.css;*.js;*.txt"));
    EXPECT_TRUE(w->chkSubFolders->isChecked());

    w->txtFind->setText(u8("山田商店"));
    w->txtReplace->setText(u8("山田書店"));
    ASSERT_TRUE(run(w, w->cmdFind, &frmSiteFind::searchFinished));
    ASSERT_EQ(w->lstResults->topLevelItemCount(), 3);
    QMap<QString, QString> counts;
    for (int i = 0; i < 3; ++i)
        counts[QDir(path("site")).relativeFilePath(w->lstResults->topLevelItem(i)->text(0))]
            = w->lstResults->topLevelItem(i)->text(2);
    EXPECT_EQ(counts, (QMap<QString, QString>{{"about.html", u8("3 件")},
                                              {"index.htm", u8("2 件")},
                                              {"news/old.html", u8("2 件")}}));
    // A selected match shows its line before and after.
    QTreeWidgetItem *first = w->lstResults->topLevelItem(0)->child(0);
    w->lstResults->setCurrentItem(first);
    EXPECT_TRUE(w->lblChange->text().contains(u8("山田書店")))
        << w->lblChange->text().toStdString();

    ui.expectMessage(u8("3 個のファイルの 7 箇所を置換します"), Interaction::Answer::Yes);
    ASSERT_TRUE(run(w, w->cmdReplace, &frmSiteFind::replaceFinished));
    for (const Page &page : pages) {
        QByteArray expected = pageBytes(page);
        if (QLatin1String(page.name) == QLatin1String("site/about.html")) {
            EXPECT_EQ(readBytes(path(page.name)), expected) << "an open page is not written";
            continue;
        }
        expected.replace(encodeText(u8("山田商店"), page.encoding),
                         encodeText(u8("山田書店"), page.encoding));
        EXPECT_EQ(readBytes(path(page.name)), expected) << page.name;
    }
    QString replacedText = edited;
    replacedText.replace(u8("山田商店"), u8("山田書店"));
    EXPECT_EQ(open->txtText->text(), replacedText);
    EXPECT_TRUE(open->blnFlgDirty);
    open->txtText->undoStep();
    EXPECT_EQ(open->txtText->text(), edited) << "one undo step takes the replace back";
    open->txtText->undoStep(true);

    ASSERT_TRUE(w->cmdUndo->isEnabled());
    ASSERT_TRUE(run(w, w->cmdUndo, &frmSiteFind::undoFinished));
    for (const Page &page : pages)
        EXPECT_EQ(readBytes(path(page.name)), pageBytes(page)) << page.name;
    EXPECT_EQ(open->txtText->text(), edited);
    // The list says what happened to each file last.
    counts.clear();
    for (int i = 0; i < 3; ++i)
        counts[QDir(path("site")).relativeFilePath(w->lstResults->topLevelItem(i)->text(0))]
            = w->lstResults->topLevelItem(i)->text(2);
    EXPECT_EQ(counts,
              (QMap<QString, QString>{{"about.html", u8("3 件 元に戻しました（ウィンドウ内）")},
                                      {"index.htm", u8("2 件 元に戻しました")},
                                      {"news/old.html", u8("2 件 元に戻しました")}}));
}

TEST_F(SiteFindWindowTest, ADoubleClickOpensThePageAtTheMatch)
{
    writeSite();
    ScriptedInteraction ui;
    frmSiteFind *w = showSiteFind(frame.get(), path("site"));
    w->txtFind->setText(u8("お問い合わせ"));
    ASSERT_TRUE(run(w, w->cmdFind, &frmSiteFind::searchFinished));
    QTreeWidgetItem *match = nullptr;
    for (int i = 0; i < w->lstResults->topLevelItemCount(); ++i)
        if (w->lstResults->topLevelItem(i)->text(0).endsWith(QStringLiteral("old.html")))
            match = w->lstResults->topLevelItem(i)->child(0);
    ASSERT_TRUE(match);
    w->openMatch(match);
    frmDocument *doc = nullptr;
    for (frmDocument *d : frame->documents())
        if (d->strFileName.endsWith(QStringLiteral("old.html")))
            doc = d;
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->txtText->lineFromChar(), 2);
    EXPECT_EQ(doc->txtText->text().mid(doc->txtText->selStart(), 6), u8("お問い合わせ"));
}

TEST_F(SiteFindWindowTest, CancelStopsASearchAndARefusedFileIsReported)
{
    QDir(scratch.path()).mkpath(QStringLiteral("many"));
    for (int i = 0; i < 300; ++i)
        writeBytes(path(QStringLiteral("many/p%1.htm").arg(i)), QByteArray(20000, 'a') + "word");
    ScriptedInteraction ui;
    frmSiteFind *w = showSiteFind(frame.get(), path("many"));
    w->txtFind->setText(QStringLiteral("word"));
    QSignalSpy spy(w, &frmSiteFind::searchFinished);
    w->cmdFind->click();
    EXPECT_TRUE(w->cmdCancel->isEnabled());
    w->cmdCancel->click();
    ASSERT_TRUE(spy.wait(10000));
    EXPECT_TRUE(w->lblProgress->text().contains(u8("中止しました")))
        << w->lblProgress->text().toStdString();
    EXPECT_LT(w->lstResults->topLevelItemCount(), 300);

    // A Shift-JIS page cannot take 𠮷: refused and reported, left as it was.
    writeSite();
    w->txtFolder->setText(path("site"));
    w->txtFind->setText(u8("山田商店"));
    w->txtReplace->setText(u8("𠮷野家"));
    ui.expectMessage(u8("置換します"), Interaction::Answer::Yes).expectMessage(u8("index.htm"));
    ASSERT_TRUE(run(w, w->cmdReplace, &frmSiteFind::replaceFinished));
    EXPECT_EQ(readBytes(path("site/index.htm")), pageBytes(pages[0]));
    EXPECT_TRUE(readBytes(path("site/about.html")).contains(u8("𠮷野家").toUtf8()));
}

// The files are written while the window goes on answering: Cancel stops the replace before
// the next file, the files already written stay written and are marked in the list, the rest
// stay as they were, and Undo puts back every file written.
TEST_F(SiteFindWindowTest, ReplaceWritesOffTheWindowsThreadAndCancelKeepsWhatWasWritten)
{
    QDir(scratch.path()).mkpath(QStringLiteral("many"));
    const int count = 400;
    const auto pagePath = [&](int i) {
        return path(QStringLiteral("many/p%1.htm").arg(i, 3, 10, QLatin1Char('0')));
    };
    const auto before = [](int i) {
        return encodeText(QStringLiteral("<p>%1 山田商店</p>\r\n").arg(i).repeated(50),
                          TextEncoding::ShiftJis);
    };
    for (int i = 0; i < count; ++i)
        writeBytes(pagePath(i), before(i));
    ScriptedInteraction ui;
    frmSiteFind *w = showSiteFind(frame.get(), path("many"));
    w->txtFind->setText(u8("山田商店"));
    w->txtReplace->setText(u8("山田書店"));
    QSignalSpy searched(w, &frmSiteFind::searchFinished);
    QSignalSpy replaced(w, &frmSiteFind::replaceFinished);
    ui.expectMessage(u8("置換します"), Interaction::Answer::Yes);
    w->cmdReplace->click();
    ASSERT_TRUE(searched.wait(20000));
    // The answer started the writing and gave the window back at once.
    EXPECT_EQ(replaced.count(), 0);
    EXPECT_TRUE(w->searching());
    EXPECT_TRUE(w->cmdCancel->isEnabled());
    EXPECT_FALSE(w->cmdReplace->isEnabled());
    w->cmdCancel->click();
    ASSERT_TRUE(replaced.count() > 0 || replaced.wait(20000));

    int written = 0;
    for (int i = 0; i < count; ++i) {
        const QByteArray now = readBytes(pagePath(i));
        QByteArray after = before(i);
        after.replace(encodeText(u8("山田商店"), TextEncoding::ShiftJis),
                      encodeText(u8("山田書店"), TextEncoding::ShiftJis));
        ASSERT_TRUE(now == before(i) || now == after) << i;
        written += now == after;
    }
    int markedWritten = 0;
    for (int i = 0; i < w->lstResults->topLevelItemCount(); ++i)
        markedWritten += w->lstResults->topLevelItem(i)->text(2).endsWith(u8("置換しました"));
    EXPECT_EQ(markedWritten, written);
    if (written < count) {
        EXPECT_TRUE(w->lblProgress->text().contains(u8("中止しました")))
            << w->lblProgress->text().toStdString();
    }

    if (written > 0) {
        ASSERT_TRUE(w->cmdUndo->isEnabled());
        ASSERT_TRUE(run(w, w->cmdUndo, &frmSiteFind::undoFinished));
    }
    for (int i = 0; i < count; ++i)
        ASSERT_EQ(readBytes(pagePath(i)), before(i)) << i;
}
