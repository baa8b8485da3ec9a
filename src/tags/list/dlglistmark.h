#pragma once

#include "tags/list/listformat.h"
#include "tags/shared/tagdialog.h"

#include <QList>

class QCheckBox;
class QRadioButton;

// The bullet mark of a list: for the whole list (chkMark ticked) or for each item. The result
// is the choice code: the option's index, plus 10 for the whole list.
class dlgListMark : public TagDialog
{
    Q_OBJECT

public:
    dlgListMark();

    QCheckBox *chkMark;
    QList<QRadioButton *> optMark;

    using Values = ListMarkFields;
    ListMarkFields fields() const;
    void apply(const ListMarkFields &values);

    // Re-editing one tag: the scope follows the tag (a UL or an LI) and cannot be changed.
    void fixScope(bool wholeList);

protected:
    bool validate() override;
    QString buildResult() override;
};
