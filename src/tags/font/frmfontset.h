#pragma once

#include "tags/font/fontformat.h"
#include "tags/shared/tagdialog.h"

class QComboBox;
class QLineEdit;
class QPushButton;

// A FONT start tag: size, colour (with the colour dialog) and face (with the font dialog).
class frmFontSet : public TagDialog
{
    Q_OBJECT

public:
    frmFontSet();

    QComboBox *Combo1;
    QLineEdit *txtColor;
    QPushButton *cmdColor;
    QLineEdit *txtFont;
    QPushButton *cmdFont;

    using Values = FontValues;
    FontValues fields() const;
    void apply(const FontValues &values);

    void cmdFont_Click();

protected:
    QString buildResult() override;
};
