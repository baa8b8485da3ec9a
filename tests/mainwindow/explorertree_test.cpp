#include "mainwindow/explorertree.h"

#include "core/optionsdialog.h"
#include "core/paths.h"
#include "mainwindow/explorerpane.h"
#include "support/exifjpeg.h"
#include "support/qstringprinter.h"
#include "support/spinefixture.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QSet>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

// A GIF of the given size: header, a two-colour table and one empty image.
QByteArray gifBytes(int width, int height)
{
    QByteArray gif("GIF89a");
    auto word = [&gif](int value) {
        gif.append(char(value & 0xFF));
        gif.append(char((value >> 8) & 0xFF));
    };
    word(width);
    word(height);
    gif.append("\x80\x00\x00", 3);
    gif.append("\x00\x00\x00\xFF\xFF\xFF", 6);
    gif.append('\x2C');
    word(0);
    word(0);
    word(width);
    word(height);
    gif.append("\x00\x02\x01\x2C\x00\x3B", 6);
    return gif;
}

class ExplorerTest : public SpineTest
{
protected:
    void SetUp() override
    {
        SpineTest::SetUp();
        shared().blnWindowsCheck = true;
        shared().blnTreePathChange = true;
        shared().strImageToolPath.clear();
        shared().strPreviewPath.clear();
        tree = frame->explorer;
        view = frame->picTree->trvTV;
    }

    void TearDown() override
    {
        setOptionsDialog({});
        SpineTest::TearDown();
    }

    static QTreeWidgetItem *child(QTreeWidgetItem *node, const QString &text)
    {
        for (int i = 0; node && i < node->childCount(); ++i)
            if (node->child(i)->text(0) == text)
                return node->child(i);
        return nullptr;
    }

    // Walks from the root node down to `folder`, reading each folder on the way.
    QTreeWidgetItem *reveal(const QString &folder)
    {
        QTreeWidgetItem *node = view->topLevelItem(0);
        EXPECT_EQ(node->text(0), QStringLiteral("/"));
        for (const QString &name : folder.split(u'/', Qt::SkipEmptyParts)) {
            tree->readNode(node);
            node->setExpanded(true);
            node = child(node, name);
            if (!node)
                return nullptr;
        }
        tree->readNode(node);
        node->setExpanded(true);
        return node;
    }

    QTreeWidgetItem *scratchNode() { return reveal(scratch.path()); }

    // A node's children as "text:image".
    static QStringList children(QTreeWidgetItem *node)
    {
        QStringList list;
        for (int i = 0; i < node->childCount(); ++i)
            list << QStringLiteral("%1:%2")
                        .arg(node->child(i)->text(0))
                        .arg(int(ExplorerTree::imageOf(node->child(i))));
        return list;
    }

    QPoint centreOf(QTreeWidgetItem *node)
    {
        view->scrollToItem(node);
        return view->visualItemRect(node).center();
    }

    void press(QTreeWidgetItem *node, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(view->viewport(), button, {}, centreOf(node));
    }

    QString make(const QString &name, const QByteArray &bytes = {})
    {
        const QString file = path(name);
        QDir().mkpath(FolderOf(file));
        writeBytes(file, bytes);
        return file;
    }

    ExplorerTree *tree = nullptr;
    QTreeWidget *view = nullptr;
};

QStringList pageNames(const QList<frmDocument *> &docs)
{
    QStringList names;
    for (frmDocument *doc : docs)
        names << doc->strFileName;
    return names;
}

} // namespace

TEST_F(ExplorerTest, AFolderShowsItsFoldersThenItsFilesWithTheirImagesInBothModes)
{
    QDir(scratch.path()).mkdir(QStringLiteral("img"));
    QDir(scratch.path()).mkdir(QStringLiteral(".git"));
    for (const char *name : {"a.JPG", "b.cgi", "c.HTML", ".hidden.htm", "notes.txt"})
        make(QString::fromUtf8(name));
    struct Case
    {
        const char *name;
        bool windowsCheck;
        QStringList children;
    };
    const Case cases[] = {
        {"windows check", true, {"img:4", "a.JPG:7", "b.cgi:9", "c.HTML:6"}},
        {"plain listing", false, {"img:4", "a.JPG:7", "c.HTML:6"}},
    };
    for (const Case &c : cases) {
        shared().blnWindowsCheck = c.windowsCheck;
        QTreeWidgetItem *node = scratchNode();
        ASSERT_TRUE(node) << c.name;
        EXPECT_EQ(children(node), c.children) << c.name;
    }
}

