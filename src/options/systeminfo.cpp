#include "options/systeminfo.h"

#include "core/interaction.h"

#include <QStandardPaths>

QStringList systemInfoCandidates()
{
    return {QStringLiteral("kinfocenter"), QStringLiteral("hardinfo"),
            QStringLiteral("gnome-system-monitor")};
}

QString findSystemInfoProgram(const QStringList &searchPaths)
{
    for (const QString &name : systemInfoCandidates()) {
        const QString found = QStandardPaths::findExecutable(name, searchPaths);
        if (!found.isEmpty())
            return found;
    }
    return {};
}

void StartSysInfo(const QStringList &searchPaths)
{
    const QString program = findSystemInfoProgram(searchPaths);
    if (!program.isEmpty() && Interaction::current().startProgram(program, {}))
        return;
    Interaction::inform(QStringLiteral("現時点ではｼｽﾃﾑ情報を使用できません"));
}
