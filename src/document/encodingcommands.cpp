// The File commands that read the document again, or save it, in an encoding the user picks.

#include "core/documentfile.h"
#include "core/interaction.h"
#include "core/unmappablechars.h"
#include "document/documentcommands.h"
#include "document/documentsave.h"
#include "document/frmdocument.h"
#include "document/richtextbox.h"
#include "document/tagcolor.h"

#include <optional>

namespace {

const QString ReopenTitle = QStringLiteral("文字コードを指定して開き直す");
const QString SaveTitle = QStringLiteral("文字コードを指定して保存");

// Asks for an encoding, the document's own chosen at first.
std::optional<TextEncoding> chooseEncoding(const frmDocument &doc, const QString &title)
{
    QStringList names;
    int current = 0;
    for (TextEncoding encoding : textEncodings) {
        if (encoding == doc.encoding)
            current = int(names.size());
        names << encodingName(encoding);
    }
    const std::optional<int> chosen
        = Interaction::current().chooseItem(QStringLiteral("文字コード:"), title, names, current);
    if (!chosen || *chosen < 0 || *chosen >= int(std::size(textEncodings)))
        return std::nullopt;
    return textEncodings[*chosen];
}

void mnuFileReopenEncoding_Click(frmDocument &doc)
{
    if (doc.strFileName == frmDocument::NewFileName) {
        Interaction::inform(QStringLiteral("保存されていない文書は開き直せません。"),
                            Interaction::Icon::Information, ReopenTitle);
        return;
    }
    const std::optional<TextEncoding> encoding = chooseEncoding(doc, ReopenTitle);
    if (!encoding)
        return;
    if (doc.blnFlgDirty
        && Interaction::ask(QStringLiteral("変更は失われます。%1 で開き直しますか？")
                                .arg(encodingName(*encoding)),
                            Interaction::Icon::Question, Interaction::Buttons::YesNo, ReopenTitle)
               != Interaction::Answer::Yes)
        return;
    const ReadResult read = readDocumentFile(doc.strFileName, *encoding);
    if (!read.error.ok()) {
        Interaction::inform(
            errorBox(QStringLiteral("ReadDoc()"), read.error, read.error.description),
            Interaction::Icon::Warning, ReopenTitle);
        return;
    }
    doc.txtText->setText(read.text);
    colorOpenedPage(doc);
    doc.setEncoding(read.encoding);
    doc.fileLines = read.lines;
    doc.fileStamp = read.stamp; // the window now holds the file as it is
    doc.fileStampTold = read.stamp;
    doc.blnFlgDirty = false;
}

void mnuFileSaveEncoding_Click(frmDocument &doc)
{
    const std::optional<TextEncoding> encoding = chooseEncoding(doc, SaveTitle);
    if (!encoding)
        return;
    const QList<UnmappableCharacter> lost = unmappableCharacters(doc.txtText->text(), *encoding);
    if (!lost.isEmpty()
        && Interaction::ask(
               QStringLiteral(
                   "%1 にない次の文字は数値文字参照 (&#xHHHH;) で保存されます。\r\n%2\r\n保存しますか？")
                   .arg(encodingName(*encoding), describeUnmappable(lost)),
               Interaction::Icon::Warning, Interaction::Buttons::OkCancel, SaveTitle)
               != Interaction::Answer::Ok)
        return;
    const TextEncoding previous = doc.encoding;
    doc.encoding = *encoding;
    if (saveDocumentCommand(doc))
        doc.setEncoding(*encoding);
    else
        doc.encoding = previous; // nothing was written: the file keeps its encoding
}

} // namespace

DocumentCommandTable encodingCommands()
{
    return {
        {"mnuFileReopenEncoding_Click", mnuFileReopenEncoding_Click},
        {"mnuFileSaveEncoding_Click", mnuFileSaveEncoding_Click},
    };
}
