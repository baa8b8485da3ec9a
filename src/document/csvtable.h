#pragma once

#include <QString>

// Comma-separated lines to an HTML table: "<TABLE BORDER="1">", one "<TR>" per line and one
// tab-indented "<TD>" per non-empty cell, then "</TABLE>" without a line break.
// - Lines end with CR LF, a lone CR or a lone LF; commas separate cells; tabs are dropped;
//   double quotes are ordinary text (a comma inside quotes still separates cells).
// - A line whose first cell is empty is left out (so is the empty line after a final break).
// - Marks: a cell with ">" becomes a COLSPAN cell of the text after its last ">", the span
//   being that last ">"'s 1-based position (">>Total" spans 2); otherwise a cell with "_"
//   becomes a ROWSPAN cell the same way.
// Any number of lines and cells.
QString csvToTable(const QString &csv);
