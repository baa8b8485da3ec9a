#pragma once

#include "document/colorstore.h"
#include "document/typingrun.h"

#include <QString>

#include <functional>

class LookTracker;
class QInputMethodEvent;
class QKeyEvent;
class QTextCursor;
class QTextDocument;

// The edits of the keyboard and of input methods at the caret, each an undo step that keeps
// its looks; characters typed (or taken away) one after another join one step (see TypingRun).
class TypedEdits
{
public:
    TypedEdits(QTextDocument &document, LookTracker &looks);

    // The next edit starts a step of its own.
    void end() { typing.end(); }
    // The clock (milliseconds, never going back) that tells a pause in typing.
    void setClock(std::function<qint64()> clock) { this->clock = std::move(clock); }

    // Whether `key` types a character (a tab or a line break too), or is Backspace or Delete
    // with nothing selected: edits made here, as the control's own would be undo steps that
    // nothing can join (and its Enter on an empty line is two).
    static bool editsAlone(const QKeyEvent &key, bool hasSelection);
    // Makes such a key's edit at `caret`, the new text in `look`; in `overwrite` mode a typed
    // character replaces the one after the caret, never a line break.
    void typeKey(QTextCursor &caret, const QKeyEvent &key, Look look, bool overwrite);

    // Puts `text` at `caret` in place of the `replaced` characters before it, and `after` after
    // it with the caret between, in `look`: one step with the typing just before, if it still
    // goes on there (a name chosen from a list finishes what was being typed).
    void typeCompletion(QTextCursor &caret, int replaced, const QString &text, const QString &after,
                        Look look, const QList<LookRun> &looks = {});

    // Whether `event` changes the text at `caret`: it commits text, rewrites text before the
    // caret, or starts composing over a selection (which goes then).
    static bool editsText(const QInputMethodEvent &event, const QTextCursor &caret);
    // Makes that change at `caret`, the new text in `look`. In `overwrite` mode a commit types
    // over as many characters as it brings, except where it takes the place of a selection.
    void inputMethodEdit(QTextCursor &caret, const QInputMethodEvent &event, Look look,
                         bool overwrite);

private:
    // Makes `change`, joined to the undo step of the typing before it when it continues that run.
    void editAsTyped(TypingRun::Kind kind, const QString &characters, Look look,
                     const QTextCursor &caret, const std::function<void()> &change);
    // Where a commit of `committed` at `from` in overwrite mode stops: as many characters as it
    // brings, never past the end of the line.
    int overwrittenEnd(int from, const QString &committed) const;

    QTextDocument &document;
    LookTracker &looks;
    TypingRun typing;
    std::function<qint64()> clock;
};
