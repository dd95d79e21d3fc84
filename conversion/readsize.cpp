#include "conversion/readsize.h"

#include <cmath>

ReadPlan PlanRead(uint64_t columns, uint64_t rows, uint32_t *width, uint32_t *height) {
    *width = *height = 0;
    if (columns == 0 || rows == 0 || columns > kMaxPictureSide || rows > kMaxPictureSide) return kRefuseTooLarge;
    uint64_t pixels = columns * rows;  // both sides fit 16 bits: no overflow
    if (pixels > kMaxPicturePixels) return kRefuseTooLarge;
    if (pixels <= kReadBoundPixels) {
        *width = (uint32_t)columns;
        *height = (uint32_t)rows;
        return kReadWhole;
    }
    // The same factor on both sides, rounded down so the product stays
    // within the bound; a side never drops below one pixel.
    double scale = std::sqrt((double)kReadBoundPixels / (double)pixels);
    uint64_t w = (uint64_t)(columns * scale), h = (uint64_t)(rows * scale);
    if (w < 1) w = 1;
    if (h < 1) h = 1;
    while (w * h > kReadBoundPixels) {
        if (w >= h) --w;
        else --h;
    }
    *width = (uint32_t)w;
    *height = (uint32_t)h;
    return kReadReduced;
}
