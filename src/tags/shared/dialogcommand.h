#pragma once

#include "tags/shared/tagdialog.h"

#include <QString>

class frmDocument;

// The steps every tag command shares.

// A never-saved document has no folder to make references relative to: asks whether to save
// it first. No stops the command (false); Yes runs save-as and goes on whether or not the
// document was saved.
bool RequireSavedDocument(frmDocument &doc);

// For dialogs with file references: asks for a save first when the document is new (false
// when the user declined), then hands the document's path to the dialog.
bool handOverBasePath(frmDocument &doc, TagDialog &dialog);

// Brings the frame to the front and puts the keyboard focus back into the document's text.
void bringDocumentForward(frmDocument &doc);

// Puts `text` over the selection of the document's text (the one insertion procedure).
void insertIntoDocument(frmDocument &doc, const QString &text);

// One use of dialog D: loads it, lets `prepare(dialog)` pre-fill it, shows it and, unless it
// was cancelled, inserts `compose(dialog, result)`; the dialog is discarded at the end.
// Answers whether anything was inserted.
template <class D, class Prepare, class Compose>
bool runTagCommand(frmDocument &doc, Prepare prepare, Compose compose)
{
    DialogUse<D> dialog;
    if (!prepare(*dialog))
        return false;
    const QString result = dialog.run();
    if (result == TagDialog::Cancel)
        return false;
    insertIntoDocument(doc, compose(*dialog, result));
    return true;
}

// Preparations and compositions for runTagCommand.
inline constexpr auto noPreparation = [](auto &) { return true; };
inline constexpr auto resultAlone = [](auto &, const QString &result) { return result; };
