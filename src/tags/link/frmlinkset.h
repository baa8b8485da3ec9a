#pragma once

#include "tags/link/linkformat.h"
#include "tags/shared/tagdialog.h"

class QComboBox;
class QLineEdit;
class QPushButton;

// A link to a page or file: its start tag followed by the display text. The reference button
// picks a local HTML file and writes its path relative to the document.
class frmLinkSet : public TagDialog
{
    Q_OBJECT

public:
    frmLinkSet();

    QLineEdit *txtUrl;
    QPushButton *cmdRef;
    QPushButton *cmdKomoji;
    QComboBox *cboTarget;
    QLineEdit *txtMIdashi;

    using Values = LinkFields;
    LinkFields fields() const;
    void apply(const LinkFields &values);

protected:
    bool validate() override;
    QString buildResult() override;
};
