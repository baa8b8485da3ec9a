#include "mainwindow/panelayout.h"

#include <algorithm>

PaneLayout::PaneLayout()
{
    tabStrip.left = TabStripLeft;
    tabStrip.top = TabStripTop;
    page.left = PageLeft;
    page.top = PageTop;
    preview.left = PreviewLeft;
    imageName.left = NameLeft;
    imageName.height = NameHeight;
    fitWidths();
}

void PaneLayout::fitWidths()
{
    preview.width = width - preview.left - 60;
    imageName.width = width - imageName.left - 60;
    tabStrip.width = width - tabStrip.left - 60;
    page.width = width - page.left - 120;
    tree.top = 0;
    tree.left = 0;
    tree.width = width - tree.left - 120;
}

void PaneLayout::arrange(int innerHeight)
{
    height = innerHeight;
    preview.top = height - preview.height - imageName.height;
    imageName.top = height - imageName.height + NameOverhang;
    imageName.width = preview.width;
    tabStrip.height = height - tabStrip.top - preview.height - imageName.height - 50;
    tabStrip.width = preview.width;
    page.top = PageTop;
    page.left = PageLeft;
    page.height = height - PageTop - preview.height - imageName.height - 100;
    page.width = preview.width - 120;
    tree = {0, 0, page.width, page.height};
}

void PaneLayout::dragWidth(int x, int maxWidth)
{
    width = std::clamp(x, MinWidth, std::max(MinWidth, maxWidth));
    tabStrip.width = width - 100;
    page.width = width - 220;
    tree.width = width - 220;
    tree.top = 0;
    tree.left = 0;
    preview.width = width - 100;
    imageName.width = width - 100;
}

int PaneLayout::maxPreviewHeight() const
{
    // The tree's page keeps a height of at least zero.
    return std::max(MinPreviewHeight, height - PageTop - imageName.height - 100);
}

void PaneLayout::dragHeight(int y)
{
    const int d = preview.top - y;
    const int newHeight = std::clamp(preview.height + d, MinPreviewHeight, maxPreviewHeight());
    preview.top -= newHeight - preview.height;
    preview.height = newHeight;
    arrange(height);
}

PanePointer PaneLayout::pointerAt(int x, int y) const
{
    if (x >= width - EdgeGrip && x <= width)
        return PointerSizeWE;
    if (y >= tabStrip.bottom() && y <= preview.top)
        return PointerSizeNS;
    return PointerDefault;
}
