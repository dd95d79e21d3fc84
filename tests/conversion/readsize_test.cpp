// How large pictures are read: whole up to the bound, reduced in proportion
// above it with a JPEG decoder scale within the bound, refused when they
// declare more than a conversion takes.
#include <gtest/gtest.h>

#include "conversion/readsize.h"

namespace {

TEST(ReadSize, SmallPicturesAreReadWholeAndImpossibleOnesRefused) {
    struct Case {
        uint64_t columns, rows;
        ReadPlan plan;
    } cases[] = {
        {1, 1, kReadWhole},
        {2048, 1536, kReadWhole},       // exactly the bound
        {65535, 48, kReadWhole},        // thin, few pixels
        {2049, 1536, kReadReduced},
        {11585, 11585, kReadReduced},   // just within the largest area taken
        {11586, 11586, kRefuseTooLarge},
        {100000, 100000, kRefuseTooLarge},
        {65536, 10, kRefuseTooLarge},   // a side no JPEG has
        {10, 65536, kRefuseTooLarge},
        {0, 100, kRefuseTooLarge},
        {100, 0, kRefuseTooLarge},
        {UINT64_MAX, UINT64_MAX, kRefuseTooLarge},
    };
    for (const Case &c : cases) {
        ReadSize size = PlanRead(c.columns, c.rows);
        EXPECT_EQ(size.plan, c.plan) << c.columns << " x " << c.rows;
        if (c.plan == kReadWhole) {
            EXPECT_EQ(size.width, c.columns);
            EXPECT_EQ(size.height, c.rows);
        }
    }
}

TEST(ReadSize, LargerPicturesKeepTheirProportionsWithinTheBound) {
    struct Case {
        uint64_t columns, rows;
        uint32_t hintWidth, hintHeight;  // the decoder's scale: 1/2, 3/8, 1/4 or 1/8
    } cases[] = {
        {8000, 5300, 2000, 1325},   // 42 megapixels: 1/4 gives 2000 x 1325
        {4000, 3000, 2000, 1500},   // 12 megapixels: 1/2
        {3000, 2000, 1500, 1000},   // 6 megapixels: 1/2
        {4096, 4096, 1365, 1365},   // 3/8 gives 1536 x 1536
        {11585, 11585, 1448, 1448}, // only 1/8 fits
        {65535, 2000, 8191, 250},   // a panorama: 1/8 gives 8192 x 250
    };
    for (const Case &c : cases) {
        ReadSize size = PlanRead(c.columns, c.rows);
        ASSERT_EQ(size.plan, kReadReduced) << c.columns << " x " << c.rows;
        EXPECT_LE((uint64_t)size.width * size.height, kReadBoundPixels) << c.columns;
        EXPECT_GT((uint64_t)size.width * size.height, kReadBoundPixels * 99 / 100) << c.columns;
        double ratio = (double)c.columns / c.rows;
        EXPECT_NEAR((double)size.width / size.height, ratio, ratio / 100) << c.columns;
        EXPECT_EQ(size.hintWidth, c.hintWidth) << c.columns;
        EXPECT_EQ(size.hintHeight, c.hintHeight) << c.columns;
    }
}

}  // namespace
