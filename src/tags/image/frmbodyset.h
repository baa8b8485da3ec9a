#pragma once

#include "tags/image/imageformat.h"
#include "tags/shared/tagdialog.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// The BODY start tag: a background picture and the five page colours, with a preview box
// that shows the colours as they are typed.
class frmBodySet : public TagDialog
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

    void reject() override;

    using Values = BodyFields;
    BodyFields fields() const;
    void apply(const BodyFields &values);

protected:
    // A colour box holding anything but "#" and six hexadecimal digits is refused by name.
    bool validate() override;
    QString buildResult() override;
    void okAccepted() override;
    // After a cancelled use the first discard is refused: the dialog stays loaded, hidden, and
    // serves the next use with its fields as they were.
    bool queryUnload() override;

private:
    bool okPressed = false;
};
