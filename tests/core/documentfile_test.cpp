#include "core/documentfile.h"

#include "core/nativepath.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

mode_t modeOf(const QString &path)
{
    struct stat info;
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// A folder that the unprivileged user can reach and write to (QTemporaryDir makes it private).
struct SharedFolder
{
    QTemporaryDir dir;
    SharedFolder() { ::chmod(QFile::encodeName(dir.path()).constData(), 0777); }
    QString path(const QString &name) const { return dir.filePath(name); }
};

// Runs `check` in a forked child and returns what it reported: empty when all went well.
// Lets a test drop root's privileges or limit resources without touching the test process.
std::string inChild(const std::function<QString()> &check)
{
    int channel[2];
    if (::pipe(channel) != 0)
        return "no pipe";
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(channel[0]);
        const QByteArray message = check().toUtf8();
        const ssize_t written = ::write(channel[1], message.constData(), size_t(message.size()));
        ::_exit(written == message.size() ? 0 : 1);
    }
    ::close(channel[1]);
    QByteArray message;
    char buffer[256];
    for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        message.append(buffer, got);
    ::close(channel[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "child process failed";
    return message.toStdString();
}

bool becomeNobody()
{
    const passwd *nobody = ::getpwnam("nobody");
    return nobody && ::setgroups(0, nullptr) == 0 && ::setgid(nobody->pw_gid) == 0
           && ::setuid(nobody->pw_uid) == 0;
}

QString expectRefused(const QString &path, int number, const QByteArray &before)
{
    const WriteResult result = writeDocumentFile(path, QStringLiteral("new"));
    if (result.error.number != number)
        return QStringLiteral("error %1, expected %2").arg(result.error.number).arg(number);
    if (result.error.description.isEmpty())
        return QStringLiteral("no description");
    if (readBytes(path) != before)
        return QStringLiteral("the old file changed");
    return QString();
}

} // namespace

// A page never saved (no lines of a file to follow): every break is written CR LF and one more
// CR LF ends the file.
TEST(DocumentFileWrite, LineBreaksBecomeCrLfAndOneMoreCrLfEnds)
{
    const struct
    {
        QString text;
        QByteArray written;
    } cases[] = {
        {QString(), "\r\n"},
        {QStringLiteral("a\nb"), "a\r\nb\r\n"},
        {QStringLiteral("a\rb"), "a\r\nb\r\n"},
        {QStringLiteral("a\r\nb\r\n"), "a\r\nb\r\n\r\n"},
        {QStringLiteral("a\r\r\nb\n\n"), "a\r\n\r\nb\r\n\r\n\r\n"},
        {QStringLiteral("\n\r"), "\r\n\r\n\r\n"},
        {QStringLiteral("😀\n"), "&#x1F600;\r\n\r\n"},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.htm"));
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        ASSERT_TRUE(writeDocumentFile(path, c.text).error.ok());
        EXPECT_EQ(readBytes(path), c.written);
    }
}

TEST(DocumentFileWrite, ReadAndSavedAgainKeepsEveryByteAndAddsCrLf)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.htm"));
    // LF-only breaks, Japanese, half-width katakana, a byte no code uses, a cut-off lead byte
    const QByteArray original("<p>\x93\xfa\x96\x7b\x8c\xea\n\xb1\xb2\x80\xff\n\x82");
    writeBytes(path, original);
    const ReadResult read = readDocumentFile(path);
    ASSERT_TRUE(read.error.ok());
    EXPECT_EQ(read.text, QStringLiteral("<p>日本語\nｱｲ\xDC80\xDCFF\n\xDC82"));
    const WriteResult written = writeDocumentFile(path, read.text);
    ASSERT_TRUE(written.error.ok());
    EXPECT_EQ(written.encoding.unmappable, 0);
    EXPECT_EQ(readBytes(path), "<p>\x93\xfa\x96\x7b\x8c\xea\r\n\xb1\xb2\x80\xff\r\n\x82\r\n");
    // saved again as a page never saved, without the lines of the file: one more CR LF
    ASSERT_TRUE(writeDocumentFile(path, readDocumentFile(path).text).error.ok());
    EXPECT_TRUE(readBytes(path).endsWith("\x82\r\n\r\n"));
}

