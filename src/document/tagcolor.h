#pragma once

#include <QString>

class frmDocument;

// Colours the whole text of the document's txtText (one undoable step; the progress window
// for non-empty texts); leaves the caret at the end with nothing selected.
void Color_set(frmDocument &doc);
// A page just read or created: coloured by Color_set when tag colouring is on, as the state the
// page opens in, so that undo cannot take the colours away; the caret ends at the start.
void colorOpenedPage(frmDocument &doc);
// The one way a fragment enters the document: over the current selection of txtText, in the
// colours the colouring pass gives it (when tag colouring is on), as one undo step; the caret
// ends after the fragment. The clipboard is not touched; a fragment of megabytes takes no
// longer than its text.
void InsertFragment(frmDocument &doc, const QString &text);
// Connects the live colouring of typed text to the document's txtText key events.
void installLiveColoring(frmDocument &doc);
