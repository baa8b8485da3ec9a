#include "document/colorstore.h"

#include <gtest/gtest.h>
#include <string>

namespace {

const Look red{0x0000FF, true};
const Look blue{0xFF0000, false};

// One letter per character: k plain, r red bold, b blue, ? anything else.
std::string letters(const ColorStore &store)
{
    std::string out;
    for (int i = 0; i < store.size(); ++i) {
        const Look look = store.lookAt(i);
        out += look == Look{} ? 'k' : look == red ? 'r' : look == blue ? 'b' : '?';
    }
    return out;
}

struct StoreCase
{
    const char *name;
    void (*change)(ColorStore &);
    std::string expected;
};

const StoreCase storeCases[] = {
    {"insertInTheMiddle", [](ColorStore &s) { s.replace(2, 0, 3, red); }, "kkrrrkkk"},
    {"insertAtTheEnds",
     [](ColorStore &s) {
         s.replace(0, 0, 1, red);
         s.replace(6, 0, 1, blue);
     },
     "rkkkkkb"},
    {"removeAndInsert", [](ColorStore &s) { s.replace(1, 3, 1, blue); }, "kbk"},
    {"removeBeyondTheEnd", [](ColorStore &s) { s.replace(3, 100, 0, red); }, "kkk"},
    {"negativePositionClamps", [](ColorStore &s) { s.replace(-4, 1, 1, red); }, "rkkkkk"},
    {"insertRuns",
     [](ColorStore &s) {
         s.replace(5, 0, {{1, red}, {0, blue}, {2, blue}});
     },
     "kkkkkrbb"},
    {"setLookOutsideClamps",
     [](ColorStore &s) {
         s.setLook(3, 1000, red);
         s.setLook(-2, 3, blue);
     },
     "bkkrr"},
    {"editsFarApartMoveTheGap",
     [](ColorStore &s) {
         s.replace(4, 0, 1, red);
         s.replace(0, 1, 1, blue);
         s.replace(3, 0, 2, red);
     },
     "bkkrrkrk"},
    {"colourKeepsBold",
     [](ColorStore &s) {
         s.setLook(0, 2, red);
         s.setColor(1, 3, 0xFF0000);
         s.setBold(1, 3, false);
     },
     "rbbbk"},
};

TEST(ColorStore, FollowsEdits)
{
    for (const StoreCase &c : storeCases) {
        ColorStore store;
        store.reset(5);
        c.change(store);
        EXPECT_EQ(letters(store), c.expected) << c.name;
    }
}

TEST(ColorStore, RunsMergeNeighboursAndReplaceTakesThemBack)
{
    ColorStore store;
    store.reset(6);
    store.setLook(1, 2, red);
    store.replace(3, 0, 1, red); // the gap now sits inside the red run
    const QList<LookRun> expected{{1, Look{}}, {3, red}, {3, Look{}}};
    EXPECT_EQ(store.runs(0, 100), expected);
    const QList<LookRun> middle = store.runs(2, 3);
    store.setLook(0, store.size(), blue);
    store.replace(2, 3, middle);
    EXPECT_EQ(letters(store), "bbrrkbb");
}

TEST(ColorStore, TooManyLooksTakeTheClosestOfTheSameBold)
{
    ColorStore store;
    store.reset(300);
    for (int i = 0; i < 300; ++i)
        store.setLook(i, 1, Look{(i % 256) | (i / 256) << 8, i % 2 == 0});
    EXPECT_EQ(store.lookAt(10), (Look{10, true}));
    EXPECT_EQ(store.lookAt(254), (Look{254, true})); // the last one the table takes
    EXPECT_EQ(store.lookAt(299), (Look{43, false})); // 43 | 1 << 8 is one step from 43
    EXPECT_EQ(store.size(), 300);
}

TEST(ColorStore, LongTextsOfAnyLength)
{
    ColorStore store;
    store.reset(100000);
    store.replace(70000, 0, 5, red);
    store.replace(40000, 10, 0, red);
    EXPECT_EQ(store.size(), 99995);
    EXPECT_EQ(store.lookAt(69990), red);
    EXPECT_EQ(store.lookAt(69989), Look{});
    EXPECT_EQ(store.lookAt(99994), Look{});
    EXPECT_EQ(store.lookAt(99995), Look{}); // beyond the end
}

// A record keeps a stretch exactly, however long its runs (lengths of one, two and three
// 7-bit groups), wherever the gap sits, and puts it back over a stretch of any other length.
TEST(ColorStore, RecordsTakeAStretchBackExactly)
{
    struct RecordCase
    {
        const char *name;
        int from, length, replacedLength;
    };
    const RecordCase cases[] = {
        {"empty", 3, 0, 0},
        {"wholeText", 0, 40000, 40000},
        {"acrossTheGap", 100, 300, 300},
        {"overAShorterStretch", 10, 20000, 5},
        {"overALongerStretch", 10, 5, 20000},
    };
    for (const RecordCase &c : cases) {
        ColorStore store;
        store.reset(40000);
        store.setLook(0, 1, red);        // a run of one
        store.setLook(1, 200, blue);     // two groups
        store.setLook(30000, 9000, red); // three groups
        store.replace(250, 0, 1, blue);  // the gap moves inside the text
        const int size = store.size();
        const std::string before = letters(store);
        const LookRecord record = store.record(c.from, c.length);
        EXPECT_EQ(record.length(), c.length) << c.name;
        store.setLook(0, store.size(), Look{0x00FF00, false});
        store.replace(c.from, c.replacedLength, record);
        const std::string after = letters(store);
        EXPECT_EQ(after.substr(size_t(c.from), size_t(c.length)),
                  before.substr(size_t(c.from), size_t(c.length)))
            << c.name;
        EXPECT_EQ(store.size(), size - c.replacedLength + c.length) << c.name;
    }
}

} // namespace
