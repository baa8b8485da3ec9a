#pragma once

#include "tags/shared/tagdialog.h"
#include "tags/table/tableformat.h"

class QComboBox;

// A TR start tag with its horizontal and vertical alignment.
class frmTrSet : public TagDialog
{
    Q_OBJECT

public:
    frmTrSet();

    QComboBox *cboAlign;
    QComboBox *cboValign;

    using Values = RowFields;
    RowFields fields() const;
    void apply(const RowFields &values);

protected:
    QString buildResult() override;
};
