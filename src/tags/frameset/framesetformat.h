#pragma once

#include <QString>

#include <optional>

// The frame family's FRAMESET both ways: a two-frame frameset built from the values of its
// dialog, and an existing frameset element read back into the same values.

// The split directions, in the order of the dialog's option buttons.
enum class FrameSplit { SideBySide, Stacked }; // written as cols, rows

struct FrameSetFields
{
    int split = int(FrameSplit::SideBySide);
    QString ratio = QStringLiteral("50");
    bool percent = true;
    QString name1 = QStringLiteral("HTML-1");
    QString url1;
    QString name2 = QStringLiteral("HTML-2");
    QString url2;
};

// The ratio's range: 0 to 100 in percent, 0 to MaxFramePixels in pixels.
constexpr int MaxFramePixels = 100000;
int maxFrameRatio(bool percent);
// The ratio in `text` (digits, full-width too, blanks around allowed) when it is a whole
// number in the range of the mode.
std::optional<int> parseFrameRatio(const QString &text, bool percent);

// The FRAMESET start tag alone: cols="30%,70%" in percent mode, cols="200,*" in pixels.
QString frameSetStartTag(const FrameSetFields &fields);
// <FRAME name="..." SRC="...">
QString frameTag(const QString &name, const QString &url);
// The whole element: the start tag, the two frames on tab-indented lines, and the end tag on a
// line of its own (no line break after it).
QString frameSetElement(const FrameSetFields &fields);

// An existing frameset element in pieces: its start tag, the first two tags after it, and the
// text between the second of them and the end tag.
struct FrameSetParts
{
    QString frameSet;
    QString frame1;
    QString frame2;
    QString rest;
    // Both tags after the start tag are FRAME tags and the element ends in its end tag: the
    // only shape the dialog can rewrite.
    bool twoFrames = false;
};
FrameSetParts splitFrameSet(const QString &element);

// The values the dialog shows for an existing element. rows selects the stacked split, else
// cols is read; a value with "%" after either part is read in percent, "*,70%" giving 30;
// "20%,*" giving 20; without rows and
// cols the split and ratio stay as the dialog loads them.
FrameSetFields readFrameSet(const FrameSetParts &parts);
FrameSetFields readFrameSetElement(const QString &element);

// The element rebuilt from `fields` in place of `old`: every attribute the dialog does not
// manage is kept on its tag, and whatever stood after the two frames (more frames, NOFRAMES)
// stays before the end tag. `untouched` is what the dialog showed before any change (by
// default what it reads from `old`): a value the user left alone that the dialog would write
// otherwise ("*,3*") comes back as it was written (mergeReEditedTag).
QString rebuiltFrameSet(const FrameSetFields &fields, const FrameSetParts &old);
QString rebuiltFrameSet(const FrameSetFields &fields, const FrameSetParts &old,
                        const FrameSetFields &untouched);
