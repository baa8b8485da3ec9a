#include "core/interaction.h"
#include "document/documentcommands.h"
#include "document/linejump.h"
#include "document/richtextbox.h"
#include "document/typinghelp.h"

#include <QCoreApplication>
#include <QTextDocument>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("TypingCommands", text);
}

// Asks for a line number and puts the caret at the start of that line; a number past the end
// goes to the last line.
void mnuEditGoLine_Click(frmDocument &doc)
{
    RichTextBox &box = *doc.txtText;
    const int lines = box.document()->blockCount();
    const QString current = QString::number(box.lineFromChar(-1) + 1);
    while (true) {
        const std::optional<QString> typed = Interaction::current().inputBox(
            tr("行番号 (1～%1):").arg(lines), tr("行へ移動"), current);
        if (!typed)
            return;
        if (const std::optional<int> line = typedLineNumber(*typed)) {
            goToLine(doc, *line);
            return;
        }
        Interaction::current().message({tr("行番号は 1 以上の数字で入力してください。"),
                                        Interaction::Icon::Warning, Interaction::Buttons::Ok,
                                        tr("行へ移動")});
    }
}

void mnuEditMatchTag_Click(frmDocument &doc)
{
    if (!doc.typingHelp || !doc.typingHelp->goToMatchingTag())
        emit doc.note(tr("対応するタグが見つかりません。"));
}

} // namespace

DocumentCommandTable typingCommands()
{
    return {
        {"mnuEditGoLine_Click", mnuEditGoLine_Click},
        {"mnuEditMatchTag_Click", mnuEditMatchTag_Click},
    };
}
