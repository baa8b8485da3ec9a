#pragma once

#include <QString>

// The line tools over a selected text. Lines end with CR LF; a lone CR or LF is ordinary text.
// A last line without a line break is treated like the others but gets no line break added.

// The text without its CR LF pairs.
QString removeLineBreaks(const QString &text);
// Every line as "<P>" + line + "</P>", empty lines included.
QString wrapLinesInParagraphs(const QString &text);
// Every line as line + "<BR>", empty lines included.
QString appendLineBreakTags(const QString &text);