TEST_F(ExplorerTest, ClickingAFolderTwiceRebuildsItsChildrenWithoutDuplicates)
{
    make(QStringLiteral("one.htm"));
    QTreeWidgetItem *node = scratchNode();
    ASSERT_TRUE(node);
    press(node);
    EXPECT_EQ(children(node), QStringList{"one.htm:6"});
    EXPECT_EQ(frame->panelText(1), scratch.path());

    make(QStringLiteral("two.htm"));
    press(node);
    EXPECT_EQ(children(node), (QStringList{"one.htm:6", "two.htm:6"}));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ExplorerTest, AFolderThatCannotBeReadIsReportedAndLeftEmpty)
{
    QDir(scratch.path()).mkdir(QStringLiteral("sub"));
    make(QStringLiteral("sub/page.htm"));
    QTreeWidgetItem *root = scratchNode();
    QTreeWidgetItem *sub = child(root, QStringLiteral("sub"));
    ASSERT_TRUE(sub);
    tree->readNode(sub);
    ASSERT_EQ(sub->childCount(), 1);

    struct Case
    {
        const char *name;
        std::function<void()> breakIt;
        const char *text;
    };
    const Case cases[] = {
        {"no permission",
         [&] {
             tree->setFolderReader([](const QString &, bool) { return FolderListing{70, {}, {}}; });
         },
         "エラー番号：70\r\nエラー内容：アクセスが拒否されました。"},
    };
    for (const Case &c : cases) {
        c.breakIt();
        ScriptedInteraction ui;
        ui.expectMessage(QString::fromUtf8(c.text));
        tree->readNode(sub);
        EXPECT_EQ(ui.lastPrompt().message.title, QStringLiteral("Orvine NodeClick")) << c.name;
        EXPECT_TRUE(ui.lastPrompt().message.text.contains(QStringLiteral("\r\nNode Path：")
                                                          + path(QStringLiteral("sub"))))
            << c.name;
        EXPECT_EQ(sub->childCount(), 0) << c.name;
        EXPECT_EQ(QApplication::overrideCursor(), nullptr) << c.name;
    }
}

TEST_F(ExplorerTest, AFolderThatVanishedIsDroppedWithoutAMessage)
{
    QDir(scratch.path()).mkdir(QStringLiteral("gone"));
    QDir(scratch.path()).mkdir(QStringLiteral("now a file"));
    QDir(scratch.path()).mkdir(QStringLiteral("kept"));
    make(QStringLiteral("gone/page.htm"));
    QTreeWidgetItem *root = scratchNode();
    struct Case
    {
        const char *name;
        std::function<void()> breakIt;
    };
    const Case cases[] = {
        {"gone", [&] { QDir(path(QStringLiteral("gone"))).removeRecursively(); }},
        {"now a file",
         [&] {
             QDir(path(QStringLiteral("now a file"))).removeRecursively();
             make(QStringLiteral("now a file"));
         }},
    };
    for (const Case &c : cases) {
        QTreeWidgetItem *node = child(root, QString::fromUtf8(c.name));
        ASSERT_TRUE(node) << c.name;
        tree->readNode(node);
        c.breakIt();
        ScriptedInteraction ui; // any message fails the test
        press(node);
        EXPECT_EQ(child(root, QString::fromUtf8(c.name)), nullptr) << c.name;
        EXPECT_TRUE(ui.log().isEmpty()) << c.name;
        EXPECT_EQ(QApplication::overrideCursor(), nullptr) << c.name;
    }
    EXPECT_NE(child(root, QStringLiteral("kept")), nullptr);

    // A drive that went away (a card pulled out) keeps its node for the run, emptied.
    QTreeWidgetItem *drive = view->topLevelItem(0);
    tree->setFolderReader([](const QString &, bool) { return FolderListing{76, {}, {}}; });
    ScriptedInteraction ui;
    EXPECT_TRUE(tree->readNode(drive));
    EXPECT_EQ(view->topLevelItem(0), drive);
    EXPECT_EQ(drive->childCount(), 0);
}

