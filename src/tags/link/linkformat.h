#pragma once

#include "tags/shared/attributewords.h"

#include <QString>
#include <QStringList>

// The link family's tags both ways: links to pages and mail links built from the values of
// their dialogs, and existing A elements read back into the same values.

// The texts of the target drop-down, in order.
QStringList linkTargetEntries();

struct LinkFields
{
    QString url;
    QString target; // the drop-down's text: one of its entries or a typed frame name
    QString text;   // the link's content
};

struct MailFields
{
    QString address; // without "mailto:" in the dialog; as read from a tag otherwise
    QString text;
};

// <A href="url" target="...">text — the end tag is the caller's. The four entries write
// _blank, _self, _parent and _top; any other text is written as typed.
QString linkStart(const LinkFields &fields);
// <A href="mailto:address">text</A>; an address holding a double quote is quoted as every
// attribute value is (quotedValue).
QString mailLink(const MailFields &fields);
// "mailto:" (exact case) at the start of a typed address is dropped.
QString withoutMailtoPrefix(const QString &address);

// An A element as the selection holds it: the start tag, the content up to the first "</a>"
// in any letter case, and whether such an end tag was found.
struct LinkElement
{
    QString startTag;
    QString content;
    bool closed = false;
    // The length of start tag plus content: the part a re-edit replaces.
    qsizetype editedLength() const { return startTag.size() + content.size(); }
};
LinkElement splitLinkElement(const QString &selText);
// A mail link: its href begins with "mailto:" in exact case.
bool isMailLink(const LinkElement &element);

// The values of an element's dialog. The target's _blank, _self, _parent and _top are
// recognised in any ASCII letter case; another value is a frame name and shows as it is; no
// target empties the drop-down.
LinkFields readLinkElement(const LinkElement &element);
MailFields readMailElement(const LinkElement &element);

// The attributes each dialog manages; re-editing keeps every other attribute of the tag.
QStringList linkAttributeNames();
QStringList mailAttributeNames();
// The attributes whose values are words, with their words.
QList<AttributeWords> linkAttributeWords();
