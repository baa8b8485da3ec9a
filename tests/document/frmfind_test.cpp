#include "document/frmfind.h"

#include "document/tagcolor.h"
#include "support/documentfixture.h"
#include "support/scriptedinteraction.h"
#include "support/spinefixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>

namespace {

const QString NotFound = QStringLiteral("検索文字列は見つかりません。");
const QString TypeSomething = QStringLiteral("検索文字列を入力してください!");

class FindWindow : public DocumentFixture
{
protected:
    void SetUp() override
    {
        DocumentFixture::SetUp();
        active = doc;
        find = new frmFind([this] { return active; });
    }

    void TearDown() override
    {
        delete find.data();
        delete other;
        DocumentFixture::TearDown();
    }

    // Types `what` afresh (which enables "検索開始(&S)" again) and presses that button.
    void search(const QString &what)
    {
        find->Text1->clear();
        find->Text1->setText(what);
        find->cmdFind->click();
    }

    // Start and length of the active document's selection.
    std::pair<int, int> selection() const
    {
        return {active->txtText->selStart(), active->txtText->selLength()};
    }

    frmDocument *active = nullptr;
    frmDocument *other = nullptr; // a second document, made by tests that need one
    QPointer<frmFind> find;
};

TEST_F(FindWindow, OpensReadyToSearchOnly)
{
    EXPECT_EQ(find->windowTitle(), "検索");
    EXPECT_TRUE(find->windowFlags().testFlag(Qt::Tool));
    EXPECT_TRUE(find->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_EQ(find->focusWidget(), find->Text1);
    EXPECT_TRUE(find->cmdFind->isEnabled());
    for (QWidget *control : std::initializer_list<QWidget *>{find->cmdNext, find->Label2,
                                                             find->txtRep, find->cmdRepAll})
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
}

TEST_F(FindWindow, IgnoresCaseUnlessAsked)
{
    ScriptedInteraction ui;
    text().setText("<TABLE>");
    search("table");
    EXPECT_EQ(selection(), std::make_pair(1, 5));

    text().setSelStart(0);
    find->chkCase->setChecked(true);
    ui.expectMessage(NotFound);
    search("table");
    ASSERT_EQ(ui.log().size(), 1);
    EXPECT_EQ(ui.lastPrompt().message.title, "検索");
    EXPECT_EQ(ui.lastPrompt().message.icon, Interaction::Icon::Warning);
    EXPECT_EQ(selection(), std::make_pair(0, 0)); // left as it was
}

TEST_F(FindWindow, NextAfterTheLastMatchReportsAndFindStartsAtTheTop)
{
    ScriptedInteraction ui;
    text().setText("ab ab");
    text().setSelStart(5); // the search starts at the top wherever the caret is
    search("ab");
    EXPECT_EQ(selection(), std::make_pair(0, 2));
    EXPECT_FALSE(find->cmdFind->isEnabled());
    find->cmdNext->click();
    EXPECT_EQ(selection(), std::make_pair(3, 2));
    EXPECT_TRUE(find->cmdNext->isEnabled()); // the same text put back is no change
    ui.expectMessage(NotFound);
    find->cmdNext->click();
    EXPECT_FALSE(find->cmdNext->isEnabled());
    EXPECT_TRUE(find->cmdFind->isEnabled());
    find->cmdFind->click();
    EXPECT_EQ(selection(), std::make_pair(0, 2));
    // Editing the search text offers a new search.
    find->Text1->setText("b");
    EXPECT_TRUE(find->cmdFind->isEnabled());
    EXPECT_FALSE(find->cmdNext->isEnabled());
}

TEST_F(FindWindow, EmptySearchTextAsksForOne)
{
    ScriptedInteraction ui;
    text().setText("ab");
    for (QPushButton *button : {find->cmdFind, find->cmdRepAll}) {
        button->setEnabled(true);
        ui.expectMessage(TypeSomething);
        button->click();
        EXPECT_EQ(ui.lastPrompt().message.icon, Interaction::Icon::Warning);
        EXPECT_EQ(text().text(), "ab");
        EXPECT_EQ(selection(), std::make_pair(0, 0));
    }
}

TEST_F(FindWindow, FindsMatchesAnywhereInALongPage)
{
    const QString line = QStringLiteral("<P>abc</P>\r\n");
    auto filler
        = [&](int atLeast) { return line.repeated((atLeast + line.size() - 1) / line.size()); };
    QString page = filler(40000);
    const int first = int(page.size());
    page += "needle" + filler(30000);
    const int second = int(page.size());
    page += "NEEDLE" + filler(20000);
    const int last = int(page.size());
    page += "needle";
    ASSERT_GT(first, 40000);
    ASSERT_GT(second, 70000);
    text().setText(page);

    search("needle");
    EXPECT_EQ(selection(), std::make_pair(first, 6));
    find->cmdNext->click();
    EXPECT_EQ(selection(), std::make_pair(second, 6));
    EXPECT_EQ(text().selText(), "NEEDLE");
    find->cmdNext->click();
    EXPECT_EQ(selection(), std::make_pair(last, 6));
    EXPECT_EQ(text().selText(), "needle");
}

TEST_F(FindWindow, ReplacingDoesNotMoveOnButNextDoes)
{
    text().setText("ab ab");
    search("ab");
    // The first press only opens the replacement box.
    find->cmdRep->click();
    EXPECT_EQ(text().text(), "ab ab");
    for (QWidget *control : std::initializer_list<QWidget *>{find->Label2, find->txtRep,
                                                             find->cmdNext, find->cmdRepAll})
        EXPECT_TRUE(control->isEnabled()) << control->objectName().toStdString();
    EXPECT_EQ(find->focusWidget(), find->txtRep);
    find->txtRep->setText("ab!");
    find->cmdRep->click();
    EXPECT_EQ(text().text(), "ab! ab");
    EXPECT_EQ(selection(), std::make_pair(0, 3));
    // The replacement holds the search string: the next press finds the same place.
    find->cmdRep->click();
    EXPECT_EQ(text().text(), "ab!! ab");
    find->cmdNext->click();
    EXPECT_EQ(selection(), std::make_pair(5, 2));
    find->cmdRep->click();
    EXPECT_EQ(text().text(), "ab!! ab!");
}

TEST_F(FindWindow, ReplaceAllFromThePositionInOneUndoableStep)
{
    text().setText("a1 a2 A3\r\na4");
    search("a");
    find->cmdNext->click(); // Position 3
    find->cmdRep->click();
    find->txtRep->setText("[a]"); // holds the search string: replaced once, not again
    QSignalSpy notes(find.data(), &frmFind::statusNote);
    find->cmdRepAll->click();
    EXPECT_EQ(text().text(), "a1 [a]2 [a]3\r\n[a]4");
    ASSERT_EQ(notes.size(), 1);
    EXPECT_EQ(notes.first().first().toString(), "3 件置換しました。");
    EXPECT_EQ(selection(), std::make_pair(17, 0)); // after the last replacement
    text().undo();
    EXPECT_EQ(text().text(), "a1 a2 A3\r\na4");
}

TEST_F(FindWindow, ReplaceAllKeepsTheColoursAroundAndReportsNoMatch)
{
    ScriptedInteraction ui;
    shared().blnTagColor = true;
    text().setText("<B>x</B> x");
    Color_set(*doc);
    find->Text1->setText("x");
    find->cmdRep->click();
    find->txtRep->setText("yy");
    find->cmdRepAll->click();
    EXPECT_EQ(text().text(), "<B>yy</B> yy");
    EXPECT_EQ(looks(text()), "RBRKKRMBRKKK");
    ui.expectMessage(NotFound);
    find->cmdRepAll->click();
    EXPECT_EQ(text().text(), "<B>yy</B> yy");
}

// A replacement is coloured as its own markup where it stands: replacing "<B>" by "<I>" does not
// paint "<I>" wholly in the colour of the old "<", and ﾀｸﾞの色を再表示 first changes nothing.
TEST_F(FindWindow, ReplacementsTakeTheLooksOfTheirMarkup)
{
    ScriptedInteraction ui;
    shared().blnTagColor = true;
    text().setText("<B>x</B> <B>y");
    doc->run(QStringLiteral("mnuViewTagColor_Click"));
    find->Text1->setText("<B>");
    find->cmdRep->click();
    find->txtRep->setText("<I =1>");
    find->cmdRepAll->click();
    EXPECT_EQ(text().text(), "<I =1>x</B> <I =1>y");
    EXPECT_EQ(looks(text()), "RBBMBRKRMBRKRBBMBRK");

    text().setText("<P>a</P>");
    Color_set(*doc);
    search("<P>");
    find->txtRep->setText("<BR>");
    find->cmdRep->click();
    EXPECT_EQ(text().text(), "<BR>a</P>");
    EXPECT_EQ(looks(text()), "RBBRKRMBR");
}

// A coloured page of over 400,000 characters beginning and ending with the search string,
// with thousands of matches between, some across line breaks: replace all gives the text that a
// plain replace of the string gives, each replacement and the text around it the colours a
// fresh colouring of that text gives, the caret after the last replacement, and undo and redo
// take text and colours back and forth as one step.
TEST_F(FindWindow, ReplaceAllOnALongColouredPageAgreesWithAPlainReplace)
{
    const struct
    {
        const char *what;
        const char *with;
    } cases[] = {
        {"<TD", "<td"},                   // same length
        {"</TD>\r\n", "</TD>"},           // across a line break: lines join
        {"\r\n", "<BR>\r\n\r\n"},         // every line break, each into two
        {"のお店", ""},                   // removed
        {"bgcolor", "BGCOLOR=\"red\" x"}, // longer, with punctuation inside the tag
    };
    QString body;
    for (int i = 0; body.size() < 400000; ++i)
        body += QStringLiteral("<TR><TD bgcolor=\"#ffcc00\">山田%1のお店</TD>\r\n"
                               "<TD><A href=\"p%1.html\">次へ</A></TD></TR>\r\n")
                    .arg(i);
    other = new frmDocument;
    shared().blnTagColor = true; // after the new window's load, which reads the settings
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QString what = QString::fromUtf8(c.what);
        const QString with = QString::fromUtf8(c.with);
        const QString page = what + body + what;
        text().setText(page);
        Color_set(*doc);
        const QString looksBefore = textAndLooks(text());

        QString expected = page;
        expected.replace(what, with);
        other->txtText->setText(expected);
        Color_set(*other);
        const QString looksExpected = textAndLooks(*other->txtText);

        find->Text1->setText(what);
        find->chkCase->setChecked(true);
        if (!find->cmdRepAll->isEnabled())
            find->cmdRep->click();
        find->txtRep->setText(with);
        find->Position = 0;
        find->cmdRepAll->click();
        ASSERT_TRUE(text().text() == expected);
        // The page ends with a match: the caret ends at the end.
        EXPECT_EQ(selection(), std::make_pair(int(expected.size()), 0));
        EXPECT_TRUE(textAndLooks(text()) == looksExpected);

        expectUndoAndRedoRoundTrip(page, looksBefore, expected, looksExpected);
    }
}

TEST_F(FindWindow, EachPressActsOnTheDocumentActiveThen)
{
    text().setText("ab ab");
    search("ab");
    find->cmdNext->click(); // Position 3
    other = new frmDocument;
    other->txtText->setText("ab ab ab");
    active = other;
    find->cmdNext->click(); // from 4 in the other document
    EXPECT_EQ(selection(), std::make_pair(6, 2));
    EXPECT_EQ(doc->txtText->selStart(), 3);
    active = nullptr; // no document: the buttons do nothing
    find->cmdNext->click();
    find->cmdRep->click();
    find->cmdRep->click();
    EXPECT_EQ(other->txtText->text(), "ab ab ab");
}

TEST_F(FindWindow, ClosingLeavesThePlainInsertionPointButNotTheSelectedText)
{
    text().setText("ab");
    text().setSelStart(1);
    text().setSelBold(true);
    text().setSelColor(TextColor::Red);
    find->show();
    find->close();
    EXPECT_FALSE(text().selBold());
    EXPECT_EQ(text().selColor(), TextColor::Black);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(find.isNull()); // discarded

    find = new frmFind([this] { return active; });
    shared().blnTagColor = true;
    text().setText("<B>");
    Color_set(*doc);
    search("B");
    find->cmdExit->click();
    EXPECT_EQ(looks(text()), "RBR");
}

using FindCommand = SpineTest;

TEST_F(FindCommand, OneWindowAboveTheFrameFollowsTheActiveDocument)
{
    writeBytes(path("a.htm"), "ab ab");
    writeBytes(path("b.htm"), "xx ab");
    frmDocument *a = open(path("a.htm"));
    frmDocument *b = open(path("b.htm"));
    ASSERT_TRUE(a && b);
    frame->mdiArea->setActiveSubWindow(a);
    ASSERT_TRUE(a->run("mnuEditFind_Click"));
    ASSERT_TRUE(a->run("mnuEditFind_Click"));
    const QList<frmFind *> windows = frame->findChildren<frmFind *>();
    ASSERT_EQ(windows.size(), 1);
    frmFind *find = windows.first();
    EXPECT_TRUE(find->isVisible());
    EXPECT_EQ(find->parentWidget(), frame.get());

    find->Text1->setText("ab");
    find->cmdFind->click();
    EXPECT_EQ(a->txtText->selLength(), 2);
    frame->mdiArea->setActiveSubWindow(b);
    find->cmdRep->click();
    find->txtRep->setText("c");
    find->cmdRepAll->click(); // from Position 0 in b
    EXPECT_EQ(b->txtText->text(), "xx c");
    EXPECT_EQ(a->txtText->text(), "ab ab");
    EXPECT_EQ(frame->sbStatusBar->currentMessage(), "1 件置換しました。");
    find->close();
}

} // namespace
