#pragma once

#include <QList>
#include <QString>

// How serious a finding of the page check is.
enum class FindingSeverity { Error, Warning, Access };

// One finding of the page check: where it is (line from 1, column from 1 counted in characters
// as the line reads, a tab being one character), how serious, the message id (HTML Tidy's key,
// or one of the link check's own) and the message.
struct PageFinding
{
    int line = 0;
    int column = 0;
    FindingSeverity severity = FindingSeverity::Warning;
    QString id;
    QString message;

    bool operator==(const PageFinding &) const = default;
};

// The findings of one page of a folder check; `problem` tells why the page could not be read.
struct FileFindings
{
    QString path;
    QList<PageFinding> findings;
    QString problem;
};

// Orders findings by line, then column, keeping the order of findings at the same place.
void sortFindings(QList<PageFinding> &findings);
