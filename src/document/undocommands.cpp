// The Edit menu's 元に戻す and やり直し, with their entries enabled while there is a step to take
// back or to do again.

#include "document/documentcommands.h"
#include "document/frmdocument.h"
#include "document/richtextbox.h"

#include <QTextDocument>

namespace {

void mnuEditUndo_Click(frmDocument &doc)
{
    doc.txtText->undoStep();
}

void mnuEditRedo_Click(frmDocument &doc)
{
    doc.txtText->undoStep(true);
}

// The entries follow the text's undo stack. While the text control has the focus it takes the
// standard keys itself; Ctrl+Y, which is not every desktop's redo key, reaches the entry.
void followUndoStack(frmDocument &doc)
{
    RichTextBox *box = doc.txtText;
    const auto show = [&doc, box] {
        doc.setCommandEnabled(QStringLiteral("mnuEditUndo"), box->document()->isUndoAvailable());
        doc.setCommandEnabled(QStringLiteral("mnuEditRedo"), box->document()->isRedoAvailable());
    };
    QObject::connect(box, &RichTextBox::undoAvailable, &doc, show);
    QObject::connect(box, &RichTextBox::redoAvailable, &doc, show);
    show();
}

} // namespace

DocumentCommandTable undoCommands()
{
    return {
        {"mnuEditUndo_Click", mnuEditUndo_Click},
        {"mnuEditRedo_Click", mnuEditRedo_Click},
    };
}

void registerUndoCommands()
{
    DocumentCommands::add(undoCommands());
    frmDocument::addSetUpStep(followUndoStack);
}
