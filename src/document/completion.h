#pragma once

#include "document/markupscan.h"

#include <QString>
#include <QStringList>
#include <QStringView>

class TagVocabulary;

// What the list of names offers at the caret, read from the text before it: after "<" the tag
// names, after "</" the innermost open element, after a tag's name and a blank its attributes,
// inside an attribute's value the words of that attribute. Nothing inside comments, SCRIPT or
// STYLE elements, or in the text between tags.

enum class CompletionKind { None, TagName, EndTag, AttributeName, AttributeValue };

struct CompletionRequest
{
    CompletionKind kind = CompletionKind::None;
    qsizetype prefixStart = 0; // where the typed part of the name starts (accepting replaces it)
    QString prefix;            // the typed part of the name
    QString tag;               // upper case
    QString attribute;         // AttributeValue: the attribute, lower case
    QChar quote;               // AttributeValue: the value's opening quote, or none
    QStringList present;       // AttributeName: the attributes the tag has already, lower case
    QString innermost;         // EndTag: the innermost element still open, upper case
};

// What a stretch of text leaves behind for the text after it: the elements still open, and
// whether it ends in the content of the page (not inside a tag, a comment, SCRIPT or STYLE),
// where the text after it can be read on its own.
struct MarkupContext
{
    OpenElements open;
    bool inContent = true;
};
MarkupContext markupContextAfter(QStringView text);

// The request at the end of `before` (the text up to the caret, or a stretch of it that ends at
// the caret). `openBefore`: the elements open where `before` starts, which must be in the
// content of the page.
CompletionRequest completionAt(QStringView before, const OpenElements &openBefore = {});

// Whether the caret's line up to the caret ends inside a tag; without it there is nothing to
// offer, and the wider look of completionAt can be spared.
bool mayComplete(QStringView lineBefore);

// The names to offer, in the letter case to write them: tag names in upper case as the dialogs
// write them, or in lower case; attributes and words as the tag families write them.
QStringList completionItems(const CompletionRequest &request, const TagVocabulary &vocabulary,
                            bool lowerCase);

// What accepting `item` writes in place of the prefix, with the caret after `text`, and what
// goes after the caret. `closingTags`: a tag that needs an end tag is closed and its end tag
// written after the caret.
struct CompletionInsert
{
    QString text;
    QString after;
};
CompletionInsert completionInsert(const CompletionRequest &request, const QString &item,
                                  bool closingTags, QStringView textAfterCaret);
