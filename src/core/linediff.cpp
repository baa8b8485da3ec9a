#include "core/linediff.h"

#include <QList>
#include <QStringView>

#include <vector>

namespace {

QList<QStringView> linesOf(const QString &text)
{
    QList<QStringView> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines << QStringView(text).sliced(start, i - start);
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines << QStringView(text).sliced(start);
    return lines;
}

enum class Mark : char { Same, Removed, Added };
struct Step
{
    Mark mark;
    QStringView line;
};

// Matches the middle parts by a longest common subsequence; too large a middle is shown as
// removed and added whole.
void matchMiddle(const QList<QStringView> &a, const QList<QStringView> &b, std::vector<Step> &out)
{
    const qsizetype n = a.size(), m = b.size();
    constexpr qsizetype largestTable = 4 * 1024 * 1024;
    if (n == 0 || m == 0 || n * m > largestTable) {
        for (QStringView line : a)
            out.push_back({Mark::Removed, line});
        for (QStringView line : b)
            out.push_back({Mark::Added, line});
        return;
    }
    // length[i][j]: the longest common subsequence of a[i..] and b[j..].
    std::vector<quint32> length(size_t((n + 1) * (m + 1)), 0);
    auto at
        = [&](qsizetype i, qsizetype j) -> quint32 & { return length[size_t(i * (m + 1) + j)]; };
    for (qsizetype i = n - 1; i >= 0; --i)
        for (qsizetype j = m - 1; j >= 0; --j)
            at(i, j) = a.at(i) == b.at(j) ? at(i + 1, j + 1) + 1 : qMax(at(i + 1, j), at(i, j + 1));
    qsizetype i = 0, j = 0;
    while (i < n && j < m) {
        if (a.at(i) == b.at(j)) {
            out.push_back({Mark::Same, a.at(i)});
            ++i, ++j;
        } else if (at(i + 1, j) >= at(i, j + 1)) {
            out.push_back({Mark::Removed, a.at(i++)});
        } else {
            out.push_back({Mark::Added, b.at(j++)});
        }
    }
    for (; i < n; ++i)
        out.push_back({Mark::Removed, a.at(i)});
    for (; j < m; ++j)
        out.push_back({Mark::Added, b.at(j)});
}

} // namespace

QString lineDifference(const QString &before, const QString &after, int context)
{
    const QList<QStringView> a = linesOf(before), b = linesOf(after);
    qsizetype head = 0;
    while (head < a.size() && head < b.size() && a.at(head) == b.at(head))
        ++head;
    qsizetype tail = 0;
    while (tail < a.size() - head && tail < b.size() - head
           && a.at(a.size() - 1 - tail) == b.at(b.size() - 1 - tail))
        ++tail;
    if (head == a.size() && head == b.size())
        return QString();

    std::vector<Step> steps;
    for (qsizetype i = 0; i < head; ++i)
        steps.push_back({Mark::Same, a.at(i)});
    matchMiddle(a.mid(head, a.size() - head - tail), b.mid(head, b.size() - head - tail), steps);
    for (qsizetype i = a.size() - tail; i < a.size(); ++i)
        steps.push_back({Mark::Same, a.at(i)});

    // An unchanged line is shown when a change lies within `context` lines of it.
    const qsizetype count = qsizetype(steps.size());
    std::vector<bool> shown(size_t(count), false);
    for (qsizetype k = 0; k < count; ++k) {
        if (steps[size_t(k)].mark == Mark::Same)
            continue;
        for (qsizetype d = qMax<qsizetype>(0, k - context); d <= qMin(count - 1, k + context); ++d)
            shown[size_t(d)] = true;
    }
    QString out;
    bool gap = false;
    for (qsizetype k = 0; k < count; ++k) {
        if (!shown[size_t(k)]) {
            gap = true;
            continue;
        }
        if (gap)
            out += QStringLiteral("…\n");
        gap = false;
        const Step &step = steps[size_t(k)];
        out += step.mark == Mark::Removed ? QStringLiteral("- ")
               : step.mark == Mark::Added ? QStringLiteral("+ ")
                                          : QStringLiteral("  ");
        out += step.line;
        out += QLatin1Char('\n');
    }
    if (gap)
        out += QStringLiteral("…\n");
    return out;
}
