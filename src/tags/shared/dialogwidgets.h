#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

// The width of a box meant for a whole URL.
constexpr int UrlBoxWidth = 360;

// Small factories for the controls of the tag dialogs: each control gets its name as
// objectName and its caption exactly as given.
QLabel *makeLabel(QWidget *parent, const QString &caption, const QString &name = {});
QLineEdit *makeTextBox(QWidget *parent, const QString &name);
// A box for a URL or a file's path, wide enough to read one whole.
QLineEdit *makeUrlBox(QWidget *parent, const QString &name);
// A box for a number (a size, a count, a number of seconds): the digits and signs typed with
// the input method on become ASCII as they are typed or pasted, so that the page gets numbers
// every browser reads. Everything else stays as typed; the dialog's OK judges it.
QLineEdit *makeNumberBox(QWidget *parent, const QString &name);
// The same rule for an editable drop-down that holds a number.
void takeNumbers(QComboBox *combo);
QCheckBox *makeCheckBox(QWidget *parent, const QString &name, const QString &caption);
QPushButton *makeButton(QWidget *parent, const QString &name, const QString &caption);
QGroupBox *makeFrame(QWidget *parent, const QString &caption);
// An editable drop-down with `entries` and `initialText` shown (nothing chosen when empty).
QComboBox *makeDropDown(QWidget *parent, const QString &name, const QStringList &entries,
                        const QString &initialText = {});
// A control array of option buttons named name_0, name_1, ...
QList<QRadioButton *> makeOptionArray(QWidget *parent, const QString &name,
                                      const QStringList &captions);

// Puts `label` and `field` (and an optional third control) in the next row of `grid`; the label
// becomes the field's buddy so that its "&" key reaches the field.
void addRow(QGridLayout *grid, QLabel *label, QWidget *field, QWidget *extra = nullptr);
// The same with a label made from `caption`.
void addRow(QGridLayout *grid, const QString &caption, QWidget *field, QWidget *extra = nullptr);

// A file reference button: asks for a file (open dialog with the classic `filter`, starting in
// the folder of `lastPath`); when one is chosen, `lastPath` becomes its full path and `box`
// receives its path relative to basePath(); afterChoice, when given, runs in between with the
// chosen path. A cancelled dialog changes nothing.
void connectFileReference(QPushButton *button, QLineEdit *box, const QString &filter,
                          QString &lastPath, std::function<QString()> basePath,
                          std::function<void(const QString &chosen)> afterChoice = {});

// A colour button: the colour dialog starts from the colour chosen last with this button
// (black at first); a chosen colour goes into `box` as "#RRGGBB". Cancelling leaves the box as
// it was.
void connectColorReference(QPushButton *button, QLineEdit *box);
