#pragma once

#include <QStringView>

#include <optional>

// The partner of the tag at the caret: the end tag of a start tag, the start tag of an end tag,
// read as a browser nests elements (an element left open inside is closed by its parent's end
// tag, an end tag without a start tag is passed over, a P, LI, TD, … ends where the next of its
// kind starts). The search sees only the text it is given: the caller hands it a window around
// the caret, so that a huge page costs no more than a small one.

struct TagName
{
    qsizetype start = 0; // the first letter of the tag's name
    qsizetype length = 0;
};

struct MatchingTags
{
    TagName atCaret;
    TagName partner;
    qsizetype partnerTagStart = 0; // the partner's "<"
};

// The tag holding `caret` (from just before its "<" to just after its ">") in `text`, and its
// partner; nothing when the caret is in no tag, the tag has no end tag, or its partner is not in
// the text.
std::optional<MatchingTags> matchingTagAt(QStringView text, qsizetype caret);
