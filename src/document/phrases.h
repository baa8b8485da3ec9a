#pragma once

#include "core/sharedstate.h"

#include <QList>
#include <QString>
#include <QStringList>

// The boilerplate phrases: up to 15 slots of a display name and a text in the shared state
// (strKeikeiName, strKeikeiBun). A slot is in use when its text is non-empty; used slots are
// kept at the front, so entry i of the management list is slot i.
namespace Phrases {

constexpr int Limit = 15;

// Moves the used slots to the front, in their order, followed by the others; nothing is lost.
// A store edited by hand may have gaps.
void pack(SharedState &state);
// The display names of the used slots, in slot order.
QStringList listedNames(const SharedState &state);
void store(SharedState &state, int slot, const QString &name, const QString &text);
// Empties `slot` and moves the slots after it up by one.
void remove(SharedState &state, int slot);

// One item of the Insert menu's phrase submenu.
struct MenuItem
{
    QString caption;
    bool enabled = false;
    bool visible = false;
};

// The 15 items: each slot with a name shows it; item 0 reads "（なし）", disabled but visible,
// when slot 0 has none; the other nameless items are hidden.
QList<MenuItem> menuItems(const SharedState &state);

// Line breaks for the text boxes ("\n") and for the document and the store (CR LF).
QString toEditorLines(const QString &text);
QString toDocumentLines(const QString &text);

} // namespace Phrases
