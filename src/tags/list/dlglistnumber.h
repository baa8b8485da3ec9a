#pragma once

#include "tags/list/listformat.h"
#include "tags/shared/tagdialog.h"

#include <QList>

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// The numbering of a list: for the whole list (chkAll ticked, with a start number) or for each
// item. The result is the choice code: the option's index, plus 10 for the whole list.
class dlgListNumber : public TagDialog
{
    Q_OBJECT

public:
    dlgListNumber();

    QCheckBox *chkAll;
    QLabel *Label1;
    QLineEdit *txtStartNo;
    QList<QRadioButton *> optNumber;

    using Values = ListNumberFields;
    ListNumberFields fields() const;
    void apply(const ListNumberFields &values);

    // The start number box follows chkAll: enabled on a white ground while it is ticked.
    void chkAll_Click();
    // Re-editing one tag: the scope follows the tag and cannot be changed; for an item the box
    // (its value) stays enabled and chkAll is hidden.
    void fixScope(bool wholeList);

protected:
    bool validate() override;
    QString buildResult() override;

private:
    void enableStartNumber(bool enabled);
};
