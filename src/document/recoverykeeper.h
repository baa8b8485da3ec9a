#pragma once

class frmDocument;

// Keeps a recovery file of a document window while it holds unsaved changes, through the
// running RecoveryService: written a few seconds after typing stops and at least every 30 s
// while it goes on, removed when the document is saved, turns clean or closes. Without a
// running service it does nothing.
void keepRecoveryFile(frmDocument &doc);
// Takes the document's text and hands it to the writer's thread at once, without waiting for
// the write: what the GUI thread pays for a recovery file. False when nothing was handed over.
bool handRecoveryTextOver(frmDocument &doc);

// Writes the document's recovery file at once and waits until it is on the disk: a page
// restored from another run's file is safe before that file goes. False when no file was
// written (no running service, or the document holds no unsaved change).
bool keepRecoveryFileNow(frmDocument &doc);