// Saved with the lines it was read as, a file comes back byte for byte, again and again, and
// what the save reports it wrote is what the file holds.
TEST(DocumentFileWrite, ReadAndSavedWithItsLinesKeepsEveryByte)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.htm"));
    const QByteArray original("<p>\x93\xfa\x96\x7b\x8c\xea\n\xb1\xb2\x80\xff\r\n\xED\x40\r\x82");
    writeBytes(path, original);
    ReadResult read = readDocumentFile(path);
    ASSERT_TRUE(read.error.ok());
    std::shared_ptr<const FileLines> lines = read.lines;
    for (int save = 0; save < 3; ++save) {
        const WriteResult written = writeDocumentFile(path, read.text, read.encoding, lines);
        ASSERT_TRUE(written.error.ok());
        EXPECT_EQ(readBytes(path), original);
        ASSERT_TRUE(written.lines);
        EXPECT_EQ(written.lines->bytes(), original);
        lines = written.lines;
    }
    // A line typed at the top ends as most lines of the file do (here: each kind once, CR LF).
    ASSERT_TRUE(writeDocumentFile(path, QStringLiteral("x\r\n") + read.text, read.encoding, lines)
                    .error.ok());
    EXPECT_EQ(readBytes(path), "x\r\n" + original);
    // A failed write leaves the lines of the file as they were: nothing is reported.
    const WriteResult failed = writeDocumentFile(dir.filePath(QStringLiteral("no folder/page.htm")),
                                                 read.text, read.encoding, lines);
    EXPECT_FALSE(failed.error.ok());
    EXPECT_FALSE(failed.lines);
}

// Saves that follow each other at once, each with the lines the one before it wrote (found on
// another thread), keep the bytes of every line the user left alone, in every encoding.
TEST(DocumentFileWrite, SavesInQuickSuccessionKeepTheLinesOfTheSaveBefore)
{
    QTemporaryDir dir;
    for (const TextEncoding encoding : textEncodings) {
        SCOPED_TRACE(int(encoding));
        const QString path = dir.filePath(QStringLiteral("page%1.htm").arg(int(encoding)));
        QString text = QStringLiteral("<P>日本語のページ</P>\nｶﾀｶﾅ、①と髙\n最後の行");
        ASSERT_TRUE(writeDocumentFile(path, text, encoding).error.ok());
        const QByteArray first = readBytes(path);
        const ReadResult read = readDocumentFile(path, encoding);
        ASSERT_TRUE(read.error.ok());
        text = read.text;
        FileLinesSnapshot lines = read.lines;
        for (int save = 0; save < 20; ++save) {
            text = QStringLiteral("<!-- %1 -->\r\n").arg(save) + text;
            const WriteResult written = writeDocumentFile(path, text, encoding, lines);
            ASSERT_TRUE(written.error.ok());
            lines = written.lines;
        }
        // The lines first written are still the file's last bytes, and the file reads as the text.
        const QByteArray bytes = readBytes(path);
        const qsizetype mark
            = encoding == TextEncoding::Utf8Bom                                              ? 3
              : encoding == TextEncoding::Utf16LeBom || encoding == TextEncoding::Utf16BeBom ? 2
                                                                                             : 0;
        EXPECT_TRUE(bytes.endsWith(first.mid(mark)));
        EXPECT_EQ(lines->bytes(), bytes);
        EXPECT_EQ(readDocumentFile(path, encoding).text, text);
    }
}

TEST(DocumentFileRead, EmptyFileAndErrors)
{
    QTemporaryDir dir;
    writeBytes(dir.filePath(QStringLiteral("empty.htm")), QByteArray());
    const ReadResult empty = readDocumentFile(dir.filePath(QStringLiteral("empty.htm")));
    EXPECT_TRUE(empty.error.ok());
    EXPECT_TRUE(empty.text.isEmpty());

    const struct
    {
        QString path;
        int number;
    } cases[] = {
        {dir.filePath(QStringLiteral("missing.htm")), 53},
        {dir.filePath(QStringLiteral("no folder/missing.htm")), 76},
        {dir.filePath(QStringLiteral("empty.htm/inside.htm")), 76},
        {dir.path(), 75},
        {QString(), 75},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        const ReadResult result = readDocumentFile(c.path);
        EXPECT_EQ(result.error.number, c.number);
        EXPECT_FALSE(result.error.description.isEmpty());
    }
}

