#include "tags/frameset/framesetretag.h"

#include "document/frmdocument.h"
#include "document/richtextbox.h"
#include "tags/frameset/framesetformat.h"
#include "tags/frameset/frmframeset.h"
#include "tags/shared/dialogcommand.h"

void EditFramesetTag(frmDocument &doc, TagScratch &)
{
    const FrameSetParts parts = splitFrameSet(doc.txtText->selText());
    if (!parts.twoFrames)
        return;
    // The pages chosen with the reference buttons are written relative to the document.
    loadDialog<frmFrameSet>().setBasePath(doc.strFileName);
    DialogUse<frmFrameSet> dialog;
    dialog->apply(readFrameSet(parts));
    const FrameSetFields untouched = dialog->fields();
    if (dialog.run() == TagDialog::Cancel)
        return;
    insertIntoDocument(doc, rebuiltFrameSet(dialog->fields(), parts, untouched));
}
