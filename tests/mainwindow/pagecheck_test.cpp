#include "check/pagecheckoptions.h"
#include "core/encodings.h"
#include "document/frmprogress.h"
#include "mainwindow/checkcommands.h"
#include "mainwindow/explorertree.h"
#include "mainwindow/frmcheckresults.h"
#include "support/spinefixture.h"
#include "support/u8.h"

#include <QAction>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

namespace {

const QString UnclosedTable = u8("<!DOCTYPE html>\r\n<html><head><title>表</title></head>\r\n"
                                 "<body>\r\n<p>前の段落</p>\r\n"
                                 "<p>表です：\t<table><tr><td>セル</td></tr>\r\n"
                                 "<p>あと</p>\r\n</body></html>\r\n");

class PageCheckTest : public SpineTest
{
protected:
    void SetUp() override
    {
        SpineTest::SetUp();
        storePageCheckOptions({});
    }

    frmCheckResults *results() const
    {
        return frame->findChild<frmCheckResults *>(QStringLiteral("frmCheckResults"));
    }

    // The row of the first finding with `id`.
    QTreeWidgetItem *rowOf(const QString &id) const
    {
        QTreeWidget *list = results()->lstFindings;
        for (QTreeWidgetItemIterator it(list); *it; ++it)
            if ((*it)->text(4) == id)
                return *it;
        return nullptr;
    }

    void doubleClick(QTreeWidgetItem *item) const
    {
        QTreeWidget *list = results()->lstFindings;
        // The dock has just been shown: its list is laid out before it is clicked.
        QCoreApplication::sendPostedEvents();
        list->scrollToItem(item);
        const QRect place = list->visualItemRect(item);
        ASSERT_FALSE(place.isEmpty());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, place.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, place.center());
    }

    // The caret's line (from 1) and column (from 1, in characters).
    static std::pair<int, int> caretOf(frmDocument &doc)
    {
        RichTextBox &box = *doc.txtText;
        const int line = box.lineFromChar(box.selStart());
        return {line + 1, box.selStart() - box.charFromLine(line) + 1};
    }
};

} // namespace

// The written page stays byte for byte as it was; the unclosed table is listed at its place,
// and a double-click on it puts the caret there.
TEST_F(PageCheckTest, TheToolMenuListsTheFindingsAndADoubleClickGoesToThePlace)
{
    const QString file = path(QStringLiteral("table.html"));
    const QByteArray bytes = encodeText(UnclosedTable, TextEncoding::ShiftJis);
    writeBytes(file, bytes);
    frmDocument *doc = open(file);
    ASSERT_TRUE(doc);
    const QString before = doc->txtText->text();
    doc->txtText->select(0, 0);

    doc->action(QStringLiteral("mnuToolCheck"))->trigger();
    ASSERT_TRUE(results());
    EXPECT_TRUE(results()->isVisible());
    EXPECT_EQ(frame->dockWidgetArea(results()), Qt::BottomDockWidgetArea);
    QTreeWidgetItem *row = rowOf(QStringLiteral("MISSING_ENDTAG_BEFORE"));
    ASSERT_TRUE(row);
    EXPECT_EQ(row->text(0), QStringLiteral("5"));
    EXPECT_EQ(row->text(1), QStringLiteral("9"));
    EXPECT_EQ(row->text(2), u8("警告"));

    doubleClick(row);
    EXPECT_EQ(caretOf(*doc), std::make_pair(5, 9));
    EXPECT_EQ(doc->txtText->text(), before);
    EXPECT_FALSE(doc->blnFlgDirty);
    doc->run(QStringLiteral("mnuFileSave_Click"));
    EXPECT_EQ(readBytes(file), bytes);
}

