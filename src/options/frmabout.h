#pragma once

#include <QDialog>
#include <QList>

class QFrame;
class QLabel;
class QPushButton;

// The About box: the program's title and version, the author and the terms of use, a button
// that launches the system information program. Double-clicking the picture asks for the
// password that switches the debug mode.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit frmAbout(QWidget *parent = nullptr);

    QLabel *Image1;
    QLabel *lblTitle;
    QLabel *lblVersion;
    QLabel *lblDescription;
    QLabel *lblDisclaimer;
    QList<QFrame *> Line1;
    QPushButton *cmdOK;
    QPushButton *cmdSysInfo;

    void Image1_DblClick();
    void cmdSysInfo_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
