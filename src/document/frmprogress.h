#pragma once

#include <QWidget>

class QProgressBar;
class QPushButton;

// The progress window of the long passes over a whole document (tag colouring, line tools).
// It is shown without blocking; the pass runs to completion and then discards it.
class frmProgress : public QWidget
{
    Q_OBJECT

public:
    explicit frmProgress(QWidget *owner = nullptr);

    QProgressBar *ProgressBar1 = nullptr;

    // Shows the window with the bar at 0 of `maximum` and paints it at once, as the pass does
    // not return to the event loop.
    void start(int maximum);
    // Moves the bar. Callers may report every step: the bar is only moved and repainted when
    // it has advanced by a hundredth of the run, or reached its end.
    void advance(int value);

    // Gives the window a Cancel button for a pass that returns to the event loop between its
    // steps (keepGoing); the rest of the program waits while the window is shown.
    void allowCancel();
    // Handles what is waiting in the event loop (painting, the Cancel button); false once
    // Cancel was pressed.
    bool keepGoing();
    bool cancelled() const { return m_cancelled; }

    QPushButton *cmdCancel = nullptr;

private:
    int m_step = 1;
    int m_shown = 0;
    bool m_cancelled = false;
};
