#include "app/documentio.h"

#include "app/documentfile.h"
#include "app/interaction.h"
#include "app/paths.h"
#include "app/settings.h"
#include "app/sharedstate.h"
#include "document/frmdocument.h"
#include "document/richtextbox.h"
#include "document/tagcolor.h"
#include "mainwindow/frmmain.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMdiArea>

namespace {

const QString OpenTitle = QStringLiteral("ファイルを開く");

// A network path begins with two separators ("\\server\share" or "//server/share").
bool isNetworkPath(const QString &path)
{
    auto isSeparator = [](QChar c) { return c == QLatin1Char('\\') || c == QLatin1Char('/'); };
    return path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1]);
}

void bringToFront(frmDocument *doc)
{
    if (frmMain *frame = frmMain::instance())
        frame->mdiArea->setActiveSubWindow(doc);
    doc->raise();
    doc->txtText->setFocus();
}

QString errorBox(const QString &routine, const FileError &error, const QString &description)
{
    return QStringLiteral("ｴﾗｰﾙｰﾁﾝ >> ") + routine + QStringLiteral("\r\nｴﾗｰｺｰﾄﾞ >> ")
           + QString::number(error.number) + QStringLiteral("\r\n") + description;
}

void reportSaveError(const FileError &error, const QString &fileName)
{
    const QString routine = QStringLiteral("FileSave()");
    switch (error.number) {
    case 75:
        Interaction::inform(errorBox(routine, error, QStringLiteral("パス名が違うか、上書きの場合には書込禁止")));
        break;
    case 76:
        Interaction::inform(errorBox(routine, error,
                                     QStringLiteral("パスがみつかりません。(") + fileName + QLatin1Char(')')));
        break;
    default:
        Interaction::inform(errorBox(routine, error, error.description), Interaction::Icon::Warning);
        break;
    }
}

// Fills a window created by ReadDoc: text, caption, file name and tag, clean.
void fillDocument(frmDocument &doc, const QString &path, const QString &text)
{
    doc.txtText->setText(text);
    doc.setCaption(path);
    doc.strFileName = path;
    doc.setTextTag(path);
}

Interaction::FileRequest documentFileRequest()
{
    Interaction::FileRequest request;
    request.filter = documentFileFilter();
    request.filterIndex = 1;
    request.startFolder = FolderOf(shared().strLastFullPath);
    return request;
}

} // namespace

QString documentFileFilter()
{
    return QStringLiteral("HTMLﾌｧｲﾙ(*.html;*.htm)|*.html;*.htm|CGIﾌｧｲﾙ(*.cgi;*.pl)|*.cgi;*.pl|"
                          "ﾃｷｽﾄﾌｧｲﾙ(*.txt)|*.txt|全てのﾌｧｲﾙ (*.*)|*.*");
}

frmDocument *createDocumentWindow()
{
    auto *doc = new frmDocument;
    if (frmMain *frame = frmMain::instance())
        frame->addDocument(doc);
    return doc;
}

QList<frmDocument *> openDocuments()
{
    if (frmMain *frame = frmMain::instance())
        return frame->documents();
    QList<frmDocument *> documents;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *doc = qobject_cast<frmDocument *>(widget))
            documents << doc;
    return documents;
}

void ReadDoc(const QString &path)
{
    for (frmDocument *doc : openDocuments()) {
        if (samePath(doc->caption(), path)) {
            bringToFront(doc);
            return;
        }
    }

    const ReadResult read = readDocumentFile(path);
    if (read.error.number == 53) {
        const auto answer = Interaction::ask(
            path + QStringLiteral("は見つかりません。\r\n新しいﾌｧｲﾙを作成しますか？"),
            Interaction::Icon::Question, Interaction::Buttons::YesNo);
        if (answer != Interaction::Answer::Yes)
            return;
        // The template under the missing file's name: nothing is written until it is saved.
        frmDocument *doc = createDocumentWindow();
        fillDocument(*doc, path, shared().strNewTemplate);
        doc->blnFlgDirty = false;
        doc->showDocument();
        return;
    }
    if (!read.error.ok()) {
        Interaction::inform(errorBox(QStringLiteral("ReadDoc()"), read.error, read.error.description),
                            Interaction::Icon::Warning, OpenTitle);
        return;
    }

    frmDocument *doc = createDocumentWindow();
    fillDocument(*doc, path, read.text);
    if (shared().blnTagColor) {
        Color_set(*doc);
        doc->txtText->setSelStart(0);
    }
    doc->blnFlgDirty = false;
    // The recent list is updated before the settings are written, so that the next window's
    // load, which re-reads the settings, does not drop this file from the list.
    AddRecentFile(path);
    if (!isNetworkPath(path)) {
        shared().strLastFullPath = path;
        SaveSettings();
    }
    doc->showDocument();
}

void openDocumentCommand()
{
    const QString last = shared().strLastFullPath;
    if (!isNetworkPath(last) && !FolderOf(last).isEmpty())
        QDir::setCurrent(FolderOf(last));
    const QString path = Interaction::current().openFileName(documentFileRequest());
    if (path.isEmpty())
        return;
    shared().strLastFullPath = path;
    ReadDoc(path);
}

bool saveDocumentFile(frmDocument &doc)
{
    const WriteResult result = writeDocumentFile(doc.strFileName, doc.txtText->text());
    if (!result.error.ok()) {
        reportSaveError(result.error, doc.strFileName);
        return false;
    }
    doc.blnFlgDirty = false;
    doc.setCaption(doc.strFileName);
    AddRecentFile(doc.strFileName);
    doc.RefreshRecentMenus();
    shared().strLastFullPath = doc.strFileName;
    SaveSettings();
    frmMain *frame = frmMain::instance();
    if (frame && result.encoding.unmappable > 0)
        frame->showNote(QStringLiteral("Shift-JIS にない %1 文字を数値文字参照で保存しました: %2")
                            .arg(result.encoding.unmappable)
                            .arg(result.encoding.firstUnmappable.join(QLatin1Char(' '))));
    return true;
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
    doc.strFileName = path;
    doc.setTextTag(path);
    return saveDocumentFile(doc);
}

void showRecentFiles(const QList<QAction *> &items, int lastEntry)
{
    const auto &recent = shared().strRecentFile;
    if (!recent[1].isEmpty() && !items.isEmpty() && items[0])
        items[0]->setVisible(true);
    for (int i = 1; i <= lastEntry && i < items.size() && i < int(recent.size()); ++i) {
        if (recent[i].isEmpty() || !items[i])
            continue;
        QString caption = recent[i];
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
