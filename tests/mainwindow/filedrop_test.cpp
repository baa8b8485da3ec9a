#include "mainwindow/filedrop.h"

#include "support/qstringprinter.h"
#include "support/spinefixture.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace {

std::unique_ptr<QMimeData> filesData(const QStringList &files)
{
    auto data = std::make_unique<QMimeData>();
    QList<QUrl> urls;
    for (const QString &file : files)
        urls << QUrl::fromLocalFile(file);
    data->setUrls(urls);
    // File managers offer the paths as text too; the text is not what is wanted.
    data->setText(files.join(u'\n'));
    return data;
}

std::unique_ptr<QMimeData> textData(const QString &text)
{
    auto data = std::make_unique<QMimeData>();
    data->setText(text);
    return data;
}

// A drag entering `target` then dropped on it at `position`; true when the drop was taken.
bool dragAndDrop(QWidget *target, const QMimeData *data, QPoint position = {1, 1})
{
    QDragEnterEvent enter(position, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(position), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

} // namespace

using FileDrop = SpineTest;

TEST_F(FileDrop, DroppedFilesOpenAsDocumentsAndDroppedTextGoesIntoTheText)
{
    writeBytes(path(QStringLiteral("a.htm")), "<P>a");
    writeBytes(path(QStringLiteral("b.htm")), "<P>b");
    ScriptedInteraction ui;
    frmDocument *target = open(path(QStringLiteral("a.htm")));
    ASSERT_TRUE(target);

    enum class On { Frame, Text };
    struct Case
    {
        const char *what;
        On on;
        std::unique_ptr<QMimeData> data;
        QStringList openedAfter; // captions of the open documents
        QString targetText;
    };
    Case cases[] = {
        {"text on the text",
         On::Text,
         textData(QStringLiteral("X")),
         {path(QStringLiteral("a.htm"))},
         QStringLiteral("X<P>a")},
        {"a file on the text",
         On::Text,
         filesData({path(QStringLiteral("b.htm"))}),
         {path(QStringLiteral("a.htm")), path(QStringLiteral("b.htm"))},
         QStringLiteral("X<P>a")},
        {"an open file on the frame",
         On::Frame,
         filesData({path(QStringLiteral("a.htm"))}),
         {path(QStringLiteral("a.htm")), path(QStringLiteral("b.htm"))},
         QStringLiteral("X<P>a")},
    };
    for (Case &c : cases) {
        SCOPED_TRACE(c.what);
        QWidget *widget
            = c.on == On::Frame ? static_cast<QWidget *>(frame.get()) : target->txtText->viewport();
        EXPECT_TRUE(dragAndDrop(widget, c.data.get()));
        QStringList captions;
        for (frmDocument *doc : frame->documents())
            captions << doc->caption();
        EXPECT_EQ(captions, c.openedAfter);
        EXPECT_EQ(target->txtText->text(), c.targetText);
    }
}

TEST_F(FileDrop, TheFrameOpensEveryDroppedFileAndLetsTextPass)
{
    writeBytes(path(QStringLiteral("one.htm")), "1");
    writeBytes(path(QStringLiteral("two.htm")), "2");
    ScriptedInteraction ui;
    auto text = textData(QStringLiteral("just text"));
    EXPECT_FALSE(dragAndDrop(frame.get(), text.get()));
    EXPECT_TRUE(frame->documents().isEmpty());

    auto files = filesData({path(QStringLiteral("one.htm")), path(QStringLiteral("two.htm"))});
    EXPECT_TRUE(dragAndDrop(frame.get(), files.get()));
    ASSERT_EQ(frame->documents().size(), 2);
    EXPECT_EQ(frame->documents()[0]->txtText->text(), QStringLiteral("1"));
    EXPECT_EQ(frame->documents()[1]->txtText->text(), QStringLiteral("2"));
}

TEST_F(FileDrop, AMissingDroppedFileGetsTheNotFoundQuestion)
{
    ScriptedInteraction ui;
    ui.expectMessage(QStringLiteral("は見つかりません。"), Interaction::Answer::No);
    auto files = filesData({path(QStringLiteral("gone.htm"))});
    EXPECT_TRUE(dragAndDrop(frame.get(), files.get()));
    EXPECT_TRUE(frame->documents().isEmpty());
}
