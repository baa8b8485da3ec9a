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

void EditTableTag(frmDocument &doc)
{
    reEdit<frmTableSet2>(
        doc,
        {.read = readTableTag, .write = tableStartTag, .managedAttributes = tableAttributeNames});
}

void EditTrTag(frmDocument &doc)
{
    reEdit<frmTrSet>(
        doc, {.read = readTrTag, .write = rowStartTag, .managedAttributes = rowAttributeNames});
}

void EditTdTag(frmDocument &doc)
{
    using Format = ReEditFormat<frmTdSet>;
    reEdit(doc, Format{
                    .read = readTdTag,
                    .write = cellStartTag,
                    .managedAttributes = cellAttributeNames,
                    .afterOk =
                        [](frmDocument &document, frmTdSet &dialog, const frmTdSet::Values &cell) {
                            convertCellEndTag(document, cell.header, dialog.chkTH->isChecked());
                        },
                });
}
