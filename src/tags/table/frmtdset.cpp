#include "tags/table/frmtdset.h"

#include "tags/shared/dialogwidgets.h"
#include "tags/shared/layoutbuilder.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

frmTdSet::frmTdSet() : TagDialog(QStringLiteral("frmTdSet"), tr("セルの設定"), ButtonNames::Frm)
{
    const QString none = noAlignment();
    chkTH = makeCheckBox(this, QStringLiteral("chkTH"), tr("見出しセルに設定する。"));
    const ColorGroup background = makeColorGroup(this, QStringLiteral("txtBgcolor"));
    txtBgcolor = background.box;
    cmdColRef = background.reference;
    cboAlign = makeDropDown(this, QStringLiteral("cboAlign"),
                            {tr("左揃え"), tr("中央揃え"), tr("右揃え")}, none);
    cboValign = makeDropDown(this, QStringLiteral("cboValign"),
                             {tr("上揃え"), tr("中央揃え"), tr("下揃え")}, none);
    chkWrap = makeCheckBox(this, QStringLiteral("chkWrap"), tr("自動改行"));
    txtColspan = makeNumberBox(this, QStringLiteral("txtColspan"));
    txtRowspan = makeNumberBox(this, QStringLiteral("txtRowspan"));
    const SizeGroup width
        = makeSizeGroup(this, QStringLiteral("txtWidth"), QStringLiteral("chkWidth"), tr("％表示"));
    const SizeGroup height = makeSizeGroup(this, QStringLiteral("txtHeight"),
                                           QStringLiteral("chkHeight"), tr("％表示"));
    txtWidth = width.box;
    chkWidth = width.percent;
    txtHeight = height.box;
    chkHeight = height.percent;

    layOut(column({
        chkTH,
        Form()
            .field(tr("セルの背景色"), background)
            .field(tr("左右表示位置"), cboAlign)
            .field(tr("上下表示位置"), cboValign),
        chkWrap,
        group(
            tr("複数の列（行）へのまたがり"),
            Form().field(tr("セルの横またぎ"), txtColspan).field(tr("セルの縦またぎ"), txtRowspan)),
        group(tr("セルの大きさ"),
              Form().field(tr("セルの幅"), width).field(tr("セルの高さ"), height)),
    }));
}

QString frmTdSet::buildResult()
{
    return cellStartTag(fields());
}

CellFields frmTdSet::fields() const
{
    CellFields values;
    values.header = chkTH->isChecked();
    values.bgColor = txtBgcolor->text();
    values.align = cboAlign->currentText();
    values.valign = cboValign->currentText();
    values.noWrap = chkWrap->isChecked();
    values.colspan = txtColspan->text();
    values.rowspan = txtRowspan->text();
    values.width = txtWidth->text();
    values.widthPercent = chkWidth->isChecked();
    values.height = txtHeight->text();
    values.heightPercent = chkHeight->isChecked();
    return values;
}

void frmTdSet::apply(const CellFields &values)
{
    chkTH->setChecked(values.header);
    txtBgcolor->setText(values.bgColor);
    cboAlign->setEditText(values.align);
    cboValign->setEditText(values.valign);
    chkWrap->setChecked(values.noWrap);
    txtColspan->setText(values.colspan);
    txtRowspan->setText(values.rowspan);
    txtWidth->setText(values.width);
    chkWidth->setChecked(values.widthPercent);
    txtHeight->setText(values.height);
    chkHeight->setChecked(values.heightPercent);
}
