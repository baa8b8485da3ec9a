#include "support/documentfixture.h"
#include "support/qstringprinter.h"
#include "support/scriptedinteraction.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMimeData>

#include <functional>

// Whatever the clipboard or a drop offers, pasting never ends the program: the text control
// pastes what it can read (rich text, plain text) and leaves everything else alone; the paste
// keys with nothing readable say what the clipboard holds, as the paste command does.

namespace {

const QString nothing = QStringLiteral("クリップボード上には何もありません。");
const QString bitmapOnly = QStringLiteral("クリップボード上にあるのはビットマップだけです。");

struct OfferCase
{
    const char *name;
    std::function<QMimeData *()> offer;
    QString pasted;  // "" nothing goes in; "?" something goes in, whatever it reads as
    QString message; // what the paste keys answer, empty for none
};

QMimeData *withData(const char *type, const QByteArray &bytes)
{
    auto *data = new QMimeData;
    data->setData(QString::fromLatin1(type), bytes);
    return data;
}

const QList<OfferCase> offers = {
    {"emptyMimeData", [] { return new QMimeData; }, "", nothing},
    {"imageOnly",
     [] {
         auto *data = new QMimeData;
         data->setImageData(QImage(4, 4, QImage::Format_RGB32));
         return data;
     },
     "", bitmapOnly},
    {"htmlOnly", [] { return withData("text/html", "<b>fett</b>"); }, "", nothing},
    {"markdownOnly",
     [] { return withData("text/markdown", "# Title\n\n| a | b |\n|---|---|\n| 1 | 2 |\n"); }, "",
     nothing},
    {"markdownBeforeText",
     [] {
         QMimeData *data = withData("text/markdown", "**bold**");
         data->setText(QStringLiteral("plain"));
         return data;
     },
     "plain",
     {}},
    {"unknownFormatOnly", [] { return withData("application/x-odd", QByteArray("\0\1\2", 3)); }, "",
     nothing},
    {"emptyFormatName", [] { return withData("", "x"); }, "", nothing},
    {"plainText",
     [] {
         auto *d = new QMimeData;
         d->setText(QStringLiteral("<i>日本</i>"));
         return d;
     },
     "<i>日本</i>",
     {}},
    {"garbledRichText",
     [] { return withData("text/rtf", QByteArray("{\\rtf1{{{\\\xff\xfe\\u-99999?\\'zz}")); },
     "?",
     {}},
    {"emptyRichTextUnderAnotherName",
     [] { return withData("application/rtf", QByteArray()); },
     "?",
     {}},
};

class Pasting : public DocumentFixture, public testing::WithParamInterface<OfferCase>
{
protected:
    void SetUp() override
    {
        DocumentFixture::SetUp();
        shared().blnTagColor = true;
        start();
    }

    // "xy" with the caret between, unchanged.
    void start()
    {
        text().setText(QStringLiteral("xy"));
        text().setSelStart(1);
        doc->blnFlgDirty = false;
        doc->blnCtrlKey = false;
        doc->blnPasteKey = false;
    }

    void sendKey(int key, Qt::KeyboardModifiers modifiers, const QString &typed)
    {
        QKeyEvent press(QEvent::KeyPress, key, modifiers, typed);
        QKeyEvent release(QEvent::KeyRelease, key, modifiers, typed);
        QApplication::sendEvent(&text(), &press);
        QApplication::sendEvent(&text(), &release);
    }

    // The text is "x" + what went in + "y".
    void expectPasted(const QString &pasted)
    {
        const QString now = text().text();
        ASSERT_TRUE(now.startsWith(u'x') && now.endsWith(u'y')) << now.toStdString();
        if (pasted == QLatin1String("?"))
            return;
        EXPECT_EQ(now, "x" + pasted + "y");
        EXPECT_EQ(text().selStart(), 1 + pasted.size());
        EXPECT_EQ(doc->blnFlgDirty, !pasted.isEmpty());
    }
};

TEST_P(Pasting, TheKeysPasteWhatTheyCanAndSayWhatTheClipboardHolds)
{
    const OfferCase &c = GetParam();
    const struct
    {
        const char *name;
        int key;
        Qt::KeyboardModifiers modifiers;
        QString typed;
    } keys[] = {{"Ctrl+V", Qt::Key_V, Qt::ControlModifier, QString(QChar(22))},
                {"Shift+Insert", Qt::Key_Insert, Qt::ShiftModifier, QString()}};
    for (const auto &key : keys) {
        SCOPED_TRACE(key.name);
        start();
        QGuiApplication::clipboard()->setMimeData(c.offer());
        {
            ScriptedInteraction ui;
            if (!c.message.isEmpty())
                ui.expectMessage(c.message);
            sendKey(key.key, key.modifiers, key.typed);
        }
        expectPasted(c.pasted);
        EXPECT_FALSE(doc->blnCtrlKey || doc->blnPasteKey)
            << "the flags of the paste key are cleared";
        EXPECT_FALSE(text().overwriteMode());
    }
}

TEST_P(Pasting, TheControlsOwnPasteTakesOnlyWhatItCanRead)
{
    const OfferCase &c = GetParam();
    QGuiApplication::clipboard()->setMimeData(c.offer());
    ScriptedInteraction ui; // no message: the control itself says nothing
    EXPECT_EQ(text().canPaste(), !c.pasted.isEmpty());
    text().paste();
    expectPasted(c.pasted);
}

TEST_P(Pasting, ADropTakesOnlyWhatTheControlCanRead)
{
    const OfferCase &c = GetParam();
    std::unique_ptr<QMimeData> data(c.offer());
    doc->resize(300, 150);
    doc->show();
    const QPoint at = text().cursorRect(text().cursorFor(1, 0)).center();
    ScriptedInteraction ui;
    QDragEnterEvent enter(at, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(text().viewport(), &enter);
    EXPECT_EQ(enter.isAccepted(), !c.pasted.isEmpty());
    if (enter.isAccepted()) {
        QDragMoveEvent move(at, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(text().viewport(), &move);
        EXPECT_TRUE(move.isAccepted());
        QDropEvent drop(at, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(text().viewport(), &drop);
    }
    expectPasted(c.pasted);
}

INSTANTIATE_TEST_SUITE_P(, Pasting, testing::ValuesIn(offers),
                         [](const testing::TestParamInfo<OfferCase> &info) {
                             return std::string(info.param.name);
                         });

TEST_F(Pasting, AnEmptyClipboardLeavesTheMenuPasteWorkingAfterwards)
{
    QGuiApplication::clipboard()->setMimeData(new QMimeData);
    {
        ScriptedInteraction ui;
        ui.expectMessage(nothing);
        sendKey(Qt::Key_V, Qt::ControlModifier, QString(QChar(22)));
    }
    QGuiApplication::clipboard()->setText(QStringLiteral("z"));
    sendKey(Qt::Key_V, Qt::ControlModifier, QString(QChar(22)));
    doc->run(QStringLiteral("mnuEditPaste_Click"));
    EXPECT_EQ(text().text(), QStringLiteral("xzzy"));
}

} // namespace
