#include "tags/link/linkretag.h"

#include "document/frmdocument.h"
#include "document/richtextbox.h"
#include "tags/link/frmlinkset.h"
#include "tags/link/frmmailtoset.h"
#include "tags/link/linkformat.h"
#include "tags/shared/reedit.h"
#include "tags/shared/reeditpath.h"

#include <QLineEdit>

namespace {

// Runs dialog D (already loaded when it needs the document's path) pre-filled with `values`
// and puts start tag and content of the result in place of the element's; `write` is what the
// dialog's OK writes, `endTag` the end tag its result carries, which the element's own
// replaces.
template <class D>
void reEditElement(frmDocument &doc, const LinkElement &element, const typename D::Values &values,
                   QLineEdit *D::*textBox, const QStringList &managed,
                   QString (*write)(const typename D::Values &), QLatin1String endTag = {})
{
    const int start = doc.txtText->selStart();
    DialogUse<D> dialog;
    dialog->apply(values);
    ((*dialog).*textBox)->setEnabled(element.closed);
    const QString untouched = write(dialog->fields());
    QString result = dialog.run();
    if (result == TagDialog::Cancel)
        return;
    if (!endTag.isEmpty() && result.endsWith(endTag))
        result.chop(endTag.size());
    replaceStartTag(doc, {start, element.startTag + element.content},
                    mergeReEditedTag(result, untouched, element.startTag, managed));
}

} // namespace

void EditLinkTag(frmDocument &doc, TagScratch &)
{
    const LinkElement element = splitLinkElement(doc.txtText->selText());
    if (isMailLink(element)) {
        reEditElement<frmMailtoSet>(doc, element, readMailElement(element),
                                    &frmMailtoSet::txtHyouji, mailAttributeNames(), mailLink,
                                    QLatin1String("</A>"));
        return;
    }
    if (loadWithDocumentPath<frmLinkSet>(doc))
        reEditElement<frmLinkSet>(doc, element, readLinkElement(element), &frmLinkSet::txtMIdashi,
                                  linkAttributeNames(), linkStart);
}
