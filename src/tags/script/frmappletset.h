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

private:
    // What a re-edited PARAM tag held besides name and value, per row; the dialog does not show
    // it and writes it back with its row.
    std::array<QString, AppletParameterRows> m_otherParameterAttributes;
};
