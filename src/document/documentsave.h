#pragma once

#include "core/documentfile.h"
#include "core/interaction.h"

#include <QList>
#include <QString>

class QAction;
class frmDocument;

// The filter of the open and save-as dialogs.
QString documentFileFilter();
// The open and save-as dialogs' request: that filter, starting in the last document's folder.
Interaction::FileRequest documentFileRequest();
// "ｴﾗｰﾙｰﾁﾝ >> routine" with the error's number and description, as error boxes show it.
QString errorBox(const QString &routine, const FileError &error, const QString &description);

// The status bar's note after a save that wrote characters as numeric references: the
// characters `encoding` cannot hold, with their line numbers.
QString unmappableNote(const QString &text, TextEncoding encoding);

// Makes `path` the document's file, as read or written with `stamp`: strFileName, the tag of
// txtText, the caption (the path as people read it, nativepath.h) and the remembered stamp.
void setDocumentFile(frmDocument &doc, const QString &path, const FileStamp &stamp);

// Writes the document's text to its strFileName in its encoding (FileSave); false, after
// telling the user, when the write failed. A file that another program changed since the
// document read or wrote it is not overwritten without asking (outsidechanges.h).
bool saveDocumentFile(frmDocument &doc);
// The save command: save-as for a never-saved document, else FileSave. True when saved.
bool saveDocumentCommand(frmDocument &doc);
// The save-as command; false when the user cancelled or the write failed. The document takes
// the new name only when the write succeeded.
bool saveDocumentAsCommand(frmDocument &doc);

// Shows the recent-file list on menu entries (0 the separator, 1..lastEntry the files): an
// entry whose list entry is non-empty gets it as caption and is shown; others are left as
// they are.
void showRecentFiles(const QList<QAction *> &items, int lastEntry);
// The path behind a recent-file entry.
QString recentFilePath(const QAction *item);
