#include "document/typinghelp.h"

#include "core/settings.h"
#include "document/linejump.h"
#include "document/linenumbergutter.h"
#include "document/tagcolor.h"
#include "support/documentfixture.h"
#include "support/qstringprinter.h"
#include "support/scriptedinteraction.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>

namespace {

struct Shown
{
    QString text;     // "|" at the caret
    QStringList list; // empty while the list is hidden
};

} // namespace

class TypingHelpTest : public DocumentFixture
{
protected:
    void SetUp() override
    {
        DocumentFixture::SetUp();
        text().setTypingClock([this] { return now; });
        doc->resize(700, 400);
        doc->show();
        help().setOptions(TypingHelpOptions{});
        text().setFocus();
    }

    TypingHelp &help() { return *doc->typingHelp; }
    QListWidget &list() { return *help().list(); }

    void start(const QString &content, int caret = -1)
    {
        text().setText(content);
        text().select(caret < 0 ? text().textLength() : caret, 0);
        text().document()->clearUndoRedoStacks();
        doc->blnInTag = false;
        doc->blnTagMark = false;
    }

    void type(const QString &characters)
    {
        for (QChar c : characters) {
            now += 100;
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(&text(), &press);
            QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(&text(), &release);
        }
    }

    void key(Qt::Key code, Qt::KeyboardModifiers modifiers = {})
    {
        now += 100;
        QTest::keyClick(&text(), code, modifiers);
    }

    void preedit(const QString &composing)
    {
        QInputMethodEvent event(composing,
                                {{QInputMethodEvent::Cursor, int(composing.size()), 1, {}}});
        QApplication::sendEvent(&text(), &event);
    }

    void commit(const QString &committed)
    {
        QInputMethodEvent event;
        event.setCommitString(committed);
        QApplication::sendEvent(&text(), &event);
    }

    Shown shown()
    {
        Shown s;
        s.text = text().text();
        s.text.insert(text().selStart(), u'|');
        if (list().isVisible())
            for (int i = 0; i < list().count(); ++i)
                s.list << list().item(i)->text();
        return s;
    }

    qint64 now = 1000000;
};

TEST_F(TypingHelpTest, EnterTabAndEscapeAnswerTheList)
{
    struct Case
    {
        const char *typed;
        Qt::Key key; // Qt::Key_unknown: none
        bool lowerCase;
        const char *expected;
        bool listAfter;
    };
    const Case cases[] = {
        {"<TA", Qt::Key_Return, false, "<TABLE|", false},
        {"<ta", Qt::Key_Return, false, "<TABLE|", false},
        {"<ta", Qt::Key_Tab, true, "<table|", false},
        {"<TA", Qt::Key_Escape, false, "<TA|", false},
        {"<TABLE b", Qt::Key_Tab, false, "<TABLE border=\"|\"", false},
        {"<TD align=\"", Qt::Key_Down, false, "<TD align=\"|", true},
        {"<TD align=\"ri", Qt::Key_Return, false, "<TD align=\"right\"|", false},
        {"<TABLE><TR><TD>x</", Qt::Key_Return, false, "<TABLE><TR><TD>x</TD>|", false},
        {"<table><tr><td>x</td></", Qt::Key_Enter, true, "<table><tr><td>x</td></tr>|", false},
    };
    for (const Case &c : cases) {
        TypingHelpOptions options;
        options.lowerCase = c.lowerCase;
        help().setOptions(options);
        start({});
        type(QString::fromUtf8(c.typed));
        EXPECT_TRUE(list().isVisible()) << c.typed;
        key(c.key);
        EXPECT_EQ(shown().text, QString::fromUtf8(c.expected)) << c.typed;
        EXPECT_EQ(list().isVisible(), c.listAfter) << c.typed;
    }
    // Once the list is gone, Enter is a line break again.
    start({});
    type("<TA");
    key(Qt::Key_Escape);
    key(Qt::Key_Return);
    EXPECT_EQ(shown().text, "<TA\r\n|");
}

TEST_F(TypingHelpTest, ListFollowsTheTypingAndTheCaret)
{
    start({});
    type("<T");
    const QStringList first = shown().list;
    EXPECT_TRUE(first.contains("TABLE") && first.contains("TD") && first.contains("TR"));
    type("A");
    EXPECT_EQ(shown().list, QStringList{"TABLE"});
    key(Qt::Key_Backspace);
    EXPECT_EQ(shown().list, first); // filtering goes back with the typing
    type("X");
    EXPECT_TRUE(shown().list.isEmpty()); // nothing starts so
    type(" ");
    EXPECT_TRUE(shown().list.contains("id"));
    key(Qt::Key_Left); // the caret moved away
    EXPECT_TRUE(shown().list.isEmpty());
    // The list of attributes leaves out those the tag has.
    start({});
    type("<TD align=\"left\" ");
    EXPECT_FALSE(shown().list.contains("align"));
    EXPECT_TRUE(shown().list.contains("valign"));
    // With the option off nothing opens.
    TypingHelpOptions off;
    off.completion = false;
    help().setOptions(off);
    start({});
    type("<TA");
    EXPECT_FALSE(list().isVisible());
}

