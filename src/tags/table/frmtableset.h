#pragma once

#include "tags/table/tabledialogbase.h"

class QSlider;

// A whole new table: the TABLE start tag, an optional caption and the number of rows and
// cells that the command turns into an empty grid. Each count has a slider (1 to 20) that
// mirrors its box; a count typed beyond 20 still counts.
class frmTableSet : public TableDialogBase
{
    Q_OBJECT

public:
    frmTableSet();

    QLineEdit *txtTD;
    QSlider *Slider1;
    QLineEdit *txtTR;
    QSlider *Slider2;
    QLineEdit *txtTableCaption;
    QList<QRadioButton *> optAlign;

    // The counts in the boxes, as checked by OK.
    int cellCount() const;
    int rowCount() const;

    // The base's values with the caption and its place.
    TableFields fields() const;
    void apply(const TableFields &values);

protected:
    bool validate() override;
    QString buildResult() override;
};
