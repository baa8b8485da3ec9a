#pragma once

#include <QList>
#include <QStringView>

// The colour rule of the markup: "<" and ">" are brackets, a few punctuation characters are
// punctuation wherever they stand, every other character is inside a tag (between a "<" and the
// next ">") or text. Nothing else is recognised: quotes, comments and entities are not, and a
// ">" inside an attribute value ends the tag.

enum class Markup { Bracket, Punctuation, InTag, Text };

// The punctuation of the full pass is the double quote, "=" and "/"; fragments also mark ";",
// so that a character entity's end stands out where it is inserted.
enum class PunctuationSet { Document, Fragment };

struct MarkupRun
{
    int start;
    int length;
    Markup kind;
};

struct MarkupScan
{
    // Consecutive runs of one kind are merged; together they cover the whole text.
    QList<MarkupRun> runs;
    // Whether the text ends inside a tag (what the caret at the end would type into).
    bool endsInTag = false;
};

// One pass over `text`.
MarkupScan scanMarkup(QStringView text, PunctuationSet punctuation);
