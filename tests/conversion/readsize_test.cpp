// How large pictures are read: whole up to the bound, reduced in proportion
// above it with a JPEG decoder scale within the bound, refused when they
// declare more than a conversion takes.
#include <gtest/gtest.h>

#include <algorithm>

#include "conversion/readsize.h"

namespace {

TEST(ReadSize, WholeReducedOrRefused) {
    struct Case {
        uint64_t columns, rows;
        ReadPlan plan;
        uint32_t hintWidth, hintHeight;  // reduced: the decoder's scale, 1/2, 3/8, 1/4 or 1/8
    } cases[] = {
        {2048, 1536, kReadWhole, 0, 0},  // exactly the bound
        {65535, 48, kReadWhole, 0, 0},   // thin, few pixels
        {8000, 5300, kReadReduced, 2000, 1325},    // 42 megapixels: 1/4
        {3000, 2000, kReadReduced, 1500, 1000},    // 1/2
        {4096, 4096, kReadReduced, 1365, 1365},    // 3/8 gives 1536 x 1536
        {11585, 11585, kReadReduced, 1448, 1448},  // the largest area taken: only 1/8 fits
        {65535, 2000, kReadReduced, 8191, 250},    // a panorama
        {11586, 11586, kRefuseTooLarge, 0, 0},
        {65536, 10, kRefuseTooLarge, 0, 0},        // a side no JPEG has
        {0, 100, kRefuseTooLarge, 0, 0},
        {UINT64_MAX, UINT64_MAX, kRefuseTooLarge, 0, 0},
    };
    for (const Case &c : cases) {
        ReadSize size = PlanRead(c.columns, c.rows);
        ASSERT_EQ(size.plan, c.plan) << c.columns << " x " << c.rows;
        if (c.plan == kReadWhole) EXPECT_TRUE(size.width == c.columns && size.height == c.rows) << c.columns;
        if (c.plan != kReadReduced) continue;
        EXPECT_LE((uint64_t)size.width * size.height, kReadBoundPixels) << c.columns;
        EXPECT_GT((uint64_t)size.width * size.height, kReadBoundPixels * 99 / 100) << c.columns;
        double ratio = (double)c.columns / c.rows;
        EXPECT_NEAR((double)size.width / size.height, ratio, ratio / 100) << c.columns;
        EXPECT_EQ(size.hintWidth, c.hintWidth) << c.columns;
        EXPECT_EQ(size.hintHeight, c.hintHeight) << c.columns;
    }
}

// The fast path's hint: twice the largest image on both sides, and only for
// a picture the decoder would divide by at least 2; the decoder's own rule
// (the integer part of the smaller ratio, rounded up to an M/8 scale) then
// never gives less than the hint.
TEST(ReadSize, FastDecodeHintHoldsTwiceTheLargestImage) {
    struct Case {
        uint64_t columns, rows;
        uint32_t largest;
        bool scaled;
    } cases[] = {
        {2048, 1536, 48, true}, {8000, 5300, 256, true}, {120, 90, 16, true},  {383, 383, 96, false},
        {384, 384, 96, true},   {3000, 20, 48, false},   {1, 1, 16, false},    {65535, 65535, 1, true},
        {2048, 1536, 0, false}, {2048, 1536, 70000, false},
    };
    for (const Case &c : cases) {
        uint32_t w = 0, h = 0;
        ASSERT_EQ(FastDecodeHint(c.columns, c.rows, c.largest, &w, &h), c.scaled) << c.columns << " x " << c.rows;
        if (!c.scaled) continue;
        EXPECT_EQ(w, 2 * c.largest);
        EXPECT_EQ(h, 2 * c.largest);
        // What the decoder gives: 1/denominator rounded up to the next eighth.
        uint64_t denominator = std::min(c.columns / w, c.rows / h);
        ASSERT_GE(denominator, 2u);
        uint64_t eighths = (8 + denominator - 1) / denominator;
        EXPECT_GE((c.columns * eighths + 7) / 8, 2u * c.largest) << c.columns;
        EXPECT_GE((c.rows * eighths + 7) / 8, 2u * c.largest) << c.rows;
    }
}

}  // namespace
