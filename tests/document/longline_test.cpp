// A line longer than LookTracker::longLineLength() (a minified page) is laid out as plain text
// and painted in its looks. What it shows must be what Qt's own control shows for the same text
// with the same colours as character formats: compared pixel for pixel, through edits, undo,
// redo, selections, extra selections and an input method's pre-edit text.
#include "document/looktracker.h"
#include "document/tagcolor.h"
#include "document/typinghelp.h"
#include "support/documentfixture.h"
#include "support/qstringprinter.h"

#include <QApplication>
#include <QImage>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <functional>
#include <memory>
#include <random>

namespace {

// One line of minified markup of at least `length` characters: tags with quoted attributes,
// Japanese text, half-width katakana, entities and a tab.
QString markupLine(int length)
{
    const QString unit = QStringLiteral(
        "<TD align=\"left\" bgcolor=\"#FFCC99\"><A href=\"page.html\">山田の日記</A>"
        "\t<FONT color=\"red\">ｶﾀｶﾅ&amp;</FONT></TD><BR>本文です。");
    QString line;
    while (line.size() < length)
        line += unit;
    return line;
}

// Sends one key as the keyboard would, with the text it types.
void typeKey(QWidget *target, int key, const QString &text = QString(),
             Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
}

void typeText(QWidget *target, const QString &text)
{
    for (const QChar c : text) {
        const bool shifted = QStringLiteral("<>\"=").contains(c);
        typeKey(target, c.toUpper().unicode(), QString(c),
                shifted ? Qt::ShiftModifier : Qt::NoModifier);
    }
}

void preedit(QWidget *target, const QString &text)
{
    QInputMethodEvent event(
        text, {{QInputMethodEvent::Cursor, int(text.size()), 1, {}},
               {QInputMethodEvent::TextFormat, 0, int(text.size()), QTextCharFormat()}});
    QApplication::sendEvent(target, &event);
}

// Scrolls `edit` to visual line `top`: keeping the caret in view may leave a fraction of a
// line above, which a move of the scroll bar takes away.
void scrollByWholeLines(QPlainTextEdit &edit, int top)
{
    QScrollBar *scroll = edit.verticalScrollBar();
    scroll->setValue(top > 0 ? top - 1 : top + 1);
    scroll->setValue(top);
}

QTextCursor sameCursorIn(QTextDocument *document, const QTextCursor &cursor)
{
    QTextCursor same(document);
    same.setPosition(cursor.anchor());
    same.setPosition(cursor.position(), QTextCursor::KeepAnchor);
    return same;
}

// Whether the cell of `rectangle` holds a pixel of the pure colour `color` (the inside of a
// glyph, where antialiasing does not blend it with the background).
bool drawnIn(const QImage &image, const QRect &rectangle, QColor color)
{
    const QRect cell = rectangle.intersected(image.rect());
    for (int y = cell.top(); y <= cell.bottom(); ++y) {
        for (int x = cell.left(); x <= cell.right(); ++x) {
            if (image.pixelColor(x, y) == color)
                return true;
        }
    }
    return false;
}

} // namespace

