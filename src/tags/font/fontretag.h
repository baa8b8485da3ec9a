#pragma once

class frmDocument;

// The re-edit routines of FONT and HR start tags: the dialog opens pre-filled and on OK the
// start tag is replaced, attributes the dialog does not manage kept.
void EditFontTag(frmDocument &doc);
void EditHrTag(frmDocument &doc);
// A whole heading element: on OK it becomes the new start tag, the old content and the end
// tag of the new level.
void EditHeadingTag(frmDocument &doc);
