#include "tags/script/scriptcommands.h"

#include "document/frmdocument.h"
#include "document/richtextbox.h"
#include "document/tagcolor.h"
#include "tags/script/frmappletset.h"
#include "tags/script/frmjsforset.h"
#include "tags/script/scriptformat.h"
#include "tags/shared/dialogcommand.h"

namespace {

// The three ways the snippets reach the text: inserted as fragments, set over the selection,
// or wrapped around it; all in the looks of their markup when tag colouring is on.
void setText(frmDocument &doc, const QString &text)
{
    putText(*doc.txtText, text);
}

// The selection goes between the wrapper's pieces and is selected again there.
void wrapSelection(frmDocument &doc, const ScriptWrapper &wrapper)
{
    RichTextBox &text = *doc.txtText;
    const int start = text.selStart();
    const QString selected = text.selText();
    putText(text, wrapper.opening + selected + wrapper.closing);
    text.select(start + int(wrapper.opening.size()), int(selected.size()));
}

void mnuOtherApplet_Click(frmDocument &doc)
{
    runTagCommand<frmAppletSet>(
        doc, [&doc](frmAppletSet &dialog) { return handOverBasePath(doc, dialog); }, resultAlone);
}

void mnuOtherJScript_Click(frmDocument &doc)
{
    insertIntoDocument(doc, javaScriptBlock());
}

void mnuOtherVBScript_Click(frmDocument &doc)
{
    insertIntoDocument(doc, vbScriptBlock());
}

void mnuPerlPrint_Click(frmDocument &doc)
{
    insertIntoDocument(doc, perlPrint(doc.txtText->selText()));
}

void mnuJsIf_Click(frmDocument &doc)
{
    setText(doc, ifSkeleton());
}

void mnuJsVar_Click(frmDocument &doc)
{
    setText(doc, varKeyword());
}

void mnuJsFor_Click(frmDocument &doc)
{
    DialogUse<frmJsForSet> dialog;
    const QString result = dialog.run();
    if (result != TagDialog::Cancel)
        setText(doc, forBlock(result));
}

template <ScriptWrapper (*Wrapper)()> void wrapWith(frmDocument &doc)
{
    wrapSelection(doc, Wrapper());
}

} // namespace

DocumentCommandTable scriptCommands()
{
    return {
        {"mnuOtherApplet_Click", mnuOtherApplet_Click},
        {"mnuOtherJScript_Click", mnuOtherJScript_Click},
        {"mnuOtherVBScript_Click", mnuOtherVBScript_Click},
        {"mnuPerlPrint_Click", mnuPerlPrint_Click},
        {"mnuJsJs_Click", mnuOtherJScript_Click},
        {"mnuJsEventLoad_Click", wrapWith<onLoadWrapper>},
        {"mnuJsEventClick_Click", wrapWith<onClickWrapper>},
        {"mnuJsEventMouseover_Click", wrapWith<onMouseoverWrapper>},
        {"mnuJsIf_Click", mnuJsIf_Click},
        {"mnuJsFor_Click", mnuJsFor_Click},
        {"mnuJsDialogAlert_Click", wrapWith<alertWrapper>},
        {"mnuJsDialogConfirm_Click", wrapWith<confirmWrapper>},
        {"mnuJsDocumentWrite_Click", wrapWith<documentWriteWrapper>},
        {"mnuJsVar_Click", mnuJsVar_Click},
    };
}
