#include "tags/head/downloadcommands.h"

#include "core/interaction.h"
#include "document/richtextbox.h"
#include "document/tagcolor.h"
#include "download/pagedecode.h"
#include "tags/head/dlgurl.h"
#include "tags/head/frmdownload.h"
#include "tags/shared/tagdialog.h"

namespace {

FetchLimits &limitsInUse()
{
    static FetchLimits limits;
    return limits;
}

// Fetches `address` under the progress window; the fetch tells how it ended.
void fetchWithProgress(PageFetch &fetch)
{
    frmDownload progress(fetch);
    fetch.start();
    Interaction::current().runModal(progress);
    fetch.cancel(); // a progress window closed some other way must not leave the transfer running
}

// Replaces the whole text with the source of a page from a server. The text is replaced only
// once the whole body has arrived, as one undo step; a cancelled question, a cancelled or
// failed transfer leaves the document as it was.
void mnuToolDownload_Click(frmDocument &doc)
{
    if (Interaction::ask(QObject::tr("現在編集中のソースは保存されません。"),
                         Interaction::Icon::Question, Interaction::Buttons::OkCancel)
        != Interaction::Answer::Ok)
        return;
    QString address;
    {
        DialogUse<dlgURL> dialog;
        address = dialog.run();
    }
    if (address == TagDialog::Cancel)
        return;

    PageFetch fetch(address, downloadLimits());
    fetchWithProgress(fetch);
    if (!fetch.succeeded()) {
        if (fetch.failure() != FetchFailure::Cancelled)
            Interaction::inform(fetchFailureMessage(fetch), Interaction::Icon::Warning);
        return;
    }
    RichTextBox &box = *doc.txtText;
    box.setSelStart(0);
    box.setSelLength(box.textLength());
    InsertFragment(doc, decodePage(fetch.body(), fetch.contentType()));
}

} // namespace

DocumentCommandTable downloadCommands()
{
    return {{"mnuToolDownload_Click", mnuToolDownload_Click}};
}

const FetchLimits &downloadLimits()
{
    return limitsInUse();
}

void setDownloadLimits(const FetchLimits &limits)
{
    limitsInUse() = limits;
}
