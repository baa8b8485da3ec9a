#include "document/colorrules.h"
#include "document/tagcolor.h"
#include "support/documentfixture.h"
#include "support/qstringprinter.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QTest>
#include <QTextDocument>

#include <functional>
#include <random>
#include <vector>

// Typing is taken back by runs: the characters typed (or deleted) one after another are one
// undo step, which ends at a blank before a word, a line break, a caret move, a paste, a
// command or a pause. Each step takes its colours with it, back and forth.

namespace {

// What the user sees: the text, the look of every character and the selection.
struct Shown
{
    QString text;
    std::vector<Look> looks;
    int selStart = 0;
    int selLength = 0;

    bool sameContent(const Shown &other) const
    {
        return text == other.text && looks == other.looks;
    }
};

std::string describe(const Shown &shown)
{
    std::string out = shown.text.toStdString() + " [";
    for (const Look &look : shown.looks)
        out += QStringLiteral("%1%2 ")
                   .arg(look.color, 6, 16, QLatin1Char('0'))
                   .arg(look.bold ? "b" : "")
                   .toStdString();
    return out + "]";
}

class TypingUndo : public DocumentFixture
{
public:
    void SetUp() override
    {
        DocumentFixture::SetUp();
        text().setTypingClock([this] { return now; });
        doc->resize(500, 200);
        doc->show();
    }

    // `content` coloured as a page is when opened, the caret at `caret` (or `length`
    // characters selected from it), the live state as typing there left it; nothing to undo.
    void start(const QString &content, int caret, int length = 0)
    {
        shared().blnTagColor = true;
        text().setOverwriteMode(false);
        text().setText(content);
        text().colorWithoutUndo([this] { Color_set(*doc); });
        text().select(caret, length);
        doc->blnInTag = endsInTag(QStringView(content).left(caret));
        doc->blnTagMark = false;
        text().document()->clearUndoRedoStacks();
        text().setFocus();
    }

    frmDocument &document() { return *doc; }
    RichTextBox &box() { return text(); }

    // Read without moving the caret, which would end the run of typing.
    Shown shown()
    {
        Shown s{text().text(), {}, text().selStart(), text().selLength()};
        for (int i = 0; i < s.text.size(); ++i)
            s.looks.push_back(text().lookAt(i));
        return s;
    }

    void key(int code, Qt::KeyboardModifiers modifiers = {})
    {
        now += 120;
        QTest::keyClick(&text(), Qt::Key(code), modifiers);
    }
    void typeText(const QString &characters)
    {
        for (QChar c : characters) {
            now += 120;
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(&text(), &press);
            QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(&text(), &release);
        }
    }
    void preedit(const QString &composing)
    {
        now += 120;
        QInputMethodEvent event(composing,
                                {{QInputMethodEvent::Cursor, int(composing.size()), 1, {}}});
        QApplication::sendEvent(&text(), &event);
    }
    void commit(const QString &committed)
    {
        now += 120;
        QInputMethodEvent event;
        event.setCommitString(committed);
        QApplication::sendEvent(&text(), &event);
    }
    void pause() { now += 5000; }

    qint64 now = 1'000'000;
};

// One action of a user and whether it starts an undo step of its own.
struct Action
{
    const char *what;
    std::function<void(TypingUndo &)> act;
};

Action typed(const char *characters)
{
    const QString text = QString::fromUtf8(characters);
    return {characters, [text](TypingUndo &t) { t.typeText(text); }};
}

} // namespace

