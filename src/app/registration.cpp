#include "app/registration.h"

#include "document/documentcommands.h"
#include "mainwindow/framecommands.h"
#include "mainwindow/previewcommands.h"
#include "options/helpcommands.h"
#include "options/optionscommands.h"
#include "tags/tagcommands.h"

void registerAllCommands()
{
    registerDocumentCommands();
    registerTagCommands();
    registerFrameCommands();
    registerHelpCommands();
    registerOptionsCommands();
    registerPreviewCommands();
}
