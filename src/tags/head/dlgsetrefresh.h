#pragma once

#include "tags/shared/tagdialog.h"

class QLabel;
class QLineEdit;
class QPushButton;

// The automatic reload META tag: seconds and an optional address, which cmdRef can fill with
// a file relative to the document.
class dlgSetRefresh : public TagDialog
{
    Q_OBJECT

public:
    dlgSetRefresh();

    QLabel *Label1;
    QLineEdit *txtSec;
    QLabel *Label2;
    QLineEdit *txtUrl;
    QPushButton *cmdRef;

protected:
    bool validate() override;
    QString buildResult() override;
};
