#pragma once

class frmDocument;

// The re-edit routines of IMG and BODY start tags: a never-saved document is offered a save
// first (declining changes nothing), then the dialog opens pre-filled from the tag, and OK
// replaces the start tag, keeping the attributes the dialog does not manage.
void EditImgTag(frmDocument &doc);
void EditBodyTag(frmDocument &doc);
