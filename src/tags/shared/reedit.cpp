#include "tags/shared/reedit.h"

#include "document/frmdocument.h"
#include "document/richtextbox.h"
#include "document/tagcolor.h"

SelectedSpan selectedSpan(const frmDocument &doc, ReEditSpan span)
{
    const QString selText = doc.txtText->selText();
    return {doc.txtText->selStart(),
            span == ReEditSpan::StartTag ? leadingStartTag(selText) : selText};
}

QString leadingStartTag(const QString &selText)
{
    return selText.left(startTagEnd(selText) + 1);
}

void replaceSpan(frmDocument &doc, const SelectedSpan &span, const ReEditReplacement &replacement)
{
    const qsizetype length = replacement.length < 0 ? span.text.size() : replacement.length;
    doc.txtText->select(span.start, int(length));
    InsertFragment(doc, replacement.text);
}
