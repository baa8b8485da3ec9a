#pragma once

#include "tags/shared/tagdialog.h"

// A tag dialog with the closing guard of the dialogs that survive a Cancel: a discard after
// Cancel or the close box is refused once (the dialog hides, reads "Cancel" and keeps its
// fields for the next use); after OK, or on the following discard, it goes.
class GuardedTagDialog : public TagDialog
{
    Q_OBJECT

public:
    using TagDialog::TagDialog;

    // True once OK succeeded; the closing guard lets the dialog go only then.
    bool okPressed = false;

    void reject() override;

protected:
    void okAccepted() override;
    bool queryUnload() override;
};
