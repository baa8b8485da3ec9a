#pragma once

#include <QList>
#include <QString>

#include <functional>

class frmDocument;
class RichTextBox;

// Colours the whole text of the document's txtText (one undoable step; the progress window
// for non-empty texts); leaves the caret at the end with nothing selected.
void Color_set(frmDocument &doc);
// A page just read or created: coloured by Color_set when tag colouring is on, as the state the
// page opens in, so that undo cannot take the colours away; the caret ends at the start.
void colorOpenedPage(frmDocument &doc);
// The same for a large page just read, whose text as read is `readText`: coloured in pieces of
// about a megabyte, `keepGoing` asked between them with the count of characters coloured so
// far. False when it answered no (the page is then coloured only in part).
bool colorOpenedPage(frmDocument &doc, const QString &readText,
                     const std::function<bool(qsizetype done)> &keepGoing);
// The one way a fragment enters the document: over the current selection of txtText, in the
// colours the colouring pass gives it (when tag colouring is on), as one undo step; the caret
// ends after the fragment. The clipboard is not touched; a fragment of megabytes takes no
// longer than its text.
void InsertFragment(frmDocument &doc, const QString &text);
// The text of a command that takes the place of the selection of `box` (a replacement, a tool's
// result, a date): with tag colouring on, in the looks the colouring gives its own markup where
// it stands, as if typed there; otherwise in the selection's look. One undo step, caret after.
void putText(RichTextBox &box, const QString &text);
// Replaces the `length` characters at each of `starts` (ascending, apart from each other) by
// `replacement` in one undo step, each in the looks putText gives it there.
void replaceMatches(RichTextBox &box, const QList<int> &starts, int length,
                    const QString &replacement);
// Connects the live colouring of typed text to the document's txtText key events.
void installLiveColoring(frmDocument &doc);
// With tag colouring on, a name accepted from the list of names goes in coloured as the
// colouring pass colours it, and typing goes on in the look of where the caret then stands.
void installCompletionColoring(frmDocument &doc);
