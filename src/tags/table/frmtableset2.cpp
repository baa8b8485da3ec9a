#include "tags/table/frmtableset2.h"

#include "tags/shared/dialogwidgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

frmTableSet2::frmTableSet2() : TableDialogBase(QStringLiteral("frmTableSet2"))
{
    auto *position = new QGridLayout;
    addRow(position, tr("表の位置"), cmbAlign);
    auto *right = new QVBoxLayout;
    right->addWidget(rulesFrame());
    right->addLayout(position);
    right->addStretch(1);
    auto *columns = new QHBoxLayout;
    columns->addWidget(borderFrame());
    columns->addLayout(right);
    layOut(columns);
}

QString frmTableSet2::buildResult()
{
    return tableStartTag(fields());
}