TEST(DocumentFileWrite, RefusedTargetsAreLeftAlone)
{
    SharedFolder folder;
    const QString readOnlyFile = folder.path(QStringLiteral("locked.htm"));
    writeBytes(readOnlyFile, "old");
    ::chmod(QFile::encodeName(readOnlyFile).constData(), 0444);
    const QString readOnlyFolder = folder.path(QStringLiteral("locked"));
    QDir().mkdir(readOnlyFolder);
    writeBytes(readOnlyFolder + QStringLiteral("/page.htm"), "old");
    ::chmod(QFile::encodeName(readOnlyFolder + QStringLiteral("/page.htm")).constData(), 0666);
    ::chmod(QFile::encodeName(readOnlyFolder).constData(), 0555);

    const struct
    {
        QString path;
        int number;
        QByteArray before;
    } cases[] = {
        {readOnlyFile, 75, "old"},
        {readOnlyFolder + QStringLiteral("/page.htm"), 75, "old"},
        {readOnlyFolder + QStringLiteral("/new.htm"), 75, "<unreadable>"},
        {folder.path(QStringLiteral("no folder/page.htm")), 76, "<unreadable>"},
        {readOnlyFolder, 75, "<unreadable>"},
    };
    // As this user (root in CI, who ignores permission bits) and as an unprivileged user.
    for (bool unprivileged : {false, true}) {
        for (const auto &c : cases) {
            SCOPED_TRACE(c.path.toStdString());
            const std::string report = inChild([&] {
                if (unprivileged && !becomeNobody())
                    return QStringLiteral("cannot become nobody");
                return expectRefused(c.path, c.number, c.before);
            });
            EXPECT_EQ(report, "") << (unprivileged ? "unprivileged" : "as this user");
        }
    }
    EXPECT_EQ(entries(readOnlyFolder), QStringList{QStringLiteral("page.htm")});
    ::chmod(QFile::encodeName(readOnlyFolder).constData(), 0755);
}

TEST(DocumentFileWrite, ModeIsKeptAndNewFilesAreReadable)
{
    QTemporaryDir dir;
    const QString existing = dir.filePath(QStringLiteral("page.htm"));
    writeBytes(existing, "old");
    ::chmod(QFile::encodeName(existing).constData(), 0751);
    ASSERT_TRUE(writeDocumentFile(existing, QStringLiteral("new")).error.ok());
    EXPECT_EQ(readBytes(existing), "new\r\n");
    EXPECT_EQ(modeOf(existing), mode_t(0751));

    const mode_t mask = ::umask(022);
    const QString created = dir.filePath(QStringLiteral("new.htm"));
    const bool ok = writeDocumentFile(created, QStringLiteral("new")).error.ok();
    ::umask(mask);
    ASSERT_TRUE(ok);
    EXPECT_EQ(modeOf(created), mode_t(0644)); // a web server must be able to read the page
}

TEST(DocumentFileRead, UnreadableFileIsReportedAsAReadingError)
{
    SharedFolder folder;
    const QString path = folder.path(QStringLiteral("secret.htm"));
    writeBytes(path, "secret");
    ::chmod(QFile::encodeName(path).constData(), 0600);
    EXPECT_EQ(inChild([&] {
                  if (!becomeNobody())
                      return QStringLiteral("cannot become nobody");
                  const FileError error = readDocumentFile(path).error;
                  if (error.number != 70)
                      return QStringLiteral("error %1").arg(error.number);
                  // The user is told that reading failed, not writing.
                  if (error.description != QStringLiteral("ファイルを読み込む権限がありません。"))
                      return QStringLiteral("description: ") + error.description;
                  return QString();
              }),
              "");
}

