// The cursor hot spot a caller hands to saveICON in its text argument:
// "hotspot=X,Y", decimal, in pixels of the largest image of the format list,
// counted from its top-left corner. Portable.
#pragma once
#include <cstdint>
#include <string>

#include "common/types.h"

// The size of the largest format of a list: the size a hot spot is given for.
inline int LargestFormatSize(const FormatEntry *formats, int count) {
    int largest = 0;
    for (int i = 0; i < count && formats; ++i)
        if (formats[i].size > largest) largest = formats[i].size;
    return largest;
}

inline std::string HotspotText(int x, int y) { return "hotspot=" + std::to_string(x) + "," + std::to_string(y); }

// Reads the text above (each number 0..65535). False, with (0, 0), for a
// null pointer or any other text; nothing past the first character that
// does not fit is read.
bool ParseHotspotText(const char *text, int *x, int *y);

// The hot spot of a size x size image for (x, y) given at `largest` pixels:
// scaled by size / largest, rounded down, and kept inside the image.
void ScaleHotspot(int x, int y, int largest, int size, uint32_t *outX, uint32_t *outY);
