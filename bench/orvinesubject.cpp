#include "orvinesubject.h"

#include "app/registration.h"
#include "benchinteraction.h"
#include "core/settingsstore.h"
#include "core/sharedstate.h"
#include "document/frmdocument.h"
#include "document/richtextbox.h"
#include "document/tagcolor.h"
#include "harness.h"
#include "mainwindow/documentio.h"
#include "references.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>
#include <QTextCursor>

#include <cstdio>

namespace bench {
namespace {

// Gives every document window the measured size as it is first shown, before it paints, so
// that opening, typing and repainting cost what they cost in a window of that size.
class WindowSizer : public QObject
{
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            if (auto *doc = qobject_cast<frmDocument *>(watched))
                doc->resize(Subject::WindowWidth, Subject::WindowHeight);
        }
        return false;
    }
};

class OrvineSubject : public Subject
{
public:
    // "TagColor" on: in the store too, since every document window loads the settings again.
    OrvineSubject()
    {
        SettingsStore::setBool(QStringLiteral("Settings"), QStringLiteral("TagColor"), true);
        shared().blnTagColor = true;
        qApp->installEventFilter(&m_sizer);
    }
    ~OrvineSubject() override { OrvineSubject::close(); }

    void open(const Page &page) override
    {
        ReadDoc(page.path);
        for (frmDocument *doc : openDocuments())
            if (doc->strFileName == page.path)
                m_doc = doc;
        settleEvents();
        m_openedText = page.text;
    }

    void close() override
    {
        closeFind();
        if (!m_doc)
            return;
        // Gone at once, without the unsaved-changes question.
        m_doc->blnFlgDirty = false;
        delete m_doc;
        m_doc = nullptr;
        settleEvents();
    }

    QWidget *keyTarget() override { return m_doc ? m_doc->txtText : nullptr; }

    void caretToMiddle() override
    {
        if (m_doc)
            caretToMiddleLine(*m_doc->txtText);
    }

    bool insert(const QString &fragment) override
    {
        if (!m_doc)
            return false;
        const int before = m_doc->txtText->textLength();
        InsertFragment(*m_doc, fragment);
        settleEvents();
        return m_doc->txtText->textLength() > before;
    }

    // Through the find window, as the user searches: its search box and its start button.
    bool find(const QString &word) override
    {
        if (!findWindow())
            return false;
        auto *box = m_find->findChild<QLineEdit *>(QStringLiteral("Text1"));
        auto *start = m_find->findChild<QAbstractButton *>(QStringLiteral("cmdFind"));
        if (!box || !start)
            return false;
        box->setText(word);
        start->setEnabled(true);
        start->click();
        settleEvents();
        return m_doc->txtText->selText() == word && m_interaction.messages == 0;
    }

    // Through the find window: its search box, its replacement box (opened by the first press
    // of its replace button), its search start button (the search starts at the top) and its
    // "replace all" button, case sensitive.
    bool replaceAll(const QString &what, const QString &with) override
    {
        if (!findWindow())
            return false;
        auto *search = m_find->findChild<QLineEdit *>(QStringLiteral("Text1"));
        auto *replacement = m_find->findChild<QLineEdit *>(QStringLiteral("txtRep"));
        auto *matchCase = m_find->findChild<QAbstractButton *>(QStringLiteral("chkCase"));
        auto *replace = m_find->findChild<QAbstractButton *>(QStringLiteral("cmdRep"));
        auto *all = m_find->findChild<QAbstractButton *>(QStringLiteral("cmdRepAll"));
        auto *start = m_find->findChild<QAbstractButton *>(QStringLiteral("cmdFind"));
        if (!search || !replacement || !matchCase || !replace || !all || !start)
            return false;
        if (!all->isEnabled())
            replace->click();
        matchCase->setChecked(true);
        search->setText(what);
        replacement->setText(with);
        // From the top, as the user starts: the search start button, then replace all.
        start->setEnabled(true);
        start->click();
        const int before = m_doc->txtText->document()->availableUndoSteps();
        all->click();
        settleEvents();
        return m_interaction.messages == 0
               && m_doc->txtText->document()->availableUndoSteps() > before;
    }

    bool undo() override
    {
        if (!m_doc || !m_doc->run(QStringLiteral("mnuEditUndo_Click")))
            return false;
        settleEvents();
        return true;
    }

    QString text() override { return m_doc ? m_doc->txtText->text() : QString(); }