TEST_F(ExplorerTest, FoldersOpenAndCloseFromTheKeyboard)
{
    QDir(scratch.path()).mkdir(QStringLiteral("sub"));
    make(QStringLiteral("sub/one.htm"));
    make(QStringLiteral("page.htm"), "<P>x</P>");
    QTreeWidgetItem *root = scratchNode();
    QTreeWidgetItem *sub = child(root, QStringLiteral("sub"));
    ASSERT_TRUE(sub);
    ASSERT_EQ(sub->childCount(), 0) << "not read yet";
    view->setFocus();
    tree->setCurrentNode(sub);

    QTest::keyClick(view, Qt::Key_Right);
    EXPECT_TRUE(sub->isExpanded());
    EXPECT_EQ(children(sub), QStringList{"one.htm:6"});
    EXPECT_EQ(frame->panelText(1), path(QStringLiteral("sub")));
    EXPECT_EQ(tree->currentNode(), sub);

    QTest::keyClick(view, Qt::Key_Left);
    EXPECT_FALSE(sub->isExpanded());

    // Enter opens the folder as it is now, and closes it again.
    make(QStringLiteral("sub/two.htm"));
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_TRUE(sub->isExpanded());
    EXPECT_EQ(children(sub), (QStringList{"one.htm:6", "two.htm:6"}));
    QTest::keyClick(view, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_FALSE(sub->isExpanded());

    // Right on an open folder steps into it; Enter on a page opens it as a double-click does.
    QTest::keyClick(view, Qt::Key_Right);
    QTest::keyClick(view, Qt::Key_Right);
    EXPECT_EQ(tree->currentNode(), child(sub, QStringLiteral("one.htm")));
    tree->setCurrentNode(child(root, QStringLiteral("page.htm")));
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_EQ(pageNames(frame->documents()), QStringList{path(QStringLiteral("page.htm"))});

    // A folder removed meanwhile goes from the tree, without a message.
    QDir(scratch.path()).mkdir(QStringLiteral("brief"));
    tree->readNode(root);
    QTreeWidgetItem *brief = child(root, QStringLiteral("brief"));
    ASSERT_TRUE(brief);
    QDir(path(QStringLiteral("brief"))).removeRecursively();
    view->setFocus();
    tree->setCurrentNode(brief);
    ScriptedInteraction ui;
    QTest::keyClick(view, Qt::Key_Right);
    EXPECT_EQ(child(root, QStringLiteral("brief")), nullptr);
}

// Under the preview, both lines of the label (the picture's name, then its size) read whole
// above the pane's lower edge, where the status bar begins.
TEST_F(ExplorerTest, ThePictureLabelShowsBothLinesAboveTheStatusBar)
{
    make(QStringLiteral("pics/a-picture-with-a-long-name.JPG"), exifJpeg({640, 480}, 1));
    QTreeWidgetItem *pics = reveal(path(QStringLiteral("pics")));
    ASSERT_TRUE(pics);
    QTreeWidgetItem *node = child(pics, QStringLiteral("a-picture-with-a-long-name.JPG"));
    ASSERT_TRUE(node);
    for (const QSize size : {QSize(800, 600), QSize(1024, 300)}) {
        frame->resize(size);
        QApplication::processEvents();
        press(node);
        const QLabel *label = frame->picTree->lblImageName;
        ASSERT_EQ(label->text().count(QLatin1Char('\n')), 1);
        const int textHeight
            = label->fontMetrics()
                  .boundingRect(label->contentsRect(), int(label->alignment()), label->text())
                  .height();
        EXPECT_LE(label->y() + label->contentsRect().top() + textHeight, frame->picTree->height())
            << size.width() << "x" << size.height();
        EXPECT_GE(label->height(), textHeight);
    }
}

TEST_F(ExplorerTest, APhonePhotoIsShownAndInsertedUpright)
{
    const QString page = make(QStringLiteral("site/index.htm"), "<BODY>\r\n");
    make(QStringLiteral("site/IMG_0001.JPG"), exifJpeg({64, 48}, 6));
    make(QStringLiteral("site/IMG_0002.JPG"), exifJpeg({64, 48}, 1));
    frmDocument *doc = open(page);
    ASSERT_TRUE(doc);
    QTreeWidgetItem *site = reveal(path(QStringLiteral("site")));
    ASSERT_TRUE(site);
    struct Case
    {
        const char *name;
        const char *label;
        const char *inserted;
        QSize shown;
    };
    const Case cases[] = {
        {"IMG_0001.JPG",
         "Name : IMG_0001.JPG\nﾖｺ=48ﾄﾞｯﾄ / ﾀﾃ=64ﾄﾞｯﾄ ",
         "<IMG SRC=\"IMG_0001.JPG\" WIDTH=\"48\" HEIGHT=\"64\">",
         {48, 64}},
        {"IMG_0002.JPG",
         "Name : IMG_0002.JPG\nﾖｺ=64ﾄﾞｯﾄ / ﾀﾃ=48ﾄﾞｯﾄ ",
         "<IMG SRC=\"IMG_0002.JPG\" WIDTH=\"64\" HEIGHT=\"48\">",
         {64, 48}},
    };
    for (const Case &c : cases) {
        QTreeWidgetItem *node = child(site, QString::fromUtf8(c.name));
        ASSERT_TRUE(node) << c.name;
        press(node);
        EXPECT_EQ(frame->picTree->lblImageName->text(), QString::fromUtf8(c.label)) << c.name;
        EXPECT_EQ(tree->previewSize(), c.shown) << c.name;
        EXPECT_EQ(frame->picTree->picWork->pixmap().size(), c.shown) << c.name;

        doc->txtText->setText(QStringLiteral("<BODY>"));
        doc->txtText->select(6, 0);
        doc->run(QStringLiteral("mnuPopImage_Click"));
        EXPECT_EQ(doc->txtText->text(), QStringLiteral("<BODY>") + QString::fromUtf8(c.inserted))
            << c.name;
    }
}

TEST_F(ExplorerTest, FoldersShowOpenAndClosedImagesDrivesKeepTheirs)
{
    QDir(scratch.path()).mkdir(QStringLiteral("sub"));
    make(QStringLiteral("sub/page.htm"));
    QTreeWidgetItem *sub = child(scratchNode(), QStringLiteral("sub"));
    ASSERT_TRUE(sub);
    tree->readNode(sub);
    sub->setExpanded(true);
    EXPECT_EQ(ExplorerTree::imageOf(sub), NodeImage::FolderOpen);
    sub->setExpanded(false);
    EXPECT_EQ(ExplorerTree::imageOf(sub), NodeImage::FolderClosed);
    QTreeWidgetItem *drive = view->topLevelItem(0);
    drive->setExpanded(false);
    drive->setExpanded(true);
    EXPECT_EQ(ExplorerTree::imageOf(drive), NodeImage::FixedDisk);
}

TEST_F(ExplorerTest, PressingAPictureShowsItFittedWithItsSizeABrokenOneSaysSo)
{
    auto encoded = [](const char *format, int w, int h) {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::red);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, format);
        return bytes;
    };
    struct Case
    {
        const char *name;
        QByteArray bytes;
        QString label;
    };
    const Case cases[] = {
        {"logo.gif", gifBytes(120, 60), "Name : logo.gif\nﾖｺ=120ﾄﾞｯﾄ / ﾀﾃ=60ﾄﾞｯﾄ "},
        {"photo.JPG", encoded("JPG", 300, 100), "Name : photo.JPG\nﾖｺ=300ﾄﾞｯﾄ / ﾀﾃ=100ﾄﾞｯﾄ "},
        {"tall.png", encoded("PNG", 20, 80), "Name : tall.png\nﾖｺ=20ﾄﾞｯﾄ / ﾀﾃ=80ﾄﾞｯﾄ "},
        {"w.webp", encoded("WEBP", 64, 32), "Name : w.webp\nﾖｺ=64ﾄﾞｯﾄ / ﾀﾃ=32ﾄﾞｯﾄ "},
        {"b.bmp", encoded("BMP", 10, 10), "Name : b.bmp\nﾖｺ=10ﾄﾞｯﾄ / ﾀﾃ=10ﾄﾞｯﾄ "},
        {"v.svg",
         "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"50\" height=\"25\"><rect width=\"50\" height=\"25\"/></svg>",
         "Name : v.svg\nﾖｺ=50ﾄﾞｯﾄ / ﾀﾃ=25ﾄﾞｯﾄ "},
        {"broken.jpg", "not a picture at all", "Name : broken.jpg\nイメージを表示できません。"},
    };
    for (const Case &c : cases)
        make(QString::fromUtf8(c.name), c.bytes);
    QTreeWidgetItem *folder = scratchNode();
    for (const Case &c : cases) {
        QTreeWidgetItem *node = child(folder, QString::fromUtf8(c.name));
        ASSERT_TRUE(node) << c.name;
        press(node);
        const ExplorerPane &pane = *frame->picTree;
        EXPECT_EQ(pane.lblImageName->text(), c.label) << c.name;
        EXPECT_EQ(shared().strPreviewPath, path(QString::fromUtf8(c.name))) << c.name;
        const QSize size = tree->previewSize();
        if (size.isEmpty()) {
            EXPECT_TRUE(pane.picImgRef->pixmap().isNull()) << c.name;
            continue;
        }
        // The shown picture keeps its proportions within a pixel and touches two sides of the box.
        const QRect shown = pane.picImgRef->geometry();
        EXPECT_NEAR(double(shown.width()) / shown.height(), double(size.width()) / size.height(),
                    2.0
                        * std::max(1.0 / shown.height(),
                                   double(size.width()) / size.height() / shown.height()))
            << c.name;
        const QSize box = pane.picHyouji->contentsRect().size();
        EXPECT_TRUE(shown.width() == box.width() || shown.height() == box.height()) << c.name;
    }
}

