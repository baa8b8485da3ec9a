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
// The same, handing each run to `visit` in order instead of keeping them: a page of megabytes
// has millions. Returns whether the text ends inside a tag. `startsInTag` reads `text` as the
// continuation of a text that ends inside a tag.
template <typename Visit>
bool scanMarkup(QStringView text, PunctuationSet punctuation, Visit &&visit,
                bool startsInTag = false)
{
    const bool semicolon = punctuation == PunctuationSet::Fragment;
    MarkupRun run{0, 0, Markup::Text};
    bool inTag = startsInTag;
    const int n = int(text.size());
    const QChar *chars = text.data();
    for (int i = 0; i < n; ++i) {
        Markup kind;
        switch (chars[i].unicode()) {
        case u'<':
            kind = Markup::Bracket;
            inTag = true;
            break;
        case u'>':
            kind = Markup::Bracket;
            inTag = false;
            break;
        case u'"':
        case u'=':
        case u'/': kind = Markup::Punctuation; break;
        case u';':
            if (semicolon) {
                kind = Markup::Punctuation;
                break;
            }
            [[fallthrough]];
        default: kind = inTag ? Markup::InTag : Markup::Text; break;
        }
        if (run.length > 0 && run.kind == kind) {
            ++run.length;
            continue;
        }
        if (run.length > 0)
            visit(run);
        run = {i, 1, kind};
    }
    if (run.length > 0)
        visit(run);
    return inTag;
}

// Whether the text that continues `text` stands inside a tag, `startsInTag` telling the same of
// the text before it: the last bracket decides. Reads backwards, so it costs the distance to
// that bracket.
bool endsInTag(QStringView text, bool startsInTag = false);
