#include "tags/font/frmkeisenset.h"

#include "tags/shared/dialogwidgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QVBoxLayout>

frmKeisenSet::frmKeisenSet()
    : TagDialog(QStringLiteral("frmKeisenSet"), QStringLiteral("Form1"), ButtonNames::Frm)
{
    const RuleValues loaded;
    txtWidth = makeNumberBox(this, QStringLiteral("txtWidth"));
    chkWidth = makeCheckBox(this, QStringLiteral("chkWidth"), tr("％表示(&P)"));
    txtSize = makeNumberBox(this, QStringLiteral("txtSize"));
    cboAlign = makeDropDown(this, QStringLiteral("cboAlign"), ruleAlignEntries(), loaded.align);
    chk3D = makeCheckBox(this, QStringLiteral("chk3D"), tr("立体表示"));
    auto *grid = new QGridLayout;
    addRow(grid, tr("罫線の幅(&W)"), txtWidth, chkWidth);
    addRow(grid, tr("罫線の太さ(&S)"), txtSize);
    addRow(grid, tr("表示位置(&A)"), cboAlign);
    auto *content = new QVBoxLayout;
    content->addLayout(grid);
    content->addWidget(chk3D);
    layOut(content);
}

QString frmKeisenSet::buildResult()
{
    return ruleTag(fields());
}

RuleValues frmKeisenSet::fields() const
{
    RuleValues values;
    values.width = txtWidth->text();
    values.widthPercent = chkWidth->isChecked();
    values.size = txtSize->text();
    values.align = cboAlign->currentText();
    values.noShade = !chk3D->isChecked();
    return values;
}

void frmKeisenSet::apply(const RuleValues &values)
{
    txtWidth->setText(values.width);
    chkWidth->setChecked(values.widthPercent);
    txtSize->setText(values.size);
    cboAlign->setEditText(values.align);
    chk3D->setChecked(!values.noShade);
}
