// The View menu's switch for the marks of full-width spaces and tabs.

#include "core/settings.h"
#include "document/documentcommands.h"
#include "document/richtextbox.h"

#include <QAction>
#include <QApplication>

namespace {

// The option is one for all windows: every open text follows at once.
void mnuViewSpaceMarks_Click(frmDocument &doc)
{
    const bool shown = !storedSpaceMarksShown();
    storeSpaceMarksShown(shown);
    for (QWidget *widget : QApplication::allWidgets())
        if (auto *box = qobject_cast<RichTextBox *>(widget))
            box->setSpaceMarksShown(shown);
    if (QAction *entry = doc.action(QStringLiteral("mnuViewSpaceMarks"))) {
        entry->setCheckable(true);
        entry->setChecked(shown);
    }
}

} // namespace

DocumentCommandTable viewCommands()
{
    return {
        {"mnuViewSpaceMarks_Click", mnuViewSpaceMarks_Click},
    };
}
