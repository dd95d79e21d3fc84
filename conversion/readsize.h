// How large a picture is read for a conversion. Portable.
//
// A picture up to kReadBoundPixels (3 megapixels) is read whole, as it is.
// A larger one is read at a reduced size that keeps its proportions and
// holds at most that many pixels: every image made from it is at most 256
// pixels wide, so the reduced picture still has some seven times that on each
// side, while the colour reductions (which work on the whole picture, and
// cost about a second per megapixel in the 32-bit build) and the pixel cache
// of a 32-bit process stay small. A JPEG is decoded straight at a reduced
// scale (its decoder scales by 1/2, 3/8, 1/4 and 1/8); other pictures are
// decoded whole and resized. A picture declaring more than
// kMaxPicturePixels, or a side longer than kMaxPictureSide, is refused before
// anything is decoded: a few bytes can declare billions of pixels.
#pragma once
#include <cstdint>

const uint64_t kReadBoundPixels = 2048u * 1536u;
const uint64_t kMaxPicturePixels = 128u * 1024u * 1024u;  // 1 GiB of pixel cache at 8 bytes a pixel
const uint64_t kMaxPictureSide = 65535;                   // the longest side a JPEG can have

enum ReadPlan {
    kReadWhole,
    kReadReduced,
    kRefuseTooLarge,  // also for a picture without pixels (a zero side)
};

struct ReadSize {
    ReadPlan plan = kRefuseTooLarge;
    // kReadReduced: the size a picture decoded larger than the bound is
    // resized to (proportions kept, at most kReadBoundPixels)...
    uint32_t width = 0, height = 0;
    // ...and the size hint for the JPEG decoder: it decodes at the largest
    // of its scales whose picture is within the bound (at 1/8 when none is),
    // given as the image library takes it (the original size divided by the
    // scale's denominator, rounded down).
    uint32_t hintWidth = 0, hintHeight = 0;
};
ReadSize PlanRead(uint64_t columns, uint64_t rows);

// True when a picture of this size is larger than a conversion reads.
inline bool BeyondReadBound(uint64_t columns, uint64_t rows) { return columns * rows > kReadBoundPixels; }

// The fast path's size hint for the JPEG decoder: the smallest picture that
// still holds twice the largest image (`largest` pixels a side) on both
// sides. The decoder divides the picture by the integer part of the
// smaller of columns / hint and rows / hint and rounds its scale up to the
// next of its M/8 steps, so the picture it gives is never smaller than the
// hint. False (decode at the usual size) when the picture is not at least
// twice the hint on both sides: the decoder would not scale it down.
bool FastDecodeHint(uint64_t columns, uint64_t rows, uint32_t largest, uint32_t *hintWidth, uint32_t *hintHeight);
