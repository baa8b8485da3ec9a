// orvine_bench: measures Orvine's document window beside the toolkit's floor (QPlainTextEdit,
// QFile) and a peer editor (QScintilla) on generated Japanese home pages, and prints one table
// of medians and ratios. Each measurement runs in a child process of its own, so a slow or
// failing scenario cannot spoil the others and memory peaks are not shared.
#include "app/webengineflags.h"
#include "harness.h"
#include "preview/livepagescheme.h"
#include "scenarios.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <optional>
#include <unistd.h>

namespace {

using bench::ChildOutcome;

struct Row
{
    const char *label;
    const char *scenario;
    const char *page;
    bool floor;
    bool peer;
    const char *suffix = ""; // ".p50", ".p99"
    bool memory = false;     // megabytes instead of milliseconds
};

const Row rows[] = {
    {"open 10 KB", "open", "10k", true, true},
    {"open 1 MB", "open", "1m", true, true},
    {"open 1 MB dense markup", "open", "dense", true, true},
    {"open 10 MB", "open", "10m", true, true},
    {"save 10 MB", "save", "10m", true, false},
    {"open one line of 80,000 characters", "open", "line80k", true, true},
    {"typing in one line of 80,000, p50 per key", "typing", "line80k", true, true, ".p50"},
    {"typing in one line of 80,000, p99 per key", "typing", "line80k", true, true, ".p99"},
    {"replace one match in one line of 80,000", "replace-one", "line80k", true, true},
    {"open one line of 1,000,000 characters", "open", "line1m", true, true},
    {"typing in one line of 1,000,000, p50 per key", "typing", "line1m", true, true, ".p50"},
    {"typing in one line of 1,000,000, p99 per key", "typing", "line1m", true, true, ".p99"},
    {"replace one match in one line of 1,000,000", "replace-one", "line1m", true, true},
    {"typing at 1 MB, p50 per key", "typing", "1m", true, true, ".p50"},
    {"typing at 1 MB, p99 per key", "typing", "1m", true, true, ".p99"},
    {"typing at 10 MB, p50 per key", "typing", "10m", true, true, ".p50"},
    {"typing at 10 MB, p99 per key", "typing", "10m", true, true, ".p99"},
    {"typing at 10 MB, typing help on, p99", "typing-help", "10m", false, false, ".p99"},
    {"typing at 10 MB, typing help off, p99", "typing-plain", "10m", false, false, ".p99"},
    {"matching tag shown at 10 MB", "matching", "10m", false, false},
    {"jump to the matching tag at 10 MB", "matching", "10m", false, false, ".jump"},
    {"double-click scan, 200 KB <DL> (Cancel)", "scan-dl", "10m", false, false},
    {"double-click re-edit, 200 KB <DL> (OK)", "reedit-dl", "10m", false, false},
    {"double-click scan, last <TD> (Cancel)", "scan-cell", "10m", false, false},
    {"double-click re-edit, last <TD> (OK)", "reedit-cell", "10m", false, false},
    {"InsertFragment 100 KB into 10 MB", "insert", "10m", true, true},
    {"find the last word of 10 MB", "find", "10m", true, true},
    {"<P></P> on every line of 1 MB", "paragraphs", "1m", true, false},
    {"CSV to table, 1 MB", "csv", "csv", true, false},
    {"CSV to table, 100,000 lines", "csv", "csv100k", true, false},
    {"replace all, 10 MB", "replaceall", "10m", true, false},
    {"undo of that replace all", "replaceall", "10m", true, false, ".undo"},
    {"open 50 MB", "open", "50m", true, true},
    {"peak memory, 50 MB page open", "memory", "50m", true, true, "", true},
    {"check a 1 MB page (Tidy and links)", "check", "1m", false, false},
    {"find a word in 2,000 pages of 20 KB", "sitefind", "site", false, false},
    {"replace it in all 2,000 pages", "sitefind", "site", false, false, ".replace"},
    {"live preview of 1 MB, update to shown", "livepreview", "1m", true, false},
    {"typing at 1 MB, preview closed, p99", "livepreview", "1m", false, false, ".closed.p99"},
    {"typing at 1 MB, preview open, p99", "livepreview", "1m", false, false, ".open.p99"},
    {"peak memory, 10 MB page open", "memory", "10m", true, true, "", true},
    {"start to the first painted frame, 10 KB page", "startup", "10k", true, false},
    {"preview of a saved page, to the page painted", "preview", "10k", false, false},
    {"explorer preview of a 20,000x20,000 PNG", "picture", "10k", true, false},
    {"start with 300,000 settings keys", "settings", "10k", false, false},
    {"one setting written, 300,000 keys", "settings", "10k", false, false, ".write"},
    {"recovery text handed over, 1 MB", "recovery", "1m", false, false},
};

struct Job
{
    QString scenario, subject, page;
    QString id() const { return scenario + u'/' + subject + u'/' + page; }
};

struct Options
{
    int repetitions = 5;
    int timeoutSeconds = 300;
    QString only;       // run only rows whose scenario starts with this
    QString dataDir;    // keep the generated pages here
    bool smoke = false; // one short scenario, once; fails when any of its figures is missing
};

std::optional<Options> parseOptions(const QStringList &args)
{
    Options o;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString &a = args.at(i);
        const QString next = args.value(i + 1);
        if (a == QLatin1String("--reps") && !next.isEmpty()) {
            o.repetitions = qMax(1, next.toInt());
            ++i;
        } else if (a == QLatin1String("--timeout") && !next.isEmpty()) {
            o.timeoutSeconds = qMax(1, next.toInt());
            ++i;
        } else if (a == QLatin1String("--only") && !next.isEmpty()) {
            o.only = next;
            ++i;
        } else if (a == QLatin1String("--smoke")) {
            o.smoke = true;
            o.repetitions = 1;
            o.timeoutSeconds = 120;
        } else if (a == QLatin1String("--data") && !next.isEmpty()) {
            o.dataDir = next;
            ++i;
        } else {
            std::fprintf(stderr,
                         "usage: orvine_bench [--reps N] [--timeout SECONDS] [--only SCENARIO] "
                         "[--data FOLDER] [--smoke]\n");
            return std::nullopt;
        }
    }
    return o;
}

