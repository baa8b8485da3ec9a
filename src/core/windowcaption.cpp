#include "core/windowcaption.h"

#include <QFontMetrics>
#include <QWidget>

namespace {

// Room beside a caption for the title bar's icon and its close (and other) buttons.
constexpr int CaptionAllowance = 120;

} // namespace

int widthForCaption(const QWidget &window)
{
    return window.fontMetrics().horizontalAdvance(window.windowTitle()) + CaptionAllowance;
}

void fitCaption(QWidget &window)
{
    const int wanted = widthForCaption(window);
    if (window.width() < wanted)
        window.resize(wanted, window.height());
}
