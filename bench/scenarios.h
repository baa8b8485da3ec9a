#pragma once

#include <QString>
#include <QStringList>

namespace bench {

// The generated pages: "10k", "1m", "10m", "50m" (home pages), "dense" (1 MB of dense markup),
// "csv" and "csv100k" (comma-separated lines), "line80k" and "line1m" (one line of markup).
QStringList pageNames();
// Writes the pages of `names` into `folder`; false on a write failure.
bool writePages(const QString &folder, const QStringList &names);

// Runs one scenario for one subject ("orvine", "floor" or "peer") on one page, in this
// process, and prints its figures with report(). Returns false when the subject cannot run it.
bool runScenario(const QString &scenario, const QString &subject, const QString &page,
                 const QString &folder, int repetitions);

} // namespace bench
