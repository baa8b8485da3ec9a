#include "support/qstringprinter.h"
#include "support/spinefixture.h"

#include <QApplication>
#include <QTest>
#include <QTextDocument>

#include <functional>

// A coloured page opens as it is: its colours are not an edit, so undo has nothing to take
// away, and the first edit's undo takes away only that edit.

namespace {

// Colour and bold of every character, "rrggbb" or "RRGGBB" (bold) per character.
std::string coloursOf(RichTextBox &box)
{
    std::string out;
    const int caretStart = box.selStart();
    const int caretLength = box.selLength();
    for (int i = 0; i < box.textLength(); ++i) {
        box.select(i, 1);
        const int c = box.selColor();
        QString hex = QStringLiteral("%1%2%3 ")
                          .arg(c & 0xFF, 2, 16, QLatin1Char('0'))
                          .arg((c >> 8) & 0xFF, 2, 16, QLatin1Char('0'))
                          .arg((c >> 16) & 0xFF, 2, 16, QLatin1Char('0'));
        out += (box.selBold() ? hex.toUpper() : hex).toStdString();
    }
    box.select(caretStart, caretLength);
    return out;
}

void pressUndo(RichTextBox &box)
{
    QTest::keyClick(&box, Qt::Key_Z, Qt::ControlModifier);
}

class OpenedPage : public SpineTest
{
protected:
    void SetUp() override
    {
        SpineTest::SetUp();
        SettingsStore::set(QStringLiteral("Settings"), QStringLiteral("TagColor"),
                           QStringLiteral("True"));
    }

    // Ctrl+Z on a page just opened changes nothing; typing then two Ctrl+Z take only the
    // typing away.
    void expectOpenedAsItIs(frmDocument *doc)
    {
        ASSERT_TRUE(doc);
        RichTextBox &box = *doc->txtText;
        const QString text = box.text();
        const std::string colours = coloursOf(box);
        ASSERT_NE(colours.find("FF0000"), std::string::npos) << "the page is coloured: " << colours;
        EXPECT_FALSE(box.document()->isUndoAvailable());
        EXPECT_EQ(box.selStart(), 0);

        box.setFocus();
        pressUndo(box);
        EXPECT_EQ(box.text(), text);
        EXPECT_EQ(coloursOf(box), colours);
        EXPECT_FALSE(doc->blnFlgDirty);

        box.setSelStart(0);
        QTest::keyClicks(&box, "x");
        pressUndo(box);
        pressUndo(box);
        EXPECT_EQ(box.text(), text);
        EXPECT_EQ(coloursOf(box), colours);
    }
};

TEST_F(OpenedPage, AFileReadFromDisk)
{
    const QString file = path(QStringLiteral("page.htm"));
    writeBytes(
        file,
        "<HTML>\r\n<H1 align=\"center\">\x8c\xa9\x8f\x6f\x82\xb5</H1>\r\n<P>a&amp;b</P>\r\n</HTML>\r\n");
    expectOpenedAsItIs(open(file));
}

TEST_F(OpenedPage, ANewPageFromTheTemplate)
{
    ScriptedInteraction ui;
    expectOpenedAsItIs(newDocument(ui));
}

TEST_F(OpenedPage, AFileReadAgainInAnotherEncoding)
{
    const QString file = path(QStringLiteral("utf8.htm"));
    writeBytes(file, "<P>\xe6\x97\xa5\xe6\x9c\xac</P>\r\n");
    frmDocument *doc = open(file);
    ASSERT_TRUE(doc);
    ScriptedInteraction ui;
    ui.expectChoice(QStringLiteral("UTF-8"));
    doc->run(QStringLiteral("mnuFileReopenEncoding_Click"));
    EXPECT_EQ(doc->txtText->text(), QStringLiteral("<P>日本</P>\r\n"));
    expectOpenedAsItIs(doc);
}

} // namespace
