#pragma once

// One stretch of text to colour in a RichTextBox: positions as the box counts them (a line
// break is the two characters CR LF), the colour as 0x00BBGGRR, and what to do with bold.
struct ColorRun
{
    enum Bold : unsigned char { Unchanged, On, Off };

    int start = 0;
    int length = 0;
    int color = 0;
    Bold bold = Unchanged;
};
