#include "support/scriptedinteraction.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace {

const char *kindName(ScriptedInteraction::Kind kind)
{
    using K = ScriptedInteraction::Kind;
    switch (kind) {
    case K::Message: return "message box";
    case K::OpenFile: return "open dialog";
    case K::SaveFile: return "save dialog";
    case K::Color: return "colour dialog";
    case K::Font: return "font dialog";
    case K::Input: return "input box";
    case K::Choice: return "choice prompt";
    case K::Print: return "print dialog";
    case K::PrinterSetup: return "printer set-up";
    case K::Modal: return "modal dialog";
    case K::StartProgram: return "program start";
    case K::OpenUrl: return "URL open";
    }
    return "?";
}

QString describe(const ScriptedInteraction::Prompt &prompt)
{
    QString text = QString::fromLatin1(kindName(prompt.kind));
    if (!prompt.message.text.isEmpty())
        text += QStringLiteral(": ") + prompt.message.text;
    if (!prompt.dialogName.isEmpty())
        text += QStringLiteral(": ") + prompt.dialogName;
    if (!prompt.text.isEmpty())
        text += QStringLiteral(": ") + prompt.text;
    return text;
}

} // namespace

ScriptedInteraction::ScriptedInteraction() : m_previous(Interaction::install(this)) {}

ScriptedInteraction::~ScriptedInteraction()
{
    Interaction::install(m_previous);
    for (const Expectation &e : std::as_const(m_expected))
        ADD_FAILURE() << "expected " << kindName(e.kind) << " \"" << e.match.toStdString()
                      << "\" was never shown";
}

ScriptedInteraction &ScriptedInteraction::push(Expectation expectation)
{
    m_expected.append(std::move(expectation));
    return *this;
}

ScriptedInteraction &ScriptedInteraction::expectMessage(const QString &textPart, Answer answer)
{
    Expectation e;
    e.kind = Kind::Message;
    e.match = textPart;
    e.answer = answer;
    return push(e);
}

ScriptedInteraction &ScriptedInteraction::expectOpenFile(const QString &chosenPath)
{
    Expectation e;
    e.kind = Kind::OpenFile;
    e.path = chosenPath;
    return push(e);
}

ScriptedInteraction &ScriptedInteraction::expectSaveFile(const QString &chosenPath)
{
    Expectation e;
    e.kind = Kind::SaveFile;
    e.path = chosenPath;
    return push(e);
}

ScriptedInteraction &ScriptedInteraction::expectColor(std::optional<int> chosen)
{
    Expectation e;
    e.kind = Kind::Color;
    e.color = chosen;
    return push(e);
}

ScriptedInteraction &ScriptedInteraction::expectFont(std::optional<QFont> chosen)
{
    Expectation e;
    e.kind = Kind::Font;
    e.font = chosen;
    return push(e);
}

ScriptedInteraction &ScriptedInteraction::expectInput(std::optional<QString> typed)
{
    Expectation e;
    e.kind = Kind::Input;
    e.input = typed;
    return push(e);
}

ScriptedInteraction &ScriptedInteraction::expectChoice(std::optional<QString> chosen)
{
    Expectation e;
    e.kind = Kind::Choice;
    e.input = chosen;
    return push(e);
}

ScriptedInteraction &ScriptedInteraction::expectPrint(PrintOutcome outcome, const QString &error)
{
    Expectation e;
    e.kind = Kind::Print;
    e.match = error;
    e.printOutcome = outcome;
    return push(e);
}

ScriptedInteraction &ScriptedInteraction::expectPrinterSetup(bool accepted)
{
    Expectation e;
    e.kind = Kind::PrinterSetup;
    e.accepted = accepted;
    return push(e);
}

ScriptedInteraction &ScriptedInteraction::expectDialog(const QString &dialogName,
                                                       DialogScript script)
{
    Expectation e;
    e.kind = Kind::Modal;
    e.match = dialogName;
    e.script = std::move(script);
    return push(e);
}

ScriptedInteraction &ScriptedInteraction::expectStartProgram(bool started)
{
    Expectation e;
    e.kind = Kind::StartProgram;
    e.accepted = started;
    return push(e);
}

ScriptedInteraction &ScriptedInteraction::expectOpenUrl(bool opened)
{
    Expectation e;
    e.kind = Kind::OpenUrl;
    e.accepted = opened;
    return push(e);
}

const ScriptedInteraction::Expectation *ScriptedInteraction::take(const Prompt &prompt)
{
    m_log.append(prompt);
    if (m_expected.isEmpty()) {
        ADD_FAILURE() << "unexpected " << describe(prompt).toStdString();
        return nullptr;
    }
    if (m_expected.constFirst().kind != prompt.kind) {
        ADD_FAILURE() << "expected " << kindName(m_expected.constFirst().kind) << " \""
                      << m_expected.constFirst().match.toStdString() << "\", got "
                      << describe(prompt).toStdString();
        return nullptr;
    }
    m_current = m_expected.takeFirst();
    return &m_current;
}

Interaction::Answer ScriptedInteraction::message(const Message &message)
{
    Prompt prompt{Kind::Message};
    prompt.message = message;
    const Expectation *e = take(prompt);
    if (!e)
        return message.buttons == Buttons::YesNo || message.buttons == Buttons::YesNoCancel
                   ? Answer::No
                   : Answer::Cancel;
    EXPECT_TRUE(message.text.contains(e->match)) << "message \"" << message.text.toStdString()
                                                 << "\" lacks \"" << e->match.toStdString() << "\"";
    return e->answer;
}

