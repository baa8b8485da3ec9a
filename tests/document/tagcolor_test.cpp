#include "document/tagcolor.h"

#include "support/documentfixture.h"

#include <QApplication>
#include <QTest>
#include <QTextDocument>

namespace {

enum class Route { FullPass, Insertion, Typing };

struct LookCase
{
    const char *name;
    Route route;
    QString text;
    QString expected; // see DocumentFixture::looks
};

class MarkupLooks : public DocumentFixture, public testing::WithParamInterface<LookCase>
{};

TEST_P(MarkupLooks, EachCharacterGetsItsColour)
{
    const LookCase &c = GetParam();
    shared().blnTagColor = true;
    switch (c.route) {
    case Route::FullPass:
        text().setText(c.text);
        Color_set(*doc);
        break;
    case Route::Insertion: InsertFragment(*doc, c.text); break;
    case Route::Typing:
        text().setFocus();
        QTest::keyClicks(&text(), c.text);
        break;
    }
    ASSERT_EQ(text().text(), c.text);
    EXPECT_EQ(looks(text()), c.expected.toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    , MarkupLooks,
    testing::Values(
        LookCase{"anchorAfterFullPass", Route::FullPass, R"(<A HREF="a.htm">link</A>)",
                 "RBBBBBBMMBBBBBMRKKKKRMBR"},
        LookCase{"loneSlashAndEquals", Route::FullPass, "1/2=x", "KMKMK"},
        LookCase{"entityAfterFullPass", Route::FullPass, "a&amp;b", "KKKKKKK"},
        LookCase{"entityInserted", Route::Insertion, "a&amp;b", "KKKKKMK"},
        LookCase{"entityTyped", Route::Typing, "a&amp;b", "KKKKKMK"},
        LookCase{"commentWithBracket", Route::FullPass, "<!-- a>b -->", "RBBBBBRKKKKR"},
        LookCase{"boldTagTyped", Route::Typing, "<B>x", "RBRK"},
        LookCase{"tagWithAttributeTyped", Route::Typing, R"(<a href="x">y)", "RBBBBBBMMBMRK"},
        LookCase{"fragmentInserted", Route::Insertion, R"(<A HREF="a.htm">)", "RBBBBBBMMBBBBBMR"}),
    [](const testing::TestParamInfo<LookCase> &info) { return std::string(info.param.name); });

// Watches for the progress window being shown.
class ShowWatcher : public QObject
{
public:
    int shown = 0;
    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (event->type() == QEvent::Show && object->objectName() == QLatin1String("frmProgress"))
            ++shown;
        return false;
    }
};

using ColorSet = DocumentFixture;

TEST_F(ColorSet, ShowsProgressOnlyForText)
{
    ShowWatcher watcher;
    qApp->installEventFilter(&watcher);
    Color_set(*doc);
    EXPECT_EQ(watcher.shown, 0);
    text().setText("<p>");
    Color_set(*doc);
    qApp->removeEventFilter(&watcher);
    EXPECT_EQ(watcher.shown, 1);
    EXPECT_EQ(doc->findChild<QWidget *>("frmProgress"), nullptr); // gone afterwards
}

TEST_F(ColorSet, IsOneUndoableStepAndLeavesTheCaretAtTheEnd)
{
    text().setText("<p>\r\na");
    Color_set(*doc);
    EXPECT_EQ(text().selStart(), 6);
    EXPECT_EQ(text().selLength(), 0);
    EXPECT_EQ(looks(text(), 0, 3), "RBR");
    text().document()->undo();
    EXPECT_EQ(looks(text(), 0, 3), "KKK");
    EXPECT_EQ(text().text(), "<p>\r\na");
}

TEST_F(ColorSet, KeepsTheBoldOfTextAndTagBodies)
{
    text().setText("ab<c>");
    text().select(0, 1);
    text().setSelBold(true);
    Color_set(*doc);
    EXPECT_EQ(looks(text()), "kKRBR");
}

using Insertion = DocumentFixture;

TEST_F(Insertion, LeavesTheClipboardAsItWasWithOrWithoutColouring)
{
    for (bool colouring : {true, false}) {
        shared().blnTagColor = colouring;
        clipboardSetText("copied");
        text().setText("abc");
        text().select(1, 1);
        InsertFragment(*doc, "<B>");
        EXPECT_EQ(text().text(), "a<B>c");
        EXPECT_EQ(text().selStart(), 4);
        EXPECT_EQ(text().selLength(), 0);
        EXPECT_EQ(looks(text(), 1, 3), colouring ? "RBR" : "KKK");

        EXPECT_EQ(clipboardGetText(ClipboardFormat::Text), "copied");
        EXPECT_FALSE(clipboardHasFormat(ClipboardFormat::Rtf));
    }
}

TEST_F(Insertion, EmptyFragmentRemovesTheSelectionAndNotPastesTheClipboard)
{
    clipboardSetText("{\\rtf1 old}", ClipboardFormat::Rtf);
    const QString before = clipboardGetText(ClipboardFormat::Rtf);
    text().setText("abc");
    text().select(1, 1);
    InsertFragment(*doc, QString());
    EXPECT_EQ(text().text(), "ac");
    EXPECT_EQ(clipboardGetText(ClipboardFormat::Rtf), before);
}

TEST_F(Insertion, LineBreaksArriveAsLineBreaks)
{
    shared().blnTagColor = true;
    for (const QString fragment : {"<P>\r\n<BR>", "<P>\n<BR>", "<P>\r<BR>"}) {
        text().setText("x");
        text().setSelStart(1);
        InsertFragment(*doc, fragment);
        EXPECT_EQ(text().text(), "x<P>\r\n<BR>");
        EXPECT_EQ(text().selStart(), 10);
    }
}

TEST_F(Insertion, ALongFragmentIsOneUndoStepAndCopiesAsItWasInserted)
{
    shared().blnTagColor = true;
    QString fragment;
    for (int i = 0; i < 20000; ++i)
        fragment += QStringLiteral("\t<TD>セル%1</TD>\r\n").arg(i);
    text().setText("ab");
    text().setSelStart(1);
    InsertFragment(*doc, fragment);
    ASSERT_EQ(text().text(), "a" + fragment + "b");
    EXPECT_EQ(text().selStart(), 1 + fragment.size());
    // The last cell, far past any 16-bit position: brackets red and bold, the name blue, the
    // text black; the line break looks like the bracket before it.
    const int cell = 1 + int(fragment.lastIndexOf("<TD>"));
    EXPECT_EQ(looks(text(), cell, 18), "RBBRKKKKKKKRMBBRRR");

    // Copied as rich text, the fragment carries the looks it was inserted with.
    text().select(1, int(fragment.size()));
    RichTextBox pasted;
    pasted.setSelRtf(text().selRtf());
    ASSERT_EQ(pasted.text(), fragment);
    EXPECT_EQ(looks(pasted, cell - 1, 18), looks(text(), cell, 18));
    EXPECT_FALSE(clipboardHasFormat(ClipboardFormat::Rtf));

    text().document()->undo();
    EXPECT_EQ(text().text(), "ab");
}

TEST_F(Insertion, WhatWasCopiedBeforeIsWhatThePasteAfterwardsInserts)
{
    shared().blnTagColor = true;
    text().setText("<I>x</I>");
    text().select(0, 3);
    doc->run("mnuEditCopy_Click");
    text().setSelStart(text().textLength());
    InsertFragment(*doc, "<B>");
    doc->run("mnuEditPaste_Click");
    EXPECT_EQ(text().text(), "<I>x</I><B><I>");
    // The copy carries its own looks (uncoloured here), not the fragment's.
    EXPECT_EQ(looks(text(), 11, 3), "KKK");
}

using LiveTyping = DocumentFixture;

// Counts the pixels of the view whose colour is mostly `channel` (red, green or blue).
int pixelsMostly(const QImage &image, int channel)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            const int values[] = {c.red(), c.green(), c.blue()};
            const int others = values[(channel + 1) % 3] + values[(channel + 2) % 3];
            count += values[channel] > 150 && others < 120;
        }
    }
    return count;
}

