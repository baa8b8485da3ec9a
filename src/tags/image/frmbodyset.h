#pragma once

#include "tags/image/imageformat.h"
#include "tags/shared/guardedtagdialog.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// The BODY start tag: a background picture and the five page colours, with a preview box
// that shows the colours as they are typed.
class frmBodySet : public GuardedTagDialog
{
    Q_OBJECT

public:
    frmBodySet();

    QLineEdit *txtImageName;
    QPushButton *cmdImageRef;
    QPushButton *Command1;
    QLineEdit *txtBgcolor;
    QPushButton *cmdBgcolorRef;
    QLineEdit *txtTextCol;
    QPushButton *cmdTextColRef;
    QLineEdit *txtLink;
    QPushButton *cmdLinkColRef;
    QLineEdit *txtAlink;
    QPushButton *cmdAlinColRef;
    QLineEdit *txtVlink;
    QPushButton *cmdVlinkColRef;
    QWidget *Picture1;
    QLabel *lblText;
    QLabel *lblLink;
    QLabel *lblALink;
    QLabel *lblVlink;

    using Values = BodyFields;
    BodyFields fields() const;
    void apply(const BodyFields &values);

protected:
    // A colour box holding anything but "#" and six hexadecimal digits is refused by name.
    bool validate() override;
    QString buildResult() override;
};
