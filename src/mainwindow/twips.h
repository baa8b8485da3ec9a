#pragma once

// Window layout is kept in twips (1440 to the inch) and converted to pixels with the screen's
// logical resolution: at 96 dots per inch a pixel is 15 twips.
constexpr int TwipsPerInch = 1440;

int twipsToPixels(int twips, int dotsPerInch);
int pixelsToTwips(int pixels, int dotsPerInch);
