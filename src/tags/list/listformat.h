#pragma once

#include "tags/shared/attributewords.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The list family's text both ways: the lists the list commands build from the selected lines
// and the choices of the list dialogs, and existing UL, OL, LI and DL markup read back into the
// same values.

// The selected text as list lines: split at every CR LF, the line breaks removed; an empty
// line between two breaks is a line of its own, a final break adds none. No text, no lines.
QStringList selectionLines(const QString &selText);

// The mark dialog's choice: the caption of the chosen mark option (empty when none is chosen)
// and whether the mark is set for the whole list or for each item.
struct ListMarkFields
{
    bool wholeList = true;
    QString mark;
};

// The number dialog's choice: the caption of the chosen numbering option (empty when none is
// chosen), the start number (for a list) or value (for an item) as typed, and the scope.
struct ListNumberFields
{
    bool wholeList = true;
    QString startNo;
    QString number;
};

// One row of the definition list dialog.
struct DefinitionEntry
{
    QString term;
    QString description;
    bool operator==(const DefinitionEntry &) const = default;
};
using DefinitionEntries = QList<DefinitionEntry>;

// The option captions, in the order of the dialogs' option buttons.
QStringList markCaptions();
QStringList numberCaptions();

// The dialogs' result code: the index of the chosen option, plus 10 for the whole list.
QString listChoiceCode(bool wholeList, const QString &caption, const QStringList &captions);

// Whether `text` is acceptable as a start number or item value: empty, or beginning (after
// blanks, with an optional sign) with a number other than 0. Numbers of any size pass.
bool isStartNumberAccepted(const QString &text);

// The lists the commands insert, each line ending in CR LF.
QString unmarkedList(const QStringList &lines);
QString markedList(const ListMarkFields &fields, const QStringList &lines);
QString numberedList(const ListNumberFields &fields, const QStringList &lines);
QString definitionList(const DefinitionEntries &entries);

// The start tags the re-edit writes: a UL or OL for the whole list, or an LI for one item.
QString ulStartTag(const ListMarkFields &fields);
QString olStartTag(const ListNumberFields &fields);
QString liMarkTag(const ListMarkFields &fields);
QString liNumberTag(const ListNumberFields &fields);

// Existing start tags read into the dialogs' values. A UL or LI mark reads in any letter case,
// a number type only exactly ("a" and "A" differ); an unknown word chooses no option.
ListMarkFields readUlTag(const QString &tag);
ListNumberFields readOlTag(const QString &tag);
// An LI is re-edited only with a type: a mark word opens the mark dialog, anything else the
// number dialog; both are for the one item.
enum class ListItemKind { Untyped, Marked, Numbered };
ListItemKind listItemKind(const QString &tag);
ListMarkFields readLiMarkTag(const QString &tag);
ListNumberFields readLiNumberTag(const QString &tag);

// The attributes each re-edit manages; every other attribute of the old tag is kept.
QStringList ulAttributeNames();
QStringList olAttributeNames();
QStringList liMarkAttributeNames();
QStringList liNumberAttributeNames();
// The attributes whose values are words, with their words.
QList<AttributeWords> listAttributeWords();

// Whether `tag` begins with the start tag named `name` (any case), not a longer name such
// as LINK for LI.
bool isStartTagNamed(const QString &tag, const char *name);

// The entries of a whole definition list "<DL>…</DL>": each <DT>…</DT> followed by its
// <DD>…</DD>, in any letter case, with one line break at either end of a term or description
// removed (the one the builder writes). Nothing when the list holds anything the dialog could
// not write back: an item without its end tags, text outside the items, a nested list.
std::optional<DefinitionEntries> readDefinitionList(const QString &element);