// A pipe named like a picture once hung the program for good when pressed: the preview and the
// size of an inserted picture read plain files only, and the preview none too long to read at once.
TEST_F(ExplorerTest, APipeADeviceOrAHugeFileIsNeverReadAsAPicture)
{
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(Qt::blue);
    const QString huge = path(QStringLiteral("huge.png"));
    ASSERT_TRUE(image.save(huge, "PNG"));
    ASSERT_EQ(::truncate(QFile::encodeName(huge).constData(), 64 * 1024 * 1024 + 1), 0); // sparse
    ASSERT_EQ(::mkfifo(QFile::encodeName(path(QStringLiteral("pipe.png"))).constData(), 0600), 0);
    ASSERT_EQ(
        ::symlink("/dev/zero", QFile::encodeName(path(QStringLiteral("zero.gif"))).constData()), 0);
    ASSERT_EQ(
        ::symlink("pipe.png", QFile::encodeName(path(QStringLiteral("link.jpg"))).constData()), 0);
    ScriptedInteraction ui;
    frmDocument *doc = open(make(QStringLiteral("index.htm"), "<BODY>"));
    ASSERT_TRUE(doc);

    // Should the pipe be opened after all, a writer that comes and goes now and then lets the test
    // end.
    struct Watchdog
    {
        explicit Watchdog(QByteArray pipe)
            : thread([this, pipe] {
                  std::unique_lock lock(mutex);
                  while (
                      !ended.wait_for(lock, std::chrono::seconds(5), [this] { return finished; })) {
                      rescued = true;
                      const int fd = ::open(pipe.constData(), O_WRONLY | O_NONBLOCK);
                      if (fd >= 0)
                          ::close(fd);
                  }
              })
        {}
        ~Watchdog()
        {
            {
                std::lock_guard lock(mutex);
                finished = true;
            }
            ended.notify_one();
            thread.join();
        }
        std::mutex mutex;
        std::condition_variable ended;
        bool finished = false;
        std::atomic<bool> rescued = false;
        std::thread thread;
    } watchdog(QFile::encodeName(path(QStringLiteral("pipe.png"))));

    const struct
    {
        const char *name;
        QString label;
    } cases[] = {
        {"pipe.png", QStringLiteral("Name : pipe.png\nファイルではないため表示できません。")},
        {"link.jpg", QStringLiteral("Name : link.jpg\nファイルではないため表示できません。")},
        {"zero.gif", QStringLiteral("Name : zero.gif\nファイルではないため表示できません。")},
        {"huge.png",
         QStringLiteral("Name : huge.png\nファイルが大きすぎるため表示できません（64 MB まで）。")},
    };
    QTreeWidgetItem *folder = scratchNode();
    for (const auto &c : cases) {
        QTreeWidgetItem *node = child(folder, QString::fromUtf8(c.name));
        ASSERT_TRUE(node) << c.name;
        press(node);
        EXPECT_EQ(frame->picTree->lblImageName->text(), c.label) << c.name;
        EXPECT_TRUE(frame->picTree->picImgRef->pixmap().isNull()) << c.name;
    }

    // Inserting one of them as a picture says why, instead of waiting on the pipe.
    for (const char *name : {"pipe.png", "zero.gif"}) {
        tree->setCurrentNode(child(folder, QString::fromUtf8(name)));
        ui.expectMessage(QString::fromUtf8(name) + QStringLiteral(": ファイルではありません。"));
        doc->run(QStringLiteral("mnuPopImage_Click"));
    }
    EXPECT_EQ(doc->txtText->text(), QStringLiteral("<BODY>"));
    EXPECT_FALSE(watchdog.rescued) << "a pipe was opened for reading";
}

