#include "tags/head/dlgsetname.h"

#include "tags/head/pageheadfragments.h"
#include "tags/shared/dialogwidgets.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

DlgSetName::DlgSetName()
    : TagDialog(QStringLiteral("DlgSetName"), tr("名前の挿入"), ButtonNames::Dlg)
{
    Label1 = makeLabel(this, tr("ジャンプ先の名前を指定してください。"), QStringLiteral("Label1"));
    txtName = makeTextBox(this, QStringLiteral("txtName"));
    Label2 = makeLabel(this, tr("表示文字列を指定して下さい。"), QStringLiteral("Label2"));
    txtString = makeTextBox(this, QStringLiteral("txtString"));
    auto *grid = new QGridLayout;
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(txtName, 1, 0);
    grid->addWidget(Label2, 2, 0);
    grid->addWidget(txtString, 3, 0);
    Label1->setBuddy(txtName);
    Label2->setBuddy(txtString);
    layOut(grid);
}

bool DlgSetName::validate()
{
    // Asked with Yes and No; either answer only closes the box.
    if (txtName->text().isEmpty())
        return refuse(txtName, tr("名前を指定してください。"), Interaction::Buttons::YesNo);
    return true;
}

QString DlgSetName::buildResult()
{
    return nameAnchor(txtName->text(), txtString->text());
}
