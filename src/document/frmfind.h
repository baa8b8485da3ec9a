#pragma once

#include <QWidget>

#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class frmDocument;

// The find and replace window: a tool window above its owner, shown without taking the
// activation. Every button acts on the document that is active when it is pressed, which the
// window asks of the function it was given. Positions cover the whole text however long.
class frmFind : public QWidget
{
    Q_OBJECT

public:
    // Returns the active document window, or nullptr when there is none.
    using ActiveDocument = std::function<frmDocument *()>;

    explicit frmFind(ActiveDocument activeDocument, QWidget *owner = nullptr);

    // The document the buttons act on now, or nullptr when none is open.
    frmDocument *documentActedOn() const { return activeDocument ? activeDocument() : nullptr; }

    QLabel *Label1 = nullptr;
    QLineEdit *Text1 = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *txtRep = nullptr;
    QGroupBox *Frame1 = nullptr;
    QCheckBox *chkCase = nullptr;
    QPushButton *cmdFind = nullptr;
    QPushButton *cmdNext = nullptr;
    QPushButton *cmdRep = nullptr;
    QPushButton *cmdRepAll = nullptr;
    QPushButton *cmdExit = nullptr;

    // Where the last match started, and where the next search starts.
    int Position = 0;
    // The search string of the current search.
    QString strSearch;
    // Set by the first press of "置換(&R)".
    bool blnRepMode = false;

signals:
    // A passing note for the frame's status bar.
    void statusNote(const QString &text);

protected:
    // Closing leaves the active document's insertion point plain: black, not bold.
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void cmdFind_Click();
    void cmdNext_Click();
    void cmdRep_Click();
    void cmdRepAll_Click();
    // Selects the first match of Text1 in the active document from Position; false (after
    // telling the user) when there is none.
    bool FindText();
    // The search string, or an empty one after asking the user to type one.
    QString searchString();
    Qt::CaseSensitivity caseSensitivity() const;
    void reportNotFound();

    ActiveDocument activeDocument;
};
