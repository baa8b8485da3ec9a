#include "core/localpages.h"

#include "core/settings.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

// The pages live in the core library's resources, which a static library must register itself.
static void registerShippedPages()
{
    Q_INIT_RESOURCE(pages);
}

namespace {

QString resourceName(LocalPage page)
{
    switch (page) {
    case LocalPage::Home: return QStringLiteral("home.html");
    case LocalPage::Search: return QStringLiteral("search.html");
    case LocalPage::OrvineSite: return QStringLiteral("orvine.html");
    case LocalPage::TolvaneSite: return QStringLiteral("tolvane.html");
    }
    return {};
}

QByteArray shippedPage(const QString &name)
{
    registerShippedPages();
    QFile file(QStringLiteral(":/pages/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool sameContents(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.readAll() == contents;
}

} // namespace

QString localPagePath(LocalPage page)
{
    const QString name = resourceName(page);
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)
                           + QStringLiteral("/pages");
    const QString path = folder + QLatin1Char('/') + name;
    const QByteArray contents = shippedPage(name);
    if (sameContents(path, contents))
        return path;
    QFile file(path);
    if (!QDir().mkpath(folder) || !file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(contents) != contents.size())
        return {};
    return path;
}

QString searchPageAddress()
{
    const QString stored = storedSearchPage();
    return stored.isEmpty() ? localPagePath(LocalPage::Search) : stored;
}
