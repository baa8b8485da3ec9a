#pragma once

#include "tags/shared/tagdialog.h"

class QLineEdit;

// The page's description for the description META tag.
class dlgDescription : public TagDialog
{
    Q_OBJECT

public:
    dlgDescription();

    QLineEdit *txtDescription;

protected:
    QString buildResult() override;
};
