#include "tags/table/frmtdset.h"

#include "tags/shared/dialogwidgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmTdSet::frmTdSet()
    : TagDialog(QStringLiteral("frmTdSet"), tr("セルの設定"), ButtonNames::Frm)
{
    const QString none = tr("（なし）");
    chkTH = makeCheckBox(this, QStringLiteral("chkTH"), tr("見出しセルに設定する。"));
    txtBgcolor = makeTextBox(this, QStringLiteral("txtBgcolor"));
    cmdColRef = makeButton(this, QStringLiteral("cmdColRef"), tr("色参照"));
    cboAlign = makeDropDown(this, QStringLiteral("cboAlign"),
                            {tr("左揃え"), tr("中央揃え"), tr("右揃え")}, none);
    cboValign = makeDropDown(this, QStringLiteral("cboValign"),
                             {tr("上揃え"), tr("中央揃え"), tr("下揃え")}, none);
    chkWrap = makeCheckBox(this, QStringLiteral("chkWrap"), tr("自動改行"));
    connectColorReference(cmdColRef, txtBgcolor);
    auto *grid = new QGridLayout;
    addRow(grid, tr("セルの背景色"), txtBgcolor, cmdColRef);
    addRow(grid, tr("左右表示位置"), cboAlign);
    addRow(grid, tr("上下表示位置"), cboValign);

    auto *span = makeFrame(this, tr("複数の列（行）へのまたがり"));
    txtColspan = makeTextBox(span, QStringLiteral("txtColspan"));
    txtRowspan = makeTextBox(span, QStringLiteral("txtRowspan"));
    auto *spanGrid = new QGridLayout(span);
    addRow(spanGrid, tr("セルの横またぎ"), txtColspan);
    addRow(spanGrid, tr("セルの縦またぎ"), txtRowspan);

    auto *size = makeFrame(this, tr("セルの大きさ"));
    txtWidth = makeTextBox(size, QStringLiteral("txtWidth"));
    chkWidth = makeCheckBox(size, QStringLiteral("chkWidth"), tr("％表示"));
    txtHeight = makeTextBox(size, QStringLiteral("txtHeight"));
    chkHeight = makeCheckBox(size, QStringLiteral("chkHeight"), tr("％表示"));
    auto *sizeGrid = new QGridLayout(size);
    addRow(sizeGrid, tr("セルの幅"), txtWidth, chkWidth);
    addRow(sizeGrid, tr("セルの高さ"), txtHeight, chkHeight);

    auto *content = new QVBoxLayout;
    content->addWidget(chkTH);
    content->addLayout(grid);
    content->addWidget(chkWrap);
    content->addWidget(span);
    content->addWidget(size);
    layOut(content);
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
