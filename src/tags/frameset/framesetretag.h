#pragma once

class frmDocument;
struct TagScratch;

// Re-edit of a selected frameset element (up to its first end tag): the dialog opens with the
// split, the ratio and the first two frames, and OK rewrites the frameset tag and those two
// frames, keeping what follows them. An element whose first two tags after the start tag are
// not FRAME tags is left alone.
void EditFramesetTag(frmDocument &doc, TagScratch &scratch);
