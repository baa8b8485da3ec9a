#include "tags/table/frmtrset.h"

#include "tags/shared/dialogwidgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QVBoxLayout>

frmTrSet::frmTrSet()
    : TagDialog(QStringLiteral("frmTrSet"), tr("レコードブロックの設定"), ButtonNames::Frm)
{
    const QString none = tr("（なし）");
    cboAlign = makeDropDown(this, QStringLiteral("cboAlign"),
                            {tr("左揃え"), tr("中央揃え"), tr("右揃え"), none}, none);
    cboValign = makeDropDown(this, QStringLiteral("cboValign"),
                             {tr("上揃え"), tr("中央揃え"), tr("下揃え"), none}, none);
    auto *grid = new QGridLayout;
    addRow(grid, tr("左右表示位置(&H)"), cboAlign);
    addRow(grid, tr("上下表示位置(&V)"), cboValign);
    layOut(grid);
}

QString frmTrSet::buildResult()
{
    return rowStartTag(fields());
}

RowFields frmTrSet::fields() const
{
    return {cboAlign->currentText(), cboValign->currentText()};
}

void frmTrSet::apply(const RowFields &values)
{
    cboAlign->setEditText(values.align);
    cboValign->setEditText(values.valign);
}
