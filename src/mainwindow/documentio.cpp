#include "mainwindow/documentio.h"

#include "core/documentfile.h"
#include "core/interaction.h"
#include "core/nativepath.h"
#include "core/paths.h"
#include "core/settings.h"
#include "core/sharedstate.h"
#include "document/documentsave.h"
#include "document/frmdocument.h"
#include "document/frmprogress.h"
#include "document/outsidechanges.h"
#include "document/richtextbox.h"
#include "document/tagcolor.h"
#include "mainwindow/dlgopenhtml.h"
#include "mainwindow/frmmain.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <memory>

namespace {

const QString OpenTitle = QStringLiteral("ファイルを開く");

// A network path begins with two separators ("\\server\share" or "//server/share").
bool isNetworkPath(const QString &path)
{
    auto isSeparator = [](QChar c) { return c == QLatin1Char('\\') || c == QLatin1Char('/'); };
    return path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1]);
}

// Looks at the window's file as the window comes to the front, and asks once the activation
// is over: a message box in the middle of an activation would fight it for the focus.
void checkOutsideChangeSoon(frmDocument *doc)
{
    if (!fileChangedOutside(*doc))
        return;
    QTimer::singleShot(0, doc, [window = QPointer<frmDocument>(doc)] {
        if (window && window->isVisible())
            checkOutsideChange(*window);
    });
}

// The window the user works in: the frame's current one, or a window of its own with the focus.
frmDocument *activeDocumentWindow()
{
    if (frmMain *frame = frmMain::instance())
        return frame->activeDocument();
    for (QWidget *widget = QApplication::focusWidget(); widget; widget = widget->parentWidget())
        if (auto *doc = qobject_cast<frmDocument *>(widget))
            return doc;
    return nullptr;
}

// A window coming to the front, or the program coming back from another one, looks whether
// another program changed or deleted the window's file meanwhile.
void watchForOutsideChanges(frmDocument *doc)
{
    QObject::connect(doc, &QMdiSubWindow::windowStateChanged, doc,
                     [doc](Qt::WindowStates before, Qt::WindowStates now) {
                         if (!(before & Qt::WindowActive) && (now & Qt::WindowActive))
                             checkOutsideChangeSoon(doc);
                     });
    static bool watchingProgram = false;
    if (watchingProgram)
        return;
    watchingProgram = true;
    QObject::connect(qApp, &QGuiApplication::applicationStateChanged, qApp,
                     [](Qt::ApplicationState state) {
                         if (state == Qt::ApplicationActive)
                             if (frmDocument *active = activeDocumentWindow())
                                 checkOutsideChangeSoon(active);
                     });
}

void bringToFront(frmDocument *doc)
{
    if (frmMain *frame = frmMain::instance())
        frame->mdiArea->setActiveSubWindow(doc);
    doc->raise();
    doc->txtText->setFocus();
    // Opened again: the file may have changed since.
    checkOutsideChangeSoon(doc);
}

// Whether `doc` shows the file `path`. Windows are found by their file; a window without one
// (a new page) by its caption, as it always was.
bool showsPath(const frmDocument &doc, const QString &path)
{
    if (doc.strFileName != frmDocument::NewFileName && samePath(doc.strFileName, path))
        return true;
    return samePath(doc.caption(), path);
}

// Fills a window created by ReadDoc: text, caption, file name and tag, clean.
void fillDocument(frmDocument &doc, const QString &path, const QString &text,
                  const FileStamp &stamp)
{
    doc.txtText->setText(text);
    setDocumentFile(doc, path, stamp);
}

// From this size on a page opens under a progress window with a Cancel button.
constexpr qint64 LargePageBytes = 4 * 1024 * 1024;
// The bar of that window: reading takes the first fifth, putting the text in the next two and
// colouring the rest.
constexpr int ProgressSteps = 1000;
constexpr int ReadSteps = 200;
constexpr int FillSteps = 400;

