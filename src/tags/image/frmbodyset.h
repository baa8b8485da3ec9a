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
    // The colours are written as typed: a browser reads names and "#rgb" as well as "#rrggbb",
    // and makes something of any other text, so nothing is refused.
    QString buildResult() override;
};
