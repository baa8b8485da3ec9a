#pragma once

class QWidget;

// The width at which `window`'s title bar shows its whole caption beside the bar's icon and
// buttons, at the window's font.
int widthForCaption(const QWidget &window);

// Widens `window` to widthForCaption when it is narrower; the height stays.
void fitCaption(QWidget &window);