TEST_F(ExplorerTest, TheTreeMenuEnablesTheEntriesOfTheNodeUnderThePointer)
{
    QDir(scratch.path()).mkdir(QStringLiteral("img"));
    make(QStringLiteral("a.JPG"), gifBytes(2, 2));
    make(QStringLiteral("b.cgi"));
    make(QStringLiteral("c.HTML"));
    QTreeWidgetItem *folder = scratchNode();
    struct Case
    {
        const char *name;
        QTreeWidgetItem *node;
        QList<bool> frameEntries; // mnuPopUpEdit, mnuPopupExplorer
        QList<bool>
            documentEntries; // mnuPopUrl, mnuPopOpen, mnuPopImage, mnuPopImageEdit, mnuPopExplorer
    };
    const Case cases[] = {
        {"picture", child(folder, "a.JPG"), {false, true}, {false, false, true, true, false}},
        {"script", child(folder, "b.cgi"), {true, false}, {true, true, false, false, false}},
        {"page", child(folder, "c.HTML"), {true, false}, {true, true, false, false, false}},
        {"folder", child(folder, "img"), {false, true}, {false, false, false, false, true}},
        {"drive", view->topLevelItem(0), {false, true}, {false, false, false, false, true}},
    };
    for (const Case &c : cases) {
        ASSERT_TRUE(c.node) << c.name;
        press(c.node, Qt::RightButton);
        EXPECT_EQ(tree->currentNode(), c.node) << c.name;
        QList<bool> frameState;
        for (const char *entry : {"mnuPopUpEdit", "mnuPopupExplorer"})
            frameState << frame->action(QLatin1String(entry))->isEnabled();
        EXPECT_EQ(frameState, c.frameEntries) << c.name;
        EXPECT_TRUE(frame->menu(QStringLiteral("mnuPopup"))->isVisible()) << c.name;
        frame->menu(QStringLiteral("mnuPopup"))->hide();
    }

    ScriptedInteraction ui;
    frmDocument *doc = newDocument(ui);
    ASSERT_TRUE(doc);
    for (const Case &c : cases) {
        press(c.node, Qt::RightButton);
        QList<bool> documentState;
        for (const char *entry :
             {"mnuPopUrl", "mnuPopOpen", "mnuPopImage", "mnuPopImageEdit", "mnuPopExplorer"})
            documentState << doc->action(QLatin1String(entry))->isEnabled();
        EXPECT_EQ(documentState, c.documentEntries) << c.name;
        EXPECT_TRUE(doc->menu(QStringLiteral("mnuPopup"))->isVisible()) << c.name;
        doc->menu(QStringLiteral("mnuPopup"))->hide();
    }
}

