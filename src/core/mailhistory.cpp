#include "core/mailhistory.h"

#include "core/settingsstore.h"

namespace {

QString section()
{
    return QStringLiteral("Recent MailTo");
}

QString countKey()
{
    return QStringLiteral("MailNum");
}

QString defaultKey()
{
    return QStringLiteral("DefaultURL");
}

// Entry i (from 1) of the list.
QString entryKey(int i)
{
    return QString::number(i) + QStringLiteral("MailURL");
}

int storedCount()
{
    return qBound(0, SettingsStore::getInt(section(), countKey(), 0),
                  MailHistory::MaxReadAddresses);
}

} // namespace

namespace MailHistory {

QStringList addresses()
{
    QStringList list;
    const int count = storedCount();
    for (int i = 1; i <= count; ++i)
        list << SettingsStore::get(section(), entryKey(i));
    return list;
}

QString defaultAddress()
{
    return storedCount() == 0 ? QString() : SettingsStore::get(section(), defaultKey());
}

void remember(const QString &address)
{
    // A link made without an address is no address to offer again.
    if (address.trimmed().isEmpty())
        return;
    QStringList list = addresses();
    if (list.contains(address))
        return;
    list << address;
    SettingsStore::Batch batch;
    SettingsStore::setInt(section(), countKey(), int(list.size()));
    SettingsStore::set(section(), defaultKey(), address);
    for (int i = 0; i < list.size(); ++i)
        SettingsStore::set(section(), entryKey(i + 1), list[i]);
}

} // namespace MailHistory
