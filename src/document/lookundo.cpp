#include "document/lookundo.h"

#include <algorithm>
#include <climits>

LookUndoItem::LookUndoItem(ColorStore &store, std::shared_ptr<LookChange> change,
                           std::function<void()> applied)
    : store(store), change(std::move(change)), applied(std::move(applied))
{}

void LookUndoItem::undo()
{
    if (!change->known)
        return;
    store.replace(change->position, change->after.length(), change->before);
    applied();
}

void LookUndoItem::redo()
{
    if (!change->known)
        return;
    store.replace(change->position, change->before.length(), change->after);
    applied();
}

int lengthOf(const QList<LookRun> &runs)
{
    qint64 total = 0;
    for (const LookRun &run : runs)
        total += std::max(run.length, 0);
    return int(std::min<qint64>(total, INT_MAX));
}