// Child: --child SCENARIO SUBJECT PAGE FOLDER REPETITIONS
int runChild(int argc, char **argv)
{
    // Settings that the program writes while it is measured go to a private folder.
    const QByteArray home = QByteArray("/tmp/orvine-bench-home-") + QByteArray::number(getpid());
    qputenv("XDG_CONFIG_HOME", home + "/config");
    qputenv("XDG_RUNTIME_DIR", home + "/runtime");
    QDir().mkpath(QString::fromLocal8Bit(home + "/runtime"));
    QFile::setPermissions(QString::fromLocal8Bit(home + "/runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The live preview's web engine, as the program starts it.
    const bool webEngine = argc > 2 && qstrcmp(argv[2], "livepreview") == 0;
    if (webEngine) {
        prepareWebEngineEnvironment();
        LivePageScheme::registerScheme();
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvine"));
    QApplication::setOrganizationName(QStringLiteral("Orvine"));
    const QStringList a = QApplication::arguments();
    const bool ok = bench::runScenario(a.at(2), a.at(3), a.at(4), a.at(5), a.at(6).toInt());
    QDir(QString::fromLocal8Bit(home)).removeRecursively();
    return ok ? 0 : 3;
}

QString formatValue(double value, bool memory)
{
    if (memory)
        return QStringLiteral("%1 MB").arg(value, 0, 'f', 1);
    if (value >= 1000)
        return QStringLiteral("%1 s").arg(value / 1000, 0, 'f', 2);
    if (value >= 10)
        return QStringLiteral("%1 ms").arg(value, 0, 'f', 0);
    return QStringLiteral("%1 ms").arg(value, 0, 'f', 2);
}

class Results
{
public:
    void add(const Job &job, const ChildOutcome &outcome) { m_outcomes.insert(job.id(), outcome); }

    std::optional<double> value(const Job &job, const char *suffix) const
    {
        const auto it = m_outcomes.constFind(job.id());
        const QString key
            = job.scenario + u'.' + job.page + u'.' + job.subject + QLatin1String(suffix);
        if (it == m_outcomes.cend() || !it->values.contains(key))
            return std::nullopt;
        return it->values.value(key);
    }
    // What to print instead of a missing figure.
    QString missing(const Job &job) const
    {
        const auto it = m_outcomes.constFind(job.id());
        if (it == m_outcomes.cend())
            return QStringLiteral("-");
        if (it->timedOut)
            return QStringLiteral("timeout");
        return QStringLiteral("n/a");
    }

private:
    QMap<QString, ChildOutcome> m_outcomes;
};

void printTable(const Results &results, const Options &options)
{
    std::printf("\n%-42s %11s %11s %8s %11s %8s\n", "scenario", "Orvine", "floor", "x floor",
                "peer", "x peer");
    std::printf("%s\n", QByteArray(96, '-').constData());
    for (const Row &row : rows) {
        if (!options.only.isEmpty() && !QLatin1String(row.scenario).startsWith(options.only))
            continue;
        const Job orvine{row.scenario, QStringLiteral("orvine"), row.page};
        const auto mine = results.value(orvine, row.suffix);
        QByteArray line
            = QStringLiteral("%1 %2")
                  .arg(QLatin1String(row.label), -42)
                  .arg(mine ? formatValue(*mine, row.memory) : results.missing(orvine), 11)
                  .toUtf8();
        for (const auto &[present, name] : {std::pair{row.floor, "floor"}, {row.peer, "peer"}}) {
            const Job other{row.scenario, QLatin1String(name), row.page};
            const auto theirs = present ? results.value(other, row.suffix) : std::nullopt;
            QString cell = !present ? QStringLiteral("")
                           : theirs ? formatValue(*theirs, row.memory)
                                    : results.missing(other);
            QString ratio
                = (mine && theirs && *theirs > 0)
                      ? QStringLiteral("%1").arg(*mine / *theirs, 0, 'f', *mine < *theirs ? 2 : 1)
                      : QString();
            line += QStringLiteral(" %1 %2").arg(cell, 11).arg(ratio, 8).toUtf8();
        }
        std::printf("%s\n", line.constData());
    }
}

// The targets, judged on this run's figures.
void printTargets(const Results &results)
{
    auto get = [&](const char *scenario, const char *subject, const char *page,
                   const char *suffix = "") {
        return results.value({scenario, QLatin1String(subject), page}, suffix);
    };
    // A figure that is missing (the scenario failed, timed out or does not exist) meets nothing.
    auto verdict = [](std::optional<bool> met) { return met && *met ? "MET    " : "NOT MET"; };
    std::printf("\nTargets\n");

    const auto open = get("open", "orvine", "dense"), floor = get("open", "floor", "dense"),
               peer = get("open", "peer", "dense");
    std::optional<bool> openMet;
    if (open && floor && peer)
        openMet = *open <= 3 * *floor && *open <= *peer;
    std::printf("  %s open + colour 1 MB dense markup within 3x the floor and no slower than "
                "the peer\n",
                verdict(openMet));

    const auto open10 = get("open", "orvine", "10m"), floor10 = get("open", "floor", "10m");
    std::printf(
        "  %s open + colour 10 MB within 2x the floor\n",
        verdict(open10 && floor10 ? std::optional<bool>(*open10 <= 2 * *floor10) : std::nullopt));

    const auto p99 = get("typing", "orvine", "10m", ".p99");
    std::printf("  %s p99 keystroke under 2 ms at 10 MB\n",
                verdict(p99 ? std::optional<bool>(*p99 < 2) : std::nullopt));

    const auto helped = get("typing-help", "orvine", "10m", ".p99"),
               plain = get("typing-plain", "orvine", "10m", ".p99");
    std::printf(
        "  %s p99 keystroke at 10 MB with completion, matching tags and line numbers "
        "within 1.2x of them off\n",
        verdict(helped && plain ? std::optional<bool>(*helped <= 1.2 * *plain) : std::nullopt));
    const auto matching = get("matching", "orvine", "10m"),
               jump = get("matching", "orvine", "10m", ".jump");
    std::printf("  %s matching tag shown and jumped to at 10 MB under 16 ms\n",
                verdict(matching && jump ? std::optional<bool>(*matching < 16 && *jump < 16)
                                         : std::nullopt));
    const auto live = get("livepreview", "orvine", "1m");
    std::printf("  %s live preview of 1 MB: a key shown within 250 ms past the quiet time\n",
                verdict(live ? std::optional<bool>(*live < 250) : std::nullopt));
    const auto liveOpen = get("livepreview", "orvine", "1m", ".open.p99"),
               liveClosed = get("livepreview", "orvine", "1m", ".closed.p99");
    std::printf("  %s typing p99 at 1 MB with the live preview open within 1.2x of it closed\n",
                verdict(liveOpen && liveClosed ? std::optional<bool>(*liveOpen <= 1.2 * *liveClosed)
                                               : std::nullopt));

    const auto check = get("check", "orvine", "1m");
    std::printf("  %s check a 1 MB page under 1 s\n",
                verdict(check ? std::optional<bool>(*check < 1000) : std::nullopt));

    const auto siteFind = get("sitefind", "orvine", "site"),
               siteReplace = get("sitefind", "orvine", "site", ".replace");
    std::printf("  %s find a word in 2,000 pages of 20 KB under 1 s\n",
                verdict(siteFind ? std::optional<bool>(*siteFind < 1000) : std::nullopt));
    std::printf("  %s replace it in all 2,000 pages under 3 s\n",
                verdict(siteReplace ? std::optional<bool>(*siteReplace < 3000) : std::nullopt));

    const char *commands[]
        = {"save", "scan-dl", "reedit-dl", "scan-cell", "reedit-cell", "insert", "find"};
    QStringList slow, missing;
    for (const char *c : commands) {
        const auto v = get(c, "orvine", "10m");
        if (!v)
            missing << QLatin1String(c);
        else if (*v >= 100)
            slow << QLatin1String(c);
    }
    QString commandsNote;
    if (!slow.isEmpty())
        commandsNote += QStringLiteral(" (over: %1)").arg(slow.join(u' '));
    if (!missing.isEmpty())
        commandsNote += QStringLiteral(" (no figure: %1)").arg(missing.join(u' '));
    std::printf("  %s every command on the 10 MB page under 100 ms%s\n",
                verdict(slow.isEmpty() && missing.isEmpty()), qPrintable(commandsNote));

    bool toolsMet = true;
    for (const auto &[scenario, page] : {std::pair{"paragraphs", "1m"}, std::pair{"csv", "csv"}}) {
        const auto tool = get(scenario, "orvine", page), toolFloor = get(scenario, "floor", page);
        toolsMet = toolsMet && tool && toolFloor && *tool <= 2 * *toolFloor;
    }
    std::printf("  %s <P></P> and CSV to table on 1 MB within 2x the floor\n", verdict(toolsMet));

    const auto settings = get("settings", "orvine", "10k");
    std::printf("  %s settings read at start with 300,000 keys under 1 s\n",
                verdict(settings && *settings < 1000));

    const auto startup = get("startup", "orvine", "10k"),
               startupFloor = get("startup", "floor", "10k");
    std::printf("  %s start to the first painted frame within 1.5x the floor's\n",
                verdict(startup && startupFloor
                            ? std::optional<bool>(*startup <= 1.5 * *startupFloor)
                            : std::nullopt));

    const auto picture = get("picture", "orvine", "10k");
    std::printf("  %s a 20,000x20,000 picture in the explorer's preview under 200 ms\n",
                verdict(picture ? std::optional<bool>(*picture < 200) : std::nullopt));

    // Every key (the median and the 99th percentile) and a replace, each beside the same
    // figure of the floor and of the peer.
    QStringList longLineSlow, longLineMissing;
    for (const auto &[scenario, suffix] :
         {std::pair{"typing", ".p50"}, std::pair{"typing", ".p99"}, std::pair{"replace-one", ""}}) {
        const QString name = QLatin1String(scenario) + QLatin1String(suffix);
        const auto own = get(scenario, "orvine", "line80k", suffix);
        const auto floor = get(scenario, "floor", "line80k", suffix);
        const auto peer = get(scenario, "peer", "line80k", suffix);
        if (!own || !floor || !peer)
            longLineMissing << name;
        else if (*own > 1.2 * *floor || *own > *peer)
            longLineSlow << name;
    }
    QString longLineNote;
    if (!longLineSlow.isEmpty())
        longLineNote += QStringLiteral(" (over: %1)").arg(longLineSlow.join(u' '));
    if (!longLineMissing.isEmpty())
        longLineNote += QStringLiteral(" (no figure: %1)").arg(longLineMissing.join(u' '));
    std::printf("  %s every key and a replace in one line of 80,000 characters within 1.2x the "
                "floor and no slower than the peer%s\n",
                verdict(longLineSlow.isEmpty() && longLineMissing.isEmpty()),
                qPrintable(longLineNote));

    const auto recovery = get("recovery", "orvine", "1m");
    std::printf("  %s a recovery file of a 1 MB page costs the GUI thread under 1 ms\n",
                verdict(recovery && *recovery < 1));

    const auto replaceAll = get("replaceall", "orvine", "10m"),
               replaceUndo = get("replaceall", "orvine", "10m", ".undo");
    std::printf("  %s replace all on 10 MB under 300 ms and its undo under 100 ms\n",
                verdict(replaceAll && replaceUndo
                            ? std::optional<bool>(*replaceAll < 300 && *replaceUndo < 100)
                            : std::nullopt));

    const auto csv100k = get("csv", "orvine", "csv100k"),
               csv100kFloor = get("csv", "floor", "csv100k");
    std::printf("  %s CSV to table, 100,000 lines within 1.2x the floor\n",
                verdict(csv100k && csv100kFloor
                            ? std::optional<bool>(*csv100k <= 1.2 * *csv100kFloor)
                            : std::nullopt));

    const auto open10Peer = get("open", "peer", "10m");
    std::printf(
        "  %s open 10 MB no slower than the peer\n",
        verdict(open10 && open10Peer ? std::optional<bool>(*open10 <= *open10Peer) : std::nullopt));

    const auto memory50 = get("memory", "orvine", "50m"),
               memory50Floor = get("memory", "floor", "50m");
    std::printf("  %s peak memory with the 50 MB page open within 1.3x the floor's\n",
                verdict(memory50 && memory50Floor
                            ? std::optional<bool>(*memory50 <= 1.3 * *memory50Floor)
                            : std::nullopt));

    const auto memory = get("memory", "orvine", "10m"), memoryFloor = get("memory", "floor", "10m");
    std::printf("  %s peak memory with the 10 MB page open within 1.3x the floor's\n",
                verdict(memory && memoryFloor ? std::optional<bool>(*memory <= 1.3 * *memoryFloor)
                                              : std::nullopt));
}

int runParent(const Options &options)
{
    QTemporaryDir temporary;
    const QString folder = options.dataDir.isEmpty() ? temporary.path() : options.dataDir;
    QDir().mkpath(folder);
    QList<Job> jobs;
    QSet<QString> seen;
    for (const Row &row : rows) {
        if (!options.only.isEmpty() && !QLatin1String(row.scenario).startsWith(options.only))
            continue;
        if (options.smoke && row.label != rows[0].label)
            continue;
        for (const auto &[present, name] :
             {std::pair{true, "orvine"}, {row.floor, "floor"}, {row.peer, "peer"}}) {
            const Job job{row.scenario, QLatin1String(name), row.page};
            if (present && !seen.contains(job.id())) {
                seen.insert(job.id());
                jobs << job;
            }
        }
    }

    // Only the pages the chosen scenarios use are generated (the largest take seconds), and
    // the small one every child opens first.
    QStringList pages{QStringLiteral("10k")};
    for (const Job &job : std::as_const(jobs))
        pages << job.page;
    std::fprintf(stderr, "generating pages in %s\n", qPrintable(folder));
    if (!bench::writePages(folder, pages)) {
        std::fprintf(stderr, "cannot write the pages\n");
        return 1;
    }

    Results results;
    QStringList failures;
    for (const Job &job : jobs) {
        std::fprintf(stderr, "running %s\n", qPrintable(job.id()));
        const ChildOutcome outcome
            = bench::runChild({QStringLiteral("--child"), job.scenario, job.subject, job.page,
                               folder, QString::number(options.repetitions)},
                              options.timeoutSeconds * 1000);
        if (outcome.timedOut || outcome.crashed)
            failures << QStringLiteral("%1: %2\n%3")
                            .arg(job.id(), outcome.timedOut ? "timed out" : "failed",
                                 outcome.errorOutput.trimmed().right(600));
        results.add(job, outcome);
    }

    if (options.smoke) {
        // Every subject of the short scenario must have given its figure.
        for (const Job &job : jobs) {
            if (!results.value(job, ""))
                failures << QStringLiteral("%1: no figure").arg(job.id());
        }
    } else {
        printTable(results, options);
        printTargets(results);
    }
    if (!failures.isEmpty())
        std::printf("\nProblems\n  %s\n", qPrintable(failures.join(QStringLiteral("\n  "))));
    return options.smoke && !failures.isEmpty() ? 1 : 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 7 && QByteArray(argv[1]) == "--child")
        return runChild(argc, argv);
    QCoreApplication app(argc, argv);
    const std::optional<Options> options = parseOptions(QCoreApplication::arguments());
    return options ? runParent(*options) : 2;
}
