#include "app/commandline.h"
#include "app/previewplugin.h"
#include "app/startup.h"
#include "app/webengineflags.h"
#include "core/nativepath.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>

int main(int argc, char **argv)
{
    prepareWebEngineEnvironment();
    // The web engine is loaded from a module after the application object exists; it draws
    // through OpenGL contexts shared with the application's, which must be asked for first.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvine"));
    QApplication::setOrganizationName(QStringLiteral("Orvine"));
    installPreviewOnDemand(previewModuleFor(QCoreApplication::applicationDirPath()));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(ORVINE_VERSION_MAJOR)
                                            .arg(ORVINE_VERSION_MINOR)
                                            .arg(ORVINE_VERSION_PATCH));
    // The desktop entry's name, so that the window system finds the entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.orvine.Orvine"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("HTML editor"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("files"), QStringLiteral("HTML files to open"),
                                 QStringLiteral("[files...]"));
    // The arguments as the system gave them (Qt's own list loses the bytes of names that are
    // not UTF-8); the application has already taken its own options out of argv.
    parser.process(nativeArguments(argc, argv));
    QString currentFolder = nativeCurrentFolder();
    if (currentFolder.isEmpty())
        currentFolder = QDir::currentPath();
    return Main(documentPaths(parser.positionalArguments(), currentFolder));
}
