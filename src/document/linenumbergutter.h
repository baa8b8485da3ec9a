#pragma once

#include <QList>
#include <QWidget>

class RichTextBox;

// The line numbers beside the text of a RichTextBox, in the text's font, in the margin left of
// its viewport. A line is a line of the text as the status bar counts it (CR LF, LF and a lone
// CR each end one); a line wrapped on the screen shows its number once. Painting looks only at
// the lines in view.
class LineNumberGutter : public QWidget
{
    Q_OBJECT

public:
    explicit LineNumberGutter(RichTextBox &box);
    ~LineNumberGutter() override;

    // Shows or hides the gutter; a hidden gutter gives its margin back to the text.
    void setShown(bool shown);
    int gutterWidth() const;

    // The numbers of the last painting, with the top of the line each stands beside (in the
    // viewport's coordinates).
    struct PaintedNumber
    {
        int number;
        int top;
    };
    const QList<PaintedNumber> &paintedNumbers() const { return m_painted; }

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void updateWidth();
    void placeBeside();

    RichTextBox &box;
    bool m_shown = false;
    int m_digits = 0;
    int m_caretLine = -1; // the line whose number is bold
    QList<PaintedNumber> m_painted;
};
