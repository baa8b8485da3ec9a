#pragma once

#include <QString>

#include <optional>

class RichTextBox;
class frmDocument;

// The one way the windows reach a place of a page: the Go to line command, the find window,
// the page check's and the folder search's lists. Positions and lines are those of the status
// bar (a line break counts as CR LF; lines from 1).

// The text of line `index` (0-based) without its line break; empty beyond the last line.
QString textOfLine(const RichTextBox &box, int index);
// Selects [start, start + length) and brings it into the middle of the view when it was out
// of view.
void revealText(RichTextBox &box, int start, int length);
// Makes `doc` the active window, reveals the stretch and gives the text the focus.
void showTextPlace(frmDocument &doc, int start, int length);
// The same for line `line` (from 1, clamped to the page) at `offset` characters into it
// (clamped to the line).
void goToLine(frmDocument &doc, int line, int offset = 0, int length = 0);

// The line number typed into the Go to line box: digits (full-width ones too) with blanks
// around them, however many; nothing for anything else or for 0.
std::optional<int> typedLineNumber(const QString &text);
