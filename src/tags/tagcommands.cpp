#include "tags/tagcommands.h"

#include "tags/head/headcommands.h"
#include "tags/shared/tagedit.h"
#include "tags/table/tablecommands.h"

void registerTagCommands()
{
    DocumentCommands::add(pageHeadCommands());
    DocumentCommands::add(tableCommands());
    DocumentCommands::add(retagCommands());
    frmDocument::addSetUpStep(connectTagEditing);
}
