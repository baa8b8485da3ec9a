#include "tags/form/frmformset.h"

#include "tags/shared/dialogwidgets.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

frmFormSet::frmFormSet()
    : TagDialog(QStringLiteral("frmFormSet"), tr("フォームの定義"), ButtonNames::Frm)
{
    txtName = makeTextBox(this, QStringLiteral("txtName"));
    txtAction = makeUrlBox(this, QStringLiteral("txtAction"));
    auto *grid = new QGridLayout;
    addRow(grid, tr("ﾌｫｰﾑの名前"), txtName);
    addRow(grid, tr("送信先ＵＲＬ"), txtAction);

    auto *method = makeFrame(this, tr("送信方法"));
    optMethod = makeOptionArray(
        method, QStringLiteral("optMethod"),
        {tr("標準入力から　(POST)"), tr("環境変数に入れる　(GET)"), tr("指定しない")});
    optMethod[int(FormMethod::Unspecified)]->setChecked(true);
    auto *methodColumn = new QVBoxLayout(method);
    for (QRadioButton *option : optMethod)
        methodColumn->addWidget(option);

    auto *content = new QVBoxLayout;
    content->addLayout(grid);
    content->addWidget(method);
    layOut(content);
}

QString frmFormSet::buildResult()
{
    return formStartTag(fields());
}

FormFields frmFormSet::fields() const
{
    FormFields values;
    values.name = txtName->text();
    values.action = txtAction->text();
    values.method = -1;
    for (int i = 0; i < optMethod.size(); ++i) {
        if (optMethod[i]->isChecked())
            values.method = i;
    }
    return values;
}

void frmFormSet::apply(const FormFields &values)
{
    txtName->setText(values.name);
    txtAction->setText(values.action);
    if (values.method >= 0 && values.method < optMethod.size())
        optMethod[values.method]->setChecked(true);
}
