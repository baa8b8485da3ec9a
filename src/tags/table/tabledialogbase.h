#pragma once

#include "tags/shared/tagdialog.h"
#include "tags/table/tableformat.h"

#include <QList>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The controls that the two TABLE dialogs share: the frames "罫線の設定" and "罫線の表示形式",
// the position drop-down and the colour button. The rules options are enabled only while
// chkRules is ticked; option 4 (縦横両方) is selected at load.
class TableDialogBase : public TagDialog
{
    Q_OBJECT

public:
    QLineEdit *txtBorder;
    QLineEdit *txtBorderColor;
    QPushButton *cmdColRef;
    QLineEdit *txtWidth;
    QCheckBox *chkWidth;
    QLineEdit *txtHeight;
    QCheckBox *chkHeight;
    QLineEdit *txtCellspacing;
    QLineEdit *txtCellPadding;
    QCheckBox *chkRules;
    QList<QRadioButton *> optRules;
    QComboBox *cmbAlign;

    // The selected rules option (0 to 4), or -1 when none is selected.
    int rulesOption() const;
    // Selects option `index`; -1 selects none.
    void setRulesOption(int index);

    void chkRules_Click();

    using Values = TableFields;
    // The field values as the fragment builders take them, and back.
    TableFields fields() const;
    void apply(const TableFields &values);

protected:
    explicit TableDialogBase(const QString &name);

    QGroupBox *borderFrame() const { return m_borderFrame; }
    QGroupBox *rulesFrame() const { return m_rulesFrame; }

private:
    QGroupBox *m_borderFrame;
    QGroupBox *m_rulesFrame;
};