class LongLine : public DocumentFixture
{
protected:
    void SetUp() override
    {
        DocumentFixture::SetUp();
        shared().blnTagColor = true;
        doc->resize(640, 420);
        doc->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(doc));
    }

    void open(const QString &content)
    {
        text().setText(content);
        Color_set(*doc);
        text().setSelStart(0);
        text().document()->clearUndoRedoStacks();
        // No blinking caret in one picture and not in the other.
        text().clearFocus();
        text().setCursorWidth(0);
    }

    // Qt's own control in the same window, holding the box's text with each character's look
    // as a character format, at the box's size, font, palette, selection, extra selections,
    // pre-edit text and scroll position: what the box must show.
    std::unique_ptr<QPlainTextEdit> reference(const QString &composing = QString())
    {
        // The same viewport margins as the box, which keeps its line numbers there.
        struct MarginedEdit : QPlainTextEdit
        {
            using QPlainTextEdit::QPlainTextEdit;
            using QPlainTextEdit::setViewportMargins;
        };
        auto edit = std::make_unique<MarginedEdit>(doc);
        const QPoint margin = text().viewport()->pos() - text().contentsRect().topLeft();
        edit->setViewportMargins(margin.x(), margin.y(), 0, 0);
        edit->setFocusPolicy(Qt::NoFocus);
        edit->setFont(text().font());
        edit->setPalette(text().palette());
        edit->setFrameStyle(text().frameStyle());
        edit->setCursorWidth(text().cursorWidth());
        edit->setPlainText(text().document()->toPlainText());
        QTextCursor cursor(edit->document());
        const int characters = text().document()->characterCount() - 1;
        for (int start = 0; start < characters;) {
            const Look look = text().lookAt(text().fromDocumentPosition(start));
            int end = start + 1;
            while (end < characters && text().lookAt(text().fromDocumentPosition(end)) == look)
                ++end;
            QTextCharFormat format;
            format.setForeground(
                QColor(look.color & 0xFF, (look.color >> 8) & 0xFF, (look.color >> 16) & 0xFF));
            format.setFontWeight(look.bold ? QFont::Bold : QFont::Normal);
            cursor.setPosition(start);
            cursor.setPosition(end, QTextCursor::KeepAnchor);
            cursor.setCharFormat(format);
            start = end;
        }
        edit->setGeometry(QRect(text().mapTo(doc, QPoint(0, 0)), text().size()));
        edit->show();
        edit->setOverwriteMode(text().overwriteMode());
        edit->setTextCursor(sameCursorIn(edit->document(), text().textCursor()));
        QList<QTextEdit::ExtraSelection> extras;
        for (QTextEdit::ExtraSelection extra : text().extraSelections()) {
            extra.cursor = sameCursorIn(edit->document(), extra.cursor);
            extras << extra;
        }
        edit->setExtraSelections(extras);
        if (!composing.isEmpty())
            preedit(edit.get(), composing);
        QApplication::processEvents();
        scrollByWholeLines(*edit, text().verticalScrollBar()->value());
        edit->horizontalScrollBar()->setValue(text().horizontalScrollBar()->value());
        return edit;
    }

    // The box shows what Qt's control shows for the same text and colours.
    void expectShownAsQtShowsItsFormats(const QString &composing = QString())
    {
        // The matching tags' background, looked for once typing pauses, is in place.
        if (const auto *help = text().findChild<TypingHelp *>()) {
            ASSERT_TRUE(QTest::qWaitFor([help] { return !help->matchingTagPending(); }, 5000));
        }
        scrollByWholeLines(text(), text().verticalScrollBar()->value());
        const std::unique_ptr<QPlainTextEdit> qt = reference(composing);
        ASSERT_EQ(qt->viewport()->size(), text().viewport()->size());
        ASSERT_EQ(qt->verticalScrollBar()->value(), text().verticalScrollBar()->value());
        const QImage expected = qt->viewport()->grab().toImage();
        const QImage shown = text().viewport()->grab().toImage();
        EXPECT_TRUE(shown == expected) << "the box draws other pixels than Qt's control";
        if (shown != expected) {
            shown.save(QStringLiteral("/tmp/longline-shown.png"));
            expected.save(QStringLiteral("/tmp/longline-expected.png"));
        }
    }

    // The caret in the middle of the line, its visual line in view.
    void caretToMiddle()
    {
        text().setSelStart(text().textLength() / 2);
        text().ensureCursorVisible();
        QApplication::processEvents();
    }
};

