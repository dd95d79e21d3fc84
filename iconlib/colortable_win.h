// The colour tables the icon file library gives images of 1, 4 and 8 bits
// when their picture comes at another depth: black and white, the 16
// standard colours, the halftone palette of the screen. A conversion that
// reduces its pictures to these tables itself is not reduced again.
#pragma once
#include <windows.h>

// Fills table[0 .. (1 << bits) - 1]; bits is 1, 4 or 8 (nothing else is touched).
void StandardColorTable(int bits, RGBQUAD *table);
