#include "app/registration.h"
#include "core/settingsstore.h"
#include "core/sharedstate.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdio>
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

// "--family=tags/font" runs only the tests written in tests/tags/font/, "--family=tags" only
// those written directly in tests/tags/: CTest runs each family as its own entry, so a failure
// names its place. False when the family holds no test (a misspelt name must not pass).
bool keepOnlyFamily(int &argc, char **argv)
{
    const QByteArray option = "--family=";
    QByteArray family;
    for (int i = 1; i < argc; ++i) {
        if (!QByteArray(argv[i]).startsWith(option))
            continue;
        family = QByteArray(argv[i]).mid(option.size());
        for (int j = i; j < argc; ++j)
            argv[j] = argv[j + 1];
        --argc;
        break;
    }
    if (family.isEmpty())
        return true;
    const QByteArray folder = "tests/" + family + '/';
    const bool topLevel = !family.contains('/');
    QStringList names;
    const testing::UnitTest &unit = *testing::UnitTest::GetInstance();
    for (int s = 0; s < unit.total_test_suite_count(); ++s) {
        const testing::TestSuite &suite = *unit.GetTestSuite(s);
        for (int t = 0; t < suite.total_test_count(); ++t) {
            const testing::TestInfo &info = *suite.GetTestInfo(t);
            const QByteArray file = QByteArray(info.file()).replace('\\', '/');
            const qsizetype at = file.indexOf(folder);
            if (at < 0 || (topLevel && file.indexOf('/', at + folder.size()) >= 0))
                continue;
            names << QStringLiteral("%1.%2").arg(QString::fromUtf8(suite.name()),
                                                 QString::fromUtf8(info.name()));
        }
    }
    if (names.isEmpty()) {
        std::fprintf(stderr, "no test in the family %s\n", family.constData());
        return false;
    }
    GTEST_FLAG_SET(filter, names.join(QLatin1Char(':')).toStdString());
    return true;
}

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
        qputenv("XDG_DATA_HOME", home + "/data");
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
    if (!keepOnlyFamily(argc, argv))
        return 1;
    testing::UnitTest::GetInstance()->listeners().Append(new EachTestOnItsOwn);
    return RUN_ALL_TESTS();
}
