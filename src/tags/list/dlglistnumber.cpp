#include "tags/list/dlglistnumber.h"

#include "tags/list/optionchoice.h"
#include "tags/shared/dialogwidgets.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

dlgListNumber::dlgListNumber()
    : TagDialog(QStringLiteral("dlgListNumber"), tr("リスト番号の形式"), ButtonNames::Dlg)
{
    chkAll = makeCheckBox(this, QStringLiteral("chkAll"), tr("リスト全体で指定する"));
    chkAll->setChecked(true);
    Label1 = makeLabel(this, tr("開始番号"), QStringLiteral("Label1"));
    txtStartNo = makeNumberBox(this, QStringLiteral("txtStartNo"));
    auto *frame = makeFrame(this, tr("番号の形式"));
    optNumber = makeOptionArray(frame, QStringLiteral("optNumber"), numberCaptions());
    auto *options = new QVBoxLayout(frame);
    for (QRadioButton *option : std::as_const(optNumber))
        options->addWidget(option);
    connect(chkAll, &QCheckBox::toggled, this, &dlgListNumber::chkAll_Click);
    chkAll_Click();

    auto *start = new QGridLayout;
    addRow(start, Label1, txtStartNo);
    auto *content = new QVBoxLayout;
    content->addWidget(chkAll);
    content->addLayout(start);
    content->addWidget(frame);
    layOut(content);
}

ListNumberFields dlgListNumber::fields() const
{
    return {chkAll->isChecked(), txtStartNo->text(), selectedCaption(optNumber)};
}

void dlgListNumber::apply(const ListNumberFields &values)
{
    chkAll->setChecked(values.wholeList);
    txtStartNo->setText(values.startNo);
    selectCaption(optNumber, values.number);
}

void dlgListNumber::chkAll_Click()
{
    enableStartNumber(chkAll->isChecked());
}

void dlgListNumber::fixScope(bool wholeList)
{
    chkAll->setChecked(wholeList);
    chkAll->setEnabled(false);
    chkAll->setVisible(wholeList);
    enableStartNumber(true);
}

void dlgListNumber::enableStartNumber(bool enabled)
{
    Label1->setEnabled(enabled);
    txtStartNo->setEnabled(enabled);
    // Disabled, the box takes the dialog's own background.
    QPalette palette = txtStartNo->palette();
    palette.setColor(QPalette::Base,
                     enabled ? QColor(Qt::white) : this->palette().color(QPalette::Window));
    txtStartNo->setPalette(palette);
}

bool dlgListNumber::validate()
{
    if (!isStartNumberAccepted(txtStartNo->text()))
        return refuse(txtStartNo, tr("開始番号は数字を入力してください。"));
    if (selectedCaption(optNumber).isEmpty())
        return refuse(optNumber.first(), tr("番号の形式を指定して下さい。"));
    return true;
}

QString dlgListNumber::buildResult()
{
    const ListNumberFields values = fields();
    return listChoiceCode(values.wholeList, values.number, numberCaptions());
}
