#include "app/registration.h"
#include "core/settingsstore.h"
#include "core/sharedstate.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace {

// Each test starts from the shared state and the settings file that the test before it started
// from: whatever a test changes there ends with it, so that no test depends on another one's
// leftovers or on the order the tests run in.
class EachTestOnItsOwn : public testing::EmptyTestEventListener
{
    void OnTestStart(const testing::TestInfo &) override
    {
        m_state = shared();
        QFile file(SettingsStore::fileName());
        m_settings = file.open(QIODevice::ReadOnly) ? std::optional(file.readAll()) : std::nullopt;
    }

    void OnTestEnd(const testing::TestInfo &) override
    {
        shared() = m_state;
        const QString name = SettingsStore::fileName();
        QFile file(name);
        const bool unchanged
            = m_settings && file.open(QIODevice::ReadOnly) && file.readAll() == *m_settings;
        file.close();
        if (unchanged)
            return;
        QFile::remove(name);
        if (m_settings && file.open(QIODevice::WriteOnly))
            file.write(*m_settings);
        file.close();
        SettingsStore::sync(); // the store reads the file as it was
    }

    SharedState m_state;
    std::optional<QByteArray> m_settings;
};

} // namespace

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
    testing::UnitTest::GetInstance()->listeners().Append(new EachTestOnItsOwn);
    return RUN_ALL_TESTS();
}
