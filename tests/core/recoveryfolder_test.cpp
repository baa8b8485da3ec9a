#include "core/recoveryfolder.h"

#include "core/recoveryrecord.h"
#include "core/recoverywriter.h"
#include "support/qstringprinter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

mode_t modeOf(const QString &path)
{
    struct stat info = {};
    ::stat(QFile::encodeName(path).constData(), &info);
    return info.st_mode & 0777;
}

RecoveryRecord recordOf(const QString &text)
{
    RecoveryRecord record;
    record.caption = QStringLiteral("NewHtml1.htm");
    record.text = text;
    record.taken = QDateTime::currentDateTime();
    return record;
}

QString writtenText(const QString &file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return QStringLiteral("(unreadable)");
    const std::optional<RecoveryRecord> record = decodeRecoveryRecord(in.readAll());
    return record ? record->text : QStringLiteral("(undecodable)");
}

class RecoveryFolderTest : public ::testing::Test
{
protected:
    QTemporaryDir scratch;
    QString root() const { return scratch.filePath(QStringLiteral("recovery")); }
};

// The folder and the files are the user's alone; another user cannot even read them (checked
// in a child process that gives up root).
TEST_F(RecoveryFolderTest, FilesAreTheUsersAlone)
{
    RecoveryFolder folder(root());
    ASSERT_TRUE(folder.problem().isEmpty()) << folder.problem().toStdString();
    const QString file = folder.fileFor(1);
    int error = 0;
    ASSERT_TRUE(
        writeRecoveryFile(file, encodeRecoveryRecord(recordOf(QStringLiteral("秘密"))), &error));
    EXPECT_EQ(modeOf(root()), 0700u);
    EXPECT_EQ(modeOf(QFileInfo(file).absolutePath()), 0700u);
    EXPECT_EQ(modeOf(file), 0600u);

    ::chmod(QFile::encodeName(scratch.path()).constData(), 0755);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(2);
        const QByteArray name = QFile::encodeName(file);
        ::_exit(::open(name.constData(), O_RDONLY) >= 0 ? 1 : 0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

// Files of a living instance are never offered; once that instance is gone they are, to one
// start only; a clean end leaves nothing behind.
TEST_F(RecoveryFolderTest, OnlyTheFilesOfAnInstanceThatIsGoneAreOffered)
{
    auto first = std::make_unique<RecoveryFolder>(root());
    const QString left = first->fileFor(7);
    int error = 0;
    ASSERT_TRUE(
        writeRecoveryFile(left, encodeRecoveryRecord(recordOf(QStringLiteral("a"))), &error));

    RecoveryFolder second(root());
    EXPECT_TRUE(second.adoptOrphans().isEmpty());

    first.reset(); // as a crash would leave it: the file stays, the lock goes
    ASSERT_TRUE(QFile::exists(left));
    EXPECT_EQ(second.adoptOrphans(), QStringList{left});

    RecoveryFolder third(root());
    EXPECT_TRUE(third.adoptOrphans().isEmpty()) << "adopted by the second start already";

    second.discard(left);
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(left).absolutePath()));
}

TEST_F(RecoveryFolderTest, CleanEndRemovesTheInstancesFolder)
{
    QString own;
    {
        RecoveryFolder folder(root());
        own = QFileInfo(folder.fileFor(1)).absolutePath();
        EXPECT_TRUE(QFileInfo(own).isDir());
    }
    EXPECT_FALSE(QFileInfo::exists(own));
    EXPECT_TRUE(QDir(root()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

// A recovery folder that cannot be made is reported, and writes into it fail with their error.
TEST_F(RecoveryFolderTest, AFolderThatCannotBeMadeIsReported)
{
    QFile blocker(scratch.filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    RecoveryFolder folder(blocker.fileName() + QStringLiteral("/recovery"));
    EXPECT_FALSE(folder.problem().isEmpty());
    EXPECT_TRUE(folder.fileFor(1).isEmpty());
    int error = 0;
    EXPECT_FALSE(writeRecoveryFile(blocker.fileName() + QStringLiteral("/x.orvrec"), "x", &error));
    EXPECT_NE(error, 0);
}

// Jobs for one file replace each other: whatever came in last is what stays on the disk, and
// a removal handed over after a write wins.
TEST_F(RecoveryFolderTest, TheWriterKeepsTheNewestTextOfEachFile)
{
    RecoveryFolder folder(root());
    QStringList failures;
    {
        RecoveryWriter writer([&](const QString &file, int) { failures << file; });
        for (int i = 0; i < 200; ++i) {
            writer.write(folder.fileFor(1), recordOf(QStringLiteral("first %1").arg(i)));
            writer.write(folder.fileFor(2), recordOf(QStringLiteral("second %1").arg(i)));
        }
        writer.flush();
        EXPECT_EQ(writtenText(folder.fileFor(1)), QStringLiteral("first 199"));
        EXPECT_EQ(writtenText(folder.fileFor(2)), QStringLiteral("second 199"));
        writer.write(folder.fileFor(2), recordOf(QStringLiteral("third")));
        writer.remove(folder.fileFor(2));
        writer.write(folder.fileFor(1), recordOf(QStringLiteral("last")));
    } // the writer finishes its jobs before it ends
    EXPECT_EQ(writtenText(folder.fileFor(1)), QStringLiteral("last"));
    EXPECT_FALSE(QFile::exists(folder.fileFor(2)));
    EXPECT_TRUE(failures.isEmpty());
    // No temporary file of a write is left beside them.
    EXPECT_EQ(QDir(QFileInfo(folder.fileFor(1)).absolutePath()).entryList(QDir::Files).size(), 2);
}

} // namespace
