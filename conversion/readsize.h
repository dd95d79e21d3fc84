// How large a picture is read for a conversion. Portable.
//
// A picture up to kReadBoundPixels is read whole, as it is. A larger one is
// read at a reduced size that keeps its proportions and holds at most that
// many pixels: every image made from it is at most 256 pixels wide, so the
// reduced picture still has several times the pixels of the largest, and the
// colour reductions (which work on the whole picture) and the pixel cache of
// a 32-bit process stay small. A picture declaring more than
// kMaxPicturePixels, or a side longer than kMaxPictureSide, is refused before
// anything is decoded: a few bytes can declare billions of pixels.
#pragma once
#include <cstdint>

const uint64_t kReadBoundPixels = 2048u * 2048u;
const uint64_t kMaxPicturePixels = 128u * 1024u * 1024u;
const uint64_t kMaxPictureSide = 65535;  // the longest side a JPEG can have

enum ReadPlan {
    kReadWhole,
    kReadReduced,     // read at *width x *height (or decoded larger, then resized to it)
    kRefuseTooLarge,  // also for a picture without pixels (a zero side)
};
ReadPlan PlanRead(uint64_t columns, uint64_t rows, uint32_t *width, uint32_t *height);
