#pragma once

class frmDocument;

// The re-edit routines of lists. Each runs on a selection that its test in the dispatch table
// accepted. The start tag routines open the mark or number dialog with its scope fixed by the
// tag and, on OK, replace the start tag by the one the choice gives, keeping the attributes
// the dialog does not manage.
void EditUlTag(frmDocument &doc);
void EditOlTag(frmDocument &doc);
// Only an item with a type is re-edited: a mark word opens the mark dialog, any other type the
// number dialog.
void EditLiTag(frmDocument &doc);
// The selection is a whole definition list: its entries fill the definition list dialog and OK
// writes the list anew in place of the selection. A list that the dialog could not write back
// whole is refused with a message and left as it is.
void EditDlTag(frmDocument &doc);
