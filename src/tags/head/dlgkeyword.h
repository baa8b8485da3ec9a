#pragma once

#include "tags/shared/tagdialog.h"

#include <QList>

class QLineEdit;

// Up to ten keywords for the keyword META tag; the result joins the filled boxes with ",".
class dlgKeyword : public TagDialog
{
    Q_OBJECT

public:
    dlgKeyword();

    QList<QLineEdit *> txtKeyword;

protected:
    QString buildResult() override;
};
