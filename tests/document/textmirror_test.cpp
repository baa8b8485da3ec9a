#include "document/textmirror.h"

#include "support/qstringprinter.h"

#include <QPlainTextDocumentLayout>
#include <QTextCursor>
#include <QTextDocument>

#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <utility>

// The mirror is checked against the document it follows: random edits of every kind the edit
// control makes (typing, deleting, pasting over a selection, undo, redo, colouring, several
// edits in one step), with line breaks of every kind, surrogate pairs and Japanese.

namespace {

// The document's text read the long way: every block separator as CR LF.
QString crLfTextOf(const QTextDocument &document)
{
    QString text = document.toRawText();
    text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    return text;
}

// A document and its mirror, wired as the edit control wires them. `whileReporting` runs
// inside each report, as the control's listeners do, and may edit the document again.
struct Followed
{
    QTextDocument document;
    TextMirror mirror{document};
    std::function<void()> whileReporting;

    Followed()
    {
        // The edit control's layout: a document reports its changes only to one with a layout.
        document.setDocumentLayout(new QPlainTextDocumentLayout(&document));
        QObject::connect(&document, &QTextDocument::contentsChange, &document,
                         [this](int position, int removed, int added) {
                             mirror.follow(position, removed, added);
                             const int characters = document.characterCount();
                             if (whileReporting)
                                 whileReporting();
                             mirror.checkAfterReport(characters);
                         });
    }
};

class RandomEdits
{
public:
    explicit RandomEdits(unsigned seed) : random(seed) {}

    int below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(random); }

    QString text()
    {
        static const QString pieces[] = {
            QStringLiteral("a"),      QStringLiteral("<b>"),      QStringLiteral(" "),
            QStringLiteral("\t"),     QStringLiteral("\r\n"),     QStringLiteral("\r"),
            QStringLiteral("\n"),     QStringLiteral("\r\n\r\n"), QStringLiteral("日本語の"),
            QStringLiteral("かな"),   QStringLiteral("　"),       QStringLiteral("😀"),
            QStringLiteral("𠮷野家"), QString(QChar(0x2029)),     QStringLiteral("\n\r"),
        };
        QString text;
        for (int count = below(5); count >= 0; --count)
            text += pieces[below(int(std::size(pieces)))];
        return text;
    }

    // A stretch of the document, often short, sometimes across many lines; either end may
    // fall inside a surrogate pair.
    QTextCursor stretch(QTextDocument &document)
    {
        const int last = document.characterCount() - 1;
        const int start = below(last + 1);
        const int length
            = below(3) == 0 ? below(last - start + 1) : below(std::min(4, last - start + 1));
        QTextCursor cursor(&document);
        cursor.setPosition(start);
        cursor.setPosition(start + length, QTextCursor::KeepAnchor);
        return cursor;
    }

    void editOnce(QTextDocument &document)
    {
        QTextCursor cursor = stretch(document);
        switch (below(9)) {
        case 0:
        case 1:
            cursor.clearSelection();
            cursor.insertText(text());
            break;
        case 2: cursor.removeSelectedText(); break;
        case 3:
            if (cursor.hasSelection())
                cursor.deletePreviousChar();
            else if (below(2) == 0)
                cursor.deletePreviousChar();
            else
                cursor.deleteChar();
            break;
        case 4:
            cursor.insertText(text()); // replaces the selection
            break;
        case 5: document.undo(); break;
        case 6: document.redo(); break;
        case 7: {
            // Formats only: the text stays, although the document reports it replaced.
            QTextCharFormat format;
            format.setFontWeight(below(2) == 0 ? QFont::Bold : QFont::Normal);
            cursor.mergeCharFormat(format);
            break;
        }
        default: {
            // Several edits in one step, reported as one change.
            cursor.beginEditBlock();
            cursor.insertText(text());
            QTextCursor other = stretch(document);
            other.removeSelectedText();
            other.insertText(text());
            cursor.endEditBlock();
            break;
        }
        }
    }

private:
    std::mt19937 random;
};

} // namespace

TEST(TextMirror, FollowsRandomEditsOfADocument)
{
    // How many edits come between two reads of the text: patches pile up and join between
    // reads, up to more than the mirror keeps.
    for (const int editsBetweenReads : {1, 3, 7, 40}) {
        SCOPED_TRACE(editsBetweenReads);
        RandomEdits edits(20240611u + unsigned(editsBetweenReads));
        Followed followed;
        followed.document.setPlainText(QStringLiteral("<html>\n日本語\r\nの頁\n"));
        for (int read = 0; read < 300; ++read) {
            for (int edit = 0; edit < editsBetweenReads; ++edit)
                edits.editOnce(followed.document);
            ASSERT_EQ(followed.mirror.text(), crLfTextOf(followed.document)) << "read " << read;
        }
    }
}

TEST(TextMirror, FollowsEditsOfALongPage)
{
    // Beyond 32767 characters, where 16-bit positions would wrap.
    RandomEdits edits(7u);
    Followed followed;
    QString page;
    for (int line = 0; line < 3000; ++line)
        page += QStringLiteral("<p>%1行目の文章😀</p>\r\n").arg(line);
    followed.document.setPlainText(page);
    ASSERT_EQ(followed.mirror.text(), crLfTextOf(followed.document));
    for (int read = 0; read < 60; ++read) {
        for (int edit = 0; edit < 4; ++edit)
            edits.editOnce(followed.document);
        ASSERT_EQ(followed.mirror.text(), crLfTextOf(followed.document)) << "read " << read;
    }
}

TEST(TextMirror, FollowsEditsMadeWhileAChangeIsReported)
{
    // A listener that edits the document again while it hears of a change: the document does
    // not report that second edit.
    Followed followed;
    followed.document.setPlainText(QStringLiteral("ab\ncd"));
    EXPECT_EQ(followed.mirror.text(), QStringLiteral("ab\r\ncd"));
    bool again = true;
    followed.whileReporting = [&] {
        if (!std::exchange(again, false))
            return;
        QTextCursor cursor(&followed.document);
        cursor.insertText(QStringLiteral("x\ny"));
    };
    QTextCursor cursor(&followed.document);
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QStringLiteral("\n😀"));
    EXPECT_EQ(followed.mirror.text(), crLfTextOf(followed.document));
}
