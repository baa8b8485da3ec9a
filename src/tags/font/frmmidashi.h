#pragma once

#include "tags/font/fontformat.h"
#include "tags/shared/tagdialog.h"

#include <QList>

class QComboBox;
class QRadioButton;

// A heading start tag: the level H1 to H6 (one is always selected, H1 at load) and an
// optional alignment; an alignment other than the drop-down's entries is refused.
class frmMidashi : public TagDialog
{
    Q_OBJECT

public:
    frmMidashi();

    QList<QRadioButton *> optSise;
    QComboBox *Combo1;

    using Values = HeadingValues;
    HeadingValues fields() const;
    void apply(const HeadingValues &values);

protected:
    bool validate() override;
    QString buildResult() override;
};
