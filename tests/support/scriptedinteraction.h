#pragma once

#include "core/interaction.h"

#include <QDialog>
#include <QList>

#include <functional>

// An Interaction for tests. Each expected prompt is queued with its answer; prompts are
// answered in order, and a prompt of another kind (or one that was not expected) fails the
// test. Every prompt is also recorded in `log()` so tests can check texts, icons and buttons.
// Constructing one installs it; destroying it restores the previous one and fails the test
// when expected prompts were left unanswered.
class ScriptedInteraction : public Interaction
{
public:
    enum class Kind {
        Message,
        OpenFile,
        SaveFile,
        Color,
        Font,
        Input,
        Choice,
        Print,
        PrinterSetup,
        Modal,
        StartProgram,
        OpenUrl
    };

    struct Prompt
    {
        explicit Prompt(Kind kind = Kind::Message) : kind(kind) {}
        Kind kind;
        Message message;       // Message
        FileRequest file;      // OpenFile, SaveFile
        QString dialogName;    // Modal: the dialog's objectName
        QString text;          // Input: prompt; Print: text; StartProgram: program; OpenUrl: url
        QStringList arguments; // StartProgram: arguments; Choice: the items
        int current = -1;      // Choice: the item chosen at first
        int color = 0;         // Color: initial colour
    };

    using DialogScript = std::function<void(QDialog &)>;

    ScriptedInteraction();
    ~ScriptedInteraction() override;

    // A message whose text contains `textPart` (empty: any text), answered with `answer`.
    ScriptedInteraction &expectMessage(const QString &textPart, Answer answer = Answer::Ok);
    ScriptedInteraction &expectOpenFile(const QString &chosenPath);
    ScriptedInteraction &expectSaveFile(const QString &chosenPath);
    ScriptedInteraction &expectColor(std::optional<int> chosen);
    ScriptedInteraction &expectFont(std::optional<QFont> chosen);
    ScriptedInteraction &expectInput(std::optional<QString> typed);
    // A choice prompt, answered with the item `chosen` (nothing: cancelled); an item that is not
    // offered fails the test.
    ScriptedInteraction &expectChoice(std::optional<QString> chosen);
    ScriptedInteraction &expectPrint(PrintOutcome outcome, const QString &error = {});
    ScriptedInteraction &expectPrinterSetup(bool accepted);
    // A modal dialog with objectName `dialogName` (empty: any); `script` fills its controls and
    // presses its buttons. runModal returns the dialog's result() afterwards.
    ScriptedInteraction &expectDialog(const QString &dialogName, DialogScript script);
    ScriptedInteraction &expectStartProgram(bool started);
    ScriptedInteraction &expectOpenUrl(bool opened);

    const QList<Prompt> &log() const { return m_log; }
    const Prompt &lastPrompt() const { return m_log.constLast(); }
    int pendingCount() const { return int(m_expected.size()); }

    Answer message(const Message &message) override;
    QString openFileName(const FileRequest &request) override;
    QString saveFileName(const FileRequest &request) override;
    std::optional<int> chooseColor(int initial) override;
    std::optional<QFont> chooseFont(const QFont &initial) override;
    std::optional<QString> inputBox(const QString &prompt, const QString &title,
                                    const QString &defaultText) override;
    std::optional<int> chooseItem(const QString &prompt, const QString &title,
                                  const QStringList &items, int current) override;
    PrintOutcome printText(const QString &text, QString *error) override;
    bool printerSetup() override;
    int runModal(QDialog &dialog) override;
    bool startProgram(const QString &program, const QStringList &arguments) override;
    bool openUrl(const QUrl &url) override;

private:
    struct Expectation
    {
        Kind kind = Kind::Message;
        QString match;
        Answer answer = Answer::Ok;
        QString path;
        std::optional<int> color;
        std::optional<QFont> font;
        std::optional<QString> input;
        PrintOutcome printOutcome = PrintOutcome::Printed;
        bool accepted = true;
        DialogScript script;
    };

    // Records the prompt and takes the next expectation; nullptr (and a test failure) when it
    // is missing or of another kind.
    const Expectation *take(const Prompt &prompt);
    ScriptedInteraction &push(Expectation expectation);

    QList<Expectation> m_expected;
    Expectation m_current;
    QList<Prompt> m_log;
    Interaction *m_previous = nullptr;
};

// Helpers for dialog scripts: find a named child and act on it; each fails the test when the
// control is missing.
void setControlText(QWidget &root, const QString &name, const QString &text);
void setControlChecked(QWidget &root, const QString &name, bool checked);
void clickControl(QWidget &root, const QString &name);
QString controlText(QWidget &root, const QString &name);