QString ScriptedInteraction::openFileName(const FileRequest &request)
{
    Prompt prompt{Kind::OpenFile};
    prompt.file = request;
    const Expectation *e = take(prompt);
    return e ? e->path : QString();
}

QString ScriptedInteraction::saveFileName(const FileRequest &request)
{
    Prompt prompt{Kind::SaveFile};
    prompt.file = request;
    const Expectation *e = take(prompt);
    return e ? e->path : QString();
}

std::optional<int> ScriptedInteraction::chooseColor(int initial)
{
    Prompt prompt{Kind::Color};
    prompt.color = initial;
    const Expectation *e = take(prompt);
    return e ? e->color : std::nullopt;
}

std::optional<QFont> ScriptedInteraction::chooseFont(const QFont &)
{
    const Expectation *e = take(Prompt{Kind::Font});
    return e ? e->font : std::nullopt;
}

std::optional<QString> ScriptedInteraction::inputBox(const QString &promptText,
                                                     const QString &title, const QString &)
{
    Prompt prompt{Kind::Input};
    prompt.text = promptText;
    prompt.message.title = title;
    const Expectation *e = take(prompt);
    return e ? e->input : std::nullopt;
}

std::optional<int> ScriptedInteraction::chooseItem(const QString &promptText, const QString &title,
                                                   const QStringList &items, int current)
{
    Prompt prompt{Kind::Choice};
    prompt.text = promptText;
    prompt.message.title = title;
    prompt.arguments = items;
    prompt.current = current;
    const Expectation *e = take(prompt);
    if (!e || !e->input)
        return std::nullopt;
    const qsizetype index = items.indexOf(*e->input);
    EXPECT_GE(index, 0) << "\"" << e->input->toStdString() << "\" is not offered";
    return index < 0 ? std::nullopt : std::optional<int>(int(index));
}

Interaction::PrintOutcome ScriptedInteraction::printText(const QString &text, QString *error)
{
    Prompt prompt{Kind::Print};
    prompt.text = text;
    const Expectation *e = take(prompt);
    if (!e)
        return PrintOutcome::Cancelled;
    if (error)
        *error = e->match;
    return e->printOutcome;
}

bool ScriptedInteraction::printerSetup()
{
    const Expectation *e = take(Prompt{Kind::PrinterSetup});
    return e && e->accepted;
}

int ScriptedInteraction::runModal(QDialog &dialog)
{
    Prompt prompt{Kind::Modal};
    prompt.dialogName = dialog.objectName();
    const Expectation *e = take(prompt);
    if (!e)
        return QDialog::Rejected;
    if (!e->match.isEmpty()) {
        EXPECT_EQ(dialog.objectName().toStdString(), e->match.toStdString());
    }
    dialog.setResult(QDialog::Rejected);
    const DialogScript script = e->script; // the script may show further prompts
    if (script)
        script(dialog);
    return dialog.result();
}

bool ScriptedInteraction::startProgram(const QString &program, const QStringList &arguments)
{
    Prompt prompt{Kind::StartProgram};
    prompt.text = program;
    prompt.arguments = arguments;
    const Expectation *e = take(prompt);
    return e && e->accepted;
}

bool ScriptedInteraction::openUrl(const QUrl &url)
{
    Prompt prompt{Kind::OpenUrl};
    prompt.text = url.toString();
    const Expectation *e = take(prompt);
    return e && e->accepted;
}

namespace {

template <typename T> T *namedChild(QWidget &root, const QString &name)
{
    T *child = root.objectName() == name ? qobject_cast<T *>(&root) : nullptr;
    if (!child)
        child = root.findChild<T *>(name);
    if (!child)
        ADD_FAILURE() << "no control named " << name.toStdString() << " in "
                      << root.objectName().toStdString();
    return child;
}

} // namespace

void setControlText(QWidget &root, const QString &name, const QString &text)
{
    QWidget *widget = namedChild<QWidget>(root, name);
    if (auto *line = qobject_cast<QLineEdit *>(widget))
        line->setText(text);
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(widget))
        plain->setPlainText(text);
    else if (auto *rich = qobject_cast<QTextEdit *>(widget))
        rich->setPlainText(text);
    else if (auto *combo = qobject_cast<QComboBox *>(widget)) {
        if (combo->isEditable())
            combo->setEditText(text);
        else
            combo->setCurrentText(text);
    } else if (widget)
        ADD_FAILURE() << name.toStdString() << " does not take text";
}

void setControlChecked(QWidget &root, const QString &name, bool checked)
{
    if (auto *button = namedChild<QAbstractButton>(root, name))
        button->setChecked(checked);
}

void clickControl(QWidget &root, const QString &name)
{
    if (auto *button = namedChild<QAbstractButton>(root, name))
        button->click();
}

QString controlText(QWidget &root, const QString &name)
{
    QWidget *widget = namedChild<QWidget>(root, name);
    if (auto *line = qobject_cast<QLineEdit *>(widget))
        return line->text();
    if (auto *plain = qobject_cast<QPlainTextEdit *>(widget))
        return plain->toPlainText();
    if (auto *rich = qobject_cast<QTextEdit *>(widget))
        return rich->toPlainText();
    if (auto *combo = qobject_cast<QComboBox *>(widget))
        return combo->currentText();
    if (auto *label = qobject_cast<QLabel *>(widget))
        return label->text();
    if (auto *button = qobject_cast<QAbstractButton *>(widget))
        return button->text();
    return {};
}
