#pragma once

#include <QList>
#include <QString>

#include <functional>

// One attribute of a start tag as the scan finds it: the tag's and the attribute's names in
// small letters, the value as written (quotes removed) and where the value starts in the text.
struct ScannedAttribute
{
    QString tag;
    QString name;
    QString value;
    qsizetype valueStart = 0;
};

// Calls `each` for every attribute of every start tag of `text`, in order. Comments are passed
// over; names match without case; values may be in double or single quotes or bare. Any text
// scans, broken markup included.
void scanAttributes(QStringView text, const std::function<void(const ScannedAttribute &)> &each);

// Lines and columns of positions in a text: CR, LF and CR LF each end a line; a column counts
// characters from 1 (a character beyond the 16-bit range counting once).
class TextPlaces
{
public:
    explicit TextPlaces(QStringView text);
    // Line (from 1) and column (from 1) of the position `offset` (UTF-16 code units).
    std::pair<int, int> place(qsizetype offset) const;

private:
    QStringView m_text;
    QList<qsizetype> m_lineStarts;
    mutable qsizetype m_lastLine = 0;
    mutable qsizetype m_lastOffset = 0;
    mutable int m_lastColumn = 1;
};
