#include "document/colorstore.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

constexpr int tableLimit = 256;

int colorDistance(int a, int b)
{
    int distance = 0;
    for (int shift = 0; shift < 24; shift += 8)
        distance += std::abs(((a >> shift) & 0xFF) - ((b >> shift) & 0xFF));
    return distance;
}

} // namespace

ColorStore::ColorStore()
{
    table.append(Look{});
}

ColorStore::Cell ColorStore::cellOf(Look look)
{
    const qsizetype index = table.indexOf(look);
    if (index >= 0)
        return Cell(index);
    if (table.size() < tableLimit) {
        table.append(look);
        return Cell(table.size() - 1);
    }
    int best = -1;
    int bestDistance = INT_MAX;
    for (int i = 0; i < table.size(); ++i) {
        const int distance = colorDistance(table.at(i).color, look.color)
                             + (table.at(i).bold == look.bold ? 0 : 1 << 20);
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return Cell(best);
}

ColorStore::Cell &ColorStore::at(int position)
{
    return cells[std::size_t(position) < gapStart ? std::size_t(position) : position + gapLength()];
}

ColorStore::Cell ColorStore::at(int position) const
{
    return cells[std::size_t(position) < gapStart ? std::size_t(position) : position + gapLength()];
}

void ColorStore::clampRange(int &position, int &length) const
{
    // The part of [position, position + length) inside the text.
    const qint64 end = std::clamp<qint64>(qint64(position) + std::max(length, 0), 0, size());
    position = std::clamp(position, 0, size());
    length = int(std::max<qint64>(end - position, 0));
}

// Moves the gap to `position` and makes it at least `room` cells wide.
void ColorStore::moveGapTo(int position, std::size_t room)
{
    const std::size_t target = std::size_t(position);
    if (target < gapStart) {
        std::move_backward(cells.begin() + target, cells.begin() + gapStart,
                           cells.begin() + gapEnd);
        gapEnd -= gapStart - target;
        gapStart = target;
    } else if (target > gapStart) {
        std::move(cells.begin() + gapEnd, cells.begin() + gapEnd + (target - gapStart),
                  cells.begin() + gapStart);
        gapEnd += target - gapStart;
        gapStart = target;
    }
    if (gapLength() >= room)
        return;
    // Grow by half the text at least, so that a long run of typing reallocates rarely.
    const std::size_t tail = cells.size() - gapEnd;
    const std::size_t grown = std::max(room, std::max<std::size_t>(size() / 2, 64));
    std::vector<Cell> wider(gapStart + grown + tail);
    std::copy(cells.begin(), cells.begin() + gapStart, wider.begin());
    std::copy(cells.begin() + gapEnd, cells.end(), wider.begin() + gapStart + grown);
    cells = std::move(wider);
    gapEnd = gapStart + grown;
}

void ColorStore::reset(int length, Look look)
{
    const Cell cell = cellOf(look);
    cells.assign(std::size_t(std::max(length, 0)), cell);
    gapStart = gapEnd = cells.size();
}

void ColorStore::replace(int position, int removed, int added, Look look)
{
    replace(position, removed, QList<LookRun>{LookRun{added, look}});
}

void ColorStore::replace(int position, int removed, const QList<LookRun> &runs)
{
    clampRange(position, removed);
    std::size_t added = 0;
    for (const LookRun &run : runs)
        added += std::size_t(std::max(run.length, 0));
    moveGapTo(position + removed, 0);
    gapStart -= std::size_t(removed); // the removed cells join the gap
    moveGapTo(position, added);
    for (const LookRun &run : runs) {
        if (run.length <= 0)
            continue;
        const Cell cell = cellOf(run.look);
        std::fill_n(cells.begin() + gapStart, run.length, cell);
        gapStart += std::size_t(run.length);
    }
}

Look ColorStore::lookAt(int position) const
{
    if (position < 0 || position >= size())
        return Look{};
    return table.at(at(position));
}

template <typename Change> void ColorStore::forEachCell(int position, int length, Change change)
{
    clampRange(position, length);
    const int end = position + length;
    // Both sides of the gap, each a contiguous stretch.
    const int beforeGap = std::min(end, int(gapStart));
    for (int i = position; i < beforeGap; ++i)
        cells[std::size_t(i)] = change(cells[std::size_t(i)]);
    for (int i = std::max(position, int(gapStart)); i < end; ++i) {
        Cell &cell = cells[std::size_t(i) + gapLength()];
        cell = change(cell);
    }
}

template <typename Visit> void ColorStore::visitCells(int position, int length, Visit visit) const
{
    clampRange(position, length);
    const int end = position + length;
    const int beforeGap = std::min(end, int(gapStart));
    for (int i = position; i < beforeGap; ++i)
        visit(cells[std::size_t(i)]);
    for (int i = std::max(position, int(gapStart)); i < end; ++i)
        visit(cells[std::size_t(i) + gapLength()]);
}

ColorStore::Cell ColorStore::cellOfRecent(Look look)
{
    for (const RecentLook &recent : recentLooks)
        if (recent.known && recent.look == look)
            return recent.cell;
    const Cell cell = cellOf(look);
    recentLooks[nextRecentLook] = RecentLook{look, cell, true};
    nextRecentLook = (nextRecentLook + 1) % recentLooks.size();
    return cell;
}

void ColorStore::setLook(int position, int length, Look look)
{
    const Cell cell = cellOfRecent(look);
    forEachCell(position, length, [cell](Cell) { return cell; });
}

ColorStore::Recolouring &ColorStore::recolouringTo(int color, int bold)
{
    for (Recolouring &known : recolourings)
        if (known.color == color && known.bold == bold)
            return known;
    Recolouring &slot = recolourings[nextRecolouring];
    nextRecolouring = (nextRecolouring + 1) % recolourings.size();
    slot = Recolouring{color, bold, {}, {}};
    return slot;
}

template <typename LookOf>
void ColorStore::recolour(int position, int length, Recolouring &recolouring, LookOf lookOf)
{
    // Each look of the table maps to one other, for ever (the table only grows): found once.
    forEachCell(position, length, [&](Cell cell) {
        if (!recolouring.known[cell]) {
            recolouring.cell[cell] = cellOf(lookOf(table.at(cell)));
            recolouring.known[cell] = true;
        }
        return recolouring.cell[cell];
    });
}

void ColorStore::setColor(int position, int length, int color)
{
    recolour(position, length, recolouringTo(color, -1), [color](Look old) {
        return Look{color, old.bold};
    });
}

void ColorStore::setBold(int position, int length, bool bold)
{
    recolour(position, length, recolouringTo(-1, bold), [bold](Look old) {
        return Look{old.color, bold};
    });
}

LookRecord ColorStore::record(int position, int length) const
{
    clampRange(position, length);
    LookRecord record;
    record.characters = length;
    std::string &out = record.bytes;
    std::size_t count = 0;
    Cell current = 0;
    const auto flush = [&] {
        if (count == 0)
            return;
        out.push_back(char(current));
        for (std::size_t rest = count;; rest >>= 7) {
            const bool more = rest >= 0x80;
            out.push_back(char((rest & 0x7F) | (more ? 0x80 : 0)));
            if (!more)
                break;
        }
    };
    // Each side of the gap is contiguous: runs are found a stretch at a time.
    const auto take = [&](std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to;) {
            const Cell cell = cells[i];
            const std::size_t end
                = std::size_t(std::find_if(cells.begin() + i, cells.begin() + to,
                                           [cell](Cell other) { return other != cell; })
                              - cells.begin());
            if (count > 0 && cell == current) {
                count += end - i;
            } else {
                flush();
                current = cell;
                count = end - i;
            }
            i = end;
        }
    };
    const std::size_t start = std::size_t(position);
    const std::size_t end = start + std::size_t(length);
    take(start, std::min(end, gapStart));
    if (end > gapStart)
        take(std::max(start, gapStart) + gapLength(), end + gapLength());
    flush();
    return record;
}

void ColorStore::replace(int position, int removed, const LookRecord &record)
{
    clampRange(position, removed);
    moveGapTo(position + removed, 0);
    gapStart -= std::size_t(removed);
    moveGapTo(position, std::size_t(record.characters));
    const auto *byte = reinterpret_cast<const unsigned char *>(record.bytes.data());
    const auto *end = byte + record.bytes.size();
    while (byte < end) {
        const Cell cell = *byte++;
        std::size_t count = 0;
        for (int shift = 0; byte < end; shift += 7) {
            const unsigned char group = *byte++;
            count |= std::size_t(group & 0x7F) << shift;
            if (!(group & 0x80))
                break;
        }
        std::fill_n(cells.begin() + gapStart, count, cell);
        gapStart += count;
    }
}

QList<LookRun> ColorStore::runs(int position, int length) const
{
    clampRange(position, length);
    QList<LookRun> result;
    int index = -1;
    int count = 0;
    auto flush = [&] {
        if (count > 0)
            result.append(LookRun{count, table.at(index)});
    };
    visitCells(position, length, [&](Cell cell) {
        if (cell == index) {
            ++count;
            return;
        }
        flush();
        index = cell;
        count = 1;
    });
    flush();
    return result;
}
