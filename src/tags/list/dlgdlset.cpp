#include "tags/list/dlgdlset.h"

#include "tags/list/dlgdledit.h"
#include "tags/shared/dialogwidgets.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int TermColumn = 0;
constexpr int DescriptionColumn = 1;

QTreeWidgetItem *entryItem(const DefinitionEntry &entry)
{
    auto *item = new QTreeWidgetItem;
    item->setText(TermColumn, entry.term);
    item->setText(DescriptionColumn, entry.description);
    return item;
}

// Room for the terms' heading with a margin on either side.
int termHeadingWidth(const QTreeWidget &view)
{
    const QHeaderView *header = view.header();
    const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    const QString heading = view.headerItem()->text(TermColumn);
    return header->fontMetrics().horizontalAdvance(heading) + 4 * margin;
}

} // namespace

dlgDlSet::dlgDlSet()
    : TagDialog(QStringLiteral("dlgDlSet"), tr("定義形式リストの設定"), ButtonNames::Dlg)
{
    lvwYougo = new QTreeWidget(this);
    lvwYougo->setObjectName(QStringLiteral("lvwYougo"));
    lvwYougo->setRootIsDecorated(false);
    lvwYougo->setUniformRowHeights(true);
    lvwYougo->setHeaderLabels({tr("定義用語"), tr("説明文")});
    // The terms take a quarter of the view (see resizeEvent): the view is wide enough for that
    // quarter to show the whole heading.
    lvwYougo->setMinimumWidth(4 * termHeadingWidth(*lvwYougo) + 2 * lvwYougo->frameWidth());
    cmdDtAdd = makeButton(this, QStringLiteral("cmdDtAdd"), tr("追加"));
    cmdEdit = makeButton(this, QStringLiteral("cmdEdit"), tr("編集"));
    cmdEdit->setEnabled(false);
    connect(lvwYougo, &QTreeWidget::itemClicked, this, &dlgDlSet::lvwYougo_Click);
    connect(cmdDtAdd, &QPushButton::clicked, this, &dlgDlSet::cmdDtAdd_Click);
    connect(cmdEdit, &QPushButton::clicked, this, &dlgDlSet::cmdEdit_Click);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(cmdDtAdd);
    buttons->addWidget(cmdEdit);
    buttons->addStretch(1);
    auto *content = new QHBoxLayout;
    content->addWidget(lvwYougo, 1);
    content->addLayout(buttons);
    layOut(content);
}

DefinitionEntries dlgDlSet::fields() const
{
    DefinitionEntries entries;
    entries.reserve(lvwYougo->topLevelItemCount());
    for (int row = 0; row < lvwYougo->topLevelItemCount(); ++row) {
        const QTreeWidgetItem *item = lvwYougo->topLevelItem(row);
        entries.append({item->text(TermColumn), item->text(DescriptionColumn)});
    }
    return entries;
}

void dlgDlSet::apply(const DefinitionEntries &values)
{
    lvwYougo->clear();
    QList<QTreeWidgetItem *> items;
    items.reserve(values.size());
    for (const DefinitionEntry &entry : values)
        items << entryItem(entry);
    lvwYougo->addTopLevelItems(items);
    cmdEdit->setEnabled(false);
}

void dlgDlSet::lvwYougo_Click()
{
    cmdEdit->setEnabled(lvwYougo->topLevelItemCount() > 0 && lvwYougo->currentItem());
}

void dlgDlSet::cmdDtAdd_Click()
{
    DialogUse<dlgDlEdit> entry;
    if (entry.run() != Cancel)
        lvwYougo->addTopLevelItem(entryItem(entry->fields()));
}

void dlgDlSet::cmdEdit_Click()
{
    QTreeWidgetItem *item = lvwYougo->currentItem();
    if (!item)
        return;
    DialogUse<dlgDlEdit> entry;
    entry->apply({item->text(TermColumn), item->text(DescriptionColumn)});
    if (entry.run() == Cancel)
        return;
    const DefinitionEntry changed = entry->fields();
    item->setText(TermColumn, changed.term);
    item->setText(DescriptionColumn, changed.description);
}

bool dlgDlSet::validate()
{
    if (lvwYougo->topLevelItemCount() == 0)
        return refuse(cmdDtAdd, tr("用語が入力されていません。"));
    return true;
}

QString dlgDlSet::buildResult()
{
    return QStringLiteral("OK");
}

void dlgDlSet::resizeEvent(QResizeEvent *event)
{
    TagDialog::resizeEvent(event);
    // A quarter of the view for the term, two thirds less 100 twips for the description.
    const int width = lvwYougo->viewport()->width();
    QHeaderView *header = lvwYougo->header();
    header->resizeSection(TermColumn, std::max(width / 4, termHeadingWidth(*lvwYougo)));
    lvwYougo->header()->resizeSection(DescriptionColumn, width * 2 / 3 - 100 / 15);
}
