#pragma once

#include "core/interaction.h"

// The Interaction of the running program: real message boxes, dialogs and processes.
class QtInteraction : public Interaction
{
public:
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
};

class QFileDialog;
class QInputDialog;

// The width the file dialog's columns open with, in pixels.
constexpr int FileDialogColumnWidth = 180;

// The open and save dialogs' common set-up: caption, start folder, filters (each shown once,
// as written), the chosen filter and file name.
QFileDialog *createFileDialog(const Interaction::FileRequest &request);

// The dialogs of chooseItem and inputBox, wide enough for their whole caption.
QInputDialog *createItemDialog(const QString &prompt, const QString &title,
                               const QStringList &items, int current);
QInputDialog *createTextDialog(const QString &prompt, const QString &title,
                               const QString &defaultText);
