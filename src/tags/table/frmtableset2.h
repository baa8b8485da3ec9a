#pragma once

#include "tags/table/tabledialogbase.h"

// A TABLE start tag alone; the re-editor of table tags opens it pre-filled.
class frmTableSet2 : public TableDialogBase
{
    Q_OBJECT

public:
    frmTableSet2();

protected:
    QString buildResult() override;
};
