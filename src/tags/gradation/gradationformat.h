#pragma once

#include <QString>
#include <QStringList>

// Gradation text: every character of a text wrapped in its own FONT tag, the colour moving
// step by step from a start colour to an end colour. Colours are 0x00BBGGRR numbers, as the
// colour picker returns them.

struct GradationValues
{
    QString text; // line breaks as CR LF
    int startColor = 0;
    int endColor = 0;    // the middle colour when `repeat` is on
    bool repeat = false; // go to the end colour over the first half and back over the second
};

// Upper-case hexadecimal of `value`, padded with "0" to `width` digits (never cut).
QString HexPad(uint value, int width);

// The characters the gradation colours one by one: a CR LF pair, a surrogate pair or a
// character with its combining marks counts as one, so a FONT tag never splits it.
QStringList gradationCharacters(const QString &text);

// Each character of `text` as <FONT color=#RRGGBB>c</FONT>. Per colour component the step is
// the difference divided by the number of characters, truncated towards zero; character i
// (from 0) gets start + i × step, so the last one falls short of the end colour unless the
// difference divides evenly. An empty text gives an empty string.
QString MakeGradation(const QString &text, int startColor, int endColor);

// The fragment of the gradation dialog. Repeating, the first half of the characters (one
// fewer when their number is odd) runs to the end colour and the rest runs back to the start.
QString buildGradation(const GradationValues &values);

// The page the preview shows: the fragment inside a bare BODY.
QString gradationPreviewPage(const QString &fragment);
