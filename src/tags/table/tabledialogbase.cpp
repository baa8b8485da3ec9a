#include "tags/table/tabledialogbase.h"

#include "tags/shared/dialogwidgets.h"
#include "tags/shared/layoutbuilder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TableDialogBase::TableDialogBase(const QString &name)
    : TagDialog(name, tr("表の設定"), ButtonNames::Frm),
      m_borderFrame(makeFrame(this, tr("罫線の設定"))),
      m_rulesFrame(makeFrame(this, tr("罫線の表示形式")))
{
    QWidget *b = m_borderFrame;
    txtBorder = makeNumberBox(b, QStringLiteral("txtBorder"));
    const ColorGroup color = makeColorGroup(b, QStringLiteral("txtBorderColor"));
    txtBorderColor = color.box;
    cmdColRef = color.reference;
    const SizeGroup width
        = makeSizeGroup(b, QStringLiteral("txtWidth"), QStringLiteral("chkWidth"), tr("％"));
    const SizeGroup height
        = makeSizeGroup(b, QStringLiteral("txtHeight"), QStringLiteral("chkHeight"), tr("％"));
    txtWidth = width.box;
    chkWidth = width.percent;
    txtHeight = height.box;
    chkHeight = height.percent;
    txtCellspacing = makeNumberBox(b, QStringLiteral("txtCellspacing"));
    txtCellPadding = makeNumberBox(b, QStringLiteral("txtCellPadding"));
    m_borderFrame->setLayout(Form()
                                 .field(tr("外枠の太さ"), txtBorder)
                                 .field(tr("外枠の色"), color)
                                 .field(tr("表の幅"), width)
                                 .field(tr("表の高さ"), height)
                                 .field(tr("罫線の太さ"), txtCellspacing)
                                 .field(tr("罫線と文字間隔"), txtCellPadding));

    chkRules = makeCheckBox(m_rulesFrame, QStringLiteral("chkRules"), tr("表示形式を指定する"));
    optRules = makeOptionArray(
        m_rulesFrame, QStringLiteral("optRules"),
        {tr("罫線無し"), tr("横罫線のみ"), tr("縦罫線のみ"), tr("ヘッダーのみ"), tr("縦横両方")});
    auto *rules = new QVBoxLayout(m_rulesFrame);
    rules->addWidget(chkRules);
    for (QRadioButton *option : std::as_const(optRules))
        rules->addWidget(option);
    rules->addWidget(makeLabel(m_rulesFrame, tr("InternetExplorerのみにこの設定は、有効です。")));
    setRulesOption(int(TableRules::All));
    connect(chkRules, &QCheckBox::toggled, this, &TableDialogBase::chkRules_Click);
    chkRules_Click();

    cmbAlign = makeDropDown(this, QStringLiteral("cmbAlign"),
                            {tr("右揃え"), tr("中央揃え"), tr("左揃え")});
}

int TableDialogBase::rulesOption() const
{
    for (int i = 0; i < optRules.size(); ++i) {
        if (optRules[i]->isChecked())
            return i;
    }
    return -1;
}

void TableDialogBase::setRulesOption(int index)
{
    // An exclusive option cannot be unticked directly; lift the exclusiveness meanwhile.
    for (QRadioButton *option : std::as_const(optRules)) {
        option->setAutoExclusive(false);
        option->setChecked(false);
    }
    if (index >= 0 && index < optRules.size())
        optRules[index]->setChecked(true);
    for (QRadioButton *option : std::as_const(optRules))
        option->setAutoExclusive(true);
}

void TableDialogBase::chkRules_Click()
{
    for (QRadioButton *option : std::as_const(optRules))
        option->setEnabled(chkRules->isChecked());
}

TableFields TableDialogBase::fields() const
{
    TableFields fields;
    fields.border = txtBorder->text();
    fields.borderColor = txtBorderColor->text();
    fields.width = txtWidth->text();
    fields.widthPercent = chkWidth->isChecked();
    fields.height = txtHeight->text();
    fields.heightPercent = chkHeight->isChecked();
    fields.cellSpacing = txtCellspacing->text();
    fields.cellPadding = txtCellPadding->text();
    fields.rulesChosen = chkRules->isChecked();
    fields.rulesOption = rulesOption();
    fields.align = cmbAlign->currentText();
    return fields;
}

void TableDialogBase::apply(const TableFields &values)
{
    txtBorder->setText(values.border);
    txtBorderColor->setText(values.borderColor);
    txtWidth->setText(values.width);
    chkWidth->setChecked(values.widthPercent);
    txtHeight->setText(values.height);
    chkHeight->setChecked(values.heightPercent);
    txtCellspacing->setText(values.cellSpacing);
    txtCellPadding->setText(values.cellPadding);
    chkRules->setChecked(values.rulesChosen);
    setRulesOption(values.rulesOption);
    cmbAlign->setEditText(values.align);
}
