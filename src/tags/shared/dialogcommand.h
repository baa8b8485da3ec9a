#pragma once

#include "tags/shared/tagdialog.h"

#include <QString>

class frmDocument;

// The steps every tag command shares.

// A never-saved document has no folder to make references relative to: asks whether to save
// it first. No stops the command (false); Yes runs save-as and goes on whether or not the
// document was saved.
bool RequireSavedDocument(frmDocument &doc);

// A page that was never saved has no folder for its references to be relative to: asks whether
// to save it first (RequireSavedDocument) and answers whether the page has a file now. No, or
// a Save As cancelled after Yes, stops the command: a reference written against no folder would
// be an absolute path, broken once the page is uploaded.
bool ensurePageHasFolder(frmDocument &doc);

// For dialogs with file references: makes sure the page has a folder (false when it has
// none), then hands the document's path to the dialog.
bool handOverBasePath(frmDocument &doc, TagDialog &dialog);

// Brings the frame to the front and puts the keyboard focus back into the document's text.
void bringDocumentForward(frmDocument &doc);

// Puts `text` over the selection of the document's text (the one insertion procedure).
void insertIntoDocument(frmDocument &doc, const QString &text);

// One use of dialog D, from load to discard: loads it, lets `prepare(dialog)` fill it (false
// stops there), shows it and, unless it was cancelled, hands it and its result string to
// `accepted(dialog, result)`. The menu commands and the re-edit routine both go through it.
// Answers whether the dialog was accepted.
template <class D, class Prepare, class Accepted> bool useDialog(Prepare prepare, Accepted accepted)
{
    DialogUse<D> dialog;
    if (!prepare(*dialog))
        return false;
    const QString result = dialog.run();
    if (result == TagDialog::Cancel)
        return false;
    accepted(*dialog, result);
    return true;
}

// A menu command's use of dialog D: unless it was cancelled, inserts `compose(dialog, result)`
// over the selection. Answers whether anything was inserted.
template <class D, class Prepare, class Compose>
bool runTagCommand(frmDocument &doc, Prepare prepare, Compose compose)
{
    return useDialog<D>(prepare, [&doc, &compose](D &dialog, const QString &result) {
        insertIntoDocument(doc, compose(dialog, result));
    });
}

// Preparations and compositions for runTagCommand.
inline constexpr auto noPreparation = [](auto &) { return true; };
inline constexpr auto resultAlone = [](auto &, const QString &result) { return result; };
