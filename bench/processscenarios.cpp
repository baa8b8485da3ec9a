#include "processscenarios.h"

#include "harness.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <optional>

namespace bench {
namespace {

struct Start
{
    double toLineMs = 0; // from the start of the process to the awaited line
    QByteArray output;   // everything the process wrote on standard output
};

// Starts `program` with `arguments` and fresh settings, and waits until it writes a line that
// contains `awaited`; the process is then left to end (and killed if it does not).
std::optional<Start> startUntil(const QString &program, const QStringList &arguments,
                                const QByteArray &awaited, const QByteArray &paintReport)
{
    QTemporaryDir home;
    if (!home.isValid())
        return std::nullopt;
    QDir().mkpath(home.filePath(QStringLiteral("config")));
    QDir().mkpath(home.filePath(QStringLiteral("runtime")));
    QFile::setPermissions(home.filePath(QStringLiteral("runtime")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.filePath(QStringLiteral("runtime")));
    if (!paintReport.isEmpty())
        environment.insert(QStringLiteral("ORVINE_PAINT_REPORT"), QString::fromLatin1(paintReport));

    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::SeparateChannels);
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    Start start;
    while (!start.output.contains(awaited)) {
        if (!process.waitForReadyRead(60000)) {
            std::fprintf(stderr, "%s did not write \"%s\"; it wrote:\n%s\n%s\n",
                         qPrintable(program), awaited.constData(), start.output.constData(),
                         process.readAllStandardError().right(2000).constData());
            process.kill();
            process.waitForFinished();
            return std::nullopt;
        }
        start.output += process.readAllStandardOutput();
    }
    start.toLineMs = elapsedMs(timer);
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
    }
    start.output += process.readAllStandardOutput();
    return start;
}

} // namespace

bool runStartup(const QString &subject, const QString &pagePath, const QString &key,
                int repetitions)
{
    const bool orvine = subject == QLatin1String("orvine");
    if (!orvine && subject != QLatin1String("floor"))
        return false;
    const QString program
        = orvine ? QStringLiteral(ORVINE_PROGRAM) : QStringLiteral(ORVINE_FLOOR_WINDOW);
    const QByteArray awaited = orvine ? "orvine: frame painted" : "floor: frame painted";
    // The first start reads the libraries from the disk; the user's starts find them cached.
    if (!startUntil(program, {pagePath}, awaited, "frame"))
        return false;
    Samples samples;
    for (int i = 0; i < repetitions; ++i) {
        const auto start = startUntil(program, {pagePath}, awaited, "frame");
        if (!start)
            return false;
        samples.add(start->toLineMs);
    }
    report(key, samples.median());
    return true;
}

bool runPreviewPaint(const QString &pagePath, const QString &key, int repetitions)
{
    const QByteArray prefix = "orvine: preview painted in ";
    Samples samples;
    for (int i = 0; i < repetitions; ++i) {
        const auto start
            = startUntil(QStringLiteral(ORVINE_PROGRAM), {pagePath}, prefix, "preview");
        if (!start)
            return false;
        const qsizetype at = start->output.indexOf(prefix) + prefix.size();
        const QByteArray figure = start->output.mid(at, start->output.indexOf(' ', at) - at);
        bool ok = false;
        const double ms = figure.toDouble(&ok);
        if (!ok)
            return false;
        samples.add(ms);
    }
    report(key, samples.median());
    return true;
}

} // namespace bench