TEST_F(TypingHelpTest, NoListInsideCommentsScriptsAndStyles)
{
    for (const char *page : {"<!-- ", "<!-- a\r\nb\r\n", "<SCRIPT>\r\nif (a ", "<style>\r\np "}) {
        start(QString::fromUtf8(page));
        type("<TA");
        EXPECT_FALSE(list().isVisible()) << page;
        EXPECT_EQ(text().text(), QString::fromUtf8(page) + "<TA") << page;
    }
    start("<!-- a -->\r\n<SCRIPT>x</SCRIPT>\r\n");
    type("<TA");
    EXPECT_TRUE(list().isVisible());
}

TEST_F(TypingHelpTest, InputMethodCompositionIsNeverDisturbed)
{
    start("x");
    type("<TA");
    ASSERT_TRUE(list().isVisible());
    // Composing starts: the list goes, and the keys of the composition stay with it.
    preedit(QStringLiteral("て"));
    EXPECT_FALSE(list().isVisible());
    key(Qt::Key_Return);
    EXPECT_TRUE(text().text().startsWith("x<TA")) << text().text().toStdString();
    preedit(QStringLiteral("てーぶる"));
    commit(QStringLiteral("テーブル"));
    EXPECT_FALSE(list().isVisible());
    // A commit goes in exactly as committed, even where the list would offer something.
    start("x");
    type("<");
    commit(QStringLiteral("ＴＡ表"));
    EXPECT_EQ(text().text(), QStringLiteral("x<ＴＡ表"));
    start("x");
    commit(QStringLiteral("<TA"));
    EXPECT_EQ(text().text(), QStringLiteral("x<TA"));
    EXPECT_TRUE(list().isVisible()); // an input method in direct mode types as the keys do
    preedit(QStringLiteral("あ"));
    commit(QStringLiteral("あ"));
    EXPECT_EQ(text().text(), QStringLiteral("x<TAあ"));
}

TEST_F(TypingHelpTest, ClosingTagsGoInWithTheTypedTagAsOneUndoStep)
{
    TypingHelpOptions options;
    options.closingTags = true;
    help().setOptions(options);
    start("x");
    type("<T");
    list().setCurrentItem(list().findItems("TD", Qt::MatchExactly).value(0));
    key(Qt::Key_Return);
    EXPECT_EQ(shown().text, "x<TD>|</TD>");
    text().undoStep();
    EXPECT_EQ(text().text(), "x");
    text().undoStep(true);
    EXPECT_EQ(text().text(), "x<TD></TD>");
    // An element without an end tag gets none.
    start({});
    type("<BR");
    key(Qt::Key_Return);
    EXPECT_EQ(shown().text, "<BR|");
    // Off (as it starts), only the name goes in.
    help().setOptions(TypingHelpOptions{});
    start({});
    type("<TD");
    key(Qt::Key_Return);
    EXPECT_EQ(shown().text, "<TD|");
}

TEST_F(TypingHelpTest, AcceptedNamesTakeTheColoursOfTheColouringPass)
{
    shared().blnTagColor = true;
    TypingHelpOptions options;
    options.closingTags = true;
    help().setOptions(options);
    struct Case
    {
        const char *typed;
        const char *item;  // accepted
        const char *after; // typed after accepting
    };
    const Case cases[] = {
        {"a<T", "TD", "x"},
        {"<TABLE b", "border", "1"},
        {"<TD align=\"c", "center", ">y"},
        {"<B>b</", "B", "z"},
    };
    for (const Case &c : cases) {
        start({});
        type(QString::fromUtf8(c.typed));
        ASSERT_TRUE(list().isVisible()) << c.typed;
        list().setCurrentItem(
            list().findItems(QString::fromUtf8(c.item), Qt::MatchExactly).value(0));
        key(Qt::Key_Return);
        type(QString::fromUtf8(c.after));
        const QString written = text().text();
        const std::string typed = looks(text());
        text().colorWithoutUndo([this] { Color_set(*doc); });
        EXPECT_EQ(typed, looks(text())) << written.toStdString();
    }
}

