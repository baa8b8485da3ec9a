#pragma once

#include "tags/head/pageheadfragments.h"
#include "tags/shared/tagdialog.h"

class QComboBox;
class QLabel;

// The address of a page to fetch from a server, with a history of the last ten addresses kept
// in the settings ("0HtmlURL" ... "9HtmlURL", section "Recent Files"). The result is the
// address itself.
class dlgURL : public TagDialog
{
    Q_OBJECT

public:
    dlgURL();

    QLabel *Label1;
    QComboBox *cmbURL;

protected:
    bool validate() override;
    QString buildResult() override;
    void okAccepted() override;
    void unloading() override;

private:
    UrlHistory m_history;
};
