#include "tags/head/dlgurl.h"

#include "core/settings.h"
#include "tags/shared/dialogwidgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

dlgURL::dlgURL()
    : TagDialog(QStringLiteral("dlgURL"), tr("ｻｰﾊﾞからHTMLﾌｧｲﾙを読込む"), ButtonNames::Dlg)
{
    Label1 = makeLabel(this, tr("URL"), QStringLiteral("Label1"));
    for (size_t slot = 0; slot < m_history.size(); ++slot)
        m_history[slot] = storedUrlHistoryEntry(int(slot));
    QStringList listed;
    for (const QString &url : m_history) {
        if (!url.isEmpty())
            listed << url;
    }
    cmbURL = makeDropDown(this, QStringLiteral("cmbURL"), listed);
    cmbURL->setMinimumWidth(UrlBoxWidth);
    auto *grid = new QGridLayout;
    addRow(grid, Label1, cmbURL);
    layOut(grid);
}

bool dlgURL::validate()
{
    if (cmbURL->currentText().isEmpty())
        return refuse(cmbURL, tr("URLを入力して下さい。"));
    return true;
}

QString dlgURL::buildResult()
{
    return cmbURL->currentText();
}

void dlgURL::okAccepted()
{
    m_history = updatedUrlHistory(m_history, resultString());
}

void dlgURL::unloading()
{
    for (size_t slot = 0; slot < m_history.size(); ++slot)
        storeUrlHistoryEntry(int(slot), m_history[slot]);
}