// A save that runs out of room fails, and the old file stays byte for byte, with no temporary
// file left behind. The room runs out on a small tmpfs where mounting is allowed, and through
// the file size limit everywhere.
TEST(DocumentFileWrite, FullDiskLeavesTheOldFileAlone)
{
    SharedFolder folder;
    const QByteArray old = "<p>old page</p>\r\n";
    // 120 KiB written in two chunks: the room runs out inside the last one, whose write then
    // comes back short without any error flagged.
    const QString bigText = QString(60 * 1024, QChar(u'あ'));
    const std::string fileSizeLimit = inChild([&] {
        const QString path = folder.path(QStringLiteral("page.htm"));
        writeBytes(path, old);
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{100 * 1024, 100 * 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const WriteResult result = writeDocumentFile(path, bigText);
        if (result.error.ok())
            return QStringLiteral("reported success");
        if (readBytes(path) != old)
            return QStringLiteral("the old file changed");
        return QString();
    });
    EXPECT_EQ(fileSizeLimit, "");
    EXPECT_EQ(entries(folder.dir.path()), QStringList{QStringLiteral("page.htm")});

    const std::string tmpfs = inChild([&] {
        const QByteArray mountPoint = QFile::encodeName(folder.dir.path());
        if (::unshare(CLONE_NEWNS) != 0
            || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
            || ::mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=256k") != 0)
            return QStringLiteral("skip");
        const QString path = folder.path(QStringLiteral("page.htm"));
        writeBytes(path, old);
        QFile filler(folder.path(QStringLiteral("filler")));
        filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size()) {}
        filler.resize(filler.size() - 100 * 1024);
        filler.close();
        const WriteResult result = writeDocumentFile(path, bigText);
        if (result.error.number != 61)
            return QStringLiteral("error %1, expected 61").arg(result.error.number);
        if (readBytes(path) != old)
            return QStringLiteral("the old file changed");
        const QStringList left = entries(folder.dir.path());
        if (left != QStringList{QStringLiteral("filler"), QStringLiteral("page.htm")})
            return QStringLiteral("left behind: ") + left.join(u' ');
        return QString();
    });
    if (tmpfs == "skip")
        GTEST_SKIP() << "mounting a tmpfs is not allowed here";
    EXPECT_EQ(tmpfs, "");
}

namespace {

// The names in a folder as the file system gives them, bytes and all.
QList<QByteArray> nativeEntries(const QByteArray &folder)
{
    QList<QByteArray> names;
    if (DIR *dir = ::opendir(folder.constData())) {
        while (const dirent *entry = ::readdir(dir))
            if (qstrcmp(entry->d_name, ".") != 0 && qstrcmp(entry->d_name, "..") != 0)
                names << QByteArray(entry->d_name);
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool writeNative(const QByteArray &path, const QByteArray &bytes)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    return ::close(fd) == 0 && ok;
}

// QTemporaryDir cannot remove names that are not UTF-8: they go first.
void removeOldNames(const QByteArray &folder)
{
    for (const QByteArray &name : nativeEntries(folder))
        if (!name.isValidUtf8())
            ::unlink((folder + '/' + name).constData());
}

QByteArray readNative(const QByteArray &path)
{
    QByteArray bytes;
    const int fd = ::open(path.constData(), O_RDONLY);
    if (fd < 0)
        return "<unreadable>";
    char buffer[4096];
    for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, got);
    ::close(fd);
    return bytes;
}

} // namespace

// Names unpacked from old archives are Shift-JIS bytes. Such a file reads, and is written in
// place through a temporary file beside it: no second file appears, the mode stays.
TEST(DocumentFileNames, AFileWhoseNameIsNotUtf8ReadsAndSavesInPlace)
{
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.path());
    const struct
    {
        const char *what;
        QByteArray name;
    } cases[] = {
        {"Shift-JIS テスト.htm", "\x83\x65\x83\x58\x83\x67.htm"},
        {"Shift-JIS 日本語.html", "\x93\xfa\x96\x7b\x8c\xea.html"},
        {"EUC-JP with a UTF-8 twin", "\xA5\xC6\xA5\xB9\xA5\xC8.htm"},
        {"Latin-1", "caf\xE9.htm"},
        {"a name as long as names get", QByteArray(251, '\x83') + ".htm"},
    };
    // A UTF-8 file whose name shows the same: it must not be touched.
    const QByteArray twin = "\xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88.htm";
    ASSERT_TRUE(writeNative(folder + '/' + twin, "twin"));
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QByteArray native = folder + '/' + c.name;
        ASSERT_TRUE(writeNative(native, "<P>\x93\xfa\x96\x7b</P>\r\n"));
        ::chmod(native.constData(), 0640);
        const QList<QByteArray> before = nativeEntries(folder);
        const QString path = pathFromNative(native);

        const ReadResult read = readDocumentFile(path);
        ASSERT_TRUE(read.error.ok()) << read.error.number;
        EXPECT_EQ(read.text, QStringLiteral("<P>日本</P>\r\n"));

        const WriteResult written = writeDocumentFile(path, QStringLiteral("<P>語</P>"));
        ASSERT_TRUE(written.error.ok()) << written.error.number;
        EXPECT_EQ(readNative(native), "<P>\x8c\xea</P>\r\n");
        struct stat info;
        ASSERT_EQ(::stat(native.constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, mode_t(0640));
        EXPECT_EQ(nativeEntries(folder), before);
        EXPECT_EQ(readNative(folder + '/' + twin), "twin");
    }
    removeOldNames(folder);
}

