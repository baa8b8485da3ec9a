#pragma once

#include "tags/shared/tagdialog.h"

class QLabel;
class QLineEdit;

// The BASE tag: the base address and an optional target frame.
class dlgSetBaseUrl : public TagDialog
{
    Q_OBJECT

public:
    dlgSetBaseUrl();

    QLabel *Label1;
    QLineEdit *txtURL;
    QLabel *Label2;
    QLineEdit *txtTarget;

protected:
    bool validate() override;
    QString buildResult() override;
};
