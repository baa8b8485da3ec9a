#pragma once

#include "document/frmdocument.h"

#include <Qt>

class QPoint;
class frmDocument;

// Offers the selection of txtText to every re-edit routine in order; the one whose test
// accepts it opens its dialog and replaces the tag. Then the frame comes to the front and
// txtText gets the focus.
void TagEdit(frmDocument &doc);

// The double-click in txtText: grows the control's word selection to the tag (or element)
// around it and runs TagEdit. The scan is one pass over the text string, so it never needs
// to yield to the event loop. A selection at position 0, or a scan that reaches either end of
// the text, leaves the selection as it is and runs nothing.
void SelectTagAtCaret(frmDocument &doc);
void txtText_DblClick(frmDocument &doc);

// Context-menu item "編集": TagEdit on the selection as it stands.
void mnuTagEdit_Click(frmDocument &doc);

// Every mouse-button release over txtText: brings the context menu's items up to date with
// the selection, the clipboard and the colouring switch, refreshes blnInTag when nothing is
// selected, and pops up mnuPopupText (right button) or mnuJs (Shift + right button).
// `position` is in txtText's viewport coordinates.
void txtText_MouseUp(frmDocument &doc, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                     const QPoint &position);

// Connects the double-click and mouse-release signals of the document's txtText.
void connectTagEditing(frmDocument &doc);

// The re-edit commands of the document window's menus.
DocumentCommandTable retagCommands();
