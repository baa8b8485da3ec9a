#include "document/outsidechanges.h"

#include "core/documentfile.h"
#include "core/filestamp.h"
#include "core/interaction.h"
#include "core/nativepath.h"
#include "document/documentsave.h"
#include "document/frmdocument.h"
#include "document/richtextbox.h"
#include "document/tagcolor.h"

#include <algorithm>

namespace {

// A question is on screen: the activations its box causes ask nothing more.
bool asking = false;

class Asking
{
public:
    Asking() { asking = true; }
    ~Asking() { asking = false; }
    Asking(const Asking &) = delete;
    Asking &operator=(const Asking &) = delete;
};

bool hasFile(const frmDocument &doc)
{
    return doc.strFileName != frmDocument::NewFileName && !doc.strFileName.isEmpty();
}

QString changedBeforeSave(const QString &path)
{
    return displayPath(path)
           + QStringLiteral(
               "\r\nこのファイルは、開いた後にほかのプログラムで変更されています。\r\n"
               "上書きして保存しますか？\r\n\r\n"
               "はい：このウィンドウの内容で上書きします。\r\n"
               "いいえ：ファイルを読み込み直します（このウィンドウでの変更は失われます）。\r\n"
               "キャンセル：保存しません。");
}

QString changedOutside(const QString &path, bool unsavedChanges)
{
    QString text = displayPath(path)
                   + QStringLiteral("\r\nこのファイルは、ほかのプログラムで変更されました。\r\n");
    if (unsavedChanges)
        text += QStringLiteral(
            "このウィンドウには保存していない変更があります。読み込み直すと、その変更は失われます。\r\n");
    return text + QStringLiteral("ファイルを読み込み直しますか？");
}

QString deletedOutside(const QString &path)
{
    return displayPath(path)
           + QStringLiteral(
               "\r\nこのファイルは、ほかのプログラムで削除されました。\r\n"
               "文書の内容はこのウィンドウに残っています。保存するとファイルが作り直されます。");
}

} // namespace

bool reloadDocumentFile(frmDocument &doc)
{
    const ReadResult read = readDocumentFile(doc.strFileName, doc.encoding);
    if (!read.error.ok()) {
        Interaction::inform(
            errorBox(QStringLiteral("ReadDoc()"), read.error, read.error.description),
            Interaction::Icon::Warning, QStringLiteral("ファイルを開く"));
        return false;
    }
    const int caret = doc.txtText->selStart();
    doc.txtText->setText(read.text);
    colorOpenedPage(doc);
    doc.txtText->setSelStart(std::clamp(caret, 0, doc.txtText->textLength()));
    doc.setEncoding(read.encoding);
    doc.fileLines = read.lines;
    doc.fileStamp = read.stamp;
    doc.fileStampTold = read.stamp;
    doc.blnFlgDirty = false;
    return true;
}

bool confirmSaveOverOutsideChange(frmDocument &doc)
{
    if (!hasFile(doc))
        return true;
    const FileStamp now = fileStampOf(doc.strFileName);
    // A file that is gone is written again; one the window knows is its own.
    if (!now.exists || now == doc.fileStamp)
        return true;
    doc.fileStampTold = now;
    Interaction::Answer answer;
    {
        Asking question;
        answer = Interaction::ask(changedBeforeSave(doc.strFileName), Interaction::Icon::Warning,
                                  Interaction::Buttons::YesNoCancel);
    }
    if (answer == Interaction::Answer::Yes)
        return true;
    if (answer == Interaction::Answer::No)
        reloadDocumentFile(doc);
    return false;
}

bool fileChangedOutside(const frmDocument &doc)
{
    if (!hasFile(doc) || !doc.fileStamp.exists)
        return false;
    const FileStamp now = fileStampOf(doc.strFileName);
    return now != doc.fileStamp && now != doc.fileStampTold;
}

void checkOutsideChange(frmDocument &doc)
{
    if (asking || !fileChangedOutside(doc))
        return;
    const FileStamp now = fileStampOf(doc.strFileName);
    doc.fileStampTold = now;
    Asking question;
    if (!now.exists) {
        // The text is all that is left of the file: closing the window must offer to save it.
        doc.blnFlgDirty = true;
        Interaction::inform(deletedOutside(doc.strFileName), Interaction::Icon::Warning);
        return;
    }
    const bool unsaved = doc.blnFlgDirty;
    const auto answer
        = Interaction::ask(changedOutside(doc.strFileName, unsaved),
                           unsaved ? Interaction::Icon::Warning : Interaction::Icon::Question,
                           Interaction::Buttons::YesNo);
    if (answer == Interaction::Answer::Yes)
        reloadDocumentFile(doc);
}
