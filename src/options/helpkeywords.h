#pragma once

#include <QString>
#include <QStringList>

// Matching what the user types against the guide's keywords. The keywords are written the
// program's way, many in half-width katakana (ｸﾞﾗﾃﾞｰｼｮﾝ), while an input method commits
// full-width katakana or hiragana: both sides are compared in one folded form.

// The form compared: compatibility forms composed (half-width katakana and its voiced marks
// become full-width katakana, full-width letters and digits ASCII), letter case folded,
// hiragana read as katakana.
QString foldKeyword(const QString &text);

struct KeywordMatches
{
    QStringList keywords; // the keywords containing the typed text, in their order
    int best = -1;        // the one to select: the same word, else the first that starts with it
};

// The keywords that contain `typed` after folding; every keyword (and no choice) for an empty
// text.
KeywordMatches matchKeywords(const QStringList &keywords, const QString &typed);
