#include "mainwindow/panelayout.h"

#include "mainwindow/explorerpane.h"
#include "mainwindow/twips.h"

#include <QRect>

#include <gtest/gtest.h>

namespace {

// A pane of 9000 twips inner height with a 1800-twips preview.
PaneLayout arrangedPane(int width = PaneLayout::DesignWidth)
{
    PaneLayout pane;
    pane.width = width;
    pane.fitWidths();
    pane.preview.height = 1800;
    pane.arrange(9000);
    return pane;
}

} // namespace

TEST(PaneLayoutTest, WidthDragSetsThePaneAndItsControls)
{
    PaneLayout pane = arrangedPane();
    pane.dragWidth(3000, 20000);
    EXPECT_EQ(pane.width, 3000);
    EXPECT_EQ(pane.tabStrip.width, 2900);
    EXPECT_EQ(pane.tree.width, 2780);
    EXPECT_EQ(pane.page.width, 2780);
    EXPECT_EQ(pane.preview.width, 2900);
    EXPECT_EQ(pane.imageName.width, 2900);

    // The next layout keeps what the drag set.
    pane.arrange(9000);
    EXPECT_EQ(pane.tabStrip.width, 2900);
    EXPECT_EQ(pane.tree.width, 2780);
}

TEST(PaneLayoutTest, WidthDragStaysWithinBounds)
{
    struct Case
    {
        int x;
        int room;
        int expected;
    };
    const Case cases[] = {
        {100, 20000, PaneLayout::MinWidth},  // narrower than the controls allow
        {-500, 20000, PaneLayout::MinWidth}, // pointer left of the frame
        {15000, 12000, 12000},               // beyond the frame's client area
        {5000, 300, PaneLayout::MinWidth},   // a frame narrower than the minimum
    };
    for (const Case &c : cases) {
        PaneLayout pane = arrangedPane();
        pane.dragWidth(c.x, c.room);
        EXPECT_EQ(pane.width, c.expected) << "x " << c.x;
        EXPECT_GE(pane.tree.width, 0);
        EXPECT_GE(pane.tabStrip.width, 0);
    }
}

TEST(PaneLayoutTest, LayoutStacksTabStripPreviewAndLabel)
{
    const PaneLayout pane = arrangedPane();
    EXPECT_EQ(pane.preview.top, 9000 - 1800 - PaneLayout::NameHeight);
    EXPECT_EQ(pane.imageName.top, 9000 - PaneLayout::NameHeight + 40);
    EXPECT_EQ(pane.tabStrip.bottom(), pane.preview.top - 50);
    EXPECT_EQ(pane.page.top, 420);
    EXPECT_EQ(pane.page.height, 9000 - 420 - 1800 - PaneLayout::NameHeight - 100);
    EXPECT_EQ(pane.tree, (TwipsRect{0, 0, pane.page.width, pane.page.height}));
}

TEST(PaneLayoutTest, PreviewDragMovesTheTopEdge)
{
    PaneLayout pane = arrangedPane();
    const int top = pane.preview.top;
    pane.dragHeight(top - 1000); // up: the preview grows
    EXPECT_EQ(pane.preview.top, top - 1000);
    EXPECT_EQ(pane.preview.height, 2800);
    EXPECT_EQ(pane.tabStrip.bottom(), pane.preview.top - 50);

    pane.dragHeight(pane.preview.top + 2000); // down: it shrinks
    EXPECT_EQ(pane.preview.height, 800);
    EXPECT_EQ(pane.preview.top, 9000 - 800 - PaneLayout::NameHeight);
}

TEST(PaneLayoutTest, PreviewDragNeverGivesNegativeHeights)
{
    for (int y : {-4000, 0, 200, 8990, 20000}) {
        PaneLayout pane = arrangedPane();
        pane.dragHeight(y);
        EXPECT_GE(pane.preview.height, 0) << "y " << y;
        EXPECT_GE(pane.page.height, 0) << "y " << y;
        EXPECT_GE(pane.tabStrip.height, 0) << "y " << y;
        EXPECT_LE(pane.preview.bottom(), 9000) << "y " << y;
    }
}

TEST(PaneLayoutTest, PointerShapeFollowsThePosition)
{
    const PaneLayout pane = arrangedPane(3000);
    struct Case
    {
        int x;
        int y;
        PanePointer expected;
    };
    const Case cases[] = {
        {2910, 1000, PointerSizeWE}, // right edge, 6 pixels wide
        {3000, 1000, PointerSizeWE},
        {2909, 1000, PointerDefault},
        {2990, pane.preview.top - 10, PointerSizeWE},  // the edge wins over the gap
        {1000, pane.tabStrip.bottom(), PointerSizeNS}, // gap above the preview
        {1000, pane.preview.top, PointerSizeNS},
        {1000, pane.tabStrip.bottom() - 1, PointerDefault},
        {1000, pane.preview.top + 1, PointerDefault},
        {1000, 200, PointerDefault},
    };
    for (const Case &c : cases)
        EXPECT_EQ(pane.pointerAt(c.x, c.y), c.expected) << c.x << "," << c.y;
}

TEST(TwipsTest, ConvertsWithTheScreenResolution)
{
    EXPECT_EQ(twipsToPixels(3000, 96), 200);
    EXPECT_EQ(pixelsToTwips(200, 96), 3000);
    EXPECT_EQ(twipsToPixels(1440, 120), 120);
    EXPECT_EQ(pixelsToTwips(twipsToPixels(2895, 144), 144), 2900); // rounded to whole pixels
    EXPECT_EQ(twipsToPixels(100, 0), 0);
}

TEST(FitPictureTest, KeepsProportionsAndCentres)
{
    EXPECT_EQ(fitPicture({200, 100}, {100, 100}), QRect(0, 25, 100, 50)); // wide: full width
    EXPECT_EQ(fitPicture({100, 200}, {100, 100}), QRect(25, 0, 50, 100)); // tall: full height
    EXPECT_EQ(fitPicture({50, 50}, {100, 60}), QRect(20, 0, 60, 60));
    EXPECT_TRUE(fitPicture({0, 0}, {100, 100}).isEmpty());
    EXPECT_TRUE(fitPicture({10, 10}, {0, 100}).isEmpty());
}
