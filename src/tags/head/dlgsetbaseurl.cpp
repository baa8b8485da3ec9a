#include "tags/head/dlgsetbaseurl.h"

#include "tags/head/pageheadfragments.h"
#include "tags/shared/dialogwidgets.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

dlgSetBaseUrl::dlgSetBaseUrl()
    : TagDialog(QStringLiteral("dlgSetBaseUrl"), tr("基準URLの設定"), ButtonNames::Dlg)
{
    Label1 = makeLabel(this, tr("基準ＵＲＬ"), QStringLiteral("Label1"));
    txtURL = makeUrlBox(this, QStringLiteral("txtURL"));
    Label2 = makeLabel(this, tr("ﾀｰｹﾞｯﾄ名"), QStringLiteral("Label2"));
    txtTarget = makeTextBox(this, QStringLiteral("txtTarget"));
    auto *grid = new QGridLayout;
    addRow(grid, Label1, txtURL);
    addRow(grid, Label2, txtTarget);
    layOut(grid);
}

bool dlgSetBaseUrl::validate()
{
    if (txtURL->text().isEmpty())
        return refuse(txtURL, tr("URLが未入力です。"));
    return true;
}

QString dlgSetBaseUrl::buildResult()
{
    return baseHrefTag(txtURL->text(), txtTarget->text());
}
