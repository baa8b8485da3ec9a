#pragma once

#include <QString>

class frmDocument;

// "<NAME>" over the selection (or at the caret); the caret ends after it.
void InsertTag(frmDocument &doc, const QString &name);
// "<NAME>" + selection + "</NAME>" over the selection, which is then selected again inside the
// tags; with nothing selected the caret ends between them.
void WrapTag(frmDocument &doc, const QString &name);

// What the paste command does with the clipboard's formats. The code adds 1 for plain text,
// 2 for a bitmap, 4 for a device-independent bitmap and 8 for rich text.
int clipboardFormatCode(bool text, bool bitmap, bool dib, bool rtf);
struct PasteDecision
{
    enum class Action { InsertText, InsertRtf, Message };
    Action action;
    QString message; // for Message
};
PasteDecision pasteDecision(int formatCode);

// The Edit menu and the clipboard entries of the text's context menu.
void mnuEdit_Click(frmDocument &doc);
void mnuEditCut_Click(frmDocument &doc);
void mnuEditCopy_Click(frmDocument &doc);
void mnuEditPaste_Click(frmDocument &doc);
void mnuEditDel_Click(frmDocument &doc);
void mnuPopCut_Click(frmDocument &doc);
void mnuPopCopy_Click(frmDocument &doc);
