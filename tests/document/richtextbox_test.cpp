#include "document/richtextbox.h"

#include "document/rtf.h"

#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

#include <cctype>
#include <climits>
#include <cmath>
#include <gtest/gtest.h>
#include <iterator>
#include <random>
#include <string_view>
#include <vector>

namespace {

// "ab" CR LF "cd" CR LF "ef": line starts 0, 4, 8.
const QString threeLines = QStringLiteral("ab\r\ncd\r\nef");

int colorAt(RichTextBox &box, int position)
{
    box.select(position, 1);
    return box.selColor();
}

} // namespace

TEST(RichTextBox, ReadsEveryLineBreakBackAsCrLf)
{
    RichTextBox box;
    box.setText(QStringLiteral("old"));
    EXPECT_EQ(box.text(), QStringLiteral("old"));
    box.setText(QStringLiteral("a\r\nb\nc\rd\r\n\r\n"));
    EXPECT_EQ(box.text(), QStringLiteral("a\r\nb\r\nc\r\nd\r\n\r\n"));
    EXPECT_EQ(box.textLength(), box.text().size());
    EXPECT_EQ(box.document()->blockCount(), 6);
}

TEST(RichTextBox, MapsPositionsAcrossLineBreaks)
{
    RichTextBox box;
    box.setText(threeLines);
    struct Case
    {
        int external;
        int document;
        int back;
    };
    const Case cases[] = {
        {0, 0, 0},  {2, 2, 2}, {3, 2, 2},                // between CR and LF: the end of the line
        {4, 3, 4},  {8, 6, 8}, {10, 8, 10}, {99, 8, 10}, // beyond the end: clamped
        {-5, 0, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.external);
        EXPECT_EQ(box.toDocumentPosition(c.external), c.document);
        EXPECT_EQ(box.fromDocumentPosition(box.toDocumentPosition(c.external)), c.back);
    }
}

TEST(RichTextBox, SelectsAndReadsAcrossLineBreaks)
{
    RichTextBox box;
    box.setText(threeLines);
    box.select(1, 5);
    EXPECT_EQ(box.selStart(), 1);
    EXPECT_EQ(box.selLength(), 5);
    EXPECT_EQ(box.selEnd(), 6);
    EXPECT_EQ(box.selText(), QStringLiteral("b\r\ncd"));

    box.setSelStart(4);
    EXPECT_EQ(box.selStart(), 4);
    EXPECT_EQ(box.selLength(), 0);

    // A length that would end between CR and LF is refused; the old one stays.
    box.setSelStart(0);
    box.setSelLength(2);
    box.setSelLength(3);
    EXPECT_EQ(box.selLength(), 2);
    box.setSelLength(4);
    EXPECT_EQ(box.selText(), QStringLiteral("ab\r\n"));
}

