#include "mainwindow/twips.h"

#include <cmath>

int twipsToPixels(int twips, int dotsPerInch)
{
    if (dotsPerInch <= 0)
        return 0;
    return static_cast<int>(std::lround(double(twips) * dotsPerInch / TwipsPerInch));
}

int pixelsToTwips(int pixels, int dotsPerInch)
{
    if (dotsPerInch <= 0)
        return 0;
    return static_cast<int>(std::lround(double(pixels) * TwipsPerInch / dotsPerInch));
}
