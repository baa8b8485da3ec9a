#pragma once

#include "check/pagecheckoptions.h"
#include "check/pagefinding.h"

#include <QList>
#include <QString>

// HTML Tidy's diagnostics of a page's text, checked in memory: errors, warnings and (when the
// options ask for them) accessibility notes, with their lines and their columns in characters.
// The text is only read; Tidy's cleaned-up page is never made. The messages are in Japanese
// where the library has that language, else as the library words them.
QList<PageFinding> tidyFindings(const QString &text, const PageCheckOptions &options = {});

// Whether the page declares its HTML version (a <!DOCTYPE ...> before its first element).
bool declaresDoctype(const QString &text);

// The position in `line` (in UTF-16 code units, as the editor counts) of the character at
// `column` (from 1, counted in characters); the line's end when the column lies beyond it.
int lineOffsetOfColumn(QStringView line, int column);
