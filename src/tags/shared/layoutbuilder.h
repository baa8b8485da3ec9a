#pragma once

#include <QString>

#include <initializer_list>

class QBoxLayout;
class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QWidget;
class Form;

// A few lines of layout for the tag dialogs: columns and rows of widgets and layouts, group
// boxes around a layout, and forms of captioned fields. The tab order follows the order in
// which fields are laid out.

// One thing in a row or column: a widget, a layout, or a stretch.
struct LayoutItem
{
    LayoutItem(QWidget *widget) : widget(widget) {}
    LayoutItem(QLayout *layout) : layout(layout) {}
    LayoutItem(const Form &form);
    static LayoutItem stretch() { return LayoutItem(); }

    QWidget *widget = nullptr;
    QLayout *layout = nullptr;

private:
    LayoutItem() = default;
};

QBoxLayout *column(std::initializer_list<LayoutItem> items);
QBoxLayout *row(std::initializer_list<LayoutItem> items);
// A group box with `caption` around `content`.
QGroupBox *group(const QString &caption, QLayout *content);

// The composite groups that many dialogs share, keeping the written control names.
// A size box with its percent box ("txtWidth" + "chkWidth").
struct SizeGroup
{
    QLineEdit *box;
    QCheckBox *percent;
};
SizeGroup makeSizeGroup(QWidget *parent, const QString &boxName, const QString &percentName,
                        const QString &percentCaption);
// A colour box with its reference button, which fills it from the colour dialog.
struct ColorGroup
{
    QLineEdit *box;
    QPushButton *reference;
};
ColorGroup makeColorGroup(QWidget *parent, const QString &boxName,
                          const QString &buttonName = QStringLiteral("cmdColRef"));

// A form: one captioned field per row, with an optional control after the field. The caption
// becomes the field's buddy, so its "&" key reaches the field.
class Form
{
public:
    Form();
    Form &field(const QString &caption, QWidget *field, QWidget *extra = nullptr);
    Form &field(QLabel *label, QWidget *field, QWidget *extra = nullptr);
    Form &field(const QString &caption, const SizeGroup &size);
    Form &field(const QString &caption, const ColorGroup &color);
    QGridLayout *layout() const { return m_grid; }
    operator QLayout *() const;

private:
    QGridLayout *m_grid;
};

// Sets the tab order of `root`'s focusable widgets to the order of its layout, row by row and
// into group boxes, whatever order the widgets were created in.
void orderTabsByLayout(QWidget *root);
