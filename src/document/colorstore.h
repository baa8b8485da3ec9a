#pragma once

#include <QList>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The colour and bold of one character: colour as 0x00BBGGRR.
struct Look
{
    int color = 0;
    bool bold = false;

    bool operator==(const Look &) const = default;
};

// A stretch of characters of one look, as the store hands it out and takes it back.
struct LookRun
{
    int length = 0;
    Look look;

    bool operator==(const LookRun &) const = default;
};

// The looks of a stretch as one store keeps them, in compact form: per run a byte naming one
// of the store's looks, then the run's length in groups of 7 bits. A record of a whole page's
// colouring takes about two bytes per run. Only the store that wrote it can read it.
class LookRecord
{
public:
    int length() const { return characters; }

private:
    friend class ColorStore;
    std::string bytes;
    int characters = 0;
};

// The look of every character of a text, kept apart from the text: one byte per character
// naming an entry of a small table of looks, in a gap buffer so that edits near each other
// (typing, deleting) move little. Positions are 0-based character indices; out-of-range
// arguments are clamped. Up to 256 different looks are told apart; beyond that a new look
// takes the closest known one of the same bold.
class ColorStore
{
public:
    ColorStore();

    int size() const { return int(cells.size() - gapLength()); }

    // Replaces everything by `length` characters of `look`.
    void reset(int length, Look look = {});
    // Removes `removed` characters at `position` and inserts `added` ones of `look` there.
    void replace(int position, int removed, int added, Look look);
    // Removes `removed` characters at `position` and inserts `runs` there.
    void replace(int position, int removed, const QList<LookRun> &runs);

    Look lookAt(int position) const;
    // Sets the whole look, only the colour, or only the bold of [position, position + length).
    void setLook(int position, int length, Look look);
    void setColor(int position, int length, int color);
    void setBold(int position, int length, bool bold);

    // The looks of [position, position + length), neighbours of one look merged.
    QList<LookRun> runs(int position, int length) const;
    // The same in compact form, and putting such a record back in place of `removed`
    // characters at `position`.
    LookRecord record(int position, int length) const;
    void replace(int position, int removed, const LookRecord &record);

private:
    using Cell = std::uint8_t;
    std::size_t gapLength() const { return gapEnd - gapStart; }
    Cell cellOf(Look look);
    Cell &at(int position);
    Cell at(int position) const;
    void moveGapTo(int position, std::size_t room);
    template <typename Change> void forEachCell(int position, int length, Change change);
    template <typename Visit> void visitCells(int position, int length, Visit visit) const;

    // What setColor (bold -1) or setBold (color -1) turns each look of the table into.
    struct Recolouring
    {
        int color = -1;
        int bold = -1;
        std::array<Cell, 256> cell{};
        std::array<bool, 256> known{};
    };
    Recolouring &recolouringTo(int color, int bold);
    // cellOf() for the looks asked for over and over (a colouring pass alternates a few).
    Cell cellOfRecent(Look look);
    struct RecentLook
    {
        Look look;
        Cell cell = 0;
        bool known = false;
    };
    template <typename LookOf>
    void recolour(int position, int length, Recolouring &recolouring, LookOf lookOf);
    void clampRange(int &position, int &length) const;

    std::vector<Cell> cells; // [0, gapStart) and [gapEnd, size) hold characters
    std::size_t gapStart = 0;
    std::size_t gapEnd = 0;
    QList<Look> table;
    std::array<RecentLook, 4> recentLooks;
    std::size_t nextRecentLook = 0;
    std::array<Recolouring, 4> recolourings; // the last few colours and bolds asked for
    std::size_t nextRecolouring = 0;
};