TEST_F(ExplorerTest, InsertImageAndLinkWriteReferencesRelativeToTheDocument)
{
    const QString page = make(QStringLiteral("site/index.htm"), "<BODY>\r\n");
    make(QStringLiteral("site/img/logo.gif"), gifBytes(120, 60));
    make(QStringLiteral("site/other/about.htm"));
    frmDocument *doc = open(page);
    ASSERT_TRUE(doc);
    QTreeWidgetItem *site = reveal(path(QStringLiteral("site")));
    ASSERT_TRUE(site);
    struct Case
    {
        const char *name;
        const char *folder;
        const char *file;
        const char *handler;
        QString inserted;
    };
    const Case cases[] = {
        {"image", "img", "logo.gif", "mnuPopImage_Click",
         "<IMG SRC=\"img/logo.gif\" WIDTH=\"120\" HEIGHT=\"60\">"},
        {"link", "other", "about.htm", "mnuPopUrl_Click", "<A HREF=\"other/about.htm\"></A>"},
    };
    for (const Case &c : cases) {
        QTreeWidgetItem *folder = child(site, QLatin1String(c.folder));
        tree->readNode(folder);
        tree->setCurrentNode(child(folder, QLatin1String(c.file)));
        doc->txtText->setText(QStringLiteral("<BODY>"));
        doc->txtText->select(6, 0);
        doc->run(QLatin1String(c.handler));
        EXPECT_EQ(doc->txtText->text(), QStringLiteral("<BODY>") + c.inserted) << c.name;
    }
}