namespace {

// The stretches with a background, in text positions.
QList<std::pair<int, int>> marked(RichTextBox &box)
{
    QList<std::pair<int, int>> found;
    for (const QTextEdit::ExtraSelection &mark : box.extraSelections()) {
        const int start = box.fromDocumentPosition(mark.cursor.selectionStart());
        found.append({start, box.fromDocumentPosition(mark.cursor.selectionEnd()) - start});
    }
    std::sort(found.begin(), found.end());
    return found;
}

} // namespace

TEST_F(TypingHelpTest, MatchingTagsGetABackgroundAndTheTextStaysAsItWas)
{
    shared().blnTagColor = true;
    const QString page = "<DIV>\r\n<P>one\r\n<TABLE><TR><TD>a</TD></TD></TR></TABLE>\r\n</DIV>";
    start(page, 0);
    const Look before = text().lookAt(1);
    doc->blnFlgDirty = false;
    QSignalSpy changes(&text(), &RichTextBox::changed);
    text().select(2, 0);
    EXPECT_EQ(marked(text()), (QList<std::pair<int, int>>{{1, 3}, {int(page.size()) - 4, 3}}));
    text().select(page.indexOf("</TD></TD>") + 7, 0); // a stray end tag: no partner
    EXPECT_TRUE(marked(text()).isEmpty());
    text().select(page.indexOf("<P>") + 1, 0); // an unclosed P
    EXPECT_TRUE(marked(text()).isEmpty());
    text().select(page.indexOf("one"), 0); // in the text
    EXPECT_TRUE(marked(text()).isEmpty());
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(text().lookAt(1), before);
    EXPECT_FALSE(doc->blnFlgDirty);

    // The command jumps to the partner and back.
    text().select(page.indexOf("<TABLE>") + 2, 0);
    ASSERT_TRUE(doc->run("mnuEditMatchTag_Click"));
    EXPECT_EQ(text().selStart(), page.indexOf("</TABLE>") + 2);
    doc->run("mnuEditMatchTag_Click");
    EXPECT_EQ(text().selStart(), page.indexOf("<TABLE>") + 1);
}

TEST_F(TypingHelpTest, MatchingTagsAcrossAHugePageStayWithinTheirWindow)
{
    // 10 MB of lines between two tags: neither the background nor the jump looks that far, while
    // a pair in the middle of the page is found at once.
    const QString line = "<P>" + QString(96, u'あ') + "\r\n";
    const QString lines = line.repeated(5 * 1024 * 1024 / line.size());
    const QString page = "<DIV>\r\n" + lines + "<B>x</B>\r\n" + lines + "</DIV>";
    start(page, 0);
    text().select(2, 0);
    EXPECT_TRUE(marked(text()).isEmpty());
    EXPECT_FALSE(help().goToMatchingTag());
    const int middle = int(page.indexOf("<B>x</B>"));
    text().select(middle + 1, 0);
    EXPECT_EQ(marked(text()), (QList<std::pair<int, int>>{{middle + 1, 1}, {middle + 6, 1}}));
    EXPECT_TRUE(help().goToMatchingTag());
    EXPECT_EQ(text().selStart(), middle + 6);
}

TEST_F(TypingHelpTest, GutterNumbersAgreeWithTheStatusBarLine)
{
    // CR LF, lone LF and lone CR each end a line, as the status bar counts them.
    QString page;
    for (int i = 0; i < 60; ++i)
        page += QString("line %1").arg(i + 1) + (i % 3 == 0 ? "\r\n" : i % 3 == 1 ? "\n" : "\r");
    LineNumberGutter &gutter = *help().gutter();
    ASSERT_TRUE(gutter.isVisible());
    EXPECT_GT(gutter.gutterWidth(), 0);
    for (int caretLine : {0, 1, 2, 3, 29, 58, 59}) {
        start(page, 0);
        text().select(text().charFromLine(caretLine) + 2, 0);
        doc->updateCaretPosition();
        gutter.grab();
        const int top = int(text().cursorRect().top());
        int numberShown = -1;
        for (const auto &painted : gutter.paintedNumbers())
            if (std::abs(painted.top - top) <= 2)
                numberShown = painted.number;
        EXPECT_EQ(numberShown, doc->lngCaretLine) << caretLine;
        EXPECT_EQ(numberShown, caretLine + 1);
        EXPECT_TRUE(text()
                        .text()
                        .mid(text().charFromLine(caretLine))
                        .startsWith(QString("line %1").arg(caretLine + 1)));
    }
    TypingHelpOptions off;
    off.lineNumbers = false;
    help().setOptions(off);
    EXPECT_FALSE(gutter.isVisible());
    EXPECT_EQ(text().viewport()->geometry().left(), text().contentsRect().left());
}