// What a document remembers of its file tells a later change by another program from its own
// save: the stamp of a read and of a write is the file as it is then, and a rewrite, a
// replacement by rename (same size, same time) or a removal gives another stamp.
TEST(DocumentFileNames, StampsTellAnotherProgramsChangeFromOurOwnSave)
{
    QTemporaryDir dir;
    const QString path = pathFromNative(QFile::encodeName(dir.path()) + "/\x83\x65.htm");
    const QByteArray native = nativePath(path);
    ASSERT_TRUE(writeNative(native, "first"));

    const ReadResult read = readDocumentFile(path);
    ASSERT_TRUE(read.error.ok());
    EXPECT_TRUE(read.stamp.exists);
    EXPECT_EQ(read.stamp, fileStampOf(path));

    const WriteResult written = writeDocumentFile(path, QStringLiteral("mine"));
    ASSERT_TRUE(written.error.ok());
    EXPECT_EQ(written.stamp, fileStampOf(path));
    EXPECT_NE(written.stamp, read.stamp);

    // Another program saves by writing a new file and renaming it over, with the same size and
    // the same modification time.
    struct stat info;
    ASSERT_EQ(::stat(native.constData(), &info), 0);
    const QByteArray other = QFile::encodeName(dir.path()) + "/other";
    ASSERT_TRUE(writeNative(other, readNative(native).replace("mine", "MINE")));
    const timespec times[2] = {info.st_atim, info.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, other.constData(), times, 0), 0);
    ASSERT_EQ(::rename(other.constData(), native.constData()), 0);
    EXPECT_NE(fileStampOf(path), written.stamp);

    ASSERT_TRUE(writeNative(native, "longer content"));
    EXPECT_NE(fileStampOf(path), written.stamp);

    ::unlink(native.constData());
    EXPECT_FALSE(fileStampOf(path).exists);
    EXPECT_FALSE(fileStampOf(dir.path()).exists); // a folder is not a document's file
    EXPECT_FALSE(writeDocumentFile(dir.filePath(QStringLiteral("no/such.htm")), QStringLiteral("x"))
                     .stamp.exists);
}

// A page reached through a link is saved into the file the link names; the link stays a link.
// A circle of links is refused and left as it was.
TEST(DocumentFileWrite, ALinkStaysALinkAndItsFileGetsTheText)
{
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.path());
    ASSERT_EQ(::mkdir((folder + "/site").constData(), 0755), 0);
    ASSERT_TRUE(writeNative(folder + "/site/real.htm", "old"));
    const struct
    {
        const char *what;
        QByteArray link;
        QByteArray target;
        QByteArray file; // what the link leads to
    } cases[] = {
        {"relative", "/rel.htm", "site/real.htm", "/site/real.htm"},
        {"absolute", "/abs.htm", folder + "/site/real.htm", "/site/real.htm"},
        {"link to a link", "/twice.htm", "rel.htm", "/site/real.htm"},
        {"to a file not there yet", "/dangling.htm", "site/new.htm", "/site/new.htm"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(::symlink(c.target.constData(), (folder + c.link).constData()), 0);
        const WriteResult result
            = writeDocumentFile(pathFromNative(folder + c.link), QStringLiteral("new"));
        ASSERT_TRUE(result.error.ok()) << result.error.number;
        struct stat info;
        ASSERT_EQ(::lstat((folder + c.link).constData(), &info), 0);
        EXPECT_TRUE(S_ISLNK(info.st_mode));
        EXPECT_TRUE(readNative(folder + c.file).startsWith("new"));
        EXPECT_EQ(result.stamp, fileStampOf(pathFromNative(folder + c.link)));
    }
    ASSERT_EQ(::symlink("circle2.htm", (folder + "/circle1.htm").constData()), 0);
    ASSERT_EQ(::symlink("circle1.htm", (folder + "/circle2.htm").constData()), 0);
    EXPECT_EQ(writeDocumentFile(pathFromNative(folder + "/circle1.htm"), QStringLiteral("x"))
                  .error.number,
              75);
    struct stat info;
    ASSERT_EQ(::lstat((folder + "/circle1.htm").constData(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(nativeEntries(folder + "/site"), (QList<QByteArray>{"new.htm", "real.htm"}));
}
