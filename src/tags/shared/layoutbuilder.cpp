#include "tags/shared/layoutbuilder.h"

#include "tags/shared/dialogwidgets.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

LayoutItem::LayoutItem(const Form &form) : layout(form) {}

namespace {

QBoxLayout *fill(QBoxLayout *box, std::initializer_list<LayoutItem> items)
{
    for (const LayoutItem &item : items) {
        if (item.widget)
            box->addWidget(item.widget);
        else if (item.layout)
            box->addLayout(item.layout);
        else
            box->addStretch(1);
    }
    return box;
}

} // namespace

QBoxLayout *column(std::initializer_list<LayoutItem> items)
{
    return fill(new QVBoxLayout, items);
}

QBoxLayout *row(std::initializer_list<LayoutItem> items)
{
    return fill(new QHBoxLayout, items);
}

QGroupBox *group(const QString &caption, QLayout *content)
{
    auto *box = new QGroupBox(caption);
    box->setLayout(content);
    return box;
}

SizeGroup makeSizeGroup(QWidget *parent, const QString &boxName, const QString &percentName,
                        const QString &percentCaption)
{
    return {makeNumberBox(parent, boxName), makeCheckBox(parent, percentName, percentCaption)};
}

ColorGroup makeColorGroup(QWidget *parent, const QString &boxName, const QString &buttonName)
{
    ColorGroup color{makeTextBox(parent, boxName),
                     makeButton(parent, buttonName, QObject::tr("色参照"))};
    connectColorReference(color.reference, color.box);
    return color;
}

Form::Form() : m_grid(new QGridLayout) {}

Form &Form::field(QLabel *label, QWidget *field, QWidget *extra)
{
    addRow(m_grid, label, field, extra);
    return *this;
}

Form &Form::field(const QString &caption, QWidget *field, QWidget *extra)
{
    return this->field(makeLabel(field->parentWidget(), caption), field, extra);
}

Form &Form::field(const QString &caption, const SizeGroup &size)
{
    return field(caption, size.box, size.percent);
}

Form &Form::field(const QString &caption, const ColorGroup &color)
{
    return field(caption, color.box, color.reference);
}

Form::operator QLayout *() const
{
    return m_grid;
}

namespace {

void collectInLayoutOrder(QLayout *layout, QList<QWidget *> &widgets);

void collectWidget(QWidget *widget, QList<QWidget *> &widgets)
{
    if (widget->focusPolicy() & Qt::TabFocus)
        widgets << widget;
    if (QLayout *inner = widget->layout())
        collectInLayoutOrder(inner, widgets);
}

void collectInLayoutOrder(QLayout *layout, QList<QWidget *> &widgets)
{
    // A grid's items are read row by row, so a form's fields come in the order they are seen.
    if (auto *grid = qobject_cast<QGridLayout *>(layout)) {
        for (int r = 0; r < grid->rowCount(); ++r) {
            for (int c = 0; c < grid->columnCount(); ++c) {
                QLayoutItem *item = grid->itemAtPosition(r, c);
                if (!item)
                    continue;
                const int index = grid->indexOf(item);
                int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
                grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
                if (row != r || column != c)
                    continue; // a spanning item counts once, at its first cell
                if (QWidget *widget = item->widget())
                    collectWidget(widget, widgets);
                else if (QLayout *inner = item->layout())
                    collectInLayoutOrder(inner, widgets);
            }
        }
        return;
    }
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem *item = layout->itemAt(i);
        if (QWidget *widget = item->widget())
            collectWidget(widget, widgets);
        else if (QLayout *inner = item->layout())
            collectInLayoutOrder(inner, widgets);
    }
}

} // namespace

void orderTabsByLayout(QWidget *root)
{
    if (!root->layout())
        return;
    QList<QWidget *> widgets;
    collectInLayoutOrder(root->layout(), widgets);
    if (widgets.isEmpty())
        return;
    for (int i = 1; i < widgets.size(); ++i)
        QWidget::setTabOrder(widgets[i - 1], widgets[i]);
}
