#include "tags/link/frmlinkset.h"

#include "core/sharedstate.h"
#include "tags/shared/dialogwidgets.h"
#include "tags/shared/lowercasebutton.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

frmLinkSet::frmLinkSet()
    : TagDialog(QStringLiteral("frmLinkSet"), tr("リンクを設定する"), ButtonNames::Frm)
{
    txtUrl = makeUrlBox(this, QStringLiteral("txtUrl"));
    cmdRef = makeButton(this, QStringLiteral("cmdRef"), tr("参照(&R)"));
    cmdKomoji = makeLowerCaseButton(this, QStringLiteral("cmdKomoji"), txtUrl);
    cboTarget = makeDropDown(this, QStringLiteral("cboTarget"), linkTargetEntries());
    txtMIdashi = makeTextBox(this, QStringLiteral("txtMIdashi"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdRef);
    buttons->addWidget(cmdKomoji);
    auto *grid = new QGridLayout;
    addRow(grid, tr("URL(&U)"), txtUrl);
    grid->addLayout(buttons, grid->rowCount(), 1);
    addRow(grid, tr("表示先(&T)"), cboTarget);
    addRow(grid, tr("見出し(&A)"), txtMIdashi);
    layOut(grid);
    connectFileReference(cmdRef, txtUrl,
                         tr("htmlﾌｧｲﾙ(*.htm,*.html)|*.htm;*.html|全てのﾌｧｲﾙ(*.*)|*.*"),
                         shared().strLastFullPath, [this] { return basePath(); });
}

bool frmLinkSet::validate()
{
    if (txtUrl->text().isEmpty())
        return refuse(txtUrl, tr("ﾘﾝｸ先が指定されていません。"));
    return true;
}

QString frmLinkSet::buildResult()
{
    return linkStart(fields());
}

LinkFields frmLinkSet::fields() const
{
    return {txtUrl->text(), cboTarget->currentText(), txtMIdashi->text()};
}

void frmLinkSet::apply(const LinkFields &values)
{
    txtUrl->setText(values.url);
    cboTarget->setEditText(values.target);
    txtMIdashi->setText(values.text);
}
