#pragma once

#include "tags/frameset/framesetformat.h"
#include "tags/shared/tagdialog.h"

#include <QList>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;

// A two-frame FRAMESET: split direction, split ratio (percent or pixels, typed or slid), and
// each frame's name and page; a small preview shows the frames in proportion.
class frmFrameSet : public TagDialog
{
    Q_OBJECT

public:
    frmFrameSet();

    QList<QRadioButton *> optRC;
    QLineEdit *txtHiritsu;
    QSlider *Slider1;
    QCheckBox *chkPersent;
    QLabel *Label3;
    QLabel *Label4;
    QLabel *Label5;
    QLineEdit *txtName1;
    QLineEdit *txtUrl1;
    QPushButton *cmdRef1;
    QLineEdit *txtName2;
    QLineEdit *txtUrl2;
    QPushButton *cmdRef2;
    QPushButton *cmdLcase;
    QWidget *Picture1;
    QLabel *lblUrl1;
    QLabel *lblUrl2;

    using Values = FrameSetFields;
    FrameSetFields fields() const;
    void apply(const FrameSetFields &values);

protected:
    bool validate() override;
    QString buildResult() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ratioTyped();
    void scaleChosen(bool percent);
    void drawPreview();
    void updatePreviewLabels();
};
