#include "app/startfiles.h"

#include "app/commandline.h"
#include "app/singleinstance.h"
#include "core/nativepath.h"
#include "support/qstringprinter.h"
#include "support/spinefixture.h"

#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

TEST(CommandLine, NamesBecomeFullCleanPaths)
{
    struct Case
    {
        const char *what;
        QStringList arguments;
        QStringList paths;
    };
    const QString here = QStringLiteral("/home/user/web");
    const QList<Case> cases = {
        {"none", {}, {}},
        {"relative", {QStringLiteral("index.htm")}, {QStringLiteral("/home/user/web/index.htm")}},
        {"up a folder", {QStringLiteral("../a.htm")}, {QStringLiteral("/home/user/a.htm")}},
        {"absolute, in order",
         {QStringLiteral("/tmp/b.htm"), QStringLiteral("a.htm")},
         {QStringLiteral("/tmp/b.htm"), QStringLiteral("/home/user/web/a.htm")}},
        {"a file address",
         {QStringLiteral("file:///tmp/%E6%97%A5%E6%9C%AC.htm")},
         {QStringLiteral("/tmp/日本.htm")}},
        {"a Japanese name",
         {QStringLiteral("日本語.html")},
         {QStringLiteral("/home/user/web/日本語.html")}},
        {"an empty argument", {QString()}, {}},
        // Names from old archives are Shift-JIS bytes (テ.htm): they keep their bytes.
        {"a Shift-JIS name",
         {pathFromNative(QByteArray("\x83\x65.htm"))},
         {pathFromNative(QByteArray("/home/user/web/\x83\x65.htm"))}},
        {"a file address with Shift-JIS bytes",
         {QStringLiteral("file:///tmp/%83e.htm")},
         {pathFromNative(QByteArray("/tmp/\x83\x65.htm"))}},
        {"a file address written in Shift-JIS bytes",
         {pathFromNative(QByteArray("file:///tmp/\x83\x65.htm"))},
         {pathFromNative(QByteArray("/tmp/\x83\x65.htm"))}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(documentPaths(c.arguments, here), c.paths);
    }
}

using StartFiles = SpineTest;

TEST_F(StartFiles, FilesOnTheCommandLineOpenWithoutTheTemplateQuestion)
{
    writeBytes(path(QStringLiteral("a.htm")), "<P>a");
    writeBytes(path(QStringLiteral("b.htm")), "<P>b");
    ScriptedInteraction ui; // a template dialog would be an unexpected prompt
    openStartFiles({path(QStringLiteral("a.htm")), path(QStringLiteral("b.htm"))});
    ASSERT_EQ(frame->documents().size(), 2);
    EXPECT_EQ(frame->documents()[0]->caption(), path(QStringLiteral("a.htm")));
    EXPECT_EQ(frame->documents()[1]->txtText->text(), QStringLiteral("<P>b"));
}

TEST_F(StartFiles, WithoutFilesTheTemplateQuestionComes)
{
    ScriptedInteraction ui;
    ui.expectDialog(QStringLiteral("dlgOpenHtml"),
                    [](QDialog &d) { clickControl(d, QStringLiteral("CancelButton")); });
    openStartFiles({});
    EXPECT_EQ(ui.pendingCount(), 0);
}

TEST_F(StartFiles, BadArgumentsGetTheirMessagesAndTheRestStillOpen)
{
    writeBytes(path(QStringLiteral("good.htm")), "ok");
    QDir(scratch.path()).mkdir(QStringLiteral("folder"));
    struct Case
    {
        const char *what;
        QString argument;
        QString message;
        Interaction::Icon icon;
    };
    const QList<Case> cases = {
        {"a missing file", path(QStringLiteral("missing.htm")),
         path(QStringLiteral("missing.htm"))
             + QStringLiteral("は見つかりません。\r\n新しいﾌｧｲﾙを作成しますか？"),
         Interaction::Icon::Question},
        {"a folder", path(QStringLiteral("folder")),
         QStringLiteral("ｴﾗｰﾙｰﾁﾝ >> ReadDoc()\r\nｴﾗｰｺｰﾄﾞ >> 75"), Interaction::Icon::Warning},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedInteraction ui;
        ui.expectMessage(c.message, Interaction::Answer::No);
        openStartFiles({c.argument, path(QStringLiteral("good.htm"))});
        EXPECT_EQ(ui.log().constFirst().message.icon, c.icon);
        ASSERT_EQ(frame->documents().size(), 1);
        EXPECT_EQ(frame->documents()[0]->caption(), path(QStringLiteral("good.htm")));
    }
}

#ifdef ORVINE_PROGRAM
// The test is the running program; the built program is started a second time beside it,
// with the same private runtime folder.
TEST_F(StartFiles, ASecondStartHandsItsFilesToTheRunningProgram)
{
    QTemporaryDir runtime;
    ASSERT_TRUE(runtime.isValid());
    SingleInstance running(runtime.filePath(QStringLiteral("orvine.lock")));
    ASSERT_TRUE(running.isFirst());
    QStringList handed;
    running.setReceiver([&handed](const QStringList &files) {
        handed << files;
        openHandedFiles(files);
    });
    writeBytes(path(QStringLiteral("second.htm")), "<P>second");
    ScriptedInteraction ui;

    struct Case
    {
        const char *what;
        QStringList arguments;
        QStringList handedAfter;
    };
    const QList<Case> cases = {
        {"without files it ends silently", {}, {}},
        {"a relative name arrives as a full path",
         {QStringLiteral("second.htm")},
         {path(QStringLiteral("second.htm"))}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QProcess second;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        second.setProcessEnvironment(environment);
        second.setWorkingDirectory(scratch.path());
        QSignalSpy finished(&second, &QProcess::finished);
        second.start(QStringLiteral(ORVINE_PROGRAM), c.arguments);
        ASSERT_TRUE(second.waitForStarted(10000));
        ASSERT_TRUE(finished.wait(20000)) << "the second start ends";
        EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
        EXPECT_EQ(handed, c.handedAfter);
    }
    ASSERT_EQ(frame->documents().size(), 1);
    EXPECT_EQ(frame->documents()[0]->txtText->text(), QStringLiteral("<P>second"));
}

// A name that is not UTF-8 given on the command line reaches the running program as its bytes.
// QProcess would pass it through Qt's UTF-8, so the program is started with the bytes directly.
TEST_F(StartFiles, ASecondStartHandsOverNamesThatAreNotUtf8)
{
    QTemporaryDir runtime;
    ASSERT_TRUE(runtime.isValid());
    SingleInstance running(runtime.filePath(QStringLiteral("orvine.lock")));
    ASSERT_TRUE(running.isFirst());
    QStringList handed;
    running.setReceiver([&handed](const QStringList &files) { handed << files; });

    const QByteArray folder = QFile::encodeName(scratch.path());
    const QByteArray program = ORVINE_PROGRAM;
    const QByteArray absolute = folder + "/\x83\x65\x83\x58\x83\x67.htm";
    const QByteArray relative = "\x93\xfa\x96\x7b.htm";
    std::vector<QByteArray> environment;
    for (char **entry = environ; *entry; ++entry) {
        const QByteArray variable(*entry);
        if (!variable.startsWith("XDG_RUNTIME_DIR=") && !variable.startsWith("QT_QPA_PLATFORM="))
            environment.push_back(variable);
    }
    environment.push_back("XDG_RUNTIME_DIR=" + QFile::encodeName(runtime.path()));
    environment.push_back("QT_QPA_PLATFORM=offscreen");
    std::vector<char *> envp;
    for (QByteArray &variable : environment)
        envp.push_back(variable.data());
    envp.push_back(nullptr);
    char *argv[]
        = {const_cast<char *>(program.constData()), const_cast<char *>(absolute.constData()),
           const_cast<char *>(relative.constData()), nullptr};

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::chdir(folder.constData()) == 0)
            ::execve(argv[0], argv, envp.data());
        ::_exit(127);
    }
    int status = -1;
    const bool ended
        = QTest::qWaitFor([&] { return ::waitpid(child, &status, WNOHANG) == child; }, 20000);
    if (!ended) {
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
    }
    ASSERT_TRUE(ended) << "the second start ends";
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(handed,
              (QStringList{pathFromNative(absolute), pathFromNative(folder + '/' + relative)}));
}
#endif

TEST(SingleInstanceHandOver, TheSocketLiesBesideTheLock)
{
    QTemporaryDir runtime;
    SingleInstance running(runtime.filePath(QStringLiteral("orvine.lock")));
    ASSERT_TRUE(running.isFirst());
    SingleInstance later(runtime.filePath(QStringLiteral("orvine.lock")));
    ASSERT_FALSE(later.isFirst());
    EXPECT_EQ(later.socketPath(), runtime.filePath(QStringLiteral("orvine.socket")));
}
