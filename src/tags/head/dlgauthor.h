#pragma once

#include "tags/shared/tagdialog.h"

class QCheckBox;
class QLabel;
class QLineEdit;

// The author's name for the author META tag; chkSave makes the name the default. A use that
// did not end with OK refuses to be discarded: the dialog stays loaded and hidden, and the next
// use shows the name typed last time.
class dlgAuthor : public TagDialog
{
    Q_OBJECT

public:
    dlgAuthor();

    QLabel *Label1;
    QLineEdit *txtAuthor;
    QCheckBox *chkSave;

protected:
    QString buildResult() override;
    void okAccepted() override;
    bool queryUnload() override;

private:
    bool m_okPressed = false;
};