TEST_F(ExplorerTest, ANeverSavedDocumentAnsweringNoGetsNothing)
{
    make(QStringLiteral("logo.gif"), gifBytes(4, 4));
    ScriptedInteraction ui;
    frmDocument *doc = newDocument(ui);
    ASSERT_TRUE(doc);
    tree->setCurrentNode(child(scratchNode(), QStringLiteral("logo.gif")));
    const QString before = doc->txtText->text();
    for (const char *handler : {"mnuPopUrl_Click", "mnuPopImage_Click"}) {
        ui.expectMessage(
            QStringLiteral("新規HTMLは保存しないとﾊﾟｽが確定できません。\r\n保存しますか？"),
            Interaction::Answer::No);
        doc->run(QLatin1String(handler));
        EXPECT_EQ(doc->txtText->text(), before) << handler;
    }
    // Yes with the save dialog cancelled: still no folder to refer from.
    ui.expectMessage(QStringLiteral("新規HTMLは保存しないと"), Interaction::Answer::Yes)
        .expectSaveFile({});
    doc->run(QStringLiteral("mnuPopImage_Click"));
    EXPECT_EQ(doc->txtText->text(), before);
}

TEST_F(ExplorerTest, TheImageEditorGetsTheExactProgramAndPictureWithoutAShell)
{
    const QString tool = make(QStringLiteral("my tools; 編集/画像 エディタ"));
    const QString picture = make(QStringLiteral("写真 1;rm -rf.png"), gifBytes(3, 3));
    tree->setCurrentNode(child(scratchNode(), QStringLiteral("写真 1;rm -rf.png")));
    ScriptedInteraction ui;
    frmDocument *doc = newDocument(ui);
    ASSERT_TRUE(doc);

    shared().strImageToolPath = tool;
    ui.expectStartProgram(true);
    doc->run(QStringLiteral("mnuPopImageEdit_Click"));
    EXPECT_EQ(ui.lastPrompt().text, tool);
    EXPECT_EQ(ui.lastPrompt().arguments, QStringList{picture});

    // A program that does not start is reported.
    ui.expectStartProgram(false).expectMessage(
        QStringLiteral("ｴﾗｰ場所 : mnuPopImageEdit\r\nｴﾗｰ番号 : 53"));
    doc->run(QStringLiteral("mnuPopImageEdit_Click"));
    EXPECT_EQ(ui.lastPrompt().message.icon, Interaction::Icon::Warning);

    // A missing editor: No stops; Yes shows the options, whose choice is then started.
    shared().strImageToolPath = path(QStringLiteral("gone/tool"));
    ui.expectMessage(
        QStringLiteral("指定されたイメージ編集ツールがみつかりません。再指定しますか？"),
        Interaction::Answer::No);
    doc->run(QStringLiteral("mnuPopImageEdit_Click"));
    shared().strImageToolPath.clear();
    int optionsShown = 0;
    setOptionsDialog([&] {
        ++optionsShown;
        shared().strImageToolPath = tool;
    });
    ui.expectMessage(QStringLiteral("イメージ編集ツールが指定されていません。指定しますか？"),
                     Interaction::Answer::Yes)
        .expectStartProgram(true);
    doc->run(QStringLiteral("mnuPopImageEdit_Click"));
    EXPECT_EQ(optionsShown, 1);
    EXPECT_EQ(ui.lastPrompt().arguments, QStringList{picture});
}

TEST_F(ExplorerTest, DoubleClicksOpenPagesAndHandPicturesToTheEditor)
{
    const QString page = make(QStringLiteral("page.htm"), "<P>x</P>");
    const QString picture = make(QStringLiteral("pic.gif"), gifBytes(5, 5));
    QTreeWidgetItem *folder = scratchNode();
    const QString before = shared().strLastFullPath;
    shared().blnTreePathChange = false;
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {},
                       centreOf(child(folder, QStringLiteral("page.htm"))));
    EXPECT_EQ(pageNames(frame->documents()), QStringList{page});
    EXPECT_EQ(shared().strLastFullPath, before);

    ScriptedInteraction ui;
    shared().strImageToolPath = QStringLiteral("editor with blanks");
    ui.expectStartProgram(true);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {},
                       centreOf(child(folder, QStringLiteral("pic.gif"))));
    EXPECT_EQ(ui.lastPrompt().text, QStringLiteral("editor with blanks"));
    EXPECT_EQ(ui.lastPrompt().arguments, QStringList{picture});

    ui.expectStartProgram(true);
    QTest::mouseDClick(frame->picTree->picImgRef, Qt::LeftButton);
    EXPECT_EQ(ui.lastPrompt().arguments, QStringList{picture});
}

