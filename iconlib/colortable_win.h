// The colour table a picture gets when it is brought to an icon image's depth.
#pragma once
#include <windows.h>

// Black then white at 1 bit; at 4 bits the source's own table when it has 4
// bits, else the 16 standard colours; at 8 bits the source's own table when it
// has 8 bits, else the screen's halftone palette. Nothing above 8 bits.
// sourceTable holds the source's 16 or 256 entries when sourceBits says so.
void IconColorTable(int bits, int sourceBits, const RGBQUAD *sourceTable, RGBQUAD *table);
