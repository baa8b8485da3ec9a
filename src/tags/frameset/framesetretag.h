#pragma once

class frmDocument;

// Re-edit of a selected frameset element (up to its first end tag): the dialog opens with the
// split, the ratio and the first two frames, and OK rewrites the frameset tag and those two
// frames, keeping what follows them. Like the frameset command, it needs a page that has a
// folder. An element whose first two tags after the start tag are not FRAME tags is refused
// with a message and left alone.
void EditFramesetTag(frmDocument &doc);
