#pragma once

#include <QList>
#include <QString>

class QAction;
class frmDocument;

// The filter of the open and save-as dialogs.
QString documentFileFilter();

// Creates a document window, hidden and loaded, inside the frame when there is one.
frmDocument *createDocumentWindow();
// The open document windows in the frame's list order.
QList<frmDocument *> openDocuments();

// Opens `path` in a new document window, or brings the window that shows it to the front.
void ReadDoc(const QString &path);
// The open command of the frame and the document window: asks for a file and reads it.
void openDocumentCommand();
// Writes the document's text to its strFileName (FileSave); false, after telling the user, when
// the write failed.
bool saveDocumentFile(frmDocument &doc);
// The save command: save-as for a never-saved document, else FileSave. True when saved.
bool saveDocumentCommand(frmDocument &doc);
// The save-as command; false when the user cancelled or the write failed.
bool saveDocumentAsCommand(frmDocument &doc);

// Shows the recent-file list on menu entries (0 the separator, 1..lastEntry the files): an
// entry whose list entry is non-empty gets it as caption and is shown; others are left as
// they are.
void showRecentFiles(const QList<QAction *> &items, int lastEntry);
// The path behind a recent-file entry.
QString recentFilePath(const QAction *item);
