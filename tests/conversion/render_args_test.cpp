#include "conversion/render_args.h"

#include <gtest/gtest.h>

using Args = std::vector<std::string>;

TEST(RenderArgs, ColourReductionComesBeforeTheResize) {
    EXPECT_EQ(RenderArgs(16, 1, false), (Args{"Glyphery", "-monochrome", "-resize", "16x16!"}));
    EXPECT_EQ(RenderArgs(16, 4, false), (Args{"Glyphery", "-colors", "16", "-resize", "16x16!"}));
    EXPECT_EQ(RenderArgs(48, 8, false), (Args{"Glyphery", "-colors", "256", "-resize", "48x48!"}));
    EXPECT_EQ(RenderArgs(32, 24, false), (Args{"Glyphery", "-resize", "32x32!"}));
    EXPECT_EQ(RenderArgs(96, 32, false), (Args{"Glyphery", "-resize", "96x96!"}));
    EXPECT_EQ(RenderArgs(32, 24, true), (Args{"Glyphery", "-resize", "32x32"}));
    EXPECT_EQ(RenderArgs(150, 4, true), (Args{"Glyphery", "-colors", "16", "-resize", "150x150"}));
}

TEST(BorderArgs, CentresAPictureKeptInProportion) {
    Args args;
    // 100 x 50 resized to 32 x 16: a border of 0 x 8 makes it 32 x 32.
    ASSERT_TRUE(BorderArgs(32, 32, 16, &args));
    EXPECT_EQ(args, (Args{"Glyphery", "-bordercolor", "white", "-border", "0x8"}));
    // 32 x 15: dy rounds down to 8, leaving the picture one pixel short.
    ASSERT_TRUE(BorderArgs(32, 32, 15, &args));
    EXPECT_EQ(args.back(), "0x8");
    ASSERT_TRUE(BorderArgs(48, 13, 48, &args));
    EXPECT_EQ(args.back(), "17x0");
    EXPECT_FALSE(BorderArgs(32, 32, 32, &args));
    EXPECT_FALSE(BorderArgs(32, 31, 33, &args));  // both halves round to 0
}
