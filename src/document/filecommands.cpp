// The File commands of the document window that act on the document itself, the colouring pass
// of the View menu and the Tool menu's enabling.

#include "core/interaction.h"
#include "core/sharedstate.h"
#include "document/documentcommands.h"
#include "document/documentsave.h"
#include "document/frmdocument.h"
#include "document/recoverykeeper.h"
#include "document/richtextbox.h"
#include "document/tagcolor.h"

#include <QAction>

namespace {

// Error number of a failed print job.
constexpr int PrinterError = 482;

void mnuFile_Click(frmDocument &doc)
{
    // A new document is saved with save-as.
    doc.setCommandEnabled(QStringLiteral("mnuFileSave"),
                          doc.strFileName != frmDocument::NewFileName);
}

void mnuFileClose_Click(frmDocument &doc)
{
    doc.close();
}

void mnuFileSave_Click(frmDocument &doc)
{
    saveDocumentCommand(doc);
}

void mnuFileAdd_Click(frmDocument &doc)
{
    saveDocumentAsCommand(doc);
}

void mnuFilePrint_Click(frmDocument &doc)
{
    QString error;
    const auto outcome = Interaction::current().printText(doc.txtText->text(), &error);
    if (outcome == Interaction::PrintOutcome::Failed)
        Interaction::inform(
            QStringLiteral("ｴﾗｰﾙｰﾁﾝ >> frmDocument mnuFilePrint_Click()\r\nｴﾗｰｺｰﾄﾞ >> ")
                + QString::number(PrinterError) + QStringLiteral("\r\n") + error,
            Interaction::Icon::Warning);
}

void mnuViewTagColor_Click(frmDocument &doc)
{
    const int caret = doc.txtText->selStart();
    Color_set(doc);
    doc.txtText->setSelStart(caret);
}

void mnuTool_Click(frmDocument &doc)
{
    const bool selected = doc.txtText->selLength() > 0;
    for (const char *name :
         {"mnuToopBr", "mnuToolP", "mnuToolDelCR", "mnuToolHan2Zen", "mnuToolGradation"})
        doc.setCommandEnabled(QString::fromLatin1(name), selected);
    doc.setCommandEnabled(QStringLiteral("mnuToolDownload"), true);
    doc.setCommandEnabled(QStringLiteral("mnuToolOption"), true);
}

} // namespace

DocumentCommandTable documentFileCommands()
{
    return {
        {"mnuFile_Click", mnuFile_Click},
        {"mnuFileClose_Click", mnuFileClose_Click},
        {"mnuFileSave_Click", mnuFileSave_Click},
        {"mnuFileAdd_Click", mnuFileAdd_Click},
        {"mnuFilePrint_Click", mnuFilePrint_Click},
        {"mnuViewTagColor_Click", mnuViewTagColor_Click},
        {"mnuTool_Click", mnuTool_Click},
    };
}

void registerDocumentCommands()
{
    DocumentCommands::add(documentFileCommands());
    DocumentCommands::add(insertCommands());
    DocumentCommands::add(toolCommands());
    DocumentCommands::add(phraseCommands());
    DocumentCommands::add(encodingCommands());
    DocumentCommands::add(viewCommands());
    DocumentCommands::add(typingCommands());
    registerUndoCommands();
    frmDocument::addSetUpStep(keepRecoveryFile);
}
