#pragma once

#include "tags/shared/tagdialog.h"

class QComboBox;

// A TR start tag with its horizontal and vertical alignment.
class frmTrSet : public TagDialog
{
    Q_OBJECT

public:
    frmTrSet();

    QComboBox *cboAlign;
    QComboBox *cboValign;

protected:
    QString buildResult() override;
};
