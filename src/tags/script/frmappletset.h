#pragma once

#include "tags/script/scriptformat.h"
#include "tags/shared/tagdialog.h"

#include <array>

class QLineEdit;
class QPushButton;

// An applet element: its class file (chosen with a file button, written relative to the
// document), its size and up to nine parameters.
class frmAppletSet : public TagDialog
{
    Q_OBJECT

public:
    frmAppletSet();

    QLineEdit *txtApplet;
    QPushButton *cmdRef;
    QPushButton *Command1;
    QLineEdit *txtWIdth;
    QLineEdit *txtHeight;
    std::array<QLineEdit *, AppletParameterRows> txtParamName;
    std::array<QLineEdit *, AppletParameterRows> txtParamValue;

    using Values = AppletValues;
    AppletValues fields() const;
    void apply(const AppletValues &values);

protected:
    bool validate() override;
    QString buildResult() override;
};
