#include "document/tagcolor.h"
#include "support/documentfixture.h"
#include "support/qstringprinter.h"
#include "support/scriptedinteraction.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <functional>

namespace {

void preedit(QWidget *target, const QString &text)
{
    // The input method's cursor sits at the end of what it composes.
    QInputMethodEvent event(
        text, {{QInputMethodEvent::Cursor, int(text.size()), 1, {}},
               {QInputMethodEvent::TextFormat, 0, int(text.size()), QTextCharFormat()}});
    QApplication::sendEvent(target, &event);
}

void commit(QWidget *target, const QString &text, int replaceFrom = 0, int replaceLength = 0)
{
    QInputMethodEvent event;
    event.setCommitString(text, replaceFrom, replaceLength);
    QApplication::sendEvent(target, &event);
}

QRect caretRectangle(QWidget *target)
{
    return target->inputMethodQuery(Qt::ImCursorRectangle).toRect();
}

} // namespace

class InputMethod : public DocumentFixture
{
protected:
    // `text` coloured, the caret at `caret`, the live state as typing there left it.
    void start(const QString &content, int caret, bool inTag)
    {
        shared().blnTagColor = true;
        text().setText(content);
        Color_set(*doc);
        text().setSelStart(caret);
        doc->blnInTag = inTag;
        doc->blnTagMark = false;
        text().document()->clearUndoRedoStacks();
    }
};

