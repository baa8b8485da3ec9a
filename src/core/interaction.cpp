#include "core/interaction.h"

#include "core/qtinteraction.h"

namespace {

Interaction *&installed()
{
    static Interaction *current = nullptr;
    return current;
}

} // namespace

Interaction &Interaction::current()
{
    if (!installed()) {
        static QtInteraction fallback;
        installed() = &fallback;
    }
    return *installed();
}

Interaction *Interaction::install(Interaction *interaction)
{
    Interaction *previous = installed();
    installed() = interaction;
    return previous;
}

Interaction::Answer Interaction::ask(const QString &text, Icon icon, Buttons buttons,
                                     const QString &title)
{
    return current().message({text, icon, buttons, title});
}

void Interaction::inform(const QString &text, Icon icon, const QString &title)
{
    current().message({text, icon, Buttons::Ok, title});
}

QString applicationTitle()
{
    return QStringLiteral("Orvine");
}

QStringList qtFileFilters(const QString &classicFilter)
{
    QStringList filters;
    const QStringList parts = classicFilter.split(QLatin1Char('|'));
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << parts[i] + QStringLiteral(" (") + patterns.trimmed() + QLatin1Char(')');
    }
    return filters;
}