TEST_F(LongLine, IsShownInItsColoursAsQtShowsThem)
{
    const QString line = markupLine(2 * LookTracker::longLineLength());
    struct Case
    {
        const char *what;
        std::function<void()> act;
        QString composing; // an input method's pre-edit text at the caret
    };
    const QList<Case> cases = {
        {"as the page opened", [] {}, {}},
        {"typed markup in the middle",
         [&] {
             caretToMiddle();
             typeText(&text(), QStringLiteral("<B class=\"x\">太字</B>"));
         },
         {}},
        {"the typing undone",
         [&] {
             caretToMiddle();
             typeText(&text(), QStringLiteral("<I>斜体</I>"));
             text().undoStep();
         },
         {}},
        {"the typing undone and redone",
         [&] {
             caretToMiddle();
             typeText(&text(), QStringLiteral("<I>斜体</I>"));
             text().undoStep();
             text().undoStep(true);
         },
         {}},
        {"a selection over coloured text within a visual line",
         [&] {
             caretToMiddle();
             text().select(text().selStart() + 2, 20);
         },
         {}},
        {"a selection ending on the line's last character and beyond it",
         [&] {
             text().select(text().textLength() - 30, 30);
             text().ensureCursorVisible();
         },
         {}},
        {"extra selections: a highlighted tag and the caret's visual line",
         [&] {
             caretToMiddle();
             QTextEdit::ExtraSelection tag;
             tag.cursor = text().cursorFor(text().selStart() + 3, 12);
             tag.format.setBackground(QColor(255, 255, 160));
             QTextEdit::ExtraSelection currentLine;
             currentLine.cursor = text().textCursor();
             currentLine.format.setBackground(QColor(230, 240, 255));
             currentLine.format.setProperty(QTextFormat::FullWidthSelection, true);
             text().setExtraSelections({currentLine, tag});
         },
         {}},
        {"a pre-edit text in the middle of the coloured line",
         [&] {
             caretToMiddle();
             preedit(&text(), QStringLiteral("にほんごのぶん"));
         },
         QStringLiteral("にほんごのぶん")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        open(line);
        text().setExtraSelections({});
        c.act();
        QApplication::processEvents();
        expectShownAsQtShowsItsFormats(c.composing);
        preedit(&text(), QString());
    }
}

TEST_F(LongLine, ColoursStayRightAsALineGrowsPastTheLimitAndShrinksBack)
{
    // Just short enough to be laid out with its colours; the paste takes it past the limit.
    const QString line
        = markupLine(LookTracker::longLineLength()).left(LookTracker::longLineLength() - 100);
    open(line + QStringLiteral("\r\n<P>次の行</P>"));
    expectShownAsQtShowsItsFormats();

    const QString pasted = markupLine(300);
    text().setSelStart(40);
    InsertFragment(*doc, pasted);
    ASSERT_TRUE(LookTracker::looksDrawnWhenPainting(text().document()->firstBlock()));
    text().setSelStart(40);
    text().ensureCursorVisible();
    expectShownAsQtShowsItsFormats();

    text().select(40, int(pasted.size()));
    typeKey(&text(), Qt::Key_Delete);
    ASSERT_FALSE(LookTracker::looksDrawnWhenPainting(text().document()->firstBlock()));
    EXPECT_EQ(text().text(), line + QStringLiteral("\r\n<P>次の行</P>"));
    expectShownAsQtShowsItsFormats();

    // And back past the limit by undo, then below it by redo.
    text().undoStep();
    ASSERT_TRUE(LookTracker::looksDrawnWhenPainting(text().document()->firstBlock()));
    expectShownAsQtShowsItsFormats();
    text().undoStep(true);
    expectShownAsQtShowsItsFormats();
}

// The place a user looks at: the "<" right after the caret on a long line is red on the screen.
TEST_F(LongLine, TheBracketAtTheCaretIsDrawnRed)
{
    for (const int length : {2 * LookTracker::longLineLength(), 80 * 1000}) {
        SCOPED_TRACE(length);
        const QString line = markupLine(length);
        open(line);
        const int bracket = int(line.indexOf(u'<', line.size() / 2));
        text().setSelStart(bracket);
        text().ensureCursorVisible();
        QApplication::processEvents();
        const QRect caret = text().cursorRect(text().cursorFor(bracket, 0));
        const QRect after = text().cursorRect(text().cursorFor(bracket + 1, 0));
        const QRect cell(caret.left(), caret.top(), after.left() - caret.left(), caret.height());
        ASSERT_GT(cell.width(), 0);
        const QImage shown = text().viewport()->grab().toImage();
        EXPECT_TRUE(drawnIn(shown, cell, Qt::red));
        EXPECT_FALSE(drawnIn(shown, cell, Qt::black));
    }
}

TEST_F(LongLine, CopiedAsRichTextWithItsColours)
{
    const QString line = markupLine(2 * LookTracker::longLineLength());
    open(line);
    caretToMiddle();
    typeText(&text(), QStringLiteral("<B>太字</B>"));
    const int start = text().selStart() - 500;
    text().select(start, 1000);
    const QString copied = text().selText();

    RichTextBox pasted;
    pasted.setSelRtf(text().selRtf());
    EXPECT_EQ(pasted.text(), copied);
    EXPECT_EQ(looks(pasted), looks(text(), start, 1000));
}

namespace {

// The parts of the viewport painted while `act` runs.
QRegion paintedWhile(QWidget *viewport, const std::function<void()> &act)
{
    struct Recorder : QObject
    {
        QRegion painted;
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == QEvent::Paint)
                painted += static_cast<QPaintEvent *>(event)->region();
            return false;
        }
    } recorder;
    // Nothing left to paint from before (a scroll posts its updates for later).
    for (int round = 0; round < 3; ++round)
        QApplication::processEvents();
    viewport->repaint();
    viewport->installEventFilter(&recorder);
    act();
    QApplication::processEvents();
    viewport->removeEventFilter(&recorder);
    return recorder.painted;
}

} // namespace

