#include "app/previewplugin.h"

#include "core/browserwindow.h"
#include "core/htmlview.h"
#include "core/interaction.h"
#include "core/livepreview.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

// The installed module's folder as seen from the installed program's folder; the build sets it
// from its install layout.
#ifndef ORVINE_PREVIEW_MODULE_FOLDER
#define ORVINE_PREVIEW_MODULE_FOLDER "../lib/orvine"
#endif

namespace {

// The function the module exports: it installs the module's makers.
constexpr char EntryName[] = "orvineInstallPreview";

QString &installedModule()
{
    static QString file;
    return file;
}

QString text(const char *source)
{
    return QCoreApplication::translate("PreviewModule", source);
}

// Loads the module when it is not yet loaded; says why not through the program's message box.
bool ensureLoaded(const QString &moduleFile)
{
    QString error;
    if (loadPreviewModule(moduleFile, &error))
        return true;
    Interaction::inform(text("ﾌﾟﾚﾋﾞｭｰを表示できません。\r\nﾌﾟﾚﾋﾞｭｰ用のﾓｼﾞｭｰﾙを読み込めません。"
                             "ｲﾝｽﾄｰﾙが壊れている可能性があります。\r\n")
                            + error,
                        Interaction::Icon::Warning);
    return false;
}

} // namespace

QString previewModuleName()
{
    return QStringLiteral("orvine-preview.so");
}

QString previewModuleFor(const QString &programFolder)
{
    const QDir program(programFolder);
    const QString folders[]
        = {programFolder, program.filePath(QStringLiteral(ORVINE_PREVIEW_MODULE_FOLDER))};
    for (const QString &folder : folders) {
        const QString file = QDir::cleanPath(QDir(folder).filePath(previewModuleName()));
        if (QFileInfo(file).isFile())
            return file;
    }
    return {};
}

bool loadPreviewModule(const QString &moduleFile, QString *error)
{
    if (!installedModule().isEmpty())
        return true;
    if (moduleFile.isEmpty() || !QFileInfo(moduleFile).isFile()) {
        *error = previewModuleName() + text(" が見つかりません。");
        return false;
    }
    // The module stays loaded for the rest of the run: its windows and views may live as long.
    QLibrary library(moduleFile);
    if (!library.load()) {
        *error = library.errorString();
        return false;
    }
    const auto install = reinterpret_cast<void (*)()>(library.resolve(EntryName));
    if (!install) {
        *error = library.errorString();
        library.unload();
        return false;
    }
    installedModule() = moduleFile;
    install();
    return true;
}

void installPreviewOnDemand(const QString &moduleFile)
{
    installedModule().clear();
    // Each maker below is replaced by the module's own as the module loads, while it runs: it
    // keeps nothing of its own and only asks again, now of the module's maker.
    BrowserWindow::installMaker([moduleFile](const QString &address) -> BrowserWindow * {
        const QString file = moduleFile;
        return ensureLoaded(file) ? BrowserWindow::make(address) : nullptr;
    });
    LivePreviewView::installMaker([moduleFile](QWidget *parent) -> LivePreviewView * {
        const QString file = moduleFile;
        return ensureLoaded(file) ? LivePreviewView::make(parent) : nullptr;
    });
    HtmlView::installMaker([moduleFile](QWidget *parent) -> HtmlView * {
        const QString file = moduleFile;
        QString error;
        if (loadPreviewModule(file, &error))
            return HtmlView::make(parent);
        return new TextHtmlView(parent);
    });
}