TEST_F(PageCheckTest, TheToolbarButtonAndTheKeyCheckTheActivePage)
{
    writeBytes(path(QStringLiteral("a.html")), "<p>a<foo>b</foo></p>\r\n");
    frmDocument *doc = open(path(QStringLiteral("a.html")));
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->action(QStringLiteral("mnuToolCheck"))->shortcut(), QKeySequence(Qt::Key_F7));
    QAction *button = nullptr;
    for (QAction *action : frame->tbToolBar->actions())
        if (action->data().toString() == QLatin1String("Check"))
            button = action;
    ASSERT_TRUE(button);
    button->trigger();
    ASSERT_TRUE(results());
    QTreeWidgetItem *row = rowOf(QStringLiteral("UNKNOWN_ELEMENT"));
    ASSERT_TRUE(row);
    EXPECT_EQ(row->text(2), u8("エラー"));
}

TEST_F(PageCheckTest, TheFolderCheckGroupsByPageAndOpensThePageAtTheLine)
{
    QDir(scratch.path()).mkdir(QStringLiteral("site"));
    writeBytes(
        path(QStringLiteral("site/good.html")),
        "<!DOCTYPE html>\n<html><head><title>t</title></head><body><p>x</p></body></html>\n");
    writeBytes(path(QStringLiteral("site/bad.html")),
               encodeText(u8("<p>一行目</p>\r\n<p>二行目 <img src=\"none.gif\" alt=\"x\"></p>\r\n"),
                          TextEncoding::ShiftJis));
    checkFolderWithProgress(*frame, path(QStringLiteral("site")));
    ASSERT_TRUE(results());
    QTreeWidget *list = results()->lstFindings;
    ASSERT_EQ(list->topLevelItemCount(), 1) << "only the page with findings";
    EXPECT_TRUE(list->topLevelItem(0)->text(0).startsWith(QLatin1String("bad.html")));
    QTreeWidgetItem *row = rowOf(QStringLiteral("LINK_MISSING"));
    ASSERT_TRUE(row);
    EXPECT_EQ(row->parent(), list->topLevelItem(0));
    EXPECT_EQ(row->text(0), QStringLiteral("2"));
    EXPECT_EQ(row->text(1), QStringLiteral("18"));

    doubleClick(row);
    frmDocument *doc = frame->activeDocument();
    ASSERT_TRUE(doc);
    EXPECT_EQ(QFileInfo(doc->strFileName), QFileInfo(path(QStringLiteral("site/bad.html"))));
    EXPECT_EQ(caretOf(*doc), std::make_pair(2, 18));
}

// The progress window paints with a Cancel button; pressing it ends the check after the page
// in hand, and the list says so.
TEST_F(PageCheckTest, CancelStopsTheFolderCheck)
{
    QDir(scratch.path()).mkdir(QStringLiteral("many"));
    for (int i = 0; i < 40; ++i)
        writeBytes(path(QStringLiteral("many/p%1.html").arg(i, 2, 10, QLatin1Char('0'))),
                   "<p>x<foo>y</foo></p>\n");
    bool sawProgress = false;
    QTimer clicker;
    QObject::connect(&clicker, &QTimer::timeout, frame.get(), [&] {
        auto *progress = frame->findChild<frmProgress *>();
        if (progress && progress->isVisible() && progress->cmdCancel) {
            sawProgress = true;
            progress->cmdCancel->click();
        }
    });
    clicker.start(0);
    checkFolderWithProgress(*frame, path(QStringLiteral("many")));
    clicker.stop();
    EXPECT_TRUE(sawProgress);
    QTreeWidget *list = results()->lstFindings;
    EXPECT_LT(list->topLevelItemCount(), 40);
    EXPECT_EQ(list->topLevelItem(list->topLevelItemCount() - 1)->text(0),
              u8("検査は中止されました。"));
}

TEST_F(PageCheckTest, TheExplorerMenusOfferTheFolderCheck)
{
    EXPECT_EQ(frame->action(QStringLiteral("mnuPopupCheckFolder"))->text(), u8("フォルダを検査"));
    ScriptedInteraction ui;
    frmDocument *doc = newDocument(ui);
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->action(QStringLiteral("mnuPopCheckFolder"))->text(), u8("フォルダを検査"));
    EXPECT_EQ(doc->action(QStringLiteral("mnuToolCheck"))->text(), u8("ページの検査"));
}