    // The find window's replace button: its first press opens the replacement box (the
    // first call presses it twice), each press after that replaces the next match.
    bool replaceNext(const QString &word, const QString &replacement) override
    {
        if (!m_doc)
            return false;
        const bool opened = m_find != nullptr;
        if (!findWindow())
            return false;
        auto *box = m_find->findChild<QLineEdit *>(QStringLiteral("Text1"));
        auto *replacementBox = m_find->findChild<QLineEdit *>(QStringLiteral("txtRep"));
        auto *replace = m_find->findChild<QAbstractButton *>(QStringLiteral("cmdRep"));
        if (!box || !replacementBox || !replace)
            return false;
        if (!opened) {
            box->setText(word);
            replace->click();
            replacementBox->setText(replacement);
        }
        const int before = m_doc->txtText->textLength();
        replace->click();
        settleEvents();
        return m_doc->txtText->selText() == replacement
               && m_doc->txtText->textLength() == before + replacement.size() - word.size()
               && m_interaction.messages == 0;
    }

    bool save(const QString &path) override
    {
        if (!m_doc)
            return false;
        QFile::remove(path);
        m_doc->strFileName = path;
        if (!m_doc->run(QStringLiteral("mnuFileSave_Click")))
            return false;
        return QFileInfo(path).size() > 0 && m_interaction.messages == 0;
    }

    // Selects the whole text and runs the tool's menu command.
    bool runTool(Tool tool) override
    {
        if (!m_doc)
            return false;
        RichTextBox *text = m_doc->txtText;
        const QString before = text->text();
        text->select(0, text->textLength());
        const char *handler = tool == Tool::Paragraphs ? "mnuToolP_Click" : "mnuHtmlTableCsv_Click";
        if (!m_doc->run(QLatin1String(handler)))
            return false;
        settleEvents();
        return text->text() != before && m_interaction.messages == 0;
    }

    void touch() override
    {
        if (!m_doc)
            return;
        QTextCursor cursor(m_doc->txtText->document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(QStringLiteral(" "));
        settleEvents();
        // The lines of the last save are found on another thread while the user types on;
        // typing takes longer than that, so the next command does not wait for them.
        m_doc->fileLines.get();
    }

    // The colour check runs outside the timed open.
    QString problem() override
    {
        if (m_doc && !m_openedText.isNull()) {
            checkColored(m_openedText);
            m_openedText = QString();
        }
        return m_problem;
    }

    bool doubleClickEdit(qsizetype position, bool accept) override
    {
        if (!m_doc)
            return false;
        RichTextBox *text = m_doc->txtText;
        text->activateWindow();
        text->setFocus();
        text->setSelStart(int(position));
        text->ensureCursorVisible();
        settleEvents();
        const QRect caret = text->cursorRect(text->cursorFor(int(position), 0));
        const QPoint inside(caret.left() + 3, caret.center().y());

        m_interaction.acceptDialogs = accept;
        const int runs = m_interaction.modalRuns;
        // The scan, the dispatch and the dialog all run inside the double-click event.
        QTest::mouseDClick(text->viewport(), Qt::LeftButton, Qt::NoModifier, inside);
        settleEvents();
        if (m_interaction.modalRuns > runs)
            return true;
        // No dialog (its re-edit routine is missing): the scan alone still counts when it
        // selected a whole tag or element, unless the figure was to include the re-edit.
        const QString selected = text->selText();
        return !accept && selected.startsWith(u'<') && selected.endsWith(u'>');
    }

private:
    // A figure of an uncoloured page would flatter the program: the first and the last
    // bracket of the markup must be red.
    void checkColored(const QString &text)
    {
        RichTextBox *box = m_doc->txtText;
        const int caret = box->selStart();
        for (const qsizetype bracket : {text.indexOf(u'<'), text.lastIndexOf(u'<')}) {
            if (bracket < 0)
                continue; // a page without markup
            box->select(int(bracket), 1);
            if (box->selColor() != TextColor::Red)
                m_problem = QStringLiteral("the opened page is not coloured at %1").arg(bracket);
        }
        box->setSelStart(caret);
    }

    // The find window, opened from the document's menu when it is not open yet.
    QWidget *findWindow()
    {
        if (!m_doc)
            return nullptr;
        if (!m_find) {
            if (!m_doc->run(QStringLiteral("mnuEditFind_Click")))
                return nullptr;
            settleEvents();
            for (QWidget *w : QApplication::topLevelWidgets())
                if (w->objectName() == QLatin1String("frmFind") && w->isVisible())
                    m_find = w;
        }
        return m_find;
    }

    void closeFind()
    {
        delete m_find;
        m_find = nullptr;
    }

    WindowSizer m_sizer;
    BenchInteraction m_interaction;
    frmDocument *m_doc = nullptr;
    QWidget *m_find = nullptr;
    QString m_openedText; // the page opened last, until its colours are checked
    QString m_problem;
};

} // namespace

std::unique_ptr<Subject> makeOrvine()
{
    // The commands and the double-click re-edit are plugged in as the program does at start.
    static const bool registered = (registerAllCommands(), true);
    Q_UNUSED(registered);
    return std::make_unique<OrvineSubject>();
}

} // namespace bench
