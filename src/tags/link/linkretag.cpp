#include "tags/link/linkretag.h"

#include "tags/link/frmlinkset.h"
#include "tags/link/frmmailtoset.h"
#include "tags/link/linkformat.h"
#include "tags/shared/reedit.h"

#include <QLineEdit>

namespace {

// Both link dialogs show the element's content as the link text; without an end tag in the
// selection there is none to edit, and the box stays disabled. OK replaces start tag and
// content and keeps the element's end tag: a dialog that writes one of its own loses it.
template <class D, typename D::Values (*readElement)(const LinkElement &), QLineEdit *D::*textBox,
          bool writesEndTag>
ReEditFormat<D, LinkElement> linkFormat(bool needsFolder,
                                        QString (*write)(const typename D::Values &),
                                        QStringList (*managedAttributes)())
{
    using Outcome = typename ReEditFormat<D, LinkElement>::Outcome;
    return {
        .span = ReEditSpan::Selection,
        .needsFolder = needsFolder,
        .read = splitLinkElement,
        .prepare =
            [](D &dialog, const LinkElement &element) {
                dialog.apply(readElement(element));
                (dialog.*textBox)->setEnabled(element.closed);
            },
        .write = write,
        .managedAttributes = managedAttributes,
        .compose = [](const Outcome &done) -> ReEditReplacement {
            const QLatin1String endTag("</A>");
            const bool ownEndTag = writesEndTag && done.result.endsWith(endTag);
            const QString result = ownEndTag ? done.result.chopped(endTag.size()) : done.result;
            return {done.keptAttributes(result, done.reading.startTag),
                    done.reading.editedLength()};
        },
    };
}

} // namespace

void EditLinkTag(frmDocument &doc)
{
    // A mail link asks for no save: it names no file.
    if (isMailLink(splitLinkElement(selectedSpan(doc, ReEditSpan::Selection).text)))
        reEdit(doc, linkFormat<frmMailtoSet, readMailElement, &frmMailtoSet::txtHyouji, true>(
                        false, mailLink, mailAttributeNames));
    else
        reEdit(doc, linkFormat<frmLinkSet, readLinkElement, &frmLinkSet::txtMIdashi, false>(
                        true, linkStart, linkAttributeNames));
}
