#include "app/previewplugin.h"
#include "mainwindow/guidefile.h"
#include "options/frmhelp.h"
#include "support/programrun.h"
#include "support/qstringprinter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHelpEngine>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextBrowser>

#include <gtest/gtest.h>

#ifdef ORVINE_BUILD_DIR

namespace {

struct ProgramRun
{
    int exitCode = -1;
    QString output;
};

ProgramRun run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(120000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAll())};
}

QString readText(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

const QString AppId = QStringLiteral(ORVINE_APP_ID);

} // namespace

class InstalledTree : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        prefix = new QTemporaryDir;
        installed = run(QStringLiteral(ORVINE_CMAKE),
                        {QStringLiteral("--install"), QStringLiteral(ORVINE_BUILD_DIR),
                         QStringLiteral("--prefix"), prefix->path()});
    }
    static void TearDownTestSuite() { delete prefix; }

    static QString file(const QString &relative) { return prefix->filePath(relative); }

    static inline QTemporaryDir *prefix = nullptr;
    static inline ProgramRun installed;
};

TEST_F(InstalledTree, HoldsTheProgramItsEntryIconAndMetainfo)
{
    ASSERT_EQ(installed.exitCode, 0) << installed.output.toStdString();
    const QStringList files = {
        QStringLiteral("bin/orvine"),
        QStringLiteral("share/applications/") + AppId + QStringLiteral(".desktop"),
        QStringLiteral("share/icons/hicolor/scalable/apps/") + AppId + QStringLiteral(".svg"),
        QStringLiteral("share/metainfo/") + AppId + QStringLiteral(".metainfo.xml"),
        QStringLiteral("lib/orvine/orvine-preview.so"),
    };
    for (const QString &relative : files) {
        SCOPED_TRACE(relative.toStdString());
        EXPECT_TRUE(QFileInfo(file(relative)).isFile());
    }
    EXPECT_TRUE(QFileInfo(file(QStringLiteral("bin/orvine"))).isExecutable());
}

TEST_F(InstalledTree, TheDesktopEntryOpensHtmlFilesAndSpeaksBothLanguages)
{
    ASSERT_EQ(installed.exitCode, 0) << installed.output.toStdString();
    const QStringList lines
        = readText(file(QStringLiteral("share/applications/") + AppId + QStringLiteral(".desktop")))
              .split(u'\n');
    for (const char *line :
         {"Exec=orvine %F", "MimeType=text/html;", "Icon=org.orvine.Orvine", "Type=Application"}) {
        SCOPED_TRACE(line);
        EXPECT_TRUE(lines.contains(QLatin1String(line)));
    }
    for (const char *key : {"Name=", "Name[ja]=", "Comment=", "Comment[ja]="}) {
        SCOPED_TRACE(key);
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [key](const QString &l) {
            return l.startsWith(QLatin1String(key)) && l.size() > int(strlen(key));
        }));
    }
    const QString metainfo = readText(
        file(QStringLiteral("share/metainfo/") + AppId + QStringLiteral(".metainfo.xml")));
    EXPECT_TRUE(metainfo.contains(QStringLiteral("<release version=\"%1.%2.%3\"")
                                      .arg(ORVINE_VERSION_MAJOR)
                                      .arg(ORVINE_VERSION_MINOR)
                                      .arg(ORVINE_VERSION_PATCH)));
}

TEST_F(InstalledTree, TheInstalledProgramFindsItsGuideAndItsPagesOpen)
{
    ASSERT_EQ(installed.exitCode, 0) << installed.output.toStdString();
    const QString guide = file(QStringLiteral("share/orvine/orvine.qhc"));
    ASSERT_TRUE(QFileInfo(guide).isFile());
    ASSERT_TRUE(QFileInfo(file(QStringLiteral("share/orvine/orvine.qch"))).isFile());
    EXPECT_EQ(guideFileFor(file(QStringLiteral("bin"))), guide);

    // The guide works from where it was installed: the documentation it registers is found
    // beside it and its first page reads.
    QString error;
    ASSERT_TRUE(frmHelp::open(guide, frmHelp::View::Contents, &error)) << error.toStdString();
    frmHelp *window = frmHelp::instance();
    ASSERT_TRUE(window);
    EXPECT_EQ(window->txtPage->documentTitle(), QStringLiteral("Orvine ユーザーズガイド"));
    EXPECT_TRUE(window->txtPage->toPlainText().contains(QStringLiteral("ﾌｧｲﾙ メニュー")));
    delete window;
}

