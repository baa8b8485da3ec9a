#include "options/helpcommands.h"

#include "core/interaction.h"
#include "mainwindow/frmmain.h"
#include "options/frmabout.h"
#include "options/frmhelp.h"

namespace {

// The program's help file, kept by the frame; "" without a frame or without a help file.
QString programHelpFile()
{
    frmMain *frame = frmMain::instance();
    return frame ? frame->helpFile : QString();
}

// Opens the guide in the help window; `caption` titles the box that says there is none.
void showHelp(const QString &caption, frmHelp::View view)
{
    const QString helpFile = programHelpFile();
    if (helpFile.isEmpty()) {
        Interaction::inform(
            QStringLiteral(
                "ﾍﾙﾌﾟの目次を表示できません。 このﾌﾟﾛｼﾞｪｸﾄに関連付けられたﾍﾙﾌﾟが存在しません。"),
            Interaction::Icon::Information, caption);
        return;
    }
    QString error;
    if (!frmHelp::open(helpFile, view, &error))
        Interaction::inform(error);
}

template <class Owner, frmHelp::View View> void showHelpOf(Owner &owner)
{
    showHelp(owner.windowTitle(), View);
}

template <class Owner> void showAbout(Owner &owner)
{
    frmAbout about(&owner);
    Interaction::current().runModal(about);
}

} // namespace

FrameCommandTable helpFrameCommands()
{
    return {
        {"mnuHelpContents_Click", showHelpOf<frmMain, frmHelp::View::Contents>},
        {"mnuHelpSearch_Click", showHelpOf<frmMain, frmHelp::View::KeywordSearch>},
        {"mnuHelpAbout_Click", showAbout<frmMain>},
    };
}

DocumentCommandTable helpDocumentCommands()
{
    return {
        {"mnuHelpIndex_Click", showHelpOf<frmDocument, frmHelp::View::Contents>},
        {"mnuHelpShow_Click", showHelpOf<frmDocument, frmHelp::View::KeywordSearch>},
        {"mnuHelpAboout_Click", showAbout<frmDocument>},
    };
}

void registerHelpCommands()
{
    FrameCommands::add(helpFrameCommands());
    DocumentCommands::add(helpDocumentCommands());
}
