// The frameset command: its pages are written relative to the document, so a never-saved
// document is offered a save first.

#include "tags/frameset/framesetcommands.h"

#include "tags/frameset/frmframeset.h"
#include "tags/shared/dialogcommand.h"

namespace {

void mnuFrame_Click(frmDocument &doc)
{
    runTagCommand<frmFrameSet>(
        doc, [&doc](frmFrameSet &dialog) { return handOverBasePath(doc, dialog); }, resultAlone);
}

} // namespace

// The hidden test entry of the Help menu: the frameset dialog, shown and discarded, inserting
// nothing.
void mnuHelpFormList_Click(frmDocument &)
{
    DialogUse<frmFrameSet> dialog;
    dialog.run();
}

DocumentCommandTable framesetCommands()
{
    return {{"mnuFrame_Click", mnuFrame_Click}, {"mnuHelpFormList_Click", mnuHelpFormList_Click}};
}
