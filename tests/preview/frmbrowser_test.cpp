#include "preview/frmbrowser.h"

#include "core/localpages.h"
#include "preview/browseraddress.h"
#include "preview/previewpages.h"
#include "support/qstringprinter.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTimer>
#include <QToolBar>
#include <QWebEngineHistory>
#include <QWebEngineView>

#include <memory>

namespace {

class BrowserWindowTest : public testing::Test
{
protected:
    // Opens `address` in a new window and waits until it has loaded and the poll has stopped.
    void open(const QString &address)
    {
        window = std::make_unique<frmBrowser>(address);
        window->show();
        ASSERT_TRUE(waitIdle());
    }

    bool waitIdle()
    {
        return waitFor([this] { return !window->busy() && !window->timTimer->isActive(); });
    }

    QUrl url() const { return window->brwWebBrowser->url(); }

    void press(const char *key)
    {
        QAction *button = window->tbToolBar->findChild<QAction *>(QLatin1String(key));
        ASSERT_NE(button, nullptr) << key;
        button->trigger();
    }

    QStringList listed() const
    {
        QStringList items;
        for (int i = 0; i < window->cboAddress->count(); ++i)
            items << window->cboAddress->itemText(i);
        return items;
    }

    PreviewPages pages;
    std::unique_ptr<frmBrowser> window;
};

TEST_F(BrowserWindowTest, ShowsTheSavedFileWithItsTitleAndBackOnAFreshWindowDoesNothing)
{
    const QString file
        = pages.write(QStringLiteral("ページ 1.htm"), QStringLiteral("最初のページ"));
    open(file);
    EXPECT_EQ(url(), QUrl::fromLocalFile(file));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("最初のページ"));
    EXPECT_EQ(window->cboAddress->currentText(), file);
    EXPECT_EQ(listed(), QStringList{file});

    press("Back");
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(url(), QUrl::fromLocalFile(file));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("最初のページ"));
}

TEST_F(BrowserWindowTest, ToolbarButtonsMoveThroughTheHistoryAndTheProgramsOwnPages)
{
    const QString file = pages.write(QStringLiteral("doc.htm"), QStringLiteral("Document"));
    open(file);
    const QUrl home = QUrl::fromLocalFile(localPagePath(LocalPage::Home));
    const QUrl search = QUrl::fromLocalFile(searchPageAddress());

    struct Step
    {
        const char *key;
        QUrl expected;
        QString title;
    };
    const Step steps[] = {
        {"Home", home, QStringLiteral("Orvine ホーム")},
        {"Back", QUrl::fromLocalFile(file), QStringLiteral("Document")},
        {"Forward", home, QStringLiteral("Orvine ホーム")},
        {"Search", search, QStringLiteral("Orvine 検索")},
        {"Refresh", search, QStringLiteral("Orvine 検索")},
        {"Stop", search, QStringLiteral("Orvine 検索")},
    };
    for (const Step &step : steps) {
        SCOPED_TRACE(step.key);
        press(step.key);
        ASSERT_TRUE(waitIdle());
        ASSERT_TRUE(waitFor([&] { return window->windowTitle() == step.title; }))
            << window->windowTitle().toStdString();
        EXPECT_EQ(url(), step.expected);
    }
    EXPECT_TRUE(listed().contains(QDir::toNativeSeparators(home.toLocalFile())));

    QSignalSpy closing(window.get(), &BrowserWindow::closeRequested);
    QPointer<frmBrowser> alive = window.release();
    alive->tbToolBar->findChild<QAction *>(QStringLiteral("Exit"))->trigger();
    EXPECT_EQ(closing.count(), 1);
    ASSERT_TRUE(waitFor([&] { return alive.isNull(); })); // closing discards the window
}

TEST_F(BrowserWindowTest, AddressTypedWithEnterOpensTheSecondPageAndListsIt)
{
    const QString first = pages.write(QStringLiteral("one.htm"), QStringLiteral("One"));
    const QString second = pages.write(QStringLiteral("two ; 二.htm"), QStringLiteral("Two"));
    open(first);

    window->cboAddress->setEditText(second);
    QTest::keyClick(window->cboAddress->lineEdit(), Qt::Key_Return);
    ASSERT_TRUE(waitIdle());
    ASSERT_TRUE(waitFor([&] { return window->windowTitle() == QStringLiteral("Two"); }));
    EXPECT_EQ(url(), QUrl::fromLocalFile(second));
    EXPECT_EQ(listed(), (QStringList{first, second}));

    // Choosing the first entry from the list goes back to it.
    window->cboAddress->activated(0);
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(url(), QUrl::fromLocalFile(first));
    EXPECT_EQ(listed(), (QStringList{first, second}));
}

TEST(BrowserAddress, PathsAreLocalFilesAndOtherAddressesAreReadAsInAnAddressBar)
{
    struct Case
    {
        const char *name;
        QString address;
        QUrl expected;
    };
    const Case cases[] = {
        {"path with blank and ;", QStringLiteral("/tmp/a b;c/ページ.htm"),
         QUrl::fromLocalFile(QStringLiteral("/tmp/a b;c/ページ.htm"))},
        {"web address", QStringLiteral("https://example.jp/x?q=1"),
         QUrl(QStringLiteral("https://example.jp/x?q=1"))},
        {"host only", QStringLiteral("www.example.jp"),
         QUrl(QStringLiteral("http://www.example.jp"))},
        {"file url", QStringLiteral("file:///tmp/x.htm"),
         QUrl(QStringLiteral("file:///tmp/x.htm"))},
    };
    for (const Case &c : cases)
        EXPECT_EQ(browserUrl(c.address), c.expected) << c.name;
    EXPECT_EQ(addressText(QUrl::fromLocalFile(QStringLiteral("/tmp/a b.htm"))),
              QStringLiteral("/tmp/a b.htm"));
}

} // namespace
