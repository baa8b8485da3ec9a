#pragma once

#include <QList>
#include <QString>

class QToolBar;
class RichTextBox;
class frmMain;

// One button of the frame's toolbar.
struct ToolButton
{
    const char *key;
    const char *tooltip;
    const char *icon;      // file under :/icons/, shipped with the program
    const char *themeIcon; // the desktop theme's icon, preferred when the theme has it
    // The active document window's command the button runs; nullptr for the buttons the
    // toolbar handles itself.
    const char *handler = nullptr;
};

// The buttons in their order: the twenty of the written toolbar, then the page check.
const QList<ToolButton> &toolButtons();

// Fills `bar` with the buttons; each action's objectName and data are its key.
void buildToolBar(QToolBar &bar, frmMain &frame);

// What a button does. A button that needs a document while none is active reports it in the
// toolbar's error box; an unknown key does nothing.
void tbToolBar_ButtonClick(frmMain &frame, const QString &key);

// Replaces the selection by "<tag>" + selection + "</tag>" and selects the same text again,
// inside the tags.
void wrapSelection(RichTextBox &box, const QString &tag);
