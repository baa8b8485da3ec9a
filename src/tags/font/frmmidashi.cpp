#include "tags/font/frmmidashi.h"

#include "tags/shared/dialogwidgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

frmMidashi::frmMidashi()
    : TagDialog(QStringLiteral("frmMidashi"), tr("見出しのサイズと位置を決めます。"),
                ButtonNames::Frm)
{
    auto *size = makeFrame(this, tr("サイズ"));
    optSise = makeOptionArray(size, QStringLiteral("optSise"),
                              {tr("H1 (最大）(&1)"), tr("H2(&2)"), tr("H3(&3)"), tr("H4(&4)"),
                               tr("H5(&5)"), tr("H6（最小）(&6)")});
    auto *sizeColumn = new QVBoxLayout(size);
    for (QRadioButton *option : std::as_const(optSise))
        sizeColumn->addWidget(option);
    optSise[0]->setChecked(true);
    Combo1 = makeDropDown(this, QStringLiteral("Combo1"), headingAlignEntries());
    auto *grid = new QGridLayout;
    addRow(grid, tr("位置(&P)"), Combo1);
    auto *content = new QVBoxLayout;
    content->addWidget(size);
    content->addLayout(grid);
    layOut(content);
}

bool frmMidashi::validate()
{
    if (!isHeadingAlignEntry(Combo1->currentText()))
        return refuse(Combo1, tr("設定値が違います。"), Interaction::Icon::Warning,
                      tr("見出し設定"));
    return true;
}

QString frmMidashi::buildResult()
{
    return headingStartTag(fields());
}

HeadingValues frmMidashi::fields() const
{
    HeadingValues values;
    for (int i = 0; i < optSise.size(); ++i) {
        if (optSise[i]->isChecked())
            values.level = i + 1;
    }
    values.align = Combo1->currentText();
    return values;
}

void frmMidashi::apply(const HeadingValues &values)
{
    optSise[qBound(1, values.level, int(optSise.size())) - 1]->setChecked(true);
    Combo1->setEditText(values.align);
}
