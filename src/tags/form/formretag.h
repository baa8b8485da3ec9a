#pragma once

class frmDocument;
struct TagScratch;

// The re-edit routines of the form tags. FORM and INPUT replace the start tag at the beginning
// of the selection; TEXTAREA replaces the whole selected element, content included.
void EditFormTag(frmDocument &doc, TagScratch &scratch);
void EditInputTag(frmDocument &doc, TagScratch &scratch);
void EditTextareaTag(frmDocument &doc, TagScratch &scratch);
