#include "benchinteraction.h"

#include <QAbstractButton>
#include <QDialog>

namespace bench {

BenchInteraction::BenchInteraction() : m_previous(Interaction::install(this)) {}

BenchInteraction::~BenchInteraction()
{
    Interaction::install(m_previous);
}

Interaction::Answer BenchInteraction::message(const Message &message)
{
    ++messages;
    lastMessage = message.text;
    switch (message.buttons) {
    case Buttons::Ok:
    case Buttons::OkCancel: return Answer::Ok;
    case Buttons::YesNo:
    case Buttons::YesNoCancel: return Answer::No;
    }
    return Answer::Ok;
}

int BenchInteraction::runModal(QDialog &dialog)
{
    ++modalRuns;
    // The tag dialogs name their buttons cmdOK/cmdCancel or OKButton/CancelButton.
    const QStringList names
        = acceptDialogs ? QStringList{QStringLiteral("cmdOK"), QStringLiteral("OKButton")}
                        : QStringList{QStringLiteral("cmdCancel"), QStringLiteral("CancelButton")};
    for (const QString &name : names) {
        if (auto *button = dialog.findChild<QAbstractButton *>(name)) {
            button->click();
            return dialog.result();
        }
    }
    acceptDialogs ? dialog.accept() : dialog.reject();
    return dialog.result();
}

} // namespace bench
