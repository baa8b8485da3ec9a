#pragma once

#include <QDialog>
#include <QPointer>

class QListWidget;
class QPlainTextEdit;
class QPushButton;
class dlgTeikeiInput;
struct SharedState;

// The management window of the boilerplate phrases: adds, edits and deletes the phrases of
// `state` in memory. The caller stores them when the window closes.
class frmTeikeiSet : public QDialog
{
    Q_OBJECT

public:
    explicit frmTeikeiSet(SharedState &state, QWidget *parent = nullptr);
    ~frmTeikeiSet() override;

    QListWidget *lstTeikei;
    QPlainTextEdit *txtTeikei; // read-only view of the selected phrase
    QPushButton *cmdAdd;
    QPushButton *Command1; // 編集
    QPushButton *cmdDell;
    QPushButton *cmdExit;

private:
    void cmdAdd_Click();
    void Command1_Click();
    void cmdDell_Click();
    void showPhrase(int slot);
    void selectEntry(int entry);
    void updateButtons();
    // The input dialog: a cancelled one stays loaded with its fields for the next use.
    dlgTeikeiInput &inputDialog();
    void discardInputDialog();

    SharedState &m_state;
    QPointer<dlgTeikeiInput> m_input;
};
