#pragma once

class frmDocument;

// A whole applet element: the applet dialog opens with its code, size and parameters, and on
// OK the new element replaces the selection. Attributes of the start tag the dialog does not
// manage, and whatever the element holds after its parameters, are kept.
void EditAppletTag(frmDocument &doc);
