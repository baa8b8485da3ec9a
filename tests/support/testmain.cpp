#include "app/registration.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <memory>

// Every test program runs its tests inside one QApplication on the offscreen platform, so
// real widgets work headless.
int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    // Settings written by tests go to a private folder, never to the user's own; it is removed
    // when the tests end.
    std::unique_ptr<QTemporaryDir> privateHome;
    if (qEnvironmentVariableIsEmpty("ORVINE_KEEP_HOME")) {
        privateHome = std::make_unique<QTemporaryDir>(QDir::tempPath()
                                                      + QStringLiteral("/orvine-test-home-XXXXXX"));
        const QByteArray home = QFile::encodeName(privateHome->path());
        qputenv("XDG_CONFIG_HOME", home + "/config");
        qputenv("XDG_RUNTIME_DIR", home + "/runtime");
        QDir().mkpath(QString::fromLocal8Bit(home + "/runtime"));
        QFile::setPermissions(QString::fromLocal8Bit(home + "/runtime"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvine"));
    QApplication::setOrganizationName(QStringLiteral("Orvine"));
    registerAllCommands();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
