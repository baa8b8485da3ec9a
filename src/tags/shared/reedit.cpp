#include "tags/shared/reedit.h"

#include "document/frmdocument.h"
#include "document/richtextbox.h"
#include "document/tagcolor.h"

SelectedStartTag selectedStartTag(const frmDocument &doc)
{
    return {doc.txtText->selStart(), leadingStartTag(doc.txtText->selText())};
}

QString leadingStartTag(const QString &selText)
{
    return selText.left(startTagEnd(selText) + 1);
}

void replaceStartTag(frmDocument &doc, const SelectedStartTag &tag, const QString &result)
{
    doc.txtText->select(tag.start, int(tag.text.size()));
    InsertFragment(doc, result);
}
