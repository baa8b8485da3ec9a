#include "tags/table/tableretag.h"

#include "document/frmdocument.h"
#include "document/richtextbox.h"
#include "document/tagcolor.h"
#include "tags/shared/reedit.h"
#include "tags/table/frmtableset2.h"
#include "tags/table/frmtdset.h"
#include "tags/table/frmtrset.h"

#include <QCheckBox>

namespace {

// After a cell changed kind: the first end tag of the old kind after the caret (any letter
// case) becomes the new kind's end tag. Nothing changes when none follows.
void convertCellEndTag(frmDocument &doc, bool wasHeader, bool header)
{
    if (header == wasHeader)
        return;
    const QString oldEnd = cellEndTag(wasHeader);
    RichTextBox &text = *doc.txtText;
    const int at = text.find(oldEnd, text.selStart());
    if (at < 0)
        return;
    text.select(at, int(oldEnd.size()));
    InsertFragment(doc, cellEndTag(header));
}

} // namespace

void EditTableTag(frmDocument &doc, TagScratch &)
{
    reEditStartTag<frmTableSet2>(doc, {readTableTag, tableAttributeNames, tableStartTag});
}

void EditTrTag(frmDocument &doc, TagScratch &)
{
    reEditStartTag<frmTrSet>(doc, {readTrTag, rowAttributeNames, rowStartTag});
}

void EditTdTag(frmDocument &doc, TagScratch &)
{
    const bool wasHeader = readTdTag(selectedStartTag(doc).text).header;
    reEditStartTag<frmTdSet>(doc, {readTdTag, cellAttributeNames, cellStartTag},
                             [&doc, wasHeader](frmTdSet &dialog) {
                                 convertCellEndTag(doc, wasHeader, dialog.chkTH->isChecked());
                             });
}
