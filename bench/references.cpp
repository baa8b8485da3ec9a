#include "references.h"

#include "harness.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <Qsci/qscilexerhtml.h>
#include <Qsci/qsciscintilla.h>

namespace bench {
namespace {

// The font Orvine's text control uses, so that all three editors lay out the same glyphs.
QFont editorFont()
{
    QFont font(QStringLiteral("Noto Sans Mono CJK JP"));
    font.setPointSizeF(13.5);
    return font;
}

class FloorSubject : public Subject
{
public:
    void open(const Page &page) override
    {
        // QTextDocument keeps one separator per line; hand it the text in that form, as
        // Orvine's control does internally.
        QString text = page.text;
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        m_edit.reset(new QPlainTextEdit);
        m_edit->resize(WindowWidth, WindowHeight);
        m_edit->setFont(editorFont());
        m_edit->setPlainText(text);
        m_edit->show();
        settleEvents();
    }
    void close() override { m_edit.reset(); }
    QWidget *keyTarget() override { return m_edit.get(); }
    void caretToMiddle() override { caretToMiddleLine(*m_edit); }
    bool insert(const QString &fragment) override
    {
        m_edit->insertPlainText(fragment);
        settleEvents();
        return true;
    }
    bool find(const QString &word) override
    {
        m_edit->moveCursor(QTextCursor::Start);
        const bool found = m_edit->find(word);
        settleEvents();
        return found;
    }
    // Found from the caret, which the last replacement left after itself.
    bool replaceNext(const QString &word, const QString &replacement) override
    {
        if (!m_edit->find(word))
            return false;
        m_edit->insertPlainText(replacement);
        settleEvents();
        return true;
    }
    bool save(const QString &) override { return false; }
    // The usual replace-all of a QPlainTextEdit: each match found and replaced through a cursor,
    // from the end, in one edit block (one undo step).
    bool replaceAll(const QString &what, const QString &with) override
    {
        const QString text = m_edit->toPlainText();
        QList<qsizetype> matches;
        for (qsizetype at = text.indexOf(what); at >= 0; at = text.indexOf(what, at + what.size()))
            matches.append(at);
        if (matches.isEmpty())
            return false;
        QTextCursor cursor(m_edit->document());
        cursor.beginEditBlock();
        for (qsizetype i = matches.size() - 1; i >= 0; --i) {
            cursor.setPosition(int(matches[i]));
            cursor.setPosition(int(matches[i] + what.size()), QTextCursor::KeepAnchor);
            cursor.insertText(with);
        }
        cursor.endEditBlock();
        settleEvents();
        return true;
    }
    bool undo() override
    {
        m_edit->undo();
        settleEvents();
        return true;
    }
    QString text() override { return m_edit->toPlainText().replace(u'\n', QLatin1String("\r\n")); }
    // The least a plain editor would do: the text split and joined again with QString, then
    // put over the whole text as one edit.
    bool runTool(Tool tool) override
    {
        m_edit->selectAll();
        const QStringList lines = m_edit->toPlainText().split(u'\n');
        QStringList out;
        out.reserve(lines.size() + 2);
        if (tool == Tool::Paragraphs) {
            for (const QString &line : lines)
                out << QLatin1String("<P>") + line + QLatin1String("</P>");
        } else {
            // The same lines as Orvine's table: one per row start, cell and row end.
            out << QStringLiteral("<TABLE BORDER=\"1\">");
            for (const QString &line : lines) {
                out << QStringLiteral("<TR>");
                for (const QString &cell : line.split(u','))
                    out << QLatin1String("\t<TD>") + cell + QLatin1String("</TD>");
                out << QStringLiteral("</TR>");
            }
            out << QStringLiteral("</TABLE>");
        }
        m_edit->insertPlainText(out.join(u'\n'));
        settleEvents();
        return true;
    }

private:
    std::unique_ptr<QPlainTextEdit> m_edit;
};

class PeerSubject : public Subject
{
public:
    void open(const Page &page) override
    {
        m_edit.reset(new QsciScintilla);
        m_edit->resize(WindowWidth, WindowHeight);
        m_edit->setUtf8(true);
        auto *lexer = new QsciLexerHTML(m_edit.get());
        lexer->setDefaultFont(editorFont());
        lexer->setFont(editorFont());
        m_edit->setLexer(lexer);
        m_edit->setText(page.text);
        // Scintilla colours lazily, as the view needs it; force the whole text.
        m_edit->SendScintilla(QsciScintillaBase::SCI_COLOURISE, 0, -1);
        m_edit->show();
        m_replacing = false;
        settleEvents();
    }
    void close() override { m_edit.reset(); }
    QWidget *keyTarget() override { return m_edit.get(); }
    void caretToMiddle() override
    {
        const int line = m_edit->lines() / 2;
        const int length = m_edit->lineLength(line);
        m_edit->setCursorPosition(line, length > longLine ? length / 2 : 0);
        settleEvents();
    }
    bool insert(const QString &fragment) override
    {
        const long start = m_edit->SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS);
        m_edit->insert(fragment);
        const long end = start + long(fragment.toUtf8().size());
        m_edit->SendScintilla(QsciScintillaBase::SCI_COLOURISE, start, end);
        settleEvents();
        return true;
    }
    bool find(const QString &word) override
    {
        m_edit->setCursorPosition(0, 0);
        const bool found = m_edit->findFirst(word, false, false, false, false, true);
        settleEvents();
        return found;
    }
    bool replaceNext(const QString &word, const QString &replacement) override
    {
        bool found = false;
        if (!m_replacing) {
            m_edit->setCursorPosition(0, 0);
            found = m_edit->findFirst(word, false, false, false, false, true);
            m_replacing = true;
        } else {
            found = m_edit->findNext();
        }
        if (!found)
            return false;
        const long start = m_edit->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONSTART);
        m_edit->replace(replacement);
        const long end = start + long(replacement.toUtf8().size());
        m_edit->SendScintilla(QsciScintillaBase::SCI_COLOURISE, start, end);
        settleEvents();
        return true;
    }
    bool save(const QString &) override { return false; }

private:
    std::unique_ptr<QsciScintilla> m_edit;
    bool m_replacing = false; // findFirst has run: the next match is found with findNext
};

} // namespace

void caretToMiddleLine(QPlainTextEdit &edit)
{
    QTextDocument *doc = edit.document();
    const QTextBlock block = doc->findBlockByNumber(doc->blockCount() / 2);
    QTextCursor cursor(block);
    if (block.length() > longLine)
        cursor.setPosition(block.position() + block.length() / 2);
    edit.setTextCursor(cursor);
    edit.ensureCursorVisible();
    settleEvents();
}

std::unique_ptr<Subject> makeFloor()
{
    return std::make_unique<FloorSubject>();
}

std::unique_ptr<Subject> makePeer()
{
    return std::make_unique<PeerSubject>();
}

} // namespace bench
