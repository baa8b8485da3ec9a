#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

class QDialog;

// Every message box, common dialog, input box, modal run of a dialog and launch of an external
// program goes through Interaction::current(). The program installs the Qt implementation;
// tests install a scripted one that answers each expected prompt.
class Interaction
{
public:
    enum class Icon { None, Information, Warning, Critical, Question };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Cancel, Yes, No };

    struct Message
    {
        QString text;
        Icon icon = Icon::None;
        Buttons buttons = Buttons::Ok;
        QString title; // empty means the application title "Orvine"
    };

    // An open or save file dialog. `filter` is written the classic way,
    // "Description|*.a;*.b|Other|*.*"; `filterIndex` is 1-based.
    struct FileRequest
    {
        QString caption;
        QString filter;
        int filterIndex = 1;
        QString startFolder;
        QString fileName;
        bool overwritePrompt = false;
    };

    enum class PrintOutcome { Printed, Cancelled, Failed };

    virtual ~Interaction() = default;

    virtual Answer message(const Message &message) = 0;
    // Full path chosen, or an empty string when the user cancelled.
    virtual QString openFileName(const FileRequest &request) = 0;
    virtual QString saveFileName(const FileRequest &request) = 0;
    // Colour as 0x00BBGGRR, or nothing when cancelled.
    virtual std::optional<int> chooseColor(int initial) = 0;
    virtual std::optional<QFont> chooseFont(const QFont &initial) = 0;
    virtual std::optional<QString> inputBox(const QString &prompt, const QString &title,
                                            const QString &defaultText)
        = 0;
    // A choice among `items` (none editable), `current` chosen at first; the chosen index, or
    // nothing when cancelled.
    virtual std::optional<int> chooseItem(const QString &prompt, const QString &title,
                                          const QStringList &items, int current)
        = 0;
    // Shows the print dialog, then prints `text` as plain text. `error` receives the reason of
    // a failure.
    virtual PrintOutcome printText(const QString &text, QString *error) = 0;
    // The printer set-up dialog; true when accepted.
    virtual bool printerSetup() = 0;
    // Runs a dialog modally; returns QDialog::exec()'s result.
    virtual int runModal(QDialog &dialog) = 0;
    // Starts a program without waiting and without a shell.
    virtual bool startProgram(const QString &program, const QStringList &arguments) = 0;
    // Opens a folder in the desktop's file manager, or a web address in the web browser.
    virtual bool openUrl(const QUrl &url) = 0;

    static Interaction &current();
    // Installs `interaction` (not owned) and returns the one it replaces.
    static Interaction *install(Interaction *interaction);

    // Convenience wrappers.
    static Answer ask(const QString &text, Icon icon, Buttons buttons, const QString &title = {});
    static void inform(const QString &text, Icon icon = Icon::None, const QString &title = {});
};

// The application title, used as the title of message boxes.
QString applicationTitle();

// Converts a classic filter ("HTML(*.html;*.htm)|*.html;*.htm|All|*.*") into Qt's
// filter list ("HTML(*.html;*.htm) (*.html *.htm)", "All (*.*)").
QStringList qtFileFilters(const QString &classicFilter);
