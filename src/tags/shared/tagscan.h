#pragma once

#include <QString>

#include <utility>

// The double-click scan over the document text, as one pass over the string. It starts from
// the control's own word selection, grows it back to the nearest "<" and then forward to the
// end of the tag (its first ">" outside quoted values, where a browser ends it), or, for links
// written "<a href=", headings h1 to h6, textarea, frameset, applet and definition lists, to
// the first matching end tag after it that is not inside another tag or a comment.
struct TagScan
{
    // True when a tag or element was found; the re-edit dispatch then runs on it. False when
    // the selection starts at 0, or either end of the text was reached first: the selection
    // is then left as it was.
    bool found = false;
    int start = 0;
    int length = 0;
    // Characters looked at, for checking that the work stays linear in the element's size.
    qsizetype steps = 0;
};

// `text` uses CR LF line breaks; positions count both characters, as the text control does.
TagScan scanTagAtCaret(const QString &text, int selStart, int selLength);

// Where the scan of a double-click starts: the clicked "<" itself when the pointer hit one (the
// control's word selection takes "><" of two tags side by side as one word, so it would start
// at the wrong tag), else the control's word selection. Answers the selection start and length.
std::pair<int, int> scanStartOfDoubleClick(const QString &text, int selStart, int selLength,
                                           int clickedCharacter);
