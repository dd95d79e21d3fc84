// The raw decoder's command line and the header of the picture it returns.
#include <gtest/gtest.h>

#include "libs/qcrw/rawargs.h"

namespace {

TEST(RawArguments, HalfSizeAndTheFile) {
    const char *call[] = {"Glyphery", "-h", "C:\\p\\a.crw", nullptr};
    RawDecodeOptions o = ParseRawArguments(3, call);
    EXPECT_TRUE(o.halfSize);
    EXPECT_EQ(o.path, "C:\\p\\a.crw");
    const char *whole[] = {"Glyphery", "C:\\p\\b.nef", nullptr};
    o = ParseRawArguments(2, whole);
    EXPECT_FALSE(o.halfSize);
    EXPECT_EQ(o.path, "C:\\p\\b.nef");
    // The count is not trusted past a null entry, nor is a null list read.
    const char *shortList[] = {"Glyphery", "-h", nullptr};
    o = ParseRawArguments(3000, shortList);
    EXPECT_TRUE(o.halfSize);
    EXPECT_EQ(o.path, "");
    EXPECT_EQ(ParseRawArguments(3, nullptr).path, "");
    EXPECT_EQ(ParseRawArguments(1, call).path, "");
}

TEST(RawArguments, PnmHeaders) {
    EXPECT_EQ(PnmHeader(3, 640, 480), "P6\n640 480\n255\n");
    EXPECT_EQ(PnmHeader(1, 2, 3), "P5\n2 3\n255\n");
    EXPECT_EQ(PnmHeader(4, 2, 3), "");
    EXPECT_EQ(PnmHeader(3, 0, 3), "");
}

}  // namespace
