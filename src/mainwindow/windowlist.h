#pragma once

class QMdiArea;
class QMenu;
class QWidget;

// The open documents at the end of a Window menu, filled each time the menu opens: one entry
// per window, numbered, the active one checked; choosing an entry activates that window.
void attachWindowList(QMenu *menu, QMdiArea *area);

// Ctrl+Tab and Ctrl+F6 activate the next document window, Ctrl+Shift+Tab and Ctrl+Shift+F6
// the previous one, anywhere in `window`.
void addWindowSwitchKeys(QWidget *window, QMdiArea *area);
