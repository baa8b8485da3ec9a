#include "tags/shared/dialogcommand.h"

#include "core/interaction.h"
#include "document/frmdocument.h"
#include "document/richtextbox.h"
#include "document/tagcolor.h"

bool RequireSavedDocument(frmDocument &doc)
{
    const auto answer = Interaction::ask(
        QObject::tr("新規HTMLは保存しないとﾊﾟｽが確定できません。\r\n保存しますか？"),
        Interaction::Icon::Question, Interaction::Buttons::YesNo);
    if (answer != Interaction::Answer::Yes)
        return false;
    doc.run(QStringLiteral("mnuFileAdd_Click"));
    return true;
}

bool ensurePageHasFolder(frmDocument &doc)
{
    if (doc.strFileName != frmDocument::NewFileName)
        return true;
    return RequireSavedDocument(doc) && doc.strFileName != frmDocument::NewFileName;
}

bool handOverBasePath(frmDocument &doc, TagDialog &dialog)
{
    if (!ensurePageHasFolder(doc))
        return false;
    dialog.setBasePath(doc.strFileName);
    return true;
}

void bringDocumentForward(frmDocument &doc)
{
    // The document's top-level window is the frame when the document lives in one.
    QWidget *frame = doc.window();
    frame->raise();
    frame->activateWindow();
    doc.txtText->setFocus(Qt::OtherFocusReason);
}

void insertIntoDocument(frmDocument &doc, const QString &text)
{
    InsertFragment(doc, text);
}
