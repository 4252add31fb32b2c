// The text a grid shows for a number: thousands grouped with ",", the fraction
// cut (not rounded) to the asked number of decimals.
#pragma once

#include "mfc.h"

class GridNumberText {
public:
    static CString Format(double value, int decimals);
    // The value of a cell text: every "," removed, then the C library's conversion.
    static double Parse(const char* text);
};