TEST(RichTextBox, FindsAcrossLineBreaksWithAndWithoutCase)
{
    RichTextBox box;
    box.setText(threeLines);
    struct Case
    {
        const char *what;
        int start;
        int end;
        bool matchCase;
        int expected;
    };
    const Case cases[] = {
        {"cd\r\ne", 0, -1, false, 4},
        {"CD", 0, -1, false, 4}, // match case off finds the other case
        {"CD", 0, -1, true, -1},
        {"ef", 0, 9, false, -1}, // the match would end after `end`
        {"ef", 0, 10, false, 8},
        {"cd", 5, -1, false, -1}, // only before `start`
        {"", 0, -1, false, -1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(box.find(QString::fromLatin1(c.what), c.start, c.end, c.matchCase), c.expected);
    }
}

TEST(RichTextBox, LineFunctionsCountCrLfAsTwo)
{
    RichTextBox box;
    box.setText(threeLines);
    EXPECT_EQ(box.lineFromChar(3), 0);
    EXPECT_EQ(box.lineFromChar(4), 1);
    EXPECT_EQ(box.lineFromChar(10), 2);
    EXPECT_EQ(box.charFromLine(2), 8);
    EXPECT_EQ(box.charFromLine(3), -1);
    box.select(5, 4); // ends at 9, in the last line
    EXPECT_EQ(box.lineFromChar(), 2);
    EXPECT_EQ(box.charFromLine(), 8);
}

TEST(RichTextBox, SelectedTextWrittenWithNothingSelectedTakesTheInsertionColour)
{
    RichTextBox box;
    box.setText(QStringLiteral("AB"));
    EXPECT_EQ(box.text(), QStringLiteral("AB"));
    box.setSelStart(1);
    box.setSelColor(TextColor::Blue);
    box.setSelBold(true);
    EXPECT_EQ(box.selColor(), TextColor::Blue); // the insertion colour reads back
    box.setSelText(QStringLiteral("x\ny"));
    EXPECT_EQ(box.text(), QStringLiteral("Ax\r\nyB"));
    EXPECT_EQ(box.selStart(), 5);
    EXPECT_EQ(box.selLength(), 0);
    box.select(1, 1);
    EXPECT_EQ(box.selColor(), TextColor::Blue);
    EXPECT_TRUE(box.selBold());
    EXPECT_EQ(colorAt(box, 0), TextColor::Black);
}

TEST(RichTextBox, RichTextWrittenWithNothingSelectedInsertsAtTheCaret)
{
    RichTextBox box;
    box.setText(QStringLiteral("AB"));
    box.setSelStart(1);
    box.setSelRtf(rtfFromSpans({{QStringLiteral("<"), TextColor::Red, true},
                                {QStringLiteral("p\n"), TextColor::Blue, false}}));
    EXPECT_EQ(box.text(), QStringLiteral("A<p\r\nB"));
    EXPECT_EQ(box.selStart(), 5);
    EXPECT_EQ(box.selLength(), 0);
    box.select(1, 1);
    EXPECT_EQ(box.selColor(), TextColor::Red);
    EXPECT_TRUE(box.selBold());
    EXPECT_EQ(colorAt(box, 2), TextColor::Blue);
}

TEST(RichTextBox, RichTextReplacesTheSelection)
{
    RichTextBox box;
    box.setText(threeLines);
    box.select(1, 5);
    box.setSelRtf(rtfFromSpans({{QStringLiteral("日本"), TextColor::Magenta, false}}));
    EXPECT_EQ(box.text(), QStringLiteral("a日本\r\nef"));
    EXPECT_EQ(box.selStart(), 3);
    EXPECT_EQ(box.selLength(), 0);
}

TEST(RichTextBox, SelectionColourInsideABlueRun)
{
    RichTextBox box;
    box.setText(QStringLiteral("x\r\n<abc>"));
    box.applyColorRuns({{3, 1, TextColor::Red, ColorRun::On},
                        {4, 3, TextColor::Blue, ColorRun::Unchanged},
                        {7, 1, TextColor::Red, ColorRun::On}});
    box.setSelStart(6); // the caret inside "abc": the colour of the character before it
    EXPECT_EQ(box.selColor(), 16711680);
    EXPECT_FALSE(box.selBold());
    box.setSelStart(4); // right after the red "<"
    EXPECT_EQ(box.selColor(), TextColor::Red);
    box.select(5, 2);
    EXPECT_EQ(box.selColor(), 16711680);
    EXPECT_EQ(colorAt(box, 0), TextColor::Black);
}

TEST(RichTextBox, ColourRunsAreOneUndoStepAndNotATextChange)
{
    RichTextBox box;
    box.setText(QStringLiteral("<a>\r\n<b>"));
    EXPECT_FALSE(box.document()->isUndoAvailable());
    QSignalSpy changed(&box, &RichTextBox::changed);
    // Unsorted, and touching runs of one look that merge.
    box.applyColorRuns({{5, 3, TextColor::Blue, ColorRun::On},
                        {0, 1, TextColor::Blue, ColorRun::On},
                        {1, 2, TextColor::Blue, ColorRun::On}});
    box.setSelStart(0);
    box.select(1, 3);
    box.setSelColor(TextColor::Red);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(colorAt(box, 6), TextColor::Blue);
    EXPECT_EQ(colorAt(box, 1), TextColor::Red);

    box.undo(); // the red
    box.undo(); // all runs at once
    for (int position : {0, 1, 6})
        EXPECT_EQ(colorAt(box, position), TextColor::Black) << position;
    EXPECT_EQ(box.text(), QStringLiteral("<a>\r\n<b>"));
}

TEST(RichTextBox, ColourRunsOutsideTheTextAreClamped)
{
    RichTextBox box;
    box.setText(QStringLiteral("ab\r\ncd"));
    box.applyColorRuns({{-3, 4, TextColor::Red, ColorRun::On},
                        {5, INT_MAX, TextColor::Blue, ColorRun::Off},
                        {INT_MAX, 5, TextColor::Magenta, ColorRun::On}});
    EXPECT_EQ(colorAt(box, 0), TextColor::Red);
    EXPECT_EQ(colorAt(box, 1), TextColor::Black);
    EXPECT_EQ(colorAt(box, 5), TextColor::Blue);
    EXPECT_EQ(box.text(), QStringLiteral("ab\r\ncd"));
}

TEST(RichTextBox, WritingTheTextClearsColoursAndUndo)
{
    RichTextBox box;
    box.setText(QStringLiteral("abc"));
    box.select(0, 3);
    box.setSelColor(TextColor::Red);
    box.setSelBold(true);
    box.setSelStart(3); // the caret's insertion format is red and bold now
    QSignalSpy changed(&box, &RichTextBox::changed);
    box.setText(QStringLiteral("xyz"));
    EXPECT_GE(changed.count(), 1);
    EXPECT_EQ(colorAt(box, 0), TextColor::Black);
    EXPECT_FALSE(box.selBold());
    EXPECT_FALSE(box.document()->isUndoAvailable());
}

TEST(RichTextBox, RichTextOfTheSelectionCarriesItsColours)
{
    RichTextBox source;
    source.setText(QStringLiteral("a<漢>\r\nb"));
    source.applyColorRuns({{1, 1, TextColor::Red, ColorRun::On},
                           {2, 1, TextColor::Blue, ColorRun::Off},
                           {3, 1, TextColor::Red, ColorRun::On}});
    source.select(1, 6);
    RichTextBox target;
    target.setSelRtf(source.selRtf());
    EXPECT_EQ(target.text(), QStringLiteral("<漢>\r\nb"));
    EXPECT_EQ(colorAt(target, 0), TextColor::Red);
    EXPECT_TRUE(target.selBold());
    EXPECT_EQ(colorAt(target, 1), TextColor::Blue);
    EXPECT_FALSE(target.selBold());
    EXPECT_EQ(colorAt(target, 5), TextColor::Black);
}

TEST(RichTextBox, KeyEventsLetTheHandlerColourTheTypedCharacter)
{
    RichTextBox box;
    QStringList order;
    QObject::connect(&box, &RichTextBox::keyPressPreview, &box,
                     [&](const QString &) { order << "preview"; });
    QObject::connect(&box, &RichTextBox::keyDown, &box,
                     [&](int key, Qt::KeyboardModifiers, const QString &) {
                         order << "down";
                         if (key == Qt::Key_Less)
                             box.setSelColor(TextColor::Red);
                         if (key == Qt::Key_X)
                             box.ignoreKey();
                     });
    QObject::connect(&box, &RichTextBox::keyUp, &box,
                     [&](int, Qt::KeyboardModifiers, const QString &) { order << "up"; });
    QTest::keyClick(&box, Qt::Key_Less, Qt::NoModifier);
    EXPECT_EQ(order, QStringList({"preview", "down", "up"}));
    QTest::keyClick(&box, Qt::Key_X);
    QTest::keyClick(&box, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(box.text(), QStringLiteral("<\r\n"));
    EXPECT_EQ(colorAt(box, 0), TextColor::Red);
}

TEST(RichTextBox, DoubleClickSignalsAfterTheWordIsSelected)
{
    RichTextBox box;
    box.setText(QStringLiteral("hello world"));
    box.resize(400, 200);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    QString selectedAtSignal;
    QObject::connect(&box, &RichTextBox::doubleClicked, &box,
                     [&] { selectedAtSignal = box.selText(); });
    const QPoint inHello = box.cursorRect(box.cursorFor(2, 0)).center();
    QTest::mouseDClick(box.viewport(), Qt::LeftButton, Qt::NoModifier, inHello);
    EXPECT_EQ(selectedAtSignal, QStringLiteral("hello"));
}

TEST(RichTextBox, PositionMappingCostDoesNotGrowWithTheDocument)
{
    // About 1 MB of lines of varied length.
    QString text;
    std::mt19937 random(7);
    while (text.size() < 1'000'000) {
        text += QString(int(random() % 120), QLatin1Char('x'));
        text += QStringLiteral("\r\n");
    }
    text += QStringLiteral("end");
    RichTextBox box;
    box.setText(text);
    ASSERT_EQ(box.textLength(), text.size());
    EXPECT_EQ(box.toDocumentPosition(text.size()), box.document()->characterCount() - 1);
    EXPECT_EQ(box.find(QStringLiteral("end")), text.size() - 3);

    std::vector<int> lineStarts{0};
    for (int i = text.indexOf(QLatin1String("\r\n")); i >= 0;
         i = text.indexOf(QLatin1String("\r\n"), i + 2))
        lineStarts.push_back(i + 2);
    const int lines = int(lineStarts.size());
    ASSERT_EQ(lines, box.document()->blockCount());

    int probes = 0;
    auto lineStart = [&](int n) {
        ++probes;
        return lineStarts[size_t(n)];
    };
    const int bound = int(std::ceil(std::log2(lines))) + 1;
    for (int position : {0, 1, int(text.size()) / 2, int(text.size()) - 1, int(text.size())}) {
        probes = 0;
        const int line = RichTextBox::lineAtPosition(position, lines, lineStart);
        EXPECT_LE(probes, bound) << position;
        EXPECT_LE(lineStarts[size_t(line)], position);
        if (line + 1 < lines) {
            EXPECT_GT(lineStarts[size_t(line) + 1], position);
        }
    }
    // The box agrees with the text at both ends.
    for (int position : {5, int(text.size()) - 2}) {
        box.select(position, 2);
        EXPECT_EQ(box.selText(), text.mid(position, 2)) << position;
    }
}

namespace {

// The text as the document holds it, built afresh.
QString rebuiltText(const RichTextBox &box)
{
    return box.document()->toRawText().replace(QChar::ParagraphSeparator, QLatin1String("\r\n"));
}

struct RandomEdits
{
    RichTextBox &box;
    std::mt19937 random;

    int below(int n) { return n <= 0 ? 0 : int(random() % unsigned(n)); }
    int position() { return below(box.textLength() + 1); }
    // Short text with every kind of line break in it.
    QString snippet()
    {
        static const char *const pieces[] = {"a", "<p>", "\r\n", "\n", "\r", "漢字", "xy", " "};
        QString text;
        for (int n = 1 + below(5); n > 0; --n)
            text += QString::fromUtf8(pieces[below(std::size(pieces))]);
        return text;
    }
};

struct EditCase
{
    const char *name;
    void (*edit)(RandomEdits &);
};

const EditCase editCases[] = {
    {"insert",
     [](RandomEdits &r) {
         r.box.setSelStart(r.position());
         r.box.setSelText(r.snippet());
     }},
    {"delete",
     [](RandomEdits &r) {
         r.box.select(r.position(), r.below(12));
         r.box.setSelText({});
     }},
    {"replaceAcrossLines",
     [](RandomEdits &r) {
         r.box.select(r.position(), 1 + r.below(20));
         r.box.setSelText(r.snippet());
     }},
    {"richText",
     [](RandomEdits &r) {
         r.box.select(r.position(), r.below(6));
         r.box.setSelRtf(rtfFromSpans(
             {{r.snippet(), TextColor::Red, true}, {r.snippet(), TextColor::Blue, false}}));
     }},
    {"typing",
     [](RandomEdits &r) {
         r.box.setSelStart(r.position());
         QTest::keyClicks(&r.box, QStringLiteral("ab<"));
         QTest::keyClick(&r.box, Qt::Key_Return);
         QTest::keyClick(&r.box, Qt::Key_Backspace);
         QTest::keyClick(&r.box, Qt::Key_Backspace);
         QTest::keyClick(&r.box, Qt::Key_Delete);
     }},
    {"backspaceAndDelete",
     [](RandomEdits &r) {
         r.box.setSelStart(r.position());
         for (int i = 0; i < 3; ++i)
             QTest::keyClick(&r.box, Qt::Key_Backspace);
         QTest::keyClicks(&r.box, QStringLiteral("c"));
         for (int i = 0; i < 3; ++i)
             QTest::keyClick(&r.box, Qt::Key_Delete);
     }},
    {"scattered",
     [](RandomEdits &r) {
         for (int i = 0; i < 20; ++i) {
             r.box.setSelStart(r.position());
             r.box.setSelText(QStringLiteral("z"));
         }
     }},
    {"undo", [](RandomEdits &r) { r.box.undo(); }},
    {"redo", [](RandomEdits &r) { r.box.redo(); }},
    {"colour",
     [](RandomEdits &r) {
         r.box.applyColorRuns({{r.position(), r.below(30), TextColor::Magenta, ColorRun::On}});
         r.box.select(r.position(), r.below(5));
         r.box.setSelColor(TextColor::Red);
     }},
    {"setText", [](RandomEdits &r) { r.box.setText(r.snippet() + r.snippet() + r.snippet()); }},
    {"clear", [](RandomEdits &r) { r.box.clear(); }},
};

} // namespace

TEST(RichTextBox, TextStaysTrueThroughEditsUndoAndRedo)
{
    for (unsigned seed : {1u, 2u, 3u}) {
        RichTextBox box;
        box.setText(QStringLiteral("<html>\r\n<body>\r\n本文\r\n</body>\r\n</html>"));
        RandomEdits edits{box, std::mt19937(seed)};
        for (int step = 0; step < 60; ++step) {
            // Clearing is rare, or the text would rarely grow long.
            const EditCase &c = editCases[edits.below(std::size(editCases))];
            if (std::string_view(c.name) == "clear" && edits.below(4) != 0)
                continue;
            c.edit(edits);
            // Reading only now and then lets edits pile up between reads.
            if (edits.below(3) == 0 || step == 59) {
                SCOPED_TRACE(testing::Message()
                             << "seed " << seed << ", step " << step << ": " << c.name);
                ASSERT_EQ(box.text(), rebuiltText(box));
                ASSERT_EQ(box.textLength(), box.text().size());
            }
        }
    }
}

namespace {

// One letter per character: K black, R red, B blue, M magenta; upper case when bold.
std::string looksOf(RichTextBox &box)
{
    std::string looks;
    for (int position = 0; position < box.textLength(); ++position) {
        box.select(position, 1);
        if (box.selText() == QLatin1String("\r"))
            continue; // a line break reads its look from the line's end
        char letter = '?';
        switch (box.selColor()) {
        case TextColor::Black: letter = 'k'; break;
        case TextColor::Red: letter = 'r'; break;
        case TextColor::Blue: letter = 'b'; break;
        case TextColor::Magenta: letter = 'm'; break;
        }
        looks += box.selBold() ? char(std::toupper(letter)) : letter;
    }
    return looks;
}

} // namespace

TEST(RichTextBox, ColourRunsOnAFreshOrAnEditedPage)
{
    struct Case
    {
        const char *name;
        void (*prepare)(RichTextBox &);
        QList<ColorRun> runs;
        std::string expected;
    };
    const Case cases[] = {
        {"fresh",
         [](RichTextBox &) {},
         {{0, 1, TextColor::Red, ColorRun::On},
          {1, 1, TextColor::Blue, ColorRun::Unchanged},
          {2, 1, TextColor::Red, ColorRun::On},
          {3, 1, TextColor::Black, ColorRun::Unchanged},
          {4, 1, TextColor::Black, ColorRun::On}},
         "RbRkK"},
        {"colouredBefore",
         [](RichTextBox &box) {
             box.applyColorRuns({{0, 5, TextColor::Red, ColorRun::On}});
         },
         {{0, 2, TextColor::Black, ColorRun::Unchanged}, {2, 1, TextColor::Blue, ColorRun::Off}},
         "KKbRR"},
        {"editedBefore",
         [](RichTextBox &box) {
             box.select(1, 3);
             box.setSelColor(TextColor::Magenta);
             box.setSelBold(true);
         },
         {{0, 2, TextColor::Black, ColorRun::Unchanged}},
         "kKMMk"},
        {"overlapping",
         [](RichTextBox &) {},
         {{0, 5, TextColor::Red, ColorRun::On},
          {1, 1, TextColor::Black, ColorRun::Unchanged},
          {2, 1, TextColor::Blue, ColorRun::Unchanged},
          {3, 1, TextColor::Black, ColorRun::Unchanged}},
         "RKBKR"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        RichTextBox box;
        box.setText(QStringLiteral("<a>xy"));
        c.prepare(box);
        box.applyColorRuns(c.runs);
        EXPECT_EQ(looksOf(box), c.expected);
    }
}

TEST(RichTextBox, ColourRunsLookTheSameOnAFreshPageAsOnAnEditedOne)
{
    const QString text = QStringLiteral("<p>\r\n<a href=\"x\">漢字</a>\r\n\r\n<br>text");
    std::mt19937 random(11);
    const int colors[] = {TextColor::Black, TextColor::Red, TextColor::Blue, TextColor::Magenta};
    QList<ColorRun> runs;
    for (int i = 0; i < 40; ++i) {
        runs.append({int(random() % text.size()), int(random() % 6), colors[random() % 4],
                     ColorRun::Bold(random() % 3)});
    }
    RichTextBox fresh;
    fresh.setText(text);
    fresh.applyColorRuns(runs);
    RichTextBox edited;
    edited.setText(text);
    edited.setSelStart(0);
    edited.setSelText(QStringLiteral("-")); // a change, undone by hand: plain text again
    edited.select(0, 1);
    edited.setSelText({});
    edited.applyColorRuns(runs);
    EXPECT_EQ(looksOf(fresh), looksOf(edited));
}
