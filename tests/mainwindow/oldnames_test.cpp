// Files whose names are not UTF-8 (Shift-JIS names unpacked from old archives): they are
// listed, opened from every place a file is opened from, saved in place and shown with their
// kept bytes as "\xNN".

#include "core/nativepath.h"
#include "document/documentsave.h"
#include "mainwindow/explorerpane.h"
#include "mainwindow/explorertree.h"
#include "support/qstringprinter.h"
#include "support/spinefixture.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QListWidget>
#include <QMimeData>
#include <QTest>
#include <QTreeWidget>

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// テスト.htm in Shift-JIS, and the same name in UTF-8 beside it, which must never be touched.
const QByteArray ShiftJisName("\x83\x65\x83\x58\x83\x67.htm");
const QByteArray Utf8Twin("\xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88.htm");
// <P>日本</P> and <P>語</P> in Shift-JIS.
const QByteArray StoredText("<P>\x93\xfa\x96\x7b</P>\r\n");

class OldNames : public SpineTest
{
protected:
    void SetUp() override
    {
        SpineTest::SetUp();
        folder = QFile::encodeName(scratch.path());
        ASSERT_TRUE(writeNative(folder + '/' + ShiftJisName, StoredText));
        ASSERT_TRUE(writeNative(folder + '/' + Utf8Twin, "twin"));
        file = pathFromNative(folder + '/' + ShiftJisName);
        before = entries();
    }

    void TearDown() override
    {
        SpineTest::TearDown();
        // QTemporaryDir cannot remove names that are not UTF-8.
        for (const QByteArray &name : entries())
            if (!name.isValidUtf8())
                ::unlink((folder + '/' + name).constData());
    }

    static bool writeNative(const QByteArray &path, const QByteArray &bytes)
    {
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0)
            return false;
        const bool ok = ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
        return ::close(fd) == 0 && ok;
    }

    static QByteArray readNative(const QByteArray &path)
    {
        QByteArray bytes;
        const int fd = ::open(path.constData(), O_RDONLY);
        if (fd < 0)
            return "<unreadable>";
        char buffer[4096];
        for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) > 0;)
            bytes.append(buffer, got);
        ::close(fd);
        return bytes;
    }

    // The scratch folder's names as bytes.
    QList<QByteArray> entries() const
    {
        QList<QByteArray> names;
        if (DIR *dir = ::opendir(folder.constData())) {
            while (const dirent *entry = ::readdir(dir))
                if (entry->d_name[0] != '.')
                    names << QByteArray(entry->d_name);
            ::closedir(dir);
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    frmDocument *windowOf(const QString &path) const
    {
        for (frmDocument *doc : frame->documents())
            if (doc->strFileName == path)
                return doc;
        return nullptr;
    }

    // The window opened on the Shift-JIS file shows its text and its name, and saves in place:
    // the bytes on disk change, no file appears or goes, the UTF-8 twin stays as it was.
    void expectOpenedAndSavedInPlace(const char *how)
    {
        SCOPED_TRACE(how);
        frmDocument *doc = windowOf(file);
        ASSERT_TRUE(doc) << "no window";
        EXPECT_EQ(doc->txtText->text(), QStringLiteral("<P>日本</P>\r\n"));
        EXPECT_EQ(doc->textTag(), file);
        EXPECT_EQ(doc->caption(),
                  QString::fromUtf8(folder) + QStringLiteral("/\\x83e\\x83X\\x83g.htm"));
        doc->txtText->setText(QStringLiteral("<P>語</P>"));
        ScriptedInteraction ui; // no question: the file is the window's own
        ASSERT_TRUE(saveDocumentCommand(*doc));
        EXPECT_TRUE(readNative(folder + '/' + ShiftJisName).startsWith("<P>\x8c\xea</P>"));
        EXPECT_EQ(entries(), before);
        EXPECT_EQ(readNative(folder + '/' + Utf8Twin), "twin");
        EXPECT_EQ(doc->strFileName, file);
        doc->blnFlgDirty = false;
        doc->close();
        ASSERT_TRUE(writeNative(folder + '/' + ShiftJisName, StoredText));
    }

    QByteArray folder;
    QString file;
    QList<QByteArray> before;
};

} // namespace