// A key on a coloured line lays out and paints that line, not the whole view: its colours,
// handed to the line's layout with the key, used to reach into the lines below.
TEST_F(LongLine, AKeyOnAColouredLinePaintsThatLineOnly)
{
    open(QStringLiteral("<TD align=\"left\"><A href=\"a.html\">日記</A></TD>\r\n").repeated(60));
    text().setFocus();
    text().setSelStart(int(text().text().indexOf(QStringLiteral("日記"), 20 * 44)));
    text().centerCursor();
    const QRect line = text().cursorRect();
    for (const QString &typed : {QStringLiteral("x"), QStringLiteral("\""), QStringLiteral(">")}) {
        const QRegion painted = paintedWhile(text().viewport(), [&] { typeText(&text(), typed); });
        EXPECT_FALSE(painted.isEmpty());
        EXPECT_LE(painted.boundingRect().top(), line.top()) << typed.toStdString();
        EXPECT_LE(painted.boundingRect().height(), 2 * line.height()) << typed.toStdString();
    }
    expectShownAsQtShowsItsFormats();
}

// Keys, line breaks, deletions, pastes and undo at random places of a coloured page: after
// each, the view shows what Qt's control shows for the same text and colours.
TEST_F(LongLine, RandomEditsOfColouredLinesShowAsQtShowsThem)
{
    open(QStringLiteral("<P><FONT color=\"red\">赤い字</FONT> and <B>bold</B></P>\r\n"
                        "<!-- a comment -->\r\n")
             .repeated(12));
    std::mt19937 random(5);
    const QStringList typed = {"<", ">", "\"", "x", "あ", "<!--", "-->", "</B>"};
    for (int step = 0; step < 14; ++step) {
        const int at = int(random() % (text().textLength() + 1));
        text().setSelStart(at);
        switch (random() % 5) {
        case 0: typeText(&text(), typed.at(int(random() % typed.size()))); break;
        case 1: typeKey(&text(), Qt::Key_Return); break;
        case 2: typeKey(&text(), Qt::Key_Backspace); break;
        case 3: InsertFragment(*doc, QStringLiteral("<I>it</I>\r\n<U>")); break;
        default: text().undoStep(); break;
        }
        text().ensureCursorVisible();
        SCOPED_TRACE(step);
        expectShownAsQtShowsItsFormats();
    }
}