TEST_F(LiveTyping, TypedMarkupIsDrawnInItsColours)
{
    shared().blnTagColor = true;
    doc->resize(300, 120);
    doc->show();
    text().setFocus();
    QTest::keyClicks(&text(), "<B>");
    const QImage typed = text().viewport()->grab().toImage();
    EXPECT_GT(pixelsMostly(typed, 0), 0) << "red brackets";
    EXPECT_GT(pixelsMostly(typed, 2), 0) << "a blue tag name";
    // Undone, the text and its colours are gone from the view as well.
    while (!text().text().isEmpty() && text().document()->isUndoAvailable())
        text().document()->undo();
    const QImage undone = text().viewport()->grab().toImage();
    EXPECT_EQ(pixelsMostly(undone, 0) + pixelsMostly(undone, 2), 0);
}

TEST_F(LiveTyping, ArrowKeysTakeTheTagStateFromTheText)
{
    shared().blnTagColor = true;
    text().setText("<a>b");
    Color_set(*doc);
    text().setSelStart(3);
    QTest::keyClick(&text(), Qt::Key_Left);
    EXPECT_TRUE(doc->blnInTag);
    QTest::keyClicks(&text(), "x");
    EXPECT_EQ(text().text(), "<ax>b");
    EXPECT_EQ(looks(text(), 2, 1), "B");
    QTest::keyClick(&text(), Qt::Key_Right);
    QTest::keyClick(&text(), Qt::Key_Right);
    EXPECT_FALSE(doc->blnInTag);
    QTest::keyClicks(&text(), "y");
    EXPECT_EQ(looks(text(), 5, 1), "K");
}

TEST_F(LiveTyping, BackspaceOverABracketLeavesTheTag)
{
    shared().blnTagColor = true;
    QTest::keyClicks(&text(), "a<");
    QTest::keyClick(&text(), Qt::Key_Backspace);
    QTest::keyClicks(&text(), "b");
    EXPECT_EQ(text().text(), "ab");
    EXPECT_EQ(looks(text()), "KK");
}

TEST_F(LiveTyping, OffLeavesTypedTextBlack)
{
    QTest::keyClicks(&text(), "<a>");
    EXPECT_EQ(looks(text()), "KKK");
}

} // namespace
