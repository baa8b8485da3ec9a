#pragma once

#include <QFrame>

// A box that shows a colour as its background and reports double-clicks.
class ColorBox : public QFrame
{
    Q_OBJECT

public:
    explicit ColorBox(const QString &name, QWidget *parent = nullptr);

    // The colour as 0x00BBGGRR.
    int color() const { return m_color; }
    void setColor(int color);

signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    int m_color = 0;
};
