#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>

namespace bench {

// Times of one scenario in milliseconds.
class Samples
{
public:
    void add(double ms) { m_ms.append(ms); }
    bool isEmpty() const { return m_ms.isEmpty(); }
    qsizetype count() const { return m_ms.size(); }
    double median() const { return percentile(50); }
    // Nearest-rank percentile (0..100).
    double percentile(double p) const;

private:
    QList<double> m_ms;
};

// Runs `body` at least once and up to `repetitions` times, stopping early once `budgetMs`
// has been spent (after at least `minimum` runs). `setup` runs before each repetition and is
// not timed.
Samples repeat(int repetitions, const std::function<void()> &body,
               const std::function<void()> &setup = {}, double budgetMs = 20000, int minimum = 3);

inline double elapsedMs(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

// Resident memory of this process in KiB: now, and the peak since start or the last reset.
qint64 currentRssKb();
qint64 peakRssKb();
// Lets the peak start again from the current size (Linux clear_refs); false when refused.
bool resetPeakRss();

// Runs all posted events until nothing is pending, painting included.
void settleEvents();

// Result lines that a scenario run in a child process prints, and the parent reads back.
void report(const QString &key, double value);

struct ChildOutcome
{
    QMap<QString, double> values;
    bool timedOut = false;
    bool crashed = false;
    QString errorOutput; // the last lines of the child's standard error
};
// Runs this program again with `arguments`, collecting its report() lines; the child is
// killed after `timeoutMs`.
ChildOutcome runChild(const QStringList &arguments, int timeoutMs);

} // namespace bench
