#include "tags/script/scriptretag.h"

#include "document/frmdocument.h"
#include "document/richtextbox.h"
#include "tags/script/frmappletset.h"
#include "tags/script/scriptformat.h"
#include "tags/shared/dialogcommand.h"
#include "tags/shared/reeditpath.h"
#include "tags/shared/tagoption.h"

void EditAppletTag(frmDocument &doc, TagScratch &)
{
    if (!loadWithDocumentPath<frmAppletSet>(doc))
        return;
    const AppletReading reading = readAppletElement(doc.txtText->selText());
    DialogUse<frmAppletSet> dialog;
    dialog->apply(reading.values);
    const QString untouched = appletElement(dialog->fields());
    const QString result = dialog.run();
    if (result == TagDialog::Cancel)
        return;
    insertIntoDocument(doc, mergeReEditedTag(withAppletRest(result, reading.rest), untouched,
                                             reading.startTag, appletAttributeNames()));
}
