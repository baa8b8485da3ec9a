#pragma once

class frmDocument;

// The re-edit routines of the form tags. FORM and INPUT replace the start tag at the beginning
// of the selection; TEXTAREA replaces the whole selected element, content included.
void EditFormTag(frmDocument &doc);
void EditInputTag(frmDocument &doc);
void EditTextareaTag(frmDocument &doc);
