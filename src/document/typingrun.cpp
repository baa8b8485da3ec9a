#include "document/typingrun.h"

namespace {

bool isLineBreak(QChar c)
{
    return c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
}

bool holdsLineBreak(QStringView characters)
{
    for (QChar c : characters) {
        if (isLineBreak(c))
            return true;
    }
    return false;
}

} // namespace

bool TypingRun::continues(Kind nextKind, QStringView characters, int nextCaret, int nextUndoSteps,
                          qint64 now) const
{
    if (!open || nextKind != kind || nextCaret != caret || nextUndoSteps != undoSteps)
        return false;
    if (characters.isEmpty() || holdsLineBreak(characters))
        return false;
    if (!waitsForCommit && (now < time || now - time >= pause))
        return false;
    // A word starts after a blank: "hello " and "world" are two steps. Taking text away with
    // Backspace meets the blank after the word before it, with Delete before it.
    return !(endsInBlank && !characters.front().isSpace());
}

void TypingRun::noteEdit(Kind editKind, QStringView characters, int editCaret, int editUndoSteps,
                         qint64 now)
{
    open = !characters.isEmpty() && !holdsLineBreak(characters);
    waitsForCommit = false;
    kind = editKind;
    caret = editCaret;
    undoSteps = editUndoSteps;
    time = now;
    endsInBlank = open && characters.back().isSpace();
}

void TypingRun::openForCommit(int commitCaret, int commitUndoSteps)
{
    open = true;
    waitsForCommit = true;
    kind = Kind::Typing;
    caret = commitCaret;
    undoSteps = commitUndoSteps;
    endsInBlank = false;
}

bool TypingRun::awaitsCommitAt(int commitCaret) const
{
    return open && waitsForCommit && caret == commitCaret;
}
