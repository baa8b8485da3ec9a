#include "tags/list/dlgdledit.h"

#include "tags/shared/dialogwidgets.h"

#include <QGridLayout>
#include <QLineEdit>

dlgDlEdit::dlgDlEdit()
    : TagDialog(QStringLiteral("dlgDlEdit"), tr("ﾀﾞｲｱﾛｸﾞ ｷｬﾌﾟｼｮﾝ"), ButtonNames::Dlg)
{
    txtYougo = makeTextBox(this, QStringLiteral("txtYougo"));
    txtSetsumei = makeTextBox(this, QStringLiteral("txtSetsumei"));
    auto *grid = new QGridLayout;
    addRow(grid, tr("定義用語"), txtYougo);
    addRow(grid, tr("説明文"), txtSetsumei);
    layOut(grid);
}

DefinitionEntry dlgDlEdit::fields() const
{
    return {txtYougo->text(), txtSetsumei->text()};
}

void dlgDlEdit::apply(const DefinitionEntry &values)
{
    txtYougo->setText(values.term);
    txtSetsumei->setText(values.description);
}

bool dlgDlEdit::validate()
{
    if (txtYougo->text().isEmpty())
        return refuse(txtYougo, tr("定義用語が未入力です。"));
    if (txtSetsumei->text().isEmpty())
        return refuse(txtSetsumei, tr("説明が未入力です。"));
    return true;
}

QString dlgDlEdit::buildResult()
{
    return QStringLiteral("OK");
}