TEST_F(InstalledTree, TheInstalledProgramLoadsItsPreviewModuleAndShowsAPage)
{
    ASSERT_EQ(installed.exitCode, 0) << installed.output.toStdString();
    EXPECT_EQ(previewModuleFor(file(QStringLiteral("bin"))),
              file(QStringLiteral("lib/orvine/orvine-preview.so")));

    QTemporaryDir folder;
    const QString page = folder.filePath(QStringLiteral("page.htm"));
    QFile pageFile(page);
    ASSERT_TRUE(pageFile.open(QIODevice::WriteOnly));
    pageFile.write("<HTML><BODY>installed</BODY></HTML>\r\n");
    pageFile.close();
    const QString output = previewRunOutput(file(QStringLiteral("bin/orvine")), page);
    EXPECT_TRUE(output.contains(QStringLiteral("orvine: preview painted in ")))
        << output.toStdString();
}

TEST(GuideFile, IsFoundBesideTheProgramOrInTheInstalledDataFolder)
{
    QTemporaryDir root;
    const auto make = [&root](const QString &relative) { makeEmptyFile(root.path(), relative); };
    QDir().mkpath(root.filePath(QStringLiteral("bare/bin")));
    make(QStringLiteral("build/orvine.qhc"));
    make(QStringLiteral("usr/bin/orvine"));
    make(QStringLiteral("usr/share/orvine/orvine.qhc"));
    make(QStringLiteral("both/bin/orvine.qhc"));
    make(QStringLiteral("both/share/orvine/orvine.qhc"));
    QDir().mkpath(root.filePath(QStringLiteral("dir/bin/orvine.qhc"))); // a folder, not a guide
    const struct
    {
        const char *programFolder;
        const char *guide; // relative to root; empty: none
    } cases[] = {
        {"build", "build/orvine.qhc"},
        {"usr/bin", "usr/share/orvine/orvine.qhc"},
        {"both/bin", "both/bin/orvine.qhc"},
        {"bare/bin", ""},
        {"dir/bin", ""},
    };
    for (const auto &c : cases) {
        const QString expected = *c.guide ? root.filePath(QString::fromUtf8(c.guide)) : QString();
        EXPECT_EQ(guideFileFor(root.filePath(QString::fromUtf8(c.programFolder))), expected)
            << c.programFolder;
    }
}

TEST_F(InstalledTree, PassesTheDesktopValidators)
{
    ASSERT_EQ(installed.exitCode, 0) << installed.output.toStdString();
    struct Validator
    {
        QString program;
        QStringList arguments;
    };
    const QList<Validator> validators = {
        {QStringLiteral(ORVINE_DESKTOP_FILE_VALIDATE),
         {file(QStringLiteral("share/applications/") + AppId + QStringLiteral(".desktop"))}},
        {QStringLiteral(ORVINE_APPSTREAMCLI),
         {QStringLiteral("validate"), QStringLiteral("--no-net"),
          file(QStringLiteral("share/metainfo/") + AppId + QStringLiteral(".metainfo.xml"))}},
    };
    int ran = 0;
    for (const Validator &v : validators) {
        if (v.program.isEmpty())
            continue; // not installed on this machine
        SCOPED_TRACE(v.program.toStdString());
        const ProgramRun result = run(v.program, v.arguments);
        EXPECT_EQ(result.exitCode, 0) << result.output.toStdString();
        ++ran;
    }
    if (ran == 0)
        GTEST_SKIP() << "neither desktop-file-validate nor appstreamcli is installed";
}

#endif
