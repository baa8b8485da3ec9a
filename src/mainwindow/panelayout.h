#pragma once

// Geometry of the explorer pane and its controls, in twips, in the pane's own coordinates.
// The pane runs the full height of the frame's client area; from top to bottom it holds the
// tab strip with its page (the tree), the image preview box and the image name label.
struct TwipsRect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int bottom() const { return top + height; }
    bool operator==(const TwipsRect &) const = default;
};

// Pointer shapes over the pane, with the values the frame keeps in flgMouse.
enum PanePointer { PointerDefault = 0, PointerSizeNS = 7, PointerSizeWE = 9 };

class PaneLayout
{
public:
    // Design sizes of the pane's controls.
    static constexpr int DesignWidth = 2700;
    static constexpr int TabStripLeft = 40;
    static constexpr int TabStripTop = 60;
    static constexpr int PageLeft = 120;
    static constexpr int PageTop = 420;
    static constexpr int PreviewLeft = 40;
    static constexpr int NameLeft = 40;
    static constexpr int NameHeight = 510;
    // How far the image name label reaches below the pane.
    static constexpr int NameOverhang = 40;
    // How close to the right edge the width splitter catches the pointer: 6 pixels at 96 dpi,
    // wide enough to grab.
    static constexpr int EdgeGrip = 90;
    // The drags stop here, so that no control gets a negative width or height.
    static constexpr int MinWidth = 600;
    static constexpr int MinPreviewHeight = 0;

    PaneLayout();

    int width = DesignWidth; // the pane
    int height = 0;          // the pane: the frame's inner height
    TwipsRect tabStrip;      // TabStrip1
    TwipsRect page;          // picTR1, the tab strip's page
    TwipsRect tree;          // trvTV, inside the page
    TwipsRect preview;       // picHyouji
    TwipsRect imageName;     // lblImageName

    // The widths of the pane's controls after the pane's width was set at load.
    void fitWidths();
    // The heights and tops for the inner height `innerHeight` (frame resize, view toggles,
    // a splitter drag).
    void arrange(int innerHeight);
    // The width splitter dragged to x; the pane stays between MinWidth and `maxWidth`.
    void dragWidth(int x, int maxWidth);
    // The preview's top edge dragged to y; then the heights are arranged again.
    void dragHeight(int y);
    // The pointer shape over the point (x, y) while no drag is under way.
    PanePointer pointerAt(int x, int y) const;

private:
    int maxPreviewHeight() const;
};
