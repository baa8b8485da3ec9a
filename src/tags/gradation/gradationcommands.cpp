// Gradation text over the selection.

#include "tags/gradation/gradationcommands.h"

#include "document/frmdocument.h"
#include "document/richtextbox.h"
#include "tags/gradation/frmgradation.h"
#include "tags/shared/dialogcommand.h"

namespace {

void mnuToolGradation_Click(frmDocument &doc)
{
    runTagCommand<frmGradation>(
        doc,
        [&doc](frmGradation &dialog) {
            frmGradation::Values values = dialog.fields();
            values.text = doc.txtText->selText();
            dialog.apply(values);
            return true;
        },
        resultAlone);
}

} // namespace

DocumentCommandTable gradationCommands()
{
    return {
        {"mnuToolGradation_Click", mnuToolGradation_Click},
    };
}
