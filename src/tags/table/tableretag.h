#pragma once

class frmDocument;

// The re-edit routines of the table start tags. Each runs on a selection that its test in
// the dispatch table accepted: it reads the start tag at the beginning of the selection,
// opens the matching dialog pre-filled, and on OK replaces that start tag by the result.
void EditTableTag(frmDocument &doc);
void EditTrTag(frmDocument &doc);
// Also turns the cell's end tag into </TH> or </TD> when the cell changed kind.
void EditTdTag(frmDocument &doc);
