#include "document/editcommands.h"

#include "core/interaction.h"
#include "document/clipboard.h"
#include "document/frmdocument.h"
#include "document/richtextbox.h"
#include "document/simpletags.h"
#include "document/tagcolor.h"

void InsertTag(frmDocument &doc, const QString &name)
{
    InsertFragment(doc, startTag(name));
}

void WrapTag(frmDocument &doc, const QString &name)
{
    RichTextBox &box = *doc.txtText;
    const int start = box.selStart();
    const int length = box.selLength();
    const QString open = startTag(name);
    InsertFragment(doc, open + box.selText() + endTag(name));
    box.select(start + int(open.size()), length);
}

int clipboardFormatCode(bool text, bool bitmap, bool dib, bool rtf)
{
    return (text ? 1 : 0) + (bitmap ? 2 : 0) + (dib ? 4 : 0) + (rtf ? 8 : 0);
}

PasteDecision pasteDecision(int formatCode)
{
    using A = PasteDecision::Action;
    switch (formatCode) {
    case 1: return {A::InsertText, {}};
    case 2:
    case 4:
    case 6: return {A::Message, QObject::tr("クリップボード上にあるのはビットマップだけです。")};
    case 3:
    case 5:
    case 7:
        return {A::Message, QObject::tr("クリップボード上にあるのはテキストとビットマップです。")};
    case 8:
    case 9: return {A::InsertRtf, {}};
    default: return {A::Message, QObject::tr("クリップボード上には何もありません。")};
    }
}

void mnuEdit_Click(frmDocument &doc)
{
    const bool selected = doc.txtText->selLength() >= 1;
    for (const char *name : {"mnuEditCut", "mnuEditCopy", "mnuEditDel"})
        doc.setCommandEnabled(QLatin1String(name), selected);
    doc.setCommandEnabled(QStringLiteral("mnuEditPaste"),
                          !clipboardGetText(ClipboardFormat::Text).isEmpty()
                              || !clipboardGetText(ClipboardFormat::Rtf).isEmpty());
}

namespace {

// The selection onto an emptied clipboard in one format. A command reached with nothing
// selected (a shortcut whose entry was last enabled) leaves the clipboard as it is.
bool copySelection(frmDocument &doc, ClipboardFormat format)
{
    RichTextBox &box = *doc.txtText;
    if (box.selLength() == 0)
        return false;
    const QString content = format == ClipboardFormat::Rtf ? box.selRtf() : box.selText();
    clipboardClear();
    clipboardSetText(content, format);
    return true;
}

} // namespace

void mnuEditCut_Click(frmDocument &doc)
{
    if (copySelection(doc, ClipboardFormat::Rtf))
        doc.txtText->setSelText(QString());
}

void mnuEditCopy_Click(frmDocument &doc)
{
    copySelection(doc, ClipboardFormat::Rtf);
}

void mnuPopCut_Click(frmDocument &doc)
{
    if (copySelection(doc, ClipboardFormat::Text))
        doc.txtText->setSelText(QString());
}

void mnuPopCopy_Click(frmDocument &doc)
{
    copySelection(doc, ClipboardFormat::Text);
}

void mnuEditDel_Click(frmDocument &doc)
{
    doc.txtText->setSelText(QString());
}

void mnuEditPaste_Click(frmDocument &doc)
{
    // Ctrl+V pastes in the text control itself; the command then inserts nothing.
    if (!(doc.blnCtrlKey && doc.blnPasteKey)) {
        const int code = clipboardFormatCode(
            clipboardHasFormat(ClipboardFormat::Text), clipboardHasFormat(ClipboardFormat::Bitmap),
            clipboardHasFormat(ClipboardFormat::Dib), clipboardHasFormat(ClipboardFormat::Rtf));
        const PasteDecision decision = pasteDecision(code);
        switch (decision.action) {
        case PasteDecision::Action::InsertText:
            InsertFragment(doc, clipboardGetText(ClipboardFormat::Text));
            break;
        case PasteDecision::Action::InsertRtf:
            doc.txtText->setSelRtf(clipboardGetText(ClipboardFormat::Rtf));
            break;
        case PasteDecision::Action::Message: Interaction::inform(decision.message); break;
        }
    }
    doc.blnCtrlKey = false;
    doc.blnPasteKey = false;
}
