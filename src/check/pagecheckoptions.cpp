#include "check/pagecheckoptions.h"

#include "core/settingsstore.h"

#include <QRegularExpression>

namespace {

const QString Section = QStringLiteral("PageCheck");

} // namespace

QStringList parseMessageIds(const QString &typed)
{
    static const QRegularExpression separators(QStringLiteral("[\\s,;、，]+"));
    QStringList ids;
    for (const QString &part : typed.split(separators, Qt::SkipEmptyParts)) {
        const QString id = part.toUpper();
        if (!ids.contains(id))
            ids << id;
    }
    return ids;
}

PageCheckOptions storedPageCheckOptions()
{
    PageCheckOptions options;
    options.hiddenIds = parseMessageIds(SettingsStore::get(Section, QStringLiteral("HiddenIds")));
    const int version = SettingsStore::getInt(Section, QStringLiteral("AssumedVersion"), 0);
    if (version >= 0 && version <= int(AssumedHtmlVersion::Html401Strict))
        options.assumedVersion = AssumedHtmlVersion(version);
    options.accessibility = SettingsStore::getBool(Section, QStringLiteral("Accessibility"), false);
    return options;
}

void storePageCheckOptions(const PageCheckOptions &options)
{
    SettingsStore::Batch batch;
    SettingsStore::set(Section, QStringLiteral("HiddenIds"),
                       options.hiddenIds.join(QLatin1Char(' ')));
    SettingsStore::setInt(Section, QStringLiteral("AssumedVersion"), int(options.assumedVersion));
    SettingsStore::setBool(Section, QStringLiteral("Accessibility"), options.accessibility);
}
