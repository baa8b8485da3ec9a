#include "tags/head/dlgkeyword.h"

#include "tags/shared/dialogwidgets.h"
#include "tags/head/pageheadfragments.h"

#include <QGridLayout>
#include <QLineEdit>

dlgKeyword::dlgKeyword()
    : TagDialog(QStringLiteral("dlgKeyword"), tr("このﾍﾟｰｼﾞのｷｰﾜｰﾄﾞ"), ButtonNames::Dlg)
{
    auto *grid = new QGridLayout;
    for (int i = 0; i < 10; ++i) {
        QLineEdit *box = makeTextBox(this, QStringLiteral("txtKeyword_") + QString::number(i));
        grid->addWidget(box, i % 5, i / 5);
        txtKeyword << box;
    }
    layOut(grid);
}

QString dlgKeyword::buildResult()
{
    QStringList keywords;
    for (const QLineEdit *box : std::as_const(txtKeyword))
        keywords << box->text();
    return joinKeywords(keywords);
}
