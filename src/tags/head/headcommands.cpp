// The page-head commands of the HTML menu: META tags, automatic reload, base URL and named
// anchors.

#include "tags/head/headcommands.h"

#include "document/frmdocument.h"
#include "document/richtextbox.h"
#include "tags/head/dlgauthor.h"
#include "tags/head/dlgdescription.h"
#include "tags/head/dlgkeyword.h"
#include "tags/head/dlgsetbaseurl.h"
#include "tags/head/dlgsetname.h"
#include "tags/head/dlgsetrefresh.h"
#include "tags/head/pageheadfragments.h"
#include "tags/shared/dialogcommand.h"

#include <QLineEdit>

namespace {

// A META name tag whose content is the dialog's result.
template <class D> void insertMetaName(frmDocument &doc, const char *name)
{
    runTagCommand<D>(doc, noPreparation, [name](auto &, const QString &result) {
        return metaNameTag(QLatin1String(name), result);
    });
}

void mnuHtmlMateNameAuthor_Click(frmDocument &doc)
{
    insertMetaName<dlgAuthor>(doc, "author");
}

void mnuHtmlMetaNameDiscription_Click(frmDocument &doc)
{
    insertMetaName<dlgDescription>(doc, "description");
}

void mnuHtmlMetaNameKeyword_Click(frmDocument &doc)
{
    insertMetaName<dlgKeyword>(doc, "keyword");
}

void mnuHtmlMetaRefresh_Click(frmDocument &doc)
{
    runTagCommand<dlgSetRefresh>(
        doc, [&doc](dlgSetRefresh &dialog) { return handOverBasePath(doc, dialog); }, resultAlone);
}

void mnuHtmlBaseHref_Click(frmDocument &doc)
{
    runTagCommand<dlgSetBaseUrl>(doc, noPreparation, [](auto &, const QString &result) {
        return result + QStringLiteral("\r\n");
    });
}

void mnuName_Click(frmDocument &doc)
{
    // The selection becomes the anchor's text, and the anchor then replaces the selection.
    runTagCommand<DlgSetName>(
        doc,
        [&doc](DlgSetName &dialog) {
            dialog.txtString->setText(doc.txtText->selText());
            return true;
        },
        resultAlone);
}

} // namespace

DocumentCommandTable pageHeadCommands()
{
    return {
        {"mnuHtmlMateNameAuthor_Click", mnuHtmlMateNameAuthor_Click},
        {"mnuHtmlMetaNameDiscription_Click", mnuHtmlMetaNameDiscription_Click},
        {"mnuHtmlMetaNameKeyword_Click", mnuHtmlMetaNameKeyword_Click},
        {"mnuHtmlMetaRefresh_Click", mnuHtmlMetaRefresh_Click},
        {"mnuHtmlBaseHref_Click", mnuHtmlBaseHref_Click},
        {"mnuName_Click", mnuName_Click},
    };
}
