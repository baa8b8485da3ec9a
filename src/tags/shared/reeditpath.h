#pragma once

#include "document/frmdocument.h"
#include "tags/shared/dialogcommand.h"
#include "tags/shared/tagdialog.h"

// Before re-editing with a dialog that writes file references: a never-saved document is
// offered a save first (false when the user declined), then dialog D is loaded with the
// document's path as its base path, ready for the re-edit routine that loads it next.
template <class D> bool loadWithDocumentPath(frmDocument &doc)
{
    if (doc.strFileName == frmDocument::NewFileName && !RequireSavedDocument(doc))
        return false;
    loadDialog<D>().setBasePath(doc.strFileName);
    return true;
}
