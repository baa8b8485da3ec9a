#pragma once

class frmMain;

// For measuring start-up from outside: with ORVINE_PAINT_REPORT set in the environment the
// program writes a line on standard output once its frame window has first painted
// ("orvine: frame painted"), and then ends. With the value "preview" it first shows the active
// document in the built-in browser, as the preview command does, and writes
// "orvine: preview painted in N ms" once the page has loaded and been painted (or
// "orvine: preview failed"). Without the variable nothing happens.
void reportPaintsIfAsked(frmMain &frame);
