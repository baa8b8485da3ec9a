#pragma once

#include <QString>

#include <optional>

// What an existing TABLE, TR, TD or TH start tag puts into its dialog. An empty optional (or
// an unticked flag) leaves that control as the dialog loaded it.

// A WIDTH or HEIGHT value: a trailing "%" moves from the text into the paired check box.
struct SizeField
{
    QString text;
    bool percent = false;
};
SizeField splitPercent(const QString &value);

// Alignment words and the drop-down texts that stand for them.
enum class WordCase {
    LowerOnly,     // "center" only
    ThreeSpellings // "center", "Center" or "CENTER"
};
std::optional<QString> alignEntry(const QString &value, WordCase spelling);  // left/center/right
std::optional<QString> valignEntry(const QString &value, WordCase spelling); // top/middle/bottom

struct TablePrefill
{
    std::optional<QString> txtBorder;
    std::optional<SizeField> width;
    std::optional<SizeField> height;
    std::optional<QString> txtCellspacing;
    std::optional<QString> txtBorderColor;
    bool chkRules = false;
    std::optional<int> optRules; // 0 none, 1 rows, 2 cols, 3 groups, 4 all
    std::optional<QString> txtCellPadding;
    std::optional<QString> cmbAlign; // an unknown word empties the drop-down's text
};
TablePrefill readTableTag(const QString &tag);

struct RowPrefill
{
    std::optional<QString> cboAlign;
    std::optional<QString> cboValign;
};
RowPrefill readTrTag(const QString &tag);

struct CellPrefill
{
    bool chkTH = false; // the tag is a header cell
    RowPrefill alignment;
    bool chkWrap = false;
    std::optional<SizeField> width;
    std::optional<SizeField> height;
    std::optional<QString> txtBgcolor;
    std::optional<QString> txtColspan;
    std::optional<QString> txtRowspan;
};
CellPrefill readTdTag(const QString &tag);

// The start tag at the beginning of `selText`: up to and including its first ">", or all of
// it when it has none.
QString leadingStartTag(const QString &selText);
