#include "tags/shared/dialogwidgets.h"

#include "core/interaction.h"
#include "core/paths.h"
#include "tags/shared/tagformat.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QValidator>

#include <limits>
#include <memory>

QLabel *makeLabel(QWidget *parent, const QString &caption, const QString &name)
{
    auto *label = new QLabel(caption, parent);
    if (!name.isEmpty())
        label->setObjectName(name);
    return label;
}

namespace {

// A line edit holds 32767 characters unless told otherwise; a value read from a page (a long
// data URL, a script in an attribute) may be longer and must come back whole.
constexpr int TextBoxLimit = std::numeric_limits<int>::max();

// Turns full-width digits into ASCII ones as they arrive; refuses nothing.
class AsciiNumberValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        input = asciiNumberText(input);
        return Acceptable;
    }
};

} // namespace

QLineEdit *makeTextBox(QWidget *parent, const QString &name)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setMaxLength(TextBoxLimit);
    return box;
}

QLineEdit *makeUrlBox(QWidget *parent, const QString &name)
{
    QLineEdit *box = makeTextBox(parent, name);
    box->setMinimumWidth(UrlBoxWidth);
    return box;
}

QLineEdit *makeNumberBox(QWidget *parent, const QString &name)
{
    QLineEdit *box = makeTextBox(parent, name);
    box->setValidator(new AsciiNumberValidator(box));
    return box;
}

void takeNumbers(QComboBox *combo)
{
    combo->setValidator(new AsciiNumberValidator(combo));
}

QCheckBox *makeCheckBox(QWidget *parent, const QString &name, const QString &caption)
{
    auto *check = new QCheckBox(caption, parent);
    check->setObjectName(name);
    return check;
}

QPushButton *makeButton(QWidget *parent, const QString &name, const QString &caption)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QGroupBox *makeFrame(QWidget *parent, const QString &caption)
{
    return new QGroupBox(caption, parent);
}

QComboBox *makeDropDown(QWidget *parent, const QString &name, const QStringList &entries,
                        const QString &initialText)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->lineEdit()->setMaxLength(TextBoxLimit);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(entries);
    combo->setCurrentIndex(-1);
    combo->setEditText(initialText);
    return combo;
}

QList<QRadioButton *> makeOptionArray(QWidget *parent, const QString &name,
                                      const QStringList &captions)
{
    QList<QRadioButton *> options;
    for (int i = 0; i < captions.size(); ++i) {
        auto *option = new QRadioButton(captions[i], parent);
        option->setObjectName(name + QLatin1Char('_') + QString::number(i));
        options << option;
    }
    return options;
}

void addRow(QGridLayout *grid, QLabel *label, QWidget *field, QWidget *extra)
{
    const int row = grid->rowCount();
    label->setBuddy(field);
    grid->addWidget(label, row, 0);
    grid->addWidget(field, row, 1);
    if (extra)
        grid->addWidget(extra, row, 2);
}

void addRow(QGridLayout *grid, const QString &caption, QWidget *field, QWidget *extra)
{
    addRow(grid, makeLabel(field->parentWidget(), caption), field, extra);
}

void connectFileReference(QPushButton *button, QLineEdit *box, const QString &filter,
                          QString &lastPath, std::function<QString()> basePath,
                          std::function<void(const QString &)> afterChoice)
{
    QObject::connect(button, &QPushButton::clicked, box,
                     [box, filter, &lastPath, basePath = std::move(basePath),
                      afterChoice = std::move(afterChoice)] {
                         Interaction::FileRequest request;
                         request.filter = filter;
                         request.startFolder = FolderOf(lastPath);
                         const QString chosen = Interaction::current().openFileName(request);
                         if (chosen.isEmpty())
                             return;
                         lastPath = chosen;
                         if (afterChoice)
                             afterChoice(chosen);
                         box->setText(RelativePath(basePath(), chosen));
                     });
}

void connectColorReference(QPushButton *button, QLineEdit *box)
{
    auto last = std::make_shared<int>(0);
    QObject::connect(button, &QPushButton::clicked, box, [box, last] {
        const std::optional<int> chosen = Interaction::current().chooseColor(*last);
        if (!chosen)
            return;
        *last = *chosen;
        box->setText(ColorToHtml(*chosen));
    });
}
