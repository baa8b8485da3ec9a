#include "tags/head/dlgdescription.h"

#include "tags/shared/dialogwidgets.h"

#include <QLineEdit>
#include <QVBoxLayout>

dlgDescription::dlgDescription()
    : TagDialog(QStringLiteral("dlgDescription"), tr("ﾍﾟｰｼﾞ内容の説明"), ButtonNames::Dlg)
{
    txtDescription = makeTextBox(this, QStringLiteral("txtDescription"));
    txtDescription->setMinimumWidth(360);
    auto *content = new QVBoxLayout;
    content->addWidget(txtDescription);
    layOut(content);
}

QString dlgDescription::buildResult()
{
    return txtDescription->text();
}