TEST_F(InputMethod, ACommitIsTypedTextInItsColourAndOneUndoStep)
{
    struct Case
    {
        const char *what;
        QString content;
        int caret;
        bool inTag;
        QString composed;
        QString committed;
        QString expected;
        std::string looksOfCommitted;
    };
    const QList<Case> cases = {
        {"after a tag, black", QStringLiteral("<P>"), 3, false, QStringLiteral("にほんご"),
         QStringLiteral("日本語"), QStringLiteral("<P>日本語"), "KKK"},
        {"inside a tag, blue", QStringLiteral("<IMG alt=>"), 9, true, QStringLiteral("え"),
         QStringLiteral("絵"), QStringLiteral("<IMG alt=絵>"), "B"},
        {"between two lines", QStringLiteral("<P>\r\n</P>"), 3, false, QStringLiteral("にほんご"),
         QStringLiteral("日本語"), QStringLiteral("<P>日本語\r\n</P>"), "KKK"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        start(c.content, c.caret, c.inTag);
        preedit(&text(), c.composed);
        // Composing is not editing: the text and the dirty flag stay as they were.
        EXPECT_EQ(text().text(), c.content);
        EXPECT_FALSE(text().document()->isUndoAvailable());

        commit(&text(), c.committed);
        EXPECT_EQ(text().text(), c.expected);
        EXPECT_EQ(text().selStart(), c.caret + c.committed.size()) << "the caret follows the text";
        EXPECT_EQ(text().selLength(), 0);

        text().undo();
        EXPECT_EQ(text().text(), c.content) << "one undo takes the whole commit away";
        text().redo();
        EXPECT_EQ(text().text(), c.expected);
        EXPECT_EQ(looks(text(), c.caret, int(c.committed.size())), c.looksOfCommitted);
        // The markup before it keeps its colours.
        EXPECT_EQ(looks(text(), 0, 1), "R");
    }
}

TEST_F(InputMethod, ACommitReplacingTextBeforeTheCaretIsOneStep)
{
    start(QStringLiteral("<P>にほんご"), 7, false);
    commit(&text(), QStringLiteral("日本語"), -4, 4);
    EXPECT_EQ(text().text(), QStringLiteral("<P>日本語"));
    EXPECT_EQ(text().selStart(), 6);
    EXPECT_EQ(looks(text(), 3), "KKK");
    text().undo();
    EXPECT_EQ(text().text(), QStringLiteral("<P>にほんご"));
}

TEST_F(InputMethod, ATagBracketCommittedStartsATag)
{
    // Some input methods commit half-width brackets: they colour as the typed key would.
    start(QString(), 0, false);
    commit(&text(), QStringLiteral("<"));
    commit(&text(), QStringLiteral("B"));
    commit(&text(), QStringLiteral(">"));
    commit(&text(), QStringLiteral("太"));
    EXPECT_EQ(text().text(), QStringLiteral("<B>太"));
    EXPECT_EQ(looks(text()), "RBRK");
    EXPECT_FALSE(doc->blnInTag);
}

TEST_F(InputMethod, PreeditShowsAtTheCaretAndTheCaretRectangleFollowsIt)
{
    start(QStringLiteral("<P></P>"), 3, false);
    doc->resize(400, 200);
    doc->show();
    const QRect before = caretRectangle(&text());
    ASSERT_TRUE(before.isValid());

    preedit(&text(), QStringLiteral("にほんご"));
    const QTextBlock block = text().document()->firstBlock();
    EXPECT_EQ(block.layout()->preeditAreaText(), QStringLiteral("にほんご"));
    EXPECT_EQ(block.layout()->preeditAreaPosition(), 3);
    const QRect composing = caretRectangle(&text());
    EXPECT_GT(composing.left(), before.left())
        << "the candidate window goes after the pre-edit text";
    EXPECT_EQ(composing.top(), before.top());

    // Painting keeps the colours on the characters they belong to: the "/" after the pre-edit
    // text is drawn behind it.
    text().viewport()->grab();
    bool slashAfterPreedit = false;
    for (const QTextLayout::FormatRange &range : block.layout()->formats()) {

        if (range.start == 4 + 4 && range.format.foreground().color() == QColor(Qt::magenta))
            slashAfterPreedit = true;
    }
    EXPECT_TRUE(slashAfterPreedit);

    commit(&text(), QStringLiteral("日本語"));
    EXPECT_TRUE(block.layout()->preeditAreaText().isEmpty());
    EXPECT_EQ(text().text(), QStringLiteral("<P>日本語</P>"));
    EXPECT_EQ(looks(text()), "RBRKKKRMBR");
    EXPECT_GT(caretRectangle(&text()).left(), before.left());
}

// A composition ended by a click, a double-click, a drag or an input method that drops it
// (with no text committed) changes no text and no colour, and is no change of the document.
TEST_F(InputMethod, ACompositionEndedWithoutACommitChangesNothing)
{
    const QString page = QStringLiteral("<H1>タイトル</H1>\r\n<P>本文</P>");
    const int afterHeading = 13;
    const auto pointAt = [this](int position) {
        return text().cursorRect(text().cursorFor(position, 0)).center();
    };
    const struct
    {
        const char *what;
        std::function<void()> end;
    } endings[] = {
        {"a click on another line",
         [&] { QTest::mouseClick(text().viewport(), Qt::LeftButton, {}, pointAt(18)); }},
        {"a click on the same line",
         [&] { QTest::mouseClick(text().viewport(), Qt::LeftButton, {}, pointAt(2)); }},
        {"a double-click on another line",
         [&] { QTest::mouseDClick(text().viewport(), Qt::LeftButton, {}, pointAt(18)); }},
        {"a drag from the line below",
         [&] {
             QTest::mousePress(text().viewport(), Qt::LeftButton, {}, pointAt(16));
             QMouseEvent move(QEvent::MouseMove, pointAt(19),
                              text().viewport()->mapToGlobal(pointAt(19)), Qt::NoButton,
                              Qt::LeftButton, Qt::NoModifier);
             QApplication::sendEvent(text().viewport(), &move);
             QTest::mouseRelease(text().viewport(), Qt::LeftButton, {}, pointAt(19));
         }},
        {"the input method dropping it", [&] { preedit(&text(), QString()); }},
        {"the focus going elsewhere, then a click back",
         [&] {
             auto *other = new QLineEdit(doc);
             other->show();
             other->setFocus();
             QTest::mouseClick(text().viewport(), Qt::LeftButton, {}, pointAt(18));
             delete other;
         }},
    };
    doc->resize(500, 200);
    doc->show();
    for (const auto &ending : endings) {
        SCOPED_TRACE(ending.what);
        ScriptedInteraction ui; // a double-click in the text opens no dialog here
        start(page, afterHeading, false);
        doc->blnFlgDirty = false;
        const std::string colours = looks(text());
        text().setSelStart(afterHeading);
        text().setFocus();
        preedit(&text(), QStringLiteral("にほんご"));
        ending.end();

        const QTextBlock heading = text().document()->firstBlock();
        EXPECT_TRUE(heading.layout()->preeditAreaText().isEmpty());
        EXPECT_EQ(text().text(), page);
        EXPECT_EQ(looks(text()), colours);
        EXPECT_FALSE(doc->blnFlgDirty);
        EXPECT_FALSE(text().document()->isUndoAvailable());
        // And on the screen: the heading's brackets are still drawn in their colour.
        text().viewport()->grab();
        bool redBracket = false;
        for (const QTextLayout::FormatRange &range : heading.layout()->formats())
            redBracket |= range.start == 0 && range.format.foreground().color() == QColor(Qt::red);
        EXPECT_TRUE(redBracket);
    }
}

// An input method that commits its composition when the click comes: the text goes in as
// typed, the rest of the line keeps its colours, and one undo takes the text away again.
TEST_F(InputMethod, ACommitAtAClickKeepsTheColoursOfTheLine)
{
    class CommitOnPress : public QObject
    {
    public:
        explicit CommitOnPress(QWidget *box) : box(box) {}
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == QEvent::MouseButtonPress)
                commit(box, QStringLiteral("日本語"));
            return false;
        }
        QWidget *box;
    };
    const QString page = QStringLiteral("<H1>タイトル</H1>\r\n<P>本文</P>");
    start(page, 13, false);
    doc->resize(500, 200);
    doc->show();
    const std::string colours = looks(text());
    text().setSelStart(13);
    preedit(&text(), QStringLiteral("にほんご"));
    CommitOnPress inputMethod(&text());
    text().viewport()->installEventFilter(&inputMethod);
    QTest::mouseClick(text().viewport(), Qt::LeftButton, {},
                      text().cursorRect(text().cursorFor(20, 0)).center());
    text().viewport()->removeEventFilter(&inputMethod);
    EXPECT_EQ(text().text(), QStringLiteral("<H1>タイトル</H1>日本語\r\n<P>本文</P>"));
    EXPECT_EQ(looks(text(), 0, 13), colours.substr(0, 13));
    EXPECT_EQ(looks(text(), 13, 3), "KKK");
    EXPECT_EQ(looks(text(), 18), colours.substr(15)) << "the next line";
    EXPECT_TRUE(doc->blnFlgDirty);
    text().undo();
    EXPECT_EQ(text().text(), page);
    EXPECT_EQ(looks(text()), colours);
}
