#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

// The tag commands of the HTML menu that need no dialog, as data, and the texts the Insert
// menu types in. Nothing here touches a window.

// A tag command: the handler that runs it, whether it inserts "<NAME>" at the caret or wraps
// the selection in "<NAME>" and "</NAME>", and whether a line break is typed after it.
struct SimpleTag
{
    enum class Kind { Insert, Wrap };
    const char *handler;
    Kind kind;
    const char *name;
    bool lineBreakAfter = false;
};

inline constexpr SimpleTag simpleTags[] = {
    {"mnuHtmlPageHtml_Click", SimpleTag::Kind::Wrap, "HTML"},
    {"mnuHtmlPageHead_Click", SimpleTag::Kind::Wrap, "HEAD"},
    {"mnuHtmlPageTitle_Click", SimpleTag::Kind::Wrap, "TITLE"},
    {"mnuHtmlTextParagraph_Click", SimpleTag::Kind::Insert, "P", true},
    {"mnuHtmlTextParagraph2_Click", SimpleTag::Kind::Wrap, "P"},
    {"mnuHtmlTextBr_Click", SimpleTag::Kind::Insert, "BR"},
    {"mnuHtmlTextWbr_Click", SimpleTag::Kind::Insert, "WBR"},
    {"mnuHtmlTextNobr_Click", SimpleTag::Kind::Wrap, "NOBR"},
    {"mnuHtmlPagePre_Click", SimpleTag::Kind::Wrap, "PRE"},
    {"mnuHtmlTextCenter_Click", SimpleTag::Kind::Wrap, "CENTER"},
    {"mnuHtmlTextBold_Click", SimpleTag::Kind::Wrap, "B"},
    {"mnuHtmlTextItlic_Click", SimpleTag::Kind::Wrap, "I"},
    {"mnuHtmlTextUnderLine_Click", SimpleTag::Kind::Wrap, "U"},
    {"mnuHtmlTextS_Click", SimpleTag::Kind::Wrap, "S"},
    {"mnuHtmlTextSub_Click", SimpleTag::Kind::Wrap, "SUB"},
    {"mnuHtmlTextSup_Click", SimpleTag::Kind::Wrap, "SUP"},
    {"mnuHtmlTextTT_Click", SimpleTag::Kind::Wrap, "TT"},
    {"mnuHtmlTextBIg_Click", SimpleTag::Kind::Wrap, "BIG"},
    {"mnuHtmlTextSmall_Click", SimpleTag::Kind::Wrap, "SMALL"},
    {"mnuHtmlTextBlink_Click", SimpleTag::Kind::Wrap, "BLINK"},
    {"mnuHtmlTextAddress_Click", SimpleTag::Kind::Wrap, "ADDRESS"},
    {"mnuHtmlTextBlockquote_Click", SimpleTag::Kind::Wrap, "BLOCKQUOTE"},
    {"mnuHtmlCompKbd_Click", SimpleTag::Kind::Wrap, "KBD"},
    {"mnuHtmlCompSamp_Click", SimpleTag::Kind::Wrap, "SAMP"},
    {"mnuHtmlCompCode_Click", SimpleTag::Kind::Wrap, "CODE"},
    {"mnuHtmlCompVer_Click", SimpleTag::Kind::Wrap, "VER"},
    {"mnuHtmlTextHr_Click", SimpleTag::Kind::Insert, "HR", true},
};

QString startTag(const QString &name);
QString endTag(const QString &name);

// The DIV block and the comment around `selected`.
enum class DivAlign { Left, Right, Center };
QString divBlock(DivAlign align, const QString &selected);
QString commentBlock(const QString &selected);

// The document type declaration of the menu item `index` (0 HTML 3.2, 1 strict, 2 transitional,
// 3 frameset); empty for another index.
QString doctypeDeclaration(int index);
// How many characters at the start of `text` the new declaration replaces: an existing
// declaration up to and including its first ">", or 0 to insert in front of the text.
int doctypeReplaceLength(const QString &text);

// The character entities of the Insert menu's four special characters; empty for another index.
QString characterEntity(int index);

// "yyyy/mm/dd", and the same followed by the locale's abbreviated weekday in parentheses.
QString dateText(const QDate &date);
QString dateWeekdayText(const QDate &date, const QLocale &locale = QLocale());
// The time in the locale's time format with seconds, without a time zone.
QString timeText(const QTime &time, const QLocale &locale = QLocale());
