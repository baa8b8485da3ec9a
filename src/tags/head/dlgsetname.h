#pragma once

#include "tags/shared/tagdialog.h"

class QLabel;
class QLineEdit;

// A named anchor around a display text (the command fills in the selection).
class DlgSetName : public TagDialog
{
    Q_OBJECT

public:
    DlgSetName();

    QLabel *Label1;
    QLineEdit *txtName;
    QLabel *Label2;
    QLineEdit *txtString;

protected:
    bool validate() override;
    QString buildResult() override;
};
