#include "check/pagefinding.h"

#include <algorithm>

void sortFindings(QList<PageFinding> &findings)
{
    std::stable_sort(findings.begin(), findings.end(),
                     [](const PageFinding &a, const PageFinding &b) {
                         return a.line != b.line ? a.line < b.line : a.column < b.column;
                     });
}
