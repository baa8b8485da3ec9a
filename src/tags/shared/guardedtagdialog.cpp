#include "tags/shared/guardedtagdialog.h"

void GuardedTagDialog::okAccepted()
{
    okPressed = true;
}

void GuardedTagDialog::reject()
{
    okPressed = false;
    TagDialog::reject();
}

bool GuardedTagDialog::queryUnload()
{
    if (okPressed)
        return true;
    setResultString(Cancel);
    hide();
    okPressed = true;
    return false;
}
