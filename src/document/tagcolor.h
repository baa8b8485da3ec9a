#pragma once

#include <QString>

class frmDocument;

// Colours the whole text of the document's txtText (one undoable step; the progress window
// for non-empty texts); leaves the caret at the end with nothing selected.
void Color_set(frmDocument &doc);
// Colours rtbWork when tag colouring is on, then puts its whole text on the clipboard as RTF.
void WorkColor_Set(frmDocument &doc);
// The one way a fragment enters the document: over the current selection of txtText, in the
// colours the colouring pass gives it (when tag colouring is on), as one undo step; the caret
// ends after the fragment. The clipboard holds the fragment as RTF afterwards, as rtbWork's
// would; a fragment of megabytes takes no longer than its text.
void InsertFragment(frmDocument &doc, const QString &text);
// Connects the live colouring of typed text to the document's txtText key events.
void installLiveColoring(frmDocument &doc);
