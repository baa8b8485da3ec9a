#pragma once

#include "document/colorstore.h"

#include <QTextDocument>

#include <functional>
#include <memory>

// What one change did to the looks of a stretch: before it, `before` covered
// [position, position + before.length()); after it, `after` covers the same start.
struct LookChange
{
    bool known = false; // filled in; an item whose change never came is a no-op
    int position = 0;
    LookRecord before;
    LookRecord after;
};

// Puts a change of looks on a document's undo stack, so that the document's undo and redo
// take the looks back and forth in step with its text. `applied` runs after each.
class LookUndoItem : public QAbstractUndoItem
{
public:
    LookUndoItem(ColorStore &store, std::shared_ptr<LookChange> change,
                 std::function<void()> applied);

    void undo() override;
    void redo() override;

private:
    ColorStore &store;
    std::shared_ptr<LookChange> change;
    std::function<void()> applied;
};

// Total length of `runs`.
int lengthOf(const QList<LookRun> &runs);
