#pragma once

#include <QWidget>

class QLabel;

// The window shown while the program starts: a fixed picture with the version.
class frmSplash : public QWidget
{
    Q_OBJECT

public:
    explicit frmSplash(QWidget *parent = nullptr);

    QLabel *lblAppVer = nullptr;

    // "Version 0.36.9  " from the program's version numbers.
    static QString versionText();
};