// Fills a window created by ReadDoc with a large page in steps; false when Cancel was pressed.
bool openLargePage(frmDocument &doc, const QString &path, const ReadResult &read,
                   frmProgress &progress)
{
    progress.advance(ReadSteps);
    if (!progress.keepGoing())
        return false;
    const double length = std::max<double>(double(read.text.size()), 1);
    const auto stepsAt = [length](int first, int count, qsizetype done) {
        return first + int(count * (double(done) / length));
    };
    const bool filled = doc.txtText->setText(read.text, [&](qsizetype done) {
        progress.advance(stepsAt(ReadSteps, FillSteps, done));
        return progress.keepGoing();
    });
    if (!filled)
        return false;
    setDocumentFile(doc, path, read.stamp);
    doc.setEncoding(read.encoding);
    doc.fileLines = read.lines;
    if (shared().blnTagColor)
        progress.setWindowTitle(frmProgress::tr("タグの色変換処理中－しばらくお待ち下さい。"));
    const int colourFrom = ReadSteps + FillSteps;
    const bool coloured = colorOpenedPage(doc, read.text, [&](qsizetype done) {
        progress.advance(stepsAt(colourFrom, ProgressSteps - colourFrom, done));
        return progress.keepGoing();
    });
    if (!coloured)
        return false;
    progress.advance(ProgressSteps);
    return progress.keepGoing();
}

} // namespace

frmDocument *createDocumentWindow()
{
    auto *doc = new frmDocument;
    if (frmMain *frame = frmMain::instance())
        frame->addDocument(doc);
    watchForOutsideChanges(doc);
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

frmDocument *documentShowing(const QString &path)
{
    for (frmDocument *doc : openDocuments())
        if (showsPath(*doc, path))
            return doc;
    return nullptr;
}

void ReadDoc(const QString &path)
{
    if (frmDocument *doc = documentShowing(path)) {
        bringToFront(doc);
        return;
    }

    // A large page is read, put in and coloured in steps under a progress window whose
    // Cancel gives the opening up: no window stays and nothing is written.
    std::unique_ptr<frmProgress> progress;
    if (QFileInfo(path).size() >= LargePageBytes) {
        progress = std::make_unique<frmProgress>(frmMain::instance());
        progress->setWindowTitle(QObject::tr("ﾌｧｲﾙ読み込み処理中－しばらくお待ち下さい。"));
        progress->allowCancel();
        progress->start(ProgressSteps);
    }
    const ReadResult read = readDocumentFile(path);
    if (read.error.number == 53) {
        const auto answer = Interaction::ask(
            displayPath(path) + QStringLiteral("は見つかりません。\r\n新しいﾌｧｲﾙを作成しますか？"),
            Interaction::Icon::Question, Interaction::Buttons::YesNo);
        if (answer != Interaction::Answer::Yes)
            return;
        // The template under the missing file's name: nothing is written until it is saved.
        frmDocument *doc = createDocumentWindow();
        fillDocument(*doc, path, shared().strNewTemplate, FileStamp());
        doc->blnFlgDirty = false;
        doc->showDocument();
        return;
    }
    if (!read.error.ok()) {
        Interaction::inform(
            errorBox(QStringLiteral("ReadDoc()"), read.error, read.error.description),
            Interaction::Icon::Warning, OpenTitle);
        return;
    }

    frmDocument *doc = createDocumentWindow();
    if (progress) {
        if (!openLargePage(*doc, path, read, *progress)) {
            doc->blnFlgDirty = false;
            delete doc;
            return;
        }
        progress.reset();
    } else {
        fillDocument(*doc, path, read.text, read.stamp);
        doc->setEncoding(read.encoding);
        doc->fileLines = read.lines;
        colorOpenedPage(*doc);
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
    // The closed dialog's area is painted again before a large page is read and coloured, so
    // it does not stay on screen as a ghost.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    shared().strLastFullPath = path;
    ReadDoc(path);
}

void NewDocument()
{
    // The number is used up before the dialog, so a cancelled dialog still takes one.
    const int number = ++shared().lngNewCount;
    QString result;
    {
        dlgOpenHtml dialog(frmMain::instance());
        Interaction::current().runModal(dialog);
        result = dialog.strResult;
    }
    if (result == QLatin1String("Cancel"))
        return;

    frmDocument *doc = createDocumentWindow();
    doc->setCaption(QStringLiteral("NewHtml%1.htm").arg(number));
    doc->txtText->setText(result);
    doc->strFileName = frmDocument::NewFileName;
    doc->setTextTag(frmDocument::NewFileName);
    colorOpenedPage(*doc);
    doc->blnFlgDirty = false;
    doc->showDocument();
}