TEST_F(TypingHelpTest, GutterOnAHundredThousandLinesPaintsOnlyTheLinesInView)
{
    QString page;
    for (int i = 0; i < 100000; ++i)
        page += "<TD>" + QString::number(i + 1) + "</TD>\r\n";
    start(page, 0);
    LineNumberGutter &gutter = *help().gutter();
    for (int line : {99999, 50000, 0, 100000}) {
        text().select(text().charFromLine(line), 0);
        doc->updateCaretPosition();
        gutter.grab();
        ASSERT_FALSE(gutter.paintedNumbers().isEmpty());
        EXPECT_LT(gutter.paintedNumbers().size(), 200);
        const int top = int(text().cursorRect().top());
        int numberShown = -1;
        for (const auto &painted : gutter.paintedNumbers())
            if (std::abs(painted.top - top) <= 2)
                numberShown = painted.number;
        EXPECT_EQ(numberShown, doc->lngCaretLine) << line;
    }
    // Six digits fit beside the text.
    EXPECT_GE(gutter.gutterWidth(), gutter.fontMetrics().horizontalAdvance("100001"));
}

TEST_F(TypingHelpTest, GoToLineReachesTheLineOrSaysWhatIsWrong)
{
    start("one\r\ntwo\nthree\rfour\r\nfive", 0);
    struct Case
    {
        QStringList typed; // answers in turn; "cancel" cancels the box
        int expectedLine;  // 0: the caret stays
    };
    const Case cases[] = {
        {{"3"}, 3},
        {{" ４ "}, 4},
        {{"1"}, 1},
        {{"99999999999999999999"}, 5}, // past the end: the last line
        {{"0", "abc", "-2", "2"}, 2},
        {{"1.5", "cancel"}, 0},
        {{"cancel"}, 0},
    };
    for (const Case &c : cases) {
        text().select(0, 0);
        {
            ScriptedInteraction script;
            for (const QString &answer : c.typed) {
                if (answer == "cancel") {
                    script.expectInput(std::nullopt);
                    continue;
                }
                script.expectInput(answer);
                if (!typedLineNumber(answer))
                    script.expectMessage("行番号");
            }
            doc->run("mnuEditGoLine_Click");
        }
        if (c.expectedLine > 0)
            EXPECT_EQ(text().lineFromChar(-1) + 1, c.expectedLine)
                << c.typed.join(',').toStdString();
        else
            EXPECT_EQ(text().selStart(), 0);
    }
}

// The lines above the caret are read once for its line; an edit among them that leaves the
// caret's line where it was is still seen by the next key.
TEST_F(TypingHelpTest, ListSeesEditsOfTheLinesAboveTheCaret)
{
    struct Case
    {
        const char *replaced;
        const char *by; // as long, so that the caret's line does not move
        QStringList list;
    };
    const Case cases[] = {
        {"<TR>", "<TD>", {"TD"}},
        {"<TABLE>", "<!-- x ", {}},
        {"<TR>", "<!--", {}},
    };
    for (const Case &c : cases) {
        start("<TABLE>\r\n<TR>\r\n");
        type("</");
        ASSERT_EQ(shown().list, QStringList{"TR"});
        key(Qt::Key_Escape);
        key(Qt::Key_Backspace);
        key(Qt::Key_Backspace);
        const int caret = text().selStart();
        QTextCursor above = text().document()->find(QString::fromUtf8(c.replaced));
        ASSERT_FALSE(above.isNull());
        above.insertText(QString::fromUtf8(c.by));
        ASSERT_EQ(text().selStart(), caret);
        type("</");
        EXPECT_EQ(shown().list, c.list) << c.by;
    }
}

// Keys typed into a tag: once the typing pauses, the tag and its partner get their background.
TEST_F(TypingHelpTest, MatchingTagsAppearWhenTypingPauses)
{
    start("<DI>x</DIV>", 3);
    type("V");
    ASSERT_TRUE(QTest::qWaitFor([this] { return !help().matchingTagPending(); }, 5000));
    EXPECT_EQ(marked(text()), (QList<std::pair<int, int>>{{1, 3}, {8, 3}}));
    key(Qt::Key_Backspace); // "<DI": no partner any more
    ASSERT_TRUE(QTest::qWaitFor([this] { return !help().matchingTagPending(); }, 5000));
    EXPECT_TRUE(marked(text()).isEmpty());
}

// The list is a window above the text: it never stays behind when the text goes away, and it
// stands under the caret.
TEST_F(TypingHelpTest, ListGoesWithItsText)
{
    start({});
    type("<TA");
    ASSERT_TRUE(list().isVisible());
    const QRect caret = text().cursorRect();
    EXPECT_EQ(list().geometry().topLeft(),
              text().viewport()->mapToGlobal(QPoint(caret.left(), caret.bottom() + 1)));
    EXPECT_FALSE(list().hasFocus());
    text().hide();
    EXPECT_FALSE(list().isVisible());
}
