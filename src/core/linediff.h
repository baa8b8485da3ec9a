#pragma once

#include <QString>

// The lines that differ between two texts, for a person to read: lines only in `before` start
// with "- ", lines only in `after` with "+ ", and up to `context` unchanged lines around each
// change with "  "; a line "…" stands for the unchanged lines left out. CR LF, LF and a lone
// CR all end a line. Empty when the texts hold the same lines.
//
// Lines common to both ends are set aside first; what is left is matched line by line (longest
// common subsequence) when it is small enough, and otherwise shown as removed and added whole,
// so that the cost stays bounded on huge pages.
QString lineDifference(const QString &before, const QString &after, int context = 2);
