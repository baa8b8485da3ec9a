#include "tags/table/frmtableset.h"

#include "tags/shared/dialogwidgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

namespace {

// A count slider from 1 to 20 under its box, with the scale "1", "10", "20". Moving the slider
// writes its position into the box; editing the box moves the slider to the typed number
// (clamped to the scale; text that is not a number leaves the slider where it is).
QWidget *countSlider(QWidget *parent, QSlider *&slider, const QString &name, QLineEdit *box)
{
    auto *holder = new QWidget(parent);
    slider = new QSlider(Qt::Horizontal, holder);
    slider->setObjectName(name);
    slider->setRange(1, 20);
    slider->setValue(1);
    slider->setTickPosition(QSlider::TicksBelow);
    auto *scale = new QHBoxLayout;
    scale->addWidget(makeLabel(holder, QStringLiteral("1")));
    scale->addStretch(1);
    scale->addWidget(makeLabel(holder, QStringLiteral("10")));
    scale->addStretch(1);
    scale->addWidget(makeLabel(holder, QStringLiteral("20")));
    auto *layout = new QVBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(slider);
    layout->addLayout(scale);

    QObject::connect(slider, &QSlider::valueChanged, box,
                     [box](int value) { box->setText(QString::number(value)); });
    QObject::connect(box, &QLineEdit::textChanged, slider, [slider](const QString &text) {
        const int value = parseTableCount(text);
        if (value < 0)
            return;
        const QSignalBlocker quiet(slider);
        slider->setValue(value);
    });
    return holder;
}

} // namespace

frmTableSet::frmTableSet() : TableDialogBase(QStringLiteral("frmTableSet"))
{
    auto *cells = makeFrame(this, tr("セルの設定"));
    txtTD = makeNumberBox(cells, QStringLiteral("txtTD"));
    txtTR = makeNumberBox(cells, QStringLiteral("txtTR"));
    auto *cellGrid = new QGridLayout(cells);
    addRow(cellGrid, tr("横並びの数"), txtTD,
           countSlider(cells, Slider1, QStringLiteral("Slider1"), txtTD));
    addRow(cellGrid, tr("縦並びの数"), txtTR,
           countSlider(cells, Slider2, QStringLiteral("Slider2"), txtTR));
    txtTD->setText(QStringLiteral("1"));
    txtTR->setText(QStringLiteral("1"));

    auto *captionFrame = makeFrame(this, tr("表のキャプション"));
    txtTableCaption = makeTextBox(captionFrame, QStringLiteral("txtTableCaption"));
    optAlign
        = makeOptionArray(captionFrame, QStringLiteral("optAlign"), {tr("表の上"), tr("表の下")});
    optAlign[0]->setChecked(true);
    cmbAlign->setParent(captionFrame);
    auto *captionGrid = new QGridLayout(captionFrame);
    captionGrid->addWidget(txtTableCaption, 0, 0, 1, 2);
    captionGrid->addWidget(optAlign[0], 1, 0);
    captionGrid->addWidget(optAlign[1], 1, 1);
    addRow(captionGrid, tr("表の位置"), cmbAlign);

    auto *left = new QVBoxLayout;
    left->addWidget(cells);
    left->addWidget(borderFrame());
    auto *right = new QVBoxLayout;
    right->addWidget(rulesFrame());
    right->addWidget(captionFrame);
    right->addStretch(1);
    auto *columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    layOut(columns);
}

int frmTableSet::cellCount() const
{
    return parseTableCount(txtTD->text());
}

int frmTableSet::rowCount() const
{
    return parseTableCount(txtTR->text());
}

bool frmTableSet::validate()
{
    if (cellCount() < 0)
        return refuse(txtTD,
                      tr("横並びの数は0から%1までの数字で入力して下さい。").arg(MaxTableCount));
    if (rowCount() < 0)
        return refuse(txtTR,
                      tr("縦並びの数は0から%1までの数字で入力して下さい。").arg(MaxTableCount));
    if (cellCount() * rowCount() > MaxTableCells)
        return refuse(txtTD, tr("セルの数が多すぎます。横並びの数×縦並びの数は%1までにして下さい。")
                                 .arg(MaxTableCells));
    return true;
}

QString frmTableSet::buildResult()
{
    return newTableStart(fields());
}

TableFields frmTableSet::fields() const
{
    TableFields values = TableDialogBase::fields();
    values.caption = txtTableCaption->text();
    values.captionBelow = optAlign[1]->isChecked();
    return values;
}

void frmTableSet::apply(const TableFields &values)
{
    TableDialogBase::apply(values);
    txtTableCaption->setText(values.caption);
    optAlign[values.captionBelow ? 1 : 0]->setChecked(true);
}
