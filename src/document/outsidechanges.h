#pragma once

class frmDocument;

// Files changed by other programs while they are open in a window. A window remembers its file
// as it read or wrote it (frmDocument::fileStamp); these compare that with the file as it is
// now.

// Before a save to the window's own file: when another program changed or replaced the file
// since the window read or wrote it, asks whether to overwrite it (Yes), read it again and
// drop this window's changes (No), or not save (Cancel). True when the save is to go on. A file
// that is gone is simply written again.
bool confirmSaveOverOutsideChange(frmDocument &doc);

// Whether checkOutsideChange has something to tell: a quick look, no question.
bool fileChangedOutside(const frmDocument &doc);

// When the window comes to the front: a file changed since the window read or wrote it offers
// to be read again (saying so when the window holds unsaved changes); a deleted file is
// reported, the text stays and the window counts as changed, so that closing it asks to save.
// Each change is reported once.
void checkOutsideChange(frmDocument &doc);

// Reads the window's file again in the window's encoding, replacing the text; the caret stays
// where it was as far as the new text allows. False, after telling the user, when the file
// cannot be read (the text stays).
bool reloadDocumentFile(frmDocument &doc);
