// The frameset command: its pages are written relative to the document, so a never-saved
// document is offered a save first.

#include "tags/frame/framecommands.h"

#include "tags/frame/frmframeset.h"
#include "tags/shared/dialogcommand.h"

namespace {

void mnuFrame_Click(frmDocument &doc)
{
    runTagCommand<frmFrameSet>(
        doc, [&doc](frmFrameSet &dialog) { return handOverBasePath(doc, dialog); }, resultAlone);
}

} // namespace

DocumentCommandTable frameCommands()
{
    return {{"mnuFrame_Click", mnuFrame_Click}};
}
