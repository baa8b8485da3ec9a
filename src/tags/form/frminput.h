#pragma once

#include "tags/form/formformat.h"
#include "tags/shared/guardedtagdialog.h"

#include <QList>

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// A one-line INPUT control of one of seven types. The type decides which boxes take part:
// size and maximum length for text and password, the initial tick for radio and checkbox.
// Discarding the dialog after Cancel (or the close box) is refused once, so that it stays
// loaded with its fields for the next use.
class frmInput : public GuardedTagDialog
{
    Q_OBJECT

public:
    frmInput();

    QList<QRadioButton *> optType;
    QLabel *Label1;
    QLineEdit *txtName;
    QLabel *Label2;
    QLineEdit *txtValue;
    QLabel *Label3;
    QLineEdit *txtSize;
    QLabel *Label4;
    QLineEdit *txtMaxlength;
    QCheckBox *chkCheck;

    using Values = InputFields;
    InputFields fields() const;
    // Puts a tag's values in; choosing its type then enables the boxes by inputReEditEnabling
    // rather than by the type alone.
    void apply(const InputFields &values);

protected:
    bool validate() override;
    QString buildResult() override;

private:
    int selectedType() const;
    // Enables the controls the type uses and captions the value box.
    void typeChosen(int type);

    QString otherType;
};
