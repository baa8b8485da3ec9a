#include "app/singleinstance.h"

#include "app/handovermessage.h"
#include "app/runtimefolder.h"
#include "support/qstringprinter.h"

#include <QDataStream>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>
#include <iostream>
#include <pwd.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

QString userName()
{
    const struct passwd *entry = ::getpwuid(::geteuid());
    return entry ? QString::fromLocal8Bit(entry->pw_name) : QString();
}

uid_t nobody()
{
    const struct passwd *entry = ::getpwnam("nobody");
    return entry ? entry->pw_uid : 65534;
}

// Makes `path` a folder of `mode`, owned by `owner` when given.
bool makeFolder(const QString &path, mode_t mode, std::optional<uid_t> owner = {})
{
    const QByteArray native = QFile::encodeName(path);
    ::mkdir(native.constData(), 0700);
    if (::chmod(native.constData(), mode) != 0)
        return false;
    return !owner || ::chown(native.constData(), *owner, gid_t(-1)) == 0;
}

class RuntimeFolder : public testing::Test
{
public:
    void SetUp() override
    {
        ASSERT_TRUE(temp.isValid());
        if (::geteuid() != 0)
            GTEST_SKIP() << "folders of another user can only be made as root";
    }

    QString in(const QString &name) const { return temp.path() + QLatin1Char('/') + name; }
    QString runtimeOfUser() const { return in(QStringLiteral("runtime-") + userName()); }
    QString own(int n = 0) const
    {
        const QString base = in(QStringLiteral("orvine-%1").arg(::geteuid()));
        return n == 0 ? base : base + QStringLiteral("-%1").arg(n);
    }

    QTemporaryDir temp;
};

