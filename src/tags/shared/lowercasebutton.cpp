#include "tags/shared/lowercasebutton.h"

#include "tags/shared/dialogwidgets.h"

#include <QLineEdit>
#include <QObject>
#include <QPushButton>

QPushButton *makeLowerCaseButton(QWidget *parent, const QString &name, QLineEdit *box)
{
    QPushButton *button = makeButton(parent, name, QObject::tr("小文字変換(&L)"));
    QObject::connect(button, &QPushButton::clicked, box,
                     [box] { box->setText(box->text().toLower()); });
    return button;
}
