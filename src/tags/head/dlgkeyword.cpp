#include "tags/head/dlgkeyword.h"

#include "tags/head/pageheadfragments.h"
#include "tags/shared/dialogwidgets.h"

#include <QGridLayout>
#include <QLineEdit>

dlgKeyword::dlgKeyword()
    : TagDialog(QStringLiteral("dlgKeyword"), tr("このﾍﾟｰｼﾞのｷｰﾜｰﾄﾞ"), ButtonNames::Dlg)
{
    // Two columns of five, filled down: boxes 0 to 4 on the left, 5 to 9 on the right.
    auto *grid = new QGridLayout;
    for (int i = 0; i < 10; ++i) {
        QLineEdit *box = makeTextBox(this, QStringLiteral("txtKeyword_") + QString::number(i));
        grid->addWidget(box, i % 5, i / 5);
        txtKeyword << box;
    }
    layOut(grid);
    // Tab goes down the columns too, in the order in which the keywords are written.
    for (qsizetype i = 1; i < txtKeyword.size(); ++i)
        setTabOrder(txtKeyword[i - 1], txtKeyword[i]);
}

QString dlgKeyword::buildResult()
{
    QStringList keywords;
    for (const QLineEdit *box : std::as_const(txtKeyword))
        keywords << box->text();
    return joinKeywords(keywords);
}
