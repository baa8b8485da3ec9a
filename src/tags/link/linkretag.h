#pragma once

class frmDocument;

// The re-edit routine of A HREF elements. A mail link (href beginning "mailto:") opens the
// mail dialog, without a save question; any other link asks a never-saved document to be
// saved first and opens the link dialog. The dialog shows the element's content as the link
// text; OK replaces start tag and content, keeps the end tag as it was and every attribute
// the dialog does not manage. When the selection holds no end tag, only the start tag is
// edited: the link-text box stays empty and disabled, and the text after the tag is left alone.
void EditLinkTag(frmDocument &doc);
