#include "tags/shared/tagedit.h"

#include "commands/commandtable.h"
#include "core/sharedstate.h"
#include "document/frmdocument.h"
#include "document/richtextbox.h"
#include "tags/shared/tagkinds.h"
#include "tags/shared/tagscan.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>

void TagEdit(frmDocument &doc)
{
    for (const ReEditRoutine &routine : reEditRoutines()) {
        // A routine that replaced the selection leaves nothing selected, so none after it
        // finds anything to match.
        if (routine.run && routine.accepts(doc.txtText->selText()))
            routine.run(doc);
    }
    doc.window()->raise();
    doc.txtText->setFocus();
}

void SelectTagAtCaret(frmDocument &doc)
{
    RichTextBox &text = *doc.txtText;
    const QString content = text.text();
    const auto [selStart, selLength] = scanStartOfDoubleClick(
        content, text.selStart(), text.selLength(), text.doubleClickedCharacter());
    text.setDoubleClickedCharacter(-1);
    const TagScan scan = scanTagAtCaret(content, selStart, selLength);
    if (!scan.found)
        return;
    text.select(scan.start, scan.length);
    TagEdit(doc);
    text.setFocus();
}

void txtText_DblClick(frmDocument &doc)
{
    SelectTagAtCaret(doc);
}

void mnuTagEdit_Click(frmDocument &doc)
{
    TagEdit(doc);
}

void txtText_MouseUp(frmDocument &doc, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                     const QPoint &position)
{
    RichTextBox &text = *doc.txtText;
    const bool selected = text.selLength() > 0;
    for (const char *item : {"mnuPopCut", "mnuPopCopy", "mnuPopEditDel"})
        doc.setCommandEnabled(QLatin1String(item), selected);
    if (QAction *edit = doc.action(QStringLiteral("mnuTagEdit")))
        edit->setVisible(selected && tagEditMenuVisible(text.selText()));
    if (!selected)
        doc.blnInTag = text.selColor() == TextColor::Blue;

    const QMimeData *clipboard = QGuiApplication::clipboard()->mimeData();
    doc.setCommandEnabled(QStringLiteral("mnuPopPaist"),
                          clipboard && clipboard->hasText() && !clipboard->text().isEmpty());
    if (QAction *color = doc.action(QStringLiteral("mnuPopColor")))
        color->setVisible(shared().blnTagColor);

    if (button != Qt::RightButton)
        return;
    QString menuName;
    if (modifiers == Qt::NoModifier)
        menuName = QStringLiteral("mnuPopupText");
    else if (modifiers == Qt::ShiftModifier)
        menuName = QStringLiteral("mnuJs");
    if (QMenu *menu = menuName.isEmpty() ? nullptr : doc.menu(menuName))
        menu->popup(text.viewport()->mapToGlobal(position));
}

void connectTagEditing(frmDocument &doc)
{
    QObject::connect(doc.txtText, &RichTextBox::doubleClicked, &doc,
                     [&doc] { txtText_DblClick(doc); });
    QObject::connect(
        doc.txtText, &RichTextBox::mouseUp, &doc,
        [&doc](Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint &position) {
            txtText_MouseUp(doc, button, modifiers, position);
        });
}

DocumentCommandTable retagCommands()
{
    return {{"mnuTagEdit_Click", mnuTagEdit_Click}};
}
