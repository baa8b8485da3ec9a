#include "commands/menutable.h"

QString menuEntryObjectName(const MenuEntry &entry)
{
    QString name = QString::fromLatin1(entry.name);
    if (entry.index >= 0)
        name += QLatin1Char('_') + QString::number(entry.index);
    return name;
}

QString menuEntryHandler(const MenuEntry &entry)
{
    if (entry.handler)
        return QString::fromLatin1(entry.handler);
    return QString::fromLatin1(entry.name) + QStringLiteral("_Click");
}

QStringList leafHandlers(const QList<MenuEntry> &table)
{
    QStringList handlers;
    for (int i = 0; i < table.size(); ++i) {
        const MenuEntry &entry = table[i];
        const bool isMenu
            = entry.depth == 0 || (i + 1 < table.size() && table[i + 1].depth > entry.depth);
        const bool separator = QLatin1String(entry.caption) == QLatin1String("-");
        const QString handler = menuEntryHandler(entry);
        if (!isMenu && !separator && !handler.isEmpty() && !handlers.contains(handler))
            handlers << handler;
    }
    return handlers;
}

MenuTableBuilder &MenuTableBuilder::add(int depth, const char *name, const char *caption,
                                        const char *shortcut)
{
    m_entries.append({depth, name, caption, shortcut});
    return *this;
}

MenuTableBuilder &MenuTableBuilder::hidden(int depth, const char *name, const char *caption)
{
    m_entries.append({depth, name, caption, nullptr, -1, true});
    return *this;
}

MenuTableBuilder &MenuTableBuilder::alias(int depth, const char *name, const char *caption,
                                          const char *handler)
{
    m_entries.append({depth, name, caption, nullptr, -1, false, handler});
    return *this;
}

MenuTableBuilder &MenuTableBuilder::array(int depth, const char *name,
                                          const QList<const char *> &captions, int hiddenFrom)
{
    for (int i = 0; i < captions.size(); ++i)
        m_entries.append(
            {depth, name, captions[i], nullptr, i, hiddenFrom >= 0 && i >= hiddenFrom});
    return *this;
}
