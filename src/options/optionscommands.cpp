#include "options/optionscommands.h"

#include "core/interaction.h"
#include "document/richtextbox.h"
#include "mainwindow/framecommands.h"
#include "mainwindow/frmmain.h"
#include "options/frmoptions.h"

namespace {

void mnuViewOptions_Click(frmMain &)
{
    showOptions();
}

void mnuToolOption_Click(frmMain &)
{
    showOptions();
}

// Afterwards the frame comes to the front and the text has the focus again.
void documentToolOption(frmDocument &doc)
{
    showOptions();
    if (frmMain *frame = frmMain::instance()) {
        frame->raise();
        frame->activateWindow();
    }
    doc.txtText->setFocus();
}

} // namespace

bool showOptions()
{
    frmOptions dialog;
    return Interaction::current().runModal(dialog) == QDialog::Accepted;
}

void registerOptionsCommands()
{
    FrameCommands::add({{"mnuViewOptions_Click", mnuViewOptions_Click},
                        {"mnuToolOption_Click", mnuToolOption_Click}});
    DocumentCommands::add({{"mnuToolOption_Click", documentToolOption}});
}
