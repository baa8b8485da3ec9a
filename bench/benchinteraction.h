#pragma once

#include "core/interaction.h"

namespace bench {

// Answers every prompt without a user: dialogs are closed with their OK button (or Cancel when
// `acceptDialogs` is false), questions with No, messages with OK; nothing is printed, shown or
// started. Installed for as long as it lives.
class BenchInteraction : public Interaction
{
public:
    BenchInteraction();
    ~BenchInteraction() override;

    bool acceptDialogs = true;
    int modalRuns = 0;
    int messages = 0;
    QString lastMessage;

    Answer message(const Message &message) override;
    QString openFileName(const FileRequest &) override { return {}; }
    QString saveFileName(const FileRequest &) override { return {}; }
    std::optional<int> chooseColor(int) override { return std::nullopt; }
    std::optional<QFont> chooseFont(const QFont &) override { return std::nullopt; }
    std::optional<QString> inputBox(const QString &, const QString &, const QString &) override
    {
        return std::nullopt;
    }
    std::optional<int> chooseItem(const QString &, const QString &, const QStringList &,
                                  int) override
    {
        return std::nullopt;
    }
    PrintOutcome printText(const QString &, QString *) override { return PrintOutcome::Cancelled; }
    bool printerSetup() override { return false; }
    int runModal(QDialog &dialog) override;
    bool startProgram(const QString &, const QStringList &) override { return false; }
    bool openUrl(const QUrl &) override { return false; }

private:
    Interaction *m_previous = nullptr;
};

} // namespace bench
