#include "document/typededits.h"

#include "document/looktracker.h"

#include <QDeadlineTimer>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

TypedEdits::TypedEdits(QTextDocument &document, LookTracker &looks)
    : document(document), looks(looks), clock([] { return QDeadlineTimer::current().deadline(); })
{}

bool TypedEdits::editsAlone(const QKeyEvent &key, bool hasSelection)
{
    const Qt::KeyboardModifiers modifiers
        = key.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter)
        return modifiers == Qt::NoModifier;
    if (key.key() == Qt::Key_Backspace || key.key() == Qt::Key_Delete)
        return modifiers == Qt::NoModifier && !hasSelection;
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = key.text();
    return !text.isEmpty() && std::all_of(text.cbegin(), text.cend(), [](QChar c) {
        return c.isPrint() || c.isSurrogate() || c == u'\t';
    });
}

void TypedEdits::typeKey(QTextCursor &edit, const QKeyEvent &key, Look look, bool overwrite)
{
    TypingRun::Kind kind = TypingRun::Kind::Typing;
    const bool lineBreak = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
    const QString typed = lineBreak ? QStringLiteral("\n") : key.text();
    QString characters = typed;
    if (key.key() == Qt::Key_Backspace) {
        kind = TypingRun::Kind::Backspace;
        characters
            = edit.atStart() ? QString() : QString(document.characterAt(edit.position() - 1));
    } else if (key.key() == Qt::Key_Delete) {
        kind = TypingRun::Kind::Delete;
        characters = edit.atEnd() ? QString() : QString(document.characterAt(edit.position()));
    }
    editAsTyped(kind, characters, look, edit, [&] {
        if (kind == TypingRun::Kind::Backspace)
            edit.deletePreviousChar();
        else if (kind == TypingRun::Kind::Delete)
            edit.deleteChar();
        else {
            // Overwrite mode replaces the character after the caret, never a line break.
            if (!lineBreak && overwrite && !edit.hasSelection() && !edit.atBlockEnd())
                edit.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
            edit.insertText(typed);
        }
    });
}

void TypedEdits::editAsTyped(TypingRun::Kind kind, const QString &characters, Look look,
                             const QTextCursor &caret, const std::function<void()> &change)
{
    // Text typed over a selection starts a step: the selection goes with it.
    const bool joins = !caret.hasSelection()
                       && typing.continues(kind, characters, caret.position(),
                                           document.availableUndoSteps(), clock());
    looks.editText(look, {}, change,
                   joins ? LookTracker::Grouping::JoinPrevious : LookTracker::Grouping::OneBlock);
    typing.noteEdit(kind, characters, caret.position(), document.availableUndoSteps(), clock());
}

int TypedEdits::overwrittenEnd(int from, const QString &committed) const
{
    QTextCursor end(&document);
    end.setPosition(from);
    for (int i = int(committed.toUcs4().size()); i > 0 && !end.atBlockEnd(); --i)
        end.movePosition(QTextCursor::NextCharacter);
    return end.position();
}

bool TypedEdits::editsText(const QInputMethodEvent &event, const QTextCursor &caret)
{
    const bool typesOverSelection
        = caret.hasSelection()
          && (!event.commitString().isEmpty() || !event.preeditString().isEmpty());
    return !event.commitString().isEmpty() || event.replacementLength() > 0 || typesOverSelection;
}

void TypedEdits::inputMethodEdit(QTextCursor &edit, const QInputMethodEvent &event, Look look,
                                 bool overwrite)
{
    const QString committed = event.commitString();
    const bool replaces = event.replacementLength() > 0;
    const bool overwrites
        = overwrite && !replaces && !edit.hasSelection() && !typing.awaitsCommitAt(edit.position());
    const auto change = [&] {
        edit.removeSelectedText();
        if (committed.isEmpty() && !replaces)
            return;
        const int last = document.characterCount() - 1;
        const int from = std::clamp(edit.position() + event.replacementStart(), 0, last);
        const int to = overwrites ? overwrittenEnd(from, committed)
                                  : std::min(from + std::max(event.replacementLength(), 0), last);
        edit.setPosition(from);
        edit.setPosition(to, QTextCursor::KeepAnchor);
        edit.insertText(committed);
    };
    if (committed.isEmpty() && !replaces) {
        // A composition starts over the selection, which goes now; the commit joins this step.
        looks.editText(look, {}, change);
        typing.openForCommit(edit.position(), document.availableUndoSteps());
    } else if (replaces) {
        // An input method rewriting text before the caret (a conversion again) is a step of
        // its own.
        looks.editText(look, {}, change);
    } else {
        editAsTyped(TypingRun::Kind::Typing, committed, look, edit, change);
    }
}

void TypedEdits::typeCompletion(QTextCursor &edit, int replaced, const QString &text,
                                const QString &after, Look look, const QList<LookRun> &inserted)
{
    const bool joins = typing.isOpen() && !edit.hasSelection();
    looks.editText(
        look, inserted,
        [&] {
            edit.setPosition(std::max(edit.position() - replaced, 0), QTextCursor::KeepAnchor);
            edit.insertText(text + after);
            edit.setPosition(edit.position() - int(after.size()));
        },
        joins ? LookTracker::Grouping::JoinPrevious : LookTracker::Grouping::OneBlock);
    // What follows is a new step: the name is complete.
    typing.end();
}
