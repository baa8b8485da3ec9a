#include "tags/table/tableretag.h"

#include "tags/table/frmtableset2.h"
#include "tags/table/frmtdset.h"
#include "tags/table/frmtrset.h"
#include "document/frmdocument.h"
#include "document/richtextbox.h"
#include "document/tagcolor.h"
#include "tags/table/tableprefill.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include <functional>

namespace {

// The start tag at the beginning of the selection. A selection holding a whole cell (which the
// context menu offers) keeps its content and end tag: only the start tag is read and replaced.
struct StartTag
{
    int start;
    QString text;
};

StartTag selectedStartTag(const frmDocument &doc)
{
    return {doc.txtText->selStart(), leadingStartTag(doc.txtText->selText())};
}

// Puts the dialog's result in place of the start tag; the caret ends after the new tag.
void replaceStartTag(frmDocument &doc, const StartTag &tag, const QString &result)
{
    doc.txtText->select(tag.start, int(tag.text.size()));
    InsertFragment(doc, result);
}

void fill(QLineEdit *box, const std::optional<QString> &value)
{
    if (value)
        box->setText(*value);
}

void fill(QComboBox *combo, const std::optional<QString> &value)
{
    if (value)
        combo->setEditText(*value);
}

void fill(QLineEdit *box, QCheckBox *percent, const std::optional<SizeField> &value)
{
    if (!value)
        return;
    box->setText(value->text);
    if (value->percent)
        percent->setChecked(true);
}

// Loads dialog D, lets `prefill` set its controls from the start tag, runs it and, on OK,
// replaces the start tag by the result and then runs `afterOk` while the dialog is still
// loaded. The dialog is discarded after OK and Cancel alike.
template <class D, class Prefill>
void reEdit(frmDocument &doc, Prefill prefill, const std::function<void(D &)> &afterOk = {})
{
    const StartTag tag = selectedStartTag(doc);
    DialogUse<D> dialog;
    prefill(*dialog, tag.text);
    const QString result = dialog.run();
    if (result == TagDialog::Cancel)
        return;
    replaceStartTag(doc, tag, result);
    if (afterOk)
        afterOk(*dialog);
}

// After a cell changed kind: the first end tag of the old kind after the caret (any letter
// case) becomes the new kind's end tag. Nothing changes when none follows.
void convertCellEndTag(frmDocument &doc, const QString &oldEnd, const QString &newEnd)
{
    RichTextBox &text = *doc.txtText;
    const int at = text.find(oldEnd, text.selStart());
    if (at < 0)
        return;
    text.select(at, int(oldEnd.size()));
    InsertFragment(doc, newEnd);
}

void fillAlignment(QComboBox *align, QComboBox *valign, const RowPrefill &fields)
{
    fill(align, fields.cboAlign);
    fill(valign, fields.cboValign);
}

} // namespace

void EditTableTag(frmDocument &doc, TagScratch &)
{
    reEdit<frmTableSet2>(
        doc,
        [](frmTableSet2 &dialog, const QString &tag) {
            const TablePrefill fields = readTableTag(tag);
            fill(dialog.txtBorder, fields.txtBorder);
            fill(dialog.txtWidth, dialog.chkWidth, fields.width);
            fill(dialog.txtHeight, dialog.chkHeight, fields.height);
            fill(dialog.txtCellspacing, fields.txtCellspacing);
            fill(dialog.txtBorderColor, fields.txtBorderColor);
            if (fields.chkRules) {
                dialog.chkRules->setChecked(true);
                for (QRadioButton *option : std::as_const(dialog.optRules))
                    option->setEnabled(true);
                if (fields.optRules)
                    dialog.setRulesOption(*fields.optRules);
            }
            fill(dialog.txtCellPadding, fields.txtCellPadding);
            fill(dialog.cmbAlign, fields.cmbAlign);
        });
}

void EditTrTag(frmDocument &doc, TagScratch &)
{
    reEdit<frmTrSet>(
        doc,
        [](frmTrSet &dialog, const QString &tag) {
            fillAlignment(dialog.cboAlign, dialog.cboValign, readTrTag(tag));
        });
}

void EditTdTag(frmDocument &doc, TagScratch &)
{
    bool wasHeader = false;
    reEdit<frmTdSet>(
        doc,
        [&wasHeader](frmTdSet &dialog, const QString &tag) {
            const CellPrefill fields = readTdTag(tag);
            wasHeader = fields.chkTH;
            if (fields.chkTH)
                dialog.chkTH->setChecked(true);
            fillAlignment(dialog.cboAlign, dialog.cboValign, fields.alignment);
            if (fields.chkWrap)
                dialog.chkWrap->setChecked(true);
            fill(dialog.txtWidth, dialog.chkWidth, fields.width);
            fill(dialog.txtHeight, dialog.chkHeight, fields.height);
            fill(dialog.txtBgcolor, fields.txtBgcolor);
            fill(dialog.txtColspan, fields.txtColspan);
            fill(dialog.txtRowspan, fields.txtRowspan);
        },
        std::function<void(frmTdSet &)>([&doc, &wasHeader](frmTdSet &dialog) {
            const bool header = dialog.chkTH->isChecked();
            if (header && !wasHeader)
                convertCellEndTag(doc, QStringLiteral("</TD>"), QStringLiteral("</TH>"));
            else if (!header && wasHeader)
                convertCellEndTag(doc, QStringLiteral("</TH>"), QStringLiteral("</TD>"));
        }));
}