// Each case is a list of actions, each marked with whether it starts an undo step. Undo from
// the end must bring back, step by step, exactly what was shown before each marked action
// (text and colours), and redo the same forwards.
TEST_F(TypingUndo, RunsOfTypingUndoAndRedoAsOneStepWithTheirColours)
{
    struct Case
    {
        const char *name;
        QString content;
        int caret;
        int selected;
        // The actions; `true` marks those that start a step.
        std::vector<std::pair<bool, Action>> actions;
    };
    const Action backspace{"Backspace", [](TypingUndo &t) { t.key(Qt::Key_Backspace); }};
    const Action del{"Delete", [](TypingUndo &t) { t.key(Qt::Key_Delete); }};
    const Action enter{"Enter", [](TypingUndo &t) { t.key(Qt::Key_Return); }};
    const Action left{"Left", [](TypingUndo &t) { t.key(Qt::Key_Left); }};
    const Action right{"Right", [](TypingUndo &t) { t.key(Qt::Key_Right); }};
    const Action shift{"Shift alone", [](TypingUndo &t) { t.key(Qt::Key_Shift); }};
    const Action pause{"pause", [](TypingUndo &t) { t.pause(); }};
    const Action insertKey{"Insert", [](TypingUndo &t) { t.key(Qt::Key_Insert); }};
    const Action paste{"paste", [](TypingUndo &t) {
                           clipboardSetText(QStringLiteral("<B>"), ClipboardFormat::Text);
                           t.key(Qt::Key_V, Qt::ControlModifier);
                       }};
    const Action command{"a command", [](TypingUndo &t) {
                             t.document().run(QStringLiteral("mnuHtmlTextBr_Click"));
                         }};
    const Action click{"a click where the caret is", [](TypingUndo &t) {
                           QTest::mouseClick(t.box().viewport(), Qt::LeftButton, {},
                                             t.box().cursorRect().center());
                       }};
    const auto commit = [](const char *committed) {
        const QString text = QString::fromUtf8(committed);
        return Action{committed, [text](TypingUndo &t) { t.commit(text); }};
    };
    const auto preedit = [](const char *composing) {
        const QString text = QString::fromUtf8(composing);
        return Action{composing, [text](TypingUndo &t) { t.preedit(text); }};
    };
    const Case cases[] = {
        {"words break after a blank",
         QStringLiteral("<P>"),
         3,
         0,
         {{true, typed("h")},
          {false, typed("ello")},
          {false, typed(" ")},
          {true, typed("w")},
          {false, typed("orld")}}},
        {"blanks join the word before them",
         QStringLiteral(""),
         0,
         0,
         {{true, typed("a")},
          {false, typed("  ")},
          {true, typed("b")},
          {false, typed("\t")},
          {true, typed("c")}}},
        {"a tag typed with its colours",
         QStringLiteral("text"),
         4,
         0,
         {{true, typed("<")},
          {false, typed("A")},
          {false, typed(" ")},
          {true, typed("href=\"x\">")},
          {false, typed("link")}}},
        {"a pause",
         QStringLiteral("<P>"),
         3,
         0,
         {{true, typed("ab")}, {false, pause}, {true, typed("cd")}}},
        {"line breaks on an empty line",
         QStringLiteral("<P>\r\n\r\n<B>x"),
         5,
         0,
         {{true, enter}, {true, enter}, {true, typed("a")}}},
        {"a line break stands alone",
         QStringLiteral("<P>"),
         3,
         0,
         {{true, typed("ab")}, {true, enter}, {true, typed("cd")}}},
        {"a caret moved away and back",
         QStringLiteral("<P>"),
         3,
         0,
         {{true, typed("ab")}, {false, left}, {false, right}, {true, typed("cd")}}},
        {"a click where the caret already is",
         QStringLiteral("<P>"),
         3,
         0,
         {{true, typed("ab")}, {false, click}, {true, typed("cd")}}},
        {"Shift and the overwrite key move nothing",
         QStringLiteral("<P>xyz"),
         3,
         0,
         {{true, typed("a")},
          {false, shift},
          {false, typed("B")},
          {false, insertKey},
          {false, typed("cd")}}},
        {"a paste",
         QStringLiteral("<P>"),
         3,
         0,
         {{true, typed("ab")}, {true, paste}, {true, typed("cd")}}},
        {"a command",
         QStringLiteral("<P>"),
         3,
         0,
         {{true, typed("ab")}, {true, command}, {true, typed("cd")}}},
        {"Backspace, then typing",
         QStringLiteral("<P>hello world"),
         14,
         0,
         {{true, backspace},
          {false, backspace},
          {false, backspace},
          {false, backspace},
          {false, backspace},
          {false, backspace},
          {true, backspace},
          {false, backspace},
          {true, typed("xy")}}},
        {"Delete, then Backspace",
         QStringLiteral("ab cd<P>"),
         0,
         0,
         {{true, del}, {false, del}, {false, del}, {true, del}, {true, typed("z")}}},
        {"Backspace across a line break",
         QStringLiteral("ab\r\ncd"),
         6,
         0,
         {{true, backspace},
          {false, backspace},
          {true, backspace},
          {true, backspace},
          {false, backspace}}},
        {"typing over a selection with a bracket",
         QStringLiteral("<P>hello world</P>"),
         9,
         5,
         {{true, typed("<")}, {false, typed("B>")}, {false, typed("there")}}},
        {"typing over a selection",
         QStringLiteral("<P>hello world</P>"),
         3,
         5,
         {{true, typed("h")}, {false, typed("i")}}},
        {"committed words join",
         QStringLiteral("<P>"),
         3,
         0,
         {{true, commit("日本")},
          {false, commit("語")},
          {false, typed("a")},
          {false, commit("　")},
          {true, commit("を")}}},
        {"a commit after a long composition",
         QStringLiteral("<P>"),
         3,
         0,
         {{true, commit("日本")},
          {false, preedit("にゅうりょく")},
          {false, pause},
          {true, commit("入力")}}},
        {"a composition over a selection",
         QStringLiteral("<P>hello world</P>"),
         3,
         5,
         {{true, preedit("に")},
          {false, preedit("にほん")},
          {false, pause},
          {false, commit("日本")},
          {false, typed("x")}}},
        {"overwriting by typing and committing",
         QStringLiteral("<P>abcdef\r\nghi"),
         3,
         0,
         {{false, insertKey},
          {true, typed("XY")},
          {false, commit("日本")},
          {false, commit("語漢字")},
          {false, typed("z")}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        start(c.content, c.caret, c.selected);
        std::vector<Shown> stepStarts;
        for (const auto &[startsStep, action] : c.actions) {
            if (startsStep)
                stepStarts.push_back(shown());
            action.act(*this);
        }
        const Shown end = shown();
        std::vector<Shown> redone;
        for (auto before = stepStarts.rbegin(); before != stepStarts.rend(); ++before) {
            SCOPED_TRACE(testing::Message() << "undo " << (before - stepStarts.rbegin()) + 1);
            ASSERT_TRUE(text().document()->isUndoAvailable());
            redone.push_back(shown());
            key(Qt::Key_Z, Qt::ControlModifier);
            const Shown now = shown();
            EXPECT_TRUE(now.sameContent(*before)) << describe(now) << "\n" << describe(*before);
            EXPECT_EQ(now.selLength, 0);
        }
        EXPECT_FALSE(text().document()->isUndoAvailable()) << "more steps than expected";
        for (auto after = redone.rbegin(); after != redone.rend(); ++after) {
            key(Qt::Key_Y, Qt::ControlModifier);
            const Shown now = shown();
            EXPECT_TRUE(now.sameContent(*after)) << describe(now) << "\n" << describe(*after);
            EXPECT_EQ(now.selLength, 0);
        }
        EXPECT_TRUE(shown().sameContent(end));
    }
}

TEST_F(TypingUndo, OverwriteModeTypesCommittedTextOverTheLineOnly)
{
    const struct
    {
        const char *name;
        QString content;
        int caret;
        QString committed;
        QString expected;
    } cases[] = {
        {"two characters over two", QStringLiteral("<P>abcd"), 3, QStringLiteral("日本"),
         QStringLiteral("<P>日本cd")},
        {"never past the line's end", QStringLiteral("<P>a\r\nbc"), 3, QStringLiteral("日本"),
         QStringLiteral("<P>日本\r\nbc")},
        {"at the end of the text", QStringLiteral("<P>"), 3, QStringLiteral("日本"),
         QStringLiteral("<P>日本")},
        {"a character outside the basic plane counts once", QStringLiteral("<P>abc"), 3,
         QStringLiteral("𠮷野"), QStringLiteral("<P>𠮷野c")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        start(c.content, c.caret);
        text().setOverwriteMode(true);
        commit(c.committed);
        EXPECT_EQ(text().text(), c.expected);
        EXPECT_EQ(text().selStart(), c.caret + c.committed.size());
        key(Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(text().text(), c.content) << "one step";
        text().setOverwriteMode(false);
    }
}

// A word typed with the input method, converted and committed, is taken back by one Ctrl+Z,
// and only that word.
TEST_F(TypingUndo, ACommittedWordIsOneUndo)
{
    start(QStringLiteral("<P>本文</P>"), 5);
    typeText(QStringLiteral("abc "));
    const QString before = text().text();
    const Shown shownBefore = shown();
    for (const char *composing : {"n", "に", "にh", "にほ", "にほn", "にほん"})
        preedit(QString::fromUtf8(composing));
    preedit(QStringLiteral("日本")); // converted
    commit(QStringLiteral("日本"));
    EXPECT_EQ(text().text(), QStringLiteral("<P>本文abc 日本</P>"));
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(text().text(), before);
    EXPECT_TRUE(shown().sameContent(shownBefore));
    EXPECT_EQ(text().selStart(), 9);
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(text().text(), QStringLiteral("<P>本文</P>"));
}

// Random mixes of typing, deleting, committing, moving and pausing: undo all brings back the
// page as it was, redo all the page as it ended, and every state between is one that was shown
// before some action, in order.
TEST_F(TypingUndo, RandomTypingRoundTrips)
{
    const std::vector<std::function<void(TypingUndo &, std::mt19937 &)>> actions = {
        [](TypingUndo &t, std::mt19937 &r) {
            static const char *const pieces[]
                = {"a", "<", ">", "=", "\"", " ", "x", "/", ";", "　"};
            t.typeText(QString::fromUtf8(pieces[r() % std::size(pieces)]));
        },
        [](TypingUndo &t, std::mt19937 &) { t.key(Qt::Key_Backspace); },
        [](TypingUndo &t, std::mt19937 &) { t.key(Qt::Key_Delete); },
        [](TypingUndo &t, std::mt19937 &) { t.key(Qt::Key_Return); },
        [](TypingUndo &t, std::mt19937 &r) { t.key(r() % 2 ? Qt::Key_Left : Qt::Key_Right); },
        [](TypingUndo &t, std::mt19937 &r) {
            t.key(r() % 2 ? Qt::Key_Left : Qt::Key_Right, Qt::ShiftModifier);
        },
        [](TypingUndo &t, std::mt19937 &) { t.pause(); },
        [](TypingUndo &t, std::mt19937 &r) {
            t.commit(r() % 2 ? QStringLiteral("日本") : QStringLiteral("<語>"));
        },
        [](TypingUndo &t, std::mt19937 &r) {
            // A composition, committed or dropped.
            t.preedit(QStringLiteral("にほ"));
            if (r() % 2)
                t.commit(QStringLiteral("二歩"));
            else
                t.preedit(QString());
        },
        [](TypingUndo &t, std::mt19937 &) { t.key(Qt::Key_Insert); },
    };
    for (unsigned seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        std::mt19937 random(seed);
        start(QStringLiteral("<HTML>\r\n<P align=\"x\">本文</P>\r\n</HTML>"), 10);
        text().setOverwriteMode(false);
        std::vector<Shown> states{shown()};
        std::string done; // the actions, by number, for a failure to tell
        for (int i = 0; i < 120; ++i) {
            const size_t action = random() % actions.size();
            done += std::to_string(action) + " ";
            actions[action](*this, random);
            states.push_back(shown());
        }
        SCOPED_TRACE(done);
        int changes = 0;
        for (size_t i = 1; i < states.size(); ++i)
            changes += states[i].sameContent(states[i - 1]) ? 0 : 1;
        const Shown end = shown();
        int steps = 0;
        std::vector<Shown> undone{end};
        size_t reached = states.size();
        while (text().document()->isUndoAvailable()) {
            key(Qt::Key_Z, Qt::ControlModifier);
            ++steps;
            const Shown now = shown();
            undone.push_back(now);
            // The state is one shown before, no later than the one the last undo reached.
            size_t found = reached;
            while (found > 0 && !states[found - 1].sameContent(now))
                --found;
            if (found == 0) {
                size_t sameText = reached;
                while (sameText > 0 && states[sameText - 1].text != now.text)
                    --sameText;
                ASSERT_GT(found, 0u)
                    << "after undo " << steps << ": " << describe(now)
                    << "\nsame text after action " << int(sameText) - 1 << ": "
                    << (sameText > 0 ? describe(states[sameText - 1]) : std::string("none"));
            }
            reached = found;
            ASSERT_LE(steps, changes);
        }
        EXPECT_TRUE(shown().sameContent(states.front())) << describe(shown());
        EXPECT_LT(steps, changes) << "typing runs join";
        for (int i = steps - 1; i >= 0; --i) {
            key(Qt::Key_Y, Qt::ControlModifier);
            ASSERT_TRUE(shown().sameContent(undone[size_t(i)])) << "redo " << steps - i;
        }
        EXPECT_TRUE(shown().sameContent(end));
    }
}

// Text that a command puts in takes the looks of its own markup, where it stands: not the look
// of the first character it replaces.
TEST_F(TypingUndo, CommandTextTakesTheLooksOfItsMarkup)
{
    using Command = std::function<void(frmDocument &)>;
    const struct
    {
        const char *name;
        QString content;
        int start;
        int length;
        Command command;
        QString expected;
        std::string looks;
    } cases[] = {
        {"line breaks removed from a selection starting with a tag",
         QStringLiteral("<P>a\r\nb</P>"), 0, 11,
         [](frmDocument &d) { d.run(QStringLiteral("mnuToolDelCR_Click")); },
         QStringLiteral("<P>ab</P>"), "RBRKKRMBR"},
        {"full width over a tag", QStringLiteral("<B>x"), 0, 3,
         [](frmDocument &d) { d.run(QStringLiteral("mnuToolHan2Zen_Click")); },
         QStringLiteral("＜Ｂ＞x"), "KKKK"},
        {"a replacement inside a tag", QStringLiteral("<A HREF=x>y"), 3, 4,
         [](frmDocument &d) { putText(*d.txtText, QStringLiteral("SRC")); },
         QStringLiteral("<A SRC=x>y"), "RBBBBBMBRK"},
        {"a replacement that is a tag", QStringLiteral("<P>x</P>"), 3, 1,
         [](frmDocument &d) { putText(*d.txtText, QStringLiteral("<BR>")); },
         QStringLiteral("<P><BR></P>"), "RBRRBBRRMBR"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        start(c.content, c.start, c.length);
        c.command(*doc);
        EXPECT_EQ(text().text(), c.expected);
        EXPECT_EQ(looks(text()), c.looks);
    }
}

TEST_F(TypingUndo, ReplaceAllGivesEachMatchTheLooksOfItsPlace)
{
    // "x" inside a tag, then where the first replacement has closed the tag, then after it;
    // the text between the matches keeps its looks.
    const QString page = QStringLiteral("<A x=1 x>x");
    start(page, 0);
    const std::string before = looks(text());
    replaceMatches(text(), {3, 7, 9}, 1, QStringLiteral("z>"));
    EXPECT_EQ(text().text(), QStringLiteral("<A z>=1 z>>z>"));
    EXPECT_EQ(looks(text()), "RBBBRMBBKRRKR");
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(text().text(), page);
    EXPECT_EQ(looks(text()), before);
}
