#pragma once

#include <QList>
#include <QString>

class frmDocument;

// Creates a document window, hidden and loaded, inside the frame when there is one.
frmDocument *createDocumentWindow();
// The open document windows in the frame's list order.
QList<frmDocument *> openDocuments();

// The open document window that shows `path`; nullptr when there is none.
frmDocument *documentShowing(const QString &path);

// Opens `path` in a new document window, or brings the window that shows it to the front.
void ReadDoc(const QString &path);
// The open command of the frame and the document window: asks for a file and reads it.
void openDocumentCommand();
// Asks for a template and opens a new, never-saved document window.
void NewDocument();