TEST_F(RuntimeFolder, AFolderOthersOwnOrMayWriteIsNeverUsed)
{
    struct Case
    {
        const char *what;
        std::function<void(RuntimeFolder &)> prepare; // plants what is in the way
        QString xdg;
        std::function<QString(RuntimeFolder &)> expected;
    };
    const QString xdgName = QStringLiteral("xdg");
    const Case cases[] = {
        {"a private XDG_RUNTIME_DIR", [](RuntimeFolder &t) { makeFolder(t.in("xdg"), 0700); },
         xdgName, [](RuntimeFolder &t) { return t.in("xdg"); }},
        {"XDG_RUNTIME_DIR of another user",
         [](RuntimeFolder &t) { ASSERT_TRUE(makeFolder(t.in("xdg"), 0700, nobody())); }, xdgName,
         [](RuntimeFolder &t) { return t.runtimeOfUser(); }},
        {"XDG_RUNTIME_DIR open to all", [](RuntimeFolder &t) { makeFolder(t.in("xdg"), 0777); },
         xdgName, [](RuntimeFolder &t) { return t.runtimeOfUser(); }},
        {"XDG_RUNTIME_DIR readable by the group",
         [](RuntimeFolder &t) { makeFolder(t.in("xdg"), 0750); }, xdgName,
         [](RuntimeFolder &t) { return t.runtimeOfUser(); }},
        {"XDG_RUNTIME_DIR a link to a private folder",
         [](RuntimeFolder &t) {
             makeFolder(t.in("real"), 0700);
             ASSERT_EQ(::symlink(QFile::encodeName(t.in("real")).constData(),
                                 QFile::encodeName(t.in("xdg")).constData()),
                       0);
         },
         xdgName, [](RuntimeFolder &t) { return t.runtimeOfUser(); }},
        {"XDG_RUNTIME_DIR a file",
         [](RuntimeFolder &t) { QFile(t.in("xdg")).open(QIODevice::WriteOnly); }, xdgName,
         [](RuntimeFolder &t) { return t.runtimeOfUser(); }},
        {"no XDG_RUNTIME_DIR",
         [](RuntimeFolder &) {},
         {},
         [](RuntimeFolder &t) { return t.runtimeOfUser(); }},
        {"runtime-<user> made by another user",
         [](RuntimeFolder &t) { ASSERT_TRUE(makeFolder(t.runtimeOfUser(), 0700, nobody())); },
         {},
         [](RuntimeFolder &t) { return t.own(); }},
        {"runtime-<user> open to all",
         [](RuntimeFolder &t) { makeFolder(t.runtimeOfUser(), 0777); },
         {},
         [](RuntimeFolder &t) { return t.own(); }},
        {"our own name taken as well",
         [](RuntimeFolder &t) {
             ASSERT_TRUE(makeFolder(t.runtimeOfUser(), 0777, nobody()));
             ASSERT_TRUE(makeFolder(t.own(), 0700, nobody()));
         },
         {},
         [](RuntimeFolder &t) { return t.own(1); }},
        {"every name taken",
         [](RuntimeFolder &t) {
             ASSERT_TRUE(makeFolder(t.runtimeOfUser(), 0700, nobody()));
             for (int n = 0; n <= 9; ++n)
                 ASSERT_TRUE(makeFolder(t.own(n), 0777));
         },
         {},
         [](RuntimeFolder &) { return QString(); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QDir(temp.path()).removeRecursively();
        QDir().mkpath(temp.path());
        c.prepare(*this);
        const QString xdg = c.xdg.isEmpty() ? QString() : in(c.xdg);
        const QString folder = privateRuntimeFolder(xdg, temp.path());
        EXPECT_EQ(folder, c.expected(*this));
        if (!folder.isEmpty()) {
            struct stat info;
            ASSERT_EQ(::lstat(QFile::encodeName(folder).constData(), &info), 0);
            EXPECT_EQ(info.st_uid, ::geteuid());
            EXPECT_EQ(info.st_mode & 07777, 0700u);
        }
    }
}

// Without XDG_RUNTIME_DIR, with runtime-<user> made by someone else, a start used to fall back
// on the shared temporary folder and hand its files to whoever held a lock there.
TEST_F(RuntimeFolder, AStartNeverHandsItsFilesToALockInASharedFolder)
{
    const QByteArray savedXdg = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray savedTmp = qgetenv("TMPDIR");
    qunsetenv("XDG_RUNTIME_DIR");
    qputenv("TMPDIR", QFile::encodeName(temp.path()));
    ASSERT_TRUE(makeFolder(runtimeOfUser(), 0700, nobody()));

    // Someone else's program, listening in the shared folder.
    SingleInstance stranger(in(QStringLiteral("orvine.lock")));
    ASSERT_TRUE(stranger.isFirst());
    QStringList received;
    stranger.setReceiver([&received](const QStringList &files) { received << files; });

    const QString lock = SingleInstance::defaultLockPath();
    {
        SingleInstance mine;
        EXPECT_TRUE(mine.isFirst()) << "the start took the stranger's program for its own";
    }
    QCoreApplication::processEvents();
    qputenv("XDG_RUNTIME_DIR", savedXdg);
    savedTmp.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", savedTmp);

    EXPECT_TRUE(received.isEmpty());
    EXPECT_EQ(lock, own() + QStringLiteral("/orvine.lock"));
}

// Runs `work` on a thread of its own (the hand-over blocks) while this thread's event loop lets
// the running instance answer.
template <class Work> void whileServing(Work work, int timeoutMs = 60000)
{
    QEventLoop loop;
    QTimer::singleShot(timeoutMs, &loop, [&loop] { loop.exit(1); });
    std::thread sender([&] {
        work();
        QMetaObject::invokeMethod(
            &loop, [&loop] { loop.exit(0); }, Qt::QueuedConnection);
    });
    const int ended = loop.exec();
    sender.join();
    EXPECT_EQ(ended, 0) << "the hand-over did not end";
}

QStringList manyNames(int count)
{
    QStringList names;
    names.reserve(count);
    for (int i = 0; i < count; ++i)
        names << QStringLiteral("/home/taro/ホームページ/日記/%1.html")
                     .arg(i, 6, 10, QLatin1Char('0'));
    return names;
}

TEST(SingleInstanceHandOver, ManyNamesArriveWholeAndInOrder)
{
    QTemporaryDir runtime;
    const QString lock = runtime.filePath(QStringLiteral("orvine.lock"));
    SingleInstance running(lock);
    ASSERT_TRUE(running.isFirst());
    QList<QStringList> received;
    running.setReceiver([&received](const QStringList &files) { received << files; });
    SingleInstance later(lock);
    ASSERT_FALSE(later.isFirst());

    const QStringList names = manyNames(300000);
    bool handed = false;
    QElapsedTimer clock;
    clock.start();
    whileServing([&] { handed = later.handOver(names, 60000); });
    const qint64 elapsed = clock.elapsed();
    std::cout << "[ measured ] handing over " << names.size() << " names took " << elapsed
              << " ms\n";

    EXPECT_TRUE(handed);
    QStringList all;
    for (const QStringList &part : received)
        all << part;
    EXPECT_EQ(all.size(), names.size());
    EXPECT_TRUE(all == names);
}

QByteArray messageOf(const QStringList &files)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << files;
    return bytes;
}

// The messages of a list of any length, split under a limit, read back as the list, however the
// bytes are cut on the way.
TEST(HandOverMessages, SplitAndReadBackAsTheList)
{
    const QString surrogates = QString::fromUtf16(u"\U0001F600 \xD800 end");
    const struct
    {
        const char *what;
        QStringList files;
        qint64 limit;
    } cases[] = {
        {"no files", {}, 1024},
        {"one name", {QStringLiteral("/a.htm")}, 1024},
        {"an empty and a null name", {QString(""), QString()}, 1024},
        {"names beyond the BMP and a lone surrogate",
         {surrogates, QStringLiteral("/写真/ページ.html")},
         1024},
        {"more names than one message holds", manyNames(500), 1024},
        {"a name that just fits", {QString(510, QLatin1Char('x'))}, 4 + 4 + 1020},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QList<QByteArray> messages = handOverMessages(c.files, c.limit);
        ASSERT_FALSE(messages.isEmpty());
        // What a running program of any version reads: a QStringList as QDataStream writes it.
        if (messages.size() == 1) {
            EXPECT_EQ(messages[0], messageOf(c.files));
        }
        QByteArray stream;
        for (const QByteArray &message : messages) {
            EXPECT_LE(message.size(), c.limit);
            stream += message;
        }
        for (const int piece : {1, 3, 4096, int(stream.size())}) {
            HandOverReader reader(c.limit);
            QStringList back;
            for (qsizetype at = 0; at < stream.size(); at += piece) {
                ASSERT_TRUE(reader.feed(stream.mid(at, piece)));
                for (const QStringList &list : reader.takeLists())
                    back << list;
            }
            EXPECT_EQ(back, c.files) << "in pieces of " << piece;
        }
    }
    EXPECT_TRUE(handOverMessages({QString(511, QLatin1Char('x'))}, 4 + 4 + 1020).isEmpty())
        << "a name longer than a message cannot go";
}

QByteArray number(quint32 value)
{
    QByteArray bytes;
    QDataStream(&bytes, QIODevice::WriteOnly) << value;
    return bytes;
}

TEST(HandOverMessages, AMessageOverTheLimitIsRefusedBeforeItIsKept)
{
    const QByteArray tooLong = messageOf(manyNames(100));
    const struct
    {
        const char *what;
        QByteArray bytes;
    } cases[] = {
        {"more bytes than the limit", tooLong},
        {"a count no message of the limit holds", number(1000000)},
        {"a name said to be 2 GB long", number(1) + number(0x7ffffffe)},
        {"a name of an odd number of bytes", number(1) + number(3) + "abc"},
    };
    for (const auto &c : cases) {
        HandOverReader reader(1024);
        bool accepted = true;
        for (qsizetype at = 0; at < c.bytes.size() && accepted; at += 100)
            accepted = reader.feed(c.bytes.mid(at, 100));
        EXPECT_FALSE(accepted) << c.what;
        EXPECT_TRUE(reader.takeLists().isEmpty()) << c.what;
    }
}

// A message over the limit is refused without a word, and the running program goes on taking
// the hand-overs after it.
TEST(SingleInstanceHandOver, AnOversizedMessageIsRefusedWithoutHarm)
{
    QTemporaryDir runtime;
    const QString lock = runtime.filePath(QStringLiteral("orvine.lock"));
    SingleInstance running(lock, 1024);
    ASSERT_TRUE(running.isFirst());
    QList<QStringList> received;
    running.setReceiver([&received](const QStringList &files) { received << files; });

    const QByteArray tooLong = messageOf(manyNames(100));
    for (const QByteArray &message :
         {tooLong, number(1) + number(0x7ffffffe) + QByteArray(2000, 'x')}) {
        bool answered = true;
        whileServing([&] {
            QLocalSocket socket;
            socket.connectToServer(running.socketPath());
            ASSERT_TRUE(socket.waitForConnected(5000));
            socket.write(message);
            socket.waitForBytesWritten(5000);
            answered = socket.waitForReadyRead(5000) && socket.bytesAvailable() > 0;
        });
        EXPECT_FALSE(answered);
    }
    EXPECT_TRUE(received.isEmpty());

    SingleInstance later(lock, 1024);
    bool handed = false;
    const QStringList names = manyNames(100);
    whileServing([&] { handed = later.handOver(names); });
    EXPECT_TRUE(handed);
    QStringList all;
    for (const QStringList &part : received)
        all << part;
    EXPECT_EQ(all, names);
}

} // namespace