TEST_F(ExplorerTest, TheFileManagerOpensOnTheFolderOfTheCurrentNode)
{
    QDir(scratch.path()).mkdir(QStringLiteral("sub folder"));
    make(QStringLiteral("page.htm"));
    QTreeWidgetItem *folder = scratchNode();
    ScriptedInteraction ui;
    struct Case
    {
        const char *name;
        QTreeWidgetItem *node;
        QString folder;
    };
    const Case cases[] = {
        {"folder", child(folder, QStringLiteral("sub folder")), path(QStringLiteral("sub folder"))},
        {"file", child(folder, QStringLiteral("page.htm")), scratch.path()},
    };
    for (const Case &c : cases) {
        tree->setCurrentNode(c.node);
        ui.expectOpenUrl(true);
        frame->action(QStringLiteral("mnuViewExplorer"))->trigger();
        EXPECT_EQ(QUrl(ui.lastPrompt().text).toLocalFile(), c.folder) << c.name;
    }
    ui.expectOpenUrl(false).expectMessage(QStringLiteral("ｴﾗｰ場所 : mnuPopupExplorer"));
    frame->action(QStringLiteral("mnuPopupExplorer"))->trigger();
}

TEST_F(ExplorerTest, WithNoFolderChosenTheExplorerEntryOpensThePagesFolderOrSaysWhy)
{
    const QString page = make(QStringLiteral("site/index.htm"), "<P>x</P>");
    const QString noFolder = QStringLiteral("ﾂﾘｰﾋﾞｭｰでﾌｫﾙﾀﾞを選択してください。");
    ScriptedInteraction ui;

    // No node and no page: the frame's entry says what to do.
    tree->setCurrentNode(nullptr);
    ui.expectMessage(noFolder);
    frame->action(QStringLiteral("mnuViewExplorer"))->trigger();
    ASSERT_EQ(ui.pendingCount(), 0);

    // A never-saved page has no folder either.
    frmDocument *fresh = newDocument(ui);
    ASSERT_TRUE(fresh);
    tree->setCurrentNode(nullptr);
    ui.expectMessage(noFolder);
    fresh->run(QStringLiteral("mnuViewExplorer_Click"));
    ASSERT_EQ(ui.pendingCount(), 0);

    // A saved page: its folder, from the document's entry and from the frame's.
    frmDocument *doc = open(page);
    ASSERT_TRUE(doc);
    tree->setCurrentNode(nullptr);
    ui.expectOpenUrl(true);
    doc->run(QStringLiteral("mnuViewExplorer_Click"));
    EXPECT_EQ(QUrl(ui.lastPrompt().text).toLocalFile(), path(QStringLiteral("site")));
    ui.expectOpenUrl(true);
    ASSERT_TRUE(frame->run(QStringLiteral("mnuViewExplorer_Click")));
    EXPECT_EQ(QUrl(ui.lastPrompt().text).toLocalFile(), path(QStringLiteral("site")));
}

// On tmpfs where the machine has one: creating the files on a slow disk takes longer than the
// reading under test.
TEST_F(ExplorerTest, AFolderOfTwentyThousandFilesIsListedWhole)
{
    const QString base = QDir(QStringLiteral("/dev/shm")).exists()
                             ? QStringLiteral("/dev/shm/explorer-XXXXXX")
                             : QDir::tempPath() + QStringLiteral("/explorer-XXXXXX");
    QTemporaryDir big(base);
    ASSERT_TRUE(big.isValid());
    for (int i = 0; i < 20000; ++i) {
        const QByteArray name
            = QFile::encodeName(big.filePath(QStringLiteral("page%1.htm").arg(i)));
        const int fd = ::creat(name.constData(), 0644);
        ASSERT_GE(fd, 0);
        ::close(fd);
    }
    QTreeWidgetItem *node = reveal(FolderOf(big.path()));
    node = child(node, QFileInfo(big.path()).fileName());
    ASSERT_TRUE(node);
    tree->readNode(node);
    ASSERT_EQ(node->childCount(), 20000);
    // Every file once, none dropped or doubled on the way to the tree.
    QSet<QString> names;
    for (int i = 0; i < node->childCount(); ++i)
        names.insert(node->child(i)->text(0));
    EXPECT_EQ(names.size(), 20000);
    EXPECT_TRUE(names.contains(QStringLiteral("page19999.htm")));
}
