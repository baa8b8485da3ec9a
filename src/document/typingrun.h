#pragma once

#include <QStringView>
#include <QtGlobal>

// Which edits of the keyboard join one undo step: characters typed one after another, or taken
// away one after another with Backspace or with Delete, while the caret stays where the last
// one left it and nothing else changes the text between them. A step ends at a line break,
// where a word starts after a blank, and after a pause, as in other editors. Times are in
// milliseconds of any clock that does not go back.
class TypingRun
{
public:
    enum class Kind { Typing, Backspace, Delete };

    static constexpr qint64 defaultPause = 1000;

    // Whether an edit of `kind` of `characters` (those typed, or the one taken away) at the
    // caret position `caret`, with the undo stack `undoSteps` deep, at `now`, belongs to the
    // step of the edits before it.
    bool continues(Kind kind, QStringView characters, int caret, int undoSteps, qint64 now) const;
    // An edit of `kind` of `characters` was made (joined or as a step of its own); the caret is
    // now at `caret` and the undo stack `undoSteps` deep.
    void noteEdit(Kind kind, QStringView characters, int caret, int undoSteps, qint64 now);
    // The selection was taken away as an input method started composing at `caret`: the text
    // it commits there joins that step, however long the composing took.
    void openForCommit(int caret, int undoSteps);
    bool awaitsCommitAt(int caret) const;
    // The next edit starts a step of its own.
    void end() { open = false; }
    bool isOpen() const { return open; }

    void setPause(qint64 milliseconds) { pause = milliseconds; }

private:
    bool open = false;
    bool waitsForCommit = false;
    Kind kind = Kind::Typing;
    int caret = 0;
    int undoSteps = 0;
    qint64 time = 0;
    bool endsInBlank = false;
    qint64 pause = defaultPause;
};
