#include "tags/head/dlgsetrefresh.h"

#include "core/sharedstate.h"
#include "tags/head/pageheadfragments.h"
#include "tags/shared/dialogwidgets.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

dlgSetRefresh::dlgSetRefresh()
    : TagDialog(QStringLiteral("dlgSetRefresh"), tr("自動読込の設定"), ButtonNames::Dlg)
{
    Label1 = makeLabel(this, tr("秒数"), QStringLiteral("Label1"));
    txtSec = makeNumberBox(this, QStringLiteral("txtSec"));
    Label2 = makeLabel(this, tr("読込URL"), QStringLiteral("Label2"));
    txtUrl = makeUrlBox(this, QStringLiteral("txtUrl"));
    cmdRef = makeButton(this, QStringLiteral("cmdRef"), tr("参照"));
    auto *grid = new QGridLayout;
    addRow(grid, Label1, txtSec);
    addRow(grid, Label2, txtUrl, cmdRef);
    layOut(grid);
    connectFileReference(cmdRef, txtUrl, tr("htmlﾌｧｲﾙ(*.htm)|*.htm|全てのﾌｧｲﾙ(*.*)|*.*"),
                         shared().strLastFullPath, [this] { return basePath(); });
}

bool dlgSetRefresh::validate()
{
    if (txtSec->text().isEmpty())
        return refuse(txtSec, tr("秒数を入力して下さい。"));
    return true;
}

QString dlgSetRefresh::buildResult()
{
    return refreshTag(txtSec->text(), txtUrl->text());
}
