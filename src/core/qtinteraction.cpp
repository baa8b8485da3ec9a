#include "core/qtinteraction.h"

#include "core/windowcaption.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFontDialog>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTextDocument>

#include <memory>

namespace {

QMessageBox::Icon toQt(Interaction::Icon icon)
{
    switch (icon) {
    case Interaction::Icon::Information: return QMessageBox::Information;
    case Interaction::Icon::Warning: return QMessageBox::Warning;
    case Interaction::Icon::Critical: return QMessageBox::Critical;
    case Interaction::Icon::Question: return QMessageBox::Question;
    case Interaction::Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

QWidget *dialogParent()
{
    return QApplication::activeWindow();
}

} // namespace

QFileDialog *createFileDialog(const Interaction::FileRequest &request)
{
    auto *dialog = new QFileDialog(dialogParent(), request.caption, request.startFolder);
    // The descriptions already name their patterns ("HTMLﾌｧｲﾙ(*.html;*.htm)"): Qt's own copy of
    // them is left off. The columns open wide enough to read a file name and its date.
    dialog->setOption(QFileDialog::HideNameFilterDetails);
    if (auto *header = dialog->findChild<QHeaderView *>())
        header->setDefaultSectionSize(FileDialogColumnWidth);
    const QStringList filters = qtFileFilters(request.filter);
    dialog->setNameFilters(filters);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
        dialog->selectNameFilter(filters[request.filterIndex - 1]);
    if (!request.fileName.isEmpty())
        dialog->selectFile(request.fileName);
    return dialog;
}

namespace {

QString chosenFile(QFileDialog *dialog)
{
    QString chosen;
    if (dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty())
        chosen = dialog->selectedFiles().constFirst();
    delete dialog;
    return chosen;
}

int toQtColor(int bgr)
{
    return qRgb(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

} // namespace

Interaction::Answer QtInteraction::message(const Message &message)
{
    QMessageBox box(toQt(message.icon),
                    message.title.isEmpty() ? applicationTitle() : message.title, message.text,
                    QMessageBox::NoButton, dialogParent());
    struct Choice
    {
        Answer answer;
        QString caption;
        QMessageBox::ButtonRole role;
    };
    QList<Choice> choices;
    switch (message.buttons) {
    case Buttons::Ok:
        choices = {{Answer::Ok, QStringLiteral("OK"), QMessageBox::AcceptRole}};
        break;
    case Buttons::OkCancel:
        choices = {{Answer::Ok, QStringLiteral("OK"), QMessageBox::AcceptRole},
                   {Answer::Cancel, QStringLiteral("ｷｬﾝｾﾙ"), QMessageBox::RejectRole}};
        break;
    case Buttons::YesNo:
        choices = {{Answer::Yes, QStringLiteral("はい(&Y)"), QMessageBox::YesRole},
                   {Answer::No, QStringLiteral("いいえ(&N)"), QMessageBox::NoRole}};
        break;
    case Buttons::YesNoCancel:
        choices = {{Answer::Yes, QStringLiteral("はい(&Y)"), QMessageBox::YesRole},
                   {Answer::No, QStringLiteral("いいえ(&N)"), QMessageBox::NoRole},
                   {Answer::Cancel, QStringLiteral("ｷｬﾝｾﾙ"), QMessageBox::RejectRole}};
        break;
    }
    QList<QAbstractButton *> buttons;
    for (const Choice &choice : choices)
        buttons << box.addButton(choice.caption, choice.role);
    box.setDefaultButton(qobject_cast<QPushButton *>(buttons.constFirst()));
    box.exec();
    const int index = buttons.indexOf(box.clickedButton());
    if (index < 0) // closed with Escape or the close box
        return message.buttons == Buttons::YesNo ? Answer::No
               : message.buttons == Buttons::Ok  ? Answer::Ok
                                                 : Answer::Cancel;
    return choices[index].answer;
}

QString QtInteraction::openFileName(const FileRequest &request)
{
    QFileDialog *dialog = createFileDialog(request);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    return chosenFile(dialog);
}

QString QtInteraction::saveFileName(const FileRequest &request)
{
    QFileDialog *dialog = createFileDialog(request);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    return chosenFile(dialog);
}

std::optional<int> QtInteraction::chooseColor(int initial)
{
    const QColor color
        = QColorDialog::getColor(QColor::fromRgb(toQtColor(initial)), dialogParent());
    if (!color.isValid())
        return std::nullopt;
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

std::optional<QFont> QtInteraction::chooseFont(const QFont &initial)
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, dialogParent());
    if (!ok)
        return std::nullopt;
    return font;
}

namespace {

QInputDialog *createInputDialog(const QString &prompt, const QString &title)
{
    auto *dialog = new QInputDialog(dialogParent());
    dialog->setWindowTitle(title.isEmpty() ? applicationTitle() : title);
    dialog->setLabelText(prompt);
    return dialog;
}

// A dialog as narrow as its box would cut its caption short ("文字コー… て保存"). The dialog
// takes its width from its layout, so the prompt is made wide enough for the caption.
QInputDialog *fittedToCaption(QInputDialog *dialog)
{
    dialog->sizeHint(); // lays the dialog out
    const QMargins margins = dialog->layout() ? dialog->layout()->contentsMargins() : QMargins();
    if (auto *prompt = dialog->findChild<QLabel *>())
        prompt->setMinimumWidth(widthForCaption(*dialog) - margins.left() - margins.right());
    return dialog;
}

} // namespace

QInputDialog *createItemDialog(const QString &prompt, const QString &title,
                               const QStringList &items, int current)
{
    QInputDialog *dialog = createInputDialog(prompt, title);
    dialog->setComboBoxItems(items);
    dialog->setComboBoxEditable(false);
    if (current >= 0 && current < items.size())
        dialog->setTextValue(items[current]);
    return fittedToCaption(dialog);
}

QInputDialog *createTextDialog(const QString &prompt, const QString &title,
                               const QString &defaultText)
{
    QInputDialog *dialog = createInputDialog(prompt, title);
    dialog->setInputMode(QInputDialog::TextInput);
    dialog->setTextValue(defaultText);
    return fittedToCaption(dialog);
}

std::optional<QString> QtInteraction::inputBox(const QString &prompt, const QString &title,
                                               const QString &defaultText)
{
    const std::unique_ptr<QInputDialog> dialog(createTextDialog(prompt, title, defaultText));
    if (dialog->exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog->textValue();
}

std::optional<int> QtInteraction::chooseItem(const QString &prompt, const QString &title,
                                             const QStringList &items, int current)
{
    const std::unique_ptr<QInputDialog> dialog(createItemDialog(prompt, title, items, current));
    if (dialog->exec() != QDialog::Accepted)
        return std::nullopt;
    const QString item = dialog->textValue();
    if (!items.contains(item))
        return std::nullopt;
    return int(items.indexOf(item));
}

Interaction::PrintOutcome QtInteraction::printText(const QString &text, QString *error)
{
    QPrinter printer;
    QPrintDialog dialog(&printer, dialogParent());
    if (dialog.exec() != QDialog::Accepted)
        return PrintOutcome::Cancelled;
    if (!printer.isValid()) {
        if (error)
            *error = QStringLiteral("プリンタが使用できません。");
        return PrintOutcome::Failed;
    }
    QTextDocument document;
    document.setPlainText(text);
    document.print(&printer);
    return PrintOutcome::Printed;
}

bool QtInteraction::printerSetup()
{
    QPrinter printer;
    QPageSetupDialog dialog(&printer, dialogParent());
    return dialog.exec() == QDialog::Accepted;
}

int QtInteraction::runModal(QDialog &dialog)
{
    return dialog.exec();
}

bool QtInteraction::startProgram(const QString &program, const QStringList &arguments)
{
    return QProcess::startDetached(program, arguments);
}

bool QtInteraction::openUrl(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}