// Before, the name came through Qt as U+FFFD: "not found, create a new file?", and a save made
// a second file.
TEST_F(OldNames, OpenedByPathTheFileSavesInPlaceUnderItsOwnName)
{
    {
        ScriptedInteraction ui; // the "not found" question would fail the test
        ReadDoc(file);
    }
    EXPECT_EQ(shared().strRecentFile[1], file);
    expectOpenedAndSavedInPlace("by path");

    // Opening it again while it is open brings the same window forward.
    ReadDoc(file);
    ReadDoc(file);
    EXPECT_EQ(frame->documents().size(), 1);
}

TEST_F(OldNames, TheRecentListShowsTheNameReadablyAndOpensTheFile)
{
    ReadDoc(file);
    frame->refreshRecentFileMenu(15);
    QAction *entry = frame->action(QStringLiteral("mnuFileMRU_1"));
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->text(), displayPath(file));
    EXPECT_EQ(recentFilePath(entry), file);
    windowOf(file)->close();
    QCoreApplication::processEvents();
    frame->run(QStringLiteral("mnuFileMRU_Click"), 1);
    expectOpenedAndSavedInPlace("from the recent list");
}

TEST_F(OldNames, TheExplorerListsTheNameWithItsBytesShownAndOpensIt)
{
    ExplorerTree *tree = frame->explorer;
    QTreeWidget *view = frame->picTree->trvTV;
    QTreeWidgetItem *node = view->topLevelItem(0);
    ASSERT_TRUE(node);
    for (const QString &name : scratch.path().split(u'/', Qt::SkipEmptyParts)) {
        tree->readNode(node);
        QTreeWidgetItem *next = nullptr;
        for (int i = 0; i < node->childCount(); ++i)
            if (node->child(i)->text(0) == name)
                next = node->child(i);
        ASSERT_TRUE(next) << name.toStdString();
        node = next;
    }
    tree->readNode(node);
    QStringList shown;
    QTreeWidgetItem *page = nullptr;
    for (int i = 0; i < node->childCount(); ++i) {
        shown << node->child(i)->text(0);
        if (ExplorerTree::pathOf(node->child(i)) == file)
            page = node->child(i);
    }
    shown.sort();
    EXPECT_EQ(shown, (QStringList{QStringLiteral("\\x83e\\x83X\\x83g.htm"),
                                  QStringLiteral("テスト.htm")}));
    ASSERT_TRUE(page);
    EXPECT_EQ(ExplorerTree::kindOf(page), NodeKind::Page);
    QStringList listed;
    for (int i = 0; i < frame->picTree->lstFile->count(); ++i)
        listed << frame->picTree->lstFile->item(i)->text();
    listed.sort();
    EXPECT_EQ(listed, shown);

    view->scrollToItem(page);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, view->visualItemRect(page).center());
    expectOpenedAndSavedInPlace("from the explorer");
}

TEST_F(OldNames, TheOpenCommandAndADropOpenTheFile)
{
    {
        ScriptedInteraction ui;
        ui.expectOpenFile(file);
        frame->run(QStringLiteral("mnuFileOpen_Click"));
    }
    expectOpenedAndSavedInPlace("from the open command");

    // A file manager names the file by its percent-encoded bytes.
    QMimeData data;
    data.setData(QStringLiteral("text/uri-list"), "file://" + folder.toPercentEncoding("/") + '/'
                                                      + ShiftJisName.toPercentEncoding() + "\r\n");
    QDragEnterEvent enter(QPoint(1, 1), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame.get(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(1, 1), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame.get(), &drop);
    expectOpenedAndSavedInPlace("dropped");
}

// Save-as to a name that is not UTF-8 writes that name, and the window takes it.
TEST_F(OldNames, SaveAsWritesTheNameItWasGiven)
{
    ScriptedInteraction ui;
    frmDocument *doc = newDocument(ui);
    ASSERT_TRUE(doc);
    const QString target = pathFromNative(folder + "/\x90\x56\x8b\x4b.htm"); // 新規.htm
    doc->txtText->setText(QStringLiteral("<P>新規</P>"));
    ui.expectSaveFile(target);
    ASSERT_TRUE(saveDocumentAsCommand(*doc));
    EXPECT_EQ(doc->strFileName, target);
    EXPECT_EQ(doc->caption(), displayPath(target));
    QList<QByteArray> expected = before;
    expected << QByteArray("\x90\x56\x8b\x4b.htm");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(entries(), expected);
    EXPECT_TRUE(readNative(folder + "/\x90\x56\x8b\x4b.htm").startsWith("<P>\x90\x56\x8b\x4b</P>"));
}
