#include "tags/head/dlgauthor.h"

#include "core/settings.h"
#include "core/sharedstate.h"
#include "tags/shared/dialogwidgets.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

dlgAuthor::dlgAuthor() : TagDialog(QStringLiteral("dlgAuthor"), tr("製作者名"), ButtonNames::Dlg)
{
    Label1 = makeLabel(this, tr("製作者名"), QStringLiteral("Label1"));
    txtAuthor = makeTextBox(this, QStringLiteral("txtAuthor"));
    chkSave = makeCheckBox(this, QStringLiteral("chkSave"), tr("この製作者名を規定値とする"));
    auto *grid = new QGridLayout;
    addRow(grid, Label1, txtAuthor);
    grid->addWidget(chkSave, grid->rowCount(), 1);
    layOut(grid);
    txtAuthor->setText(shared().strAuthor);
}

QString dlgAuthor::buildResult()
{
    return txtAuthor->text();
}

void dlgAuthor::okAccepted()
{
    m_okPressed = true;
    if (chkSave->isChecked()) {
        shared().strAuthor = txtAuthor->text();
        SaveSettings();
    }
}

bool dlgAuthor::queryUnload()
{
    if (m_okPressed)
        return true;
    setResultString(Cancel);
    hide();
    return false;
}
