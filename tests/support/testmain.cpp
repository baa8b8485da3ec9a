#include "app/registration.h"

#include <QApplication>
#include <QDir>
#include <QFile>

#include <unistd.h>

#include <gtest/gtest.h>

// Every test program runs its tests inside one QApplication on the offscreen platform, so
// real widgets work headless.
int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen"
                                                                     : qgetenv("QT_QPA_PLATFORM"));
    // Settings written by tests go to a private folder, never to the user's own.
    if (qEnvironmentVariableIsEmpty("ORVINE_KEEP_HOME")) {
        static QByteArray home = QByteArray("/tmp/orvine-test-home-") + QByteArray::number(getpid());
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
