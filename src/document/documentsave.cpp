#include "document/documentsave.h"

#include "core/documentfile.h"
#include "core/interaction.h"
#include "core/nativepath.h"
#include "core/paths.h"
#include "core/settings.h"
#include "core/sharedstate.h"
#include "core/unmappablechars.h"
#include "document/frmdocument.h"
#include "document/outsidechanges.h"
#include "document/richtextbox.h"

#include <QAction>

namespace {

void reportSaveError(const FileError &error, const QString &fileName)
{
    const QString routine = QStringLiteral("FileSave()");
    switch (error.number) {
    case 75:
        Interaction::inform(
            errorBox(routine, error, QStringLiteral("パス名が違うか、上書きの場合には書込禁止")));
        break;
    case 76:
        Interaction::inform(errorBox(routine, error,
                                     QStringLiteral("パスがみつかりません。(")
                                         + displayPath(fileName) + QLatin1Char(')')));
        break;
    default:
        Interaction::inform(errorBox(routine, error, error.description),
                            Interaction::Icon::Warning);
        break;
    }
}

} // namespace

QString unmappableNote(const QString &text, TextEncoding encoding)
{
    const QList<UnmappableCharacter> characters = unmappableCharacters(text, encoding);
    return QStringLiteral("%1 にない %2 種類の文字を数値文字参照で保存しました: %3")
        .arg(encodingName(encoding))
        .arg(characters.size())
        .arg(describeUnmappable(characters));
}

QString errorBox(const QString &routine, const FileError &error, const QString &description)
{
    return QStringLiteral("ｴﾗｰﾙｰﾁﾝ >> ") + routine + QStringLiteral("\r\nｴﾗｰｺｰﾄﾞ >> ")
           + QString::number(error.number) + QStringLiteral("\r\n") + description;
}

Interaction::FileRequest documentFileRequest()
{
    Interaction::FileRequest request;
    request.filter = documentFileFilter();
    request.filterIndex = 1;
    request.startFolder = FolderOf(shared().strLastFullPath);
    return request;
}

QString documentFileFilter()
{
    return QStringLiteral("HTMLﾌｧｲﾙ(*.html;*.htm)|*.html;*.htm|CGIﾌｧｲﾙ(*.cgi;*.pl)|*.cgi;*.pl|"
                          "ﾃｷｽﾄﾌｧｲﾙ(*.txt)|*.txt|全てのﾌｧｲﾙ (*.*)|*.*");
}

namespace {

// Writes the document's text to `path`. Only a write that succeeded makes `path` the
// document's file: after a failure the document keeps its own file, caption and state.
bool writeDocumentTo(frmDocument &doc, const QString &path)
{
    const QString text = doc.txtText->text();
    const WriteResult result = writeDocumentFile(path, text, doc.encoding, doc.fileLines);
    if (!result.error.ok()) {
        reportSaveError(result.error, path);
        return false;
    }
    setDocumentFile(doc, path, result.stamp);
    doc.fileLines = result.lines;
    doc.blnFlgDirty = false;
    emit doc.saved();
    AddRecentFile(path);
    doc.RefreshRecentMenus();
    shared().strLastFullPath = path;
    SaveSettings();
    if (result.encoding.unmappable > 0)
        emit doc.note(unmappableNote(text, doc.encoding));
    return true;
}

} // namespace

void setDocumentFile(frmDocument &doc, const QString &path, const FileStamp &stamp)
{
    doc.strFileName = path;
    doc.setTextTag(path);
    doc.setCaption(displayPath(path));
    doc.fileStamp = stamp;
    doc.fileStampTold = stamp;
}

bool saveDocumentFile(frmDocument &doc)
{
    if (!confirmSaveOverOutsideChange(doc))
        return false;
    return writeDocumentTo(doc, doc.strFileName);
}

bool saveDocumentCommand(frmDocument &doc)
{
    if (doc.strFileName == frmDocument::NewFileName)
        return saveDocumentAsCommand(doc);
    return saveDocumentFile(doc);
}

bool saveDocumentAsCommand(frmDocument &doc)
{
    Interaction::FileRequest request = documentFileRequest();
    request.overwritePrompt = true;
    const QString path = Interaction::current().saveFileName(request);
    if (path.isEmpty())
        return false;
    // The dialog has asked before replacing a file, so no question about other programs here.
    return writeDocumentTo(doc, path);
}

void showRecentFiles(const QList<QAction *> &items, int lastEntry)
{
    const auto &recent = shared().strRecentFile;
    if (!recent[1].isEmpty() && !items.isEmpty() && items[0])
        items[0]->setVisible(true);
    for (int i = 1; i <= lastEntry && i < items.size() && i < int(recent.size()); ++i) {
        if (recent[i].isEmpty() || !items[i])
            continue;
        QString caption = displayPath(recent[i]);
        caption.replace(QLatin1Char('&'), QStringLiteral("&&")); // not a mnemonic
        items[i]->setText(caption);
        items[i]->setData(recent[i]);
        items[i]->setVisible(true);
    }
}

QString recentFilePath(const QAction *item)
{
    if (!item)
        return {};
    const QString path = item->data().toString();
    return path.isEmpty() ? item->text() : path;
}
