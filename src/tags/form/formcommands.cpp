// The commands of the form menu: a form around nothing, a one-line control, a text area
// holding the selection.

#include "tags/form/formcommands.h"

#include "document/frmdocument.h"
#include "document/richtextbox.h"
#include "tags/form/frmformset.h"
#include "tags/form/frminput.h"
#include "tags/form/frmtextboxset.h"
#include "tags/shared/dialogcommand.h"

namespace {

const QString CrLf = QStringLiteral("\r\n");

void mnuFormForm_Click(frmDocument &doc)
{
    runTagCommand<frmFormSet>(doc, noPreparation, [](auto &, const QString &result) {
        return result + CrLf + QStringLiteral("</FORM>") + CrLf;
    });
}

void mnuFormInput_Click(frmDocument &doc)
{
    runTagCommand<frmInput>(doc, noPreparation,
                            [](auto &, const QString &result) { return result + CrLf; });
}

void mnuFormTextarea_Click(frmDocument &doc)
{
    runTagCommand<frmTextBoxSet>(
        doc,
        [&doc](frmTextBoxSet &dialog) {
            TextAreaFields values = dialog.fields();
            values.value = doc.txtText->selText();
            dialog.apply(values);
            return true;
        },
        resultAlone);
}

} // namespace

DocumentCommandTable formCommands()
{
    return {
        {"mnuFormForm_Click", mnuFormForm_Click},
        {"mnuFormInput_Click", mnuFormInput_Click},
        {"mnuFormTextarea_Click", mnuFormTextarea_Click},
    };
}
