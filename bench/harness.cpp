#include "harness.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace bench {

double Samples::percentile(double p) const
{
    if (m_ms.isEmpty())
        return 0;
    QList<double> sorted = m_ms;
    std::sort(sorted.begin(), sorted.end());
    const auto rank = qsizetype(std::ceil(p / 100.0 * double(sorted.size())));
    return sorted.at(std::clamp<qsizetype>(rank - 1, 0, sorted.size() - 1));
}

Samples repeat(int repetitions, const std::function<void()> &body,
               const std::function<void()> &setup, double budgetMs, int minimum)
{
    Samples samples;
    QElapsedTimer total;
    total.start();
    for (int i = 0; i < repetitions; ++i) {
        if (i >= minimum && elapsedMs(total) > budgetMs)
            break;
        if (i > 0 && elapsedMs(total) > 3 * budgetMs)
            break; // a single run far beyond the budget: one figure will have to do
        if (setup)
            setup();
        QElapsedTimer timer;
        timer.start();
        body();
        samples.add(elapsedMs(timer));
    }
    return samples;
}

namespace {

qint64 statusField(const char *name)
{
    QFile file(QStringLiteral("/proc/self/status"));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray prefix = QByteArray(name) + ':';
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

} // namespace

qint64 currentRssKb()
{
    return statusField("VmRSS");
}

qint64 peakRssKb()
{
    return statusField("VmHWM");
}

bool resetPeakRss()
{
    QFile file(QStringLiteral("/proc/self/clear_refs"));
    return file.open(QIODevice::WriteOnly) && file.write("5") == 1;
}

void settleEvents()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents();
}

void report(const QString &key, double value)
{
    std::printf("RESULT %s %.6f\n", qPrintable(key), value);
    std::fflush(stdout);
}

ChildOutcome runChild(const QStringList &arguments, int timeoutMs)
{
    ChildOutcome outcome;
    int out[2], err[2];
    if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0) {
        outcome.crashed = true;
        return outcome;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);

    std::vector<QByteArray> storage;
    storage.push_back(QFile::encodeName(QCoreApplication::applicationFilePath()));
    for (const QString &a : arguments)
        storage.push_back(a.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &s : storage)
        argv.push_back(s.data());
    argv.push_back(nullptr);

    pid_t pid = -1;
    const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    close(err[1]);
    if (rc != 0) {
        close(out[0]);
        close(err[0]);
        outcome.crashed = true;
        return outcome;
    }

    QByteArray stdoutBytes, stderrBytes;
    QElapsedTimer timer;
    timer.start();
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    int open = 2;
    while (open > 0) {
        const qint64 left = timeoutMs - timer.elapsed();
        if (left <= 0) {
            outcome.timedOut = true;
            kill(pid, SIGKILL);
            break;
        }
        if (poll(fds, 2, int(std::min<qint64>(left, 1000))) < 0)
            continue;
        for (pollfd &fd : fds) {
            if (fd.fd < 0 || !(fd.revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            char buffer[4096];
            const ssize_t n = read(fd.fd, buffer, sizeof buffer);
            if (n <= 0) {
                close(fd.fd);
                fd.fd = -1;
                --open;
            } else {
                (fd.fd == out[0] ? stdoutBytes : stderrBytes).append(buffer, n);
            }
        }
    }
    for (pollfd &fd : fds)
        if (fd.fd >= 0)
            close(fd.fd);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!outcome.timedOut && !(WIFEXITED(status) && WEXITSTATUS(status) == 0))
        outcome.crashed = true;

    for (const QByteArray &line : stdoutBytes.split('\n')) {
        const QList<QByteArray> parts = line.trimmed().split(' ');
        if (parts.size() == 3 && parts[0] == "RESULT")
            outcome.values.insert(QString::fromLatin1(parts[1]), parts[2].toDouble());
    }
    outcome.errorOutput = QString::fromLocal8Bit(stderrBytes.right(2000));
    return outcome;
}

} // namespace bench
