// The Insert menu's boilerplate phrases: the items refreshed on every opening, typing a phrase
// in, and the management window.

#include "core/interaction.h"
#include "core/settings.h"
#include "core/sharedstate.h"
#include "document/documentcommands.h"
#include "document/frmdocument.h"
#include "document/frmteikeiset.h"
#include "document/phrases.h"
#include "document/richtextbox.h"
#include "document/tagcolor.h"

#include <QAction>

namespace {

QString itemName(int index)
{
    return QStringLiteral("mnuInsetrTeikeiItem_") + QString::number(index);
}

void mnuInsert_Click(frmDocument &doc)
{
    const QList<Phrases::MenuItem> items = Phrases::menuItems(shared());
    for (int i = 0; i < items.size(); ++i) {
        QAction *item = doc.action(itemName(i));
        if (!item)
            continue;
        // A name shows as typed: "&" is no access key here.
        item->setText(QString(items[i].caption).replace(QLatin1Char('&'), QStringLiteral("&&")));
        item->setVisible(items[i].visible);
        doc.setCommandEnabled(itemName(i), items[i].enabled);
    }
}

void mnuInsetrTeikeiItem_Click(frmDocument &doc, int index)
{
    if (index < 0 || index >= Phrases::Limit)
        return;
    putText(*doc.txtText, shared().strKeikeiBun[index]);
}

void mnuInsertTeikeiSet_Click(frmDocument &)
{
    frmTeikeiSet window(shared());
    Interaction::current().runModal(window);
    // Stored at once: every new document window reloads the settings, and a crash must not
    // lose the phrases either.
    SavePhrases();
}

} // namespace

DocumentCommandTable phraseCommands()
{
    return {
        {"mnuInsert_Click", mnuInsert_Click},
        {"mnuInsetrTeikeiItem_Click", nullptr, mnuInsetrTeikeiItem_Click},
        {"mnuInsertTeikeiSet_Click", mnuInsertTeikeiSet_Click},
    };
}
