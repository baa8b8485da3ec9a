#include "document/phrases.h"

#include <utility>

namespace Phrases {

namespace {

bool inUse(const SharedState &state, int slot)
{
    return !state.strKeikeiBun[slot].isEmpty();
}

} // namespace

void pack(SharedState &state)
{
    std::array<bool, Limit> used;
    for (int slot = 0; slot < Limit; ++slot)
        used[slot] = inUse(state, slot);
    std::array<QString, Limit> names;
    std::array<QString, Limit> texts;
    int next = 0;
    for (const bool pass : {true, false}) {
        for (int slot = 0; slot < Limit; ++slot) {
            if (used[slot] != pass)
                continue;
            names[next] = std::move(state.strKeikeiName[slot]);
            texts[next] = std::move(state.strKeikeiBun[slot]);
            ++next;
        }
    }
    state.strKeikeiName = std::move(names);
    state.strKeikeiBun = std::move(texts);
}

QStringList listedNames(const SharedState &state)
{
    QStringList names;
    for (int slot = 0; slot < Limit; ++slot) {
        if (inUse(state, slot))
            names << state.strKeikeiName[slot];
    }
    return names;
}

void store(SharedState &state, int slot, const QString &name, const QString &text)
{
    if (slot < 0 || slot >= Limit)
        return;
    state.strKeikeiName[slot] = name;
    state.strKeikeiBun[slot] = text;
}

void remove(SharedState &state, int slot)
{
    if (slot < 0 || slot >= Limit)
        return;
    for (int j = slot; j < Limit - 1; ++j) {
        state.strKeikeiName[j] = std::move(state.strKeikeiName[j + 1]);
        state.strKeikeiBun[j] = std::move(state.strKeikeiBun[j + 1]);
    }
    state.strKeikeiName[Limit - 1].clear();
    state.strKeikeiBun[Limit - 1].clear();
}

QList<MenuItem> menuItems(const SharedState &state)
{
    QList<MenuItem> items;
    for (int slot = 0; slot < Limit; ++slot) {
        const QString &name = state.strKeikeiName[slot];
        if (!name.isEmpty())
            items << MenuItem{name, true, true};
        else if (slot == 0)
            items << MenuItem{QStringLiteral("（なし）"), false, true};
        else
            items << MenuItem{};
    }
    return items;
}

QString toEditorLines(const QString &text)
{
    QString lines = text;
    return lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QString toDocumentLines(const QString &text)
{
    return toEditorLines(text).replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

} // namespace Phrases
