#include "mainwindow/folderlisting.h"

#include "support/qstringprinter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

void touch(const QString &path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
}

class FolderListingTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(scratch.isValid());
        QDir root(scratch.path());
        for (const char *folder : {"img", "Docs", "apple", ".git"})
            ASSERT_TRUE(root.mkdir(QLatin1String(folder)));
        for (const char *file :
             {"a.JPG", "b.cgi", "c.HTML", "d.txt", ".hidden.htm", "B.htm", "写真.png"})
            touch(root.filePath(QString::fromUtf8(file)));
        // A link to a folder lists as a folder.
        ASSERT_TRUE(QFile::link(root.filePath(QStringLiteral("img")),
                                root.filePath(QStringLiteral("linked"))));
    }

    QTemporaryDir scratch;
};

} // namespace

TEST_F(FolderListingTest, BothModesHideDotNamesAndSortByNameWithoutCase)
{
    struct Case
    {
        const char *name;
        bool windowsCheck;
        QStringList files;
    };
    const Case cases[] = {
        {"windows check", true, {"a.JPG", "b.cgi", "B.htm", "c.HTML", "写真.png"}},
        {"plain listing", false, {"a.JPG", "B.htm", "c.HTML", "写真.png"}},
    };
    for (const Case &c : cases) {
        const FolderListing listing = listFolder(scratch.path(), c.windowsCheck);
        EXPECT_TRUE(listing.ok()) << c.name;
        EXPECT_EQ(listing.folders, (QStringList{"apple", "Docs", "img", "linked"})) << c.name;
        EXPECT_EQ(listing.files, c.files) << c.name;
    }
}

TEST_F(FolderListingTest, AFolderThatIsGoneOrIsAFileIsPathNotFound)
{
    EXPECT_EQ(listFolder(scratch.filePath(QStringLiteral("gone")), true).errorNumber, 76);
    EXPECT_EQ(listFolder(scratch.filePath(QStringLiteral("c.HTML")), true).errorNumber, 76);
}

// Root reads every folder, so the listing runs as the unprivileged user in a child process.
TEST_F(FolderListingTest, AFolderWithoutReadPermissionIsPermissionDenied)
{
    const QString locked = scratch.filePath(QStringLiteral("locked"));
    ASSERT_TRUE(QDir().mkdir(locked));
    ASSERT_TRUE(QFile::setPermissions(scratch.path(), QFile::Permissions(0x7777)));
    ASSERT_TRUE(QFile::setPermissions(locked, QFile::Permissions()));
    int result = -1;
    if (::geteuid() != 0) {
        result = listFolder(locked, true).errorNumber;
    } else {
        const passwd *nobody = ::getpwnam("nobody");
        ASSERT_TRUE(nobody);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0)
                ::_exit(255);
            ::_exit(listFolder(locked, true).errorNumber);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        result = WEXITSTATUS(status);
    }
    QFile::setPermissions(locked, QFile::Permissions(0x7700));
    EXPECT_EQ(result, 70);
}
