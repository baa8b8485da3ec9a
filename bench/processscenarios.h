#pragma once

#include <QString>

namespace bench {

// Start-up as a user meets it: the program started as a process of its own with `pagePath`,
// until its window has first painted. "orvine" is the built program, "floor" a minimal
// QMainWindow with a QPlainTextEdit started the same way. Each start gets fresh settings.
bool runStartup(const QString &subject, const QString &pagePath, const QString &key,
                int repetitions);

// The program started with `pagePath`; its preview command shows the saved page in the
// built-in browser (the web engine loaded then, for the first time): the time from the command
// to the page loaded and painted.
bool runPreviewPaint(const QString &pagePath, const QString &key, int repetitions);

// The explorer's preview of a 20,000 x 20,000 PNG of one colour: from the click to the scaled
// picture shown ("orvine"), or zlib alone unpacking the picture's rows ("floor"), which every
// reader of the picture must do first.
bool runBigPicture(const QString &subject, const QString &key, int repetitions);

} // namespace bench
