#pragma once

#include <QString>

struct RecoveryRecord;
class frmDocument;

// Opens the text of a recovery file as a changed document on its own path: the page's file is
// read only for its lines and its stamp (so that a later save keeps the lines the user left
// alone), and nothing is written to it until the user saves. A page that was never saved
// opens as a new page under its old caption. Returns the window.
frmDocument *openRecoveredDocument(const RecoveryRecord &record);

// The page's file as it is on the disk now, read in the record's encoding; empty when there is
// none (a new page, or a file that has gone).
QString recoveredPageOnDisk(const RecoveryRecord &record, bool *exists = nullptr);
