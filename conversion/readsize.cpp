#include "conversion/readsize.h"

#include <cmath>

namespace {

// The JPEG decoder's reduced scales as the image library reaches them: a
// size hint of 1/denominator of the picture makes the decoder take the
// smallest of its M/8 scales at least that large.
struct JpegScale {
    unsigned denominator, eighths;
};
const JpegScale kJpegScales[] = {{2, 4}, {3, 3}, {4, 2}, {8, 1}};

uint64_t Scaled(uint64_t side, unsigned eighths) { return (side * eighths + 7) / 8; }

}  // namespace

ReadSize PlanRead(uint64_t columns, uint64_t rows) {
    ReadSize size;
    if (columns == 0 || rows == 0 || columns > kMaxPictureSide || rows > kMaxPictureSide) return size;
    uint64_t pixels = columns * rows;  // both sides fit 16 bits: no overflow
    if (pixels > kMaxPicturePixels) return size;
    if (!BeyondReadBound(columns, rows)) {
        size.plan = kReadWhole;
        size.width = (uint32_t)columns;
        size.height = (uint32_t)rows;
        return size;
    }
    size.plan = kReadReduced;
    // The same factor on both sides, rounded down so the product stays
    // within the bound; a side never drops below one pixel.
    double scale = std::sqrt((double)kReadBoundPixels / (double)pixels);
    uint64_t w = (uint64_t)((double)columns * scale), h = (uint64_t)((double)rows * scale);
    if (w < 1) w = 1;
    if (h < 1) h = 1;
    while (w * h > kReadBoundPixels) {
        if (w >= h) --w;
        else --h;
    }
    size.width = (uint32_t)w;
    size.height = (uint32_t)h;
    const JpegScale *chosen = &kJpegScales[3];
    for (const JpegScale &s : kJpegScales) {
        if (!BeyondReadBound(Scaled(columns, s.eighths), Scaled(rows, s.eighths))) {
            chosen = &s;
            break;
        }
    }
    size.hintWidth = (uint32_t)(columns / chosen->denominator);
    size.hintHeight = (uint32_t)(rows / chosen->denominator);
    if (size.hintWidth < 1) size.hintWidth = 1;
    if (size.hintHeight < 1) size.hintHeight = 1;
    return size;
}

bool FastDecodeHint(uint64_t columns, uint64_t rows, uint32_t largest, uint32_t *hintWidth, uint32_t *hintHeight) {
    if (largest == 0 || largest > kMaxPictureSide) return false;
    uint64_t hint = 2 * (uint64_t)largest;
    if (columns / hint < 2 || rows / hint < 2) return false;
    *hintWidth = *hintHeight = (uint32_t)hint;
    return true;
}
