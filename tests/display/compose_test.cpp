// The compositor's argument walk, where the picture lands, the tiles, and
// the list Paste Combine hands it.
#include <gtest/gtest.h>

#include "display/compose.h"

namespace {

TEST(CompositeArgumentsTest, OptionsImagesAndRefusals) {
    struct Case {
        std::vector<std::string> args;
        CompositeError error;
        int op, gravity;
        bool tile;
        const char *mask;
    } cases[] = {
        {{"g", "a.bmp", "b.bmp", "o.bmp"}, CompositeError::kNone, kComposeUndefined, 1, false, ""},
        {{"g", "-compose", "Subtract", "a", "b", "o"}, CompositeError::kNone, kComposeSubtract, 1, false, ""},
        {{"g", "-compo", "xor", "a", "b", "o"}, CompositeError::kNone, kComposeXor, 1, false, ""},
        // Four letters do not name "compose": an option for the mogrify pass.
        {{"g", "-comp", "a", "b", "o"}, CompositeError::kNone, kComposeUndefined, 1, false, ""},
        {{"g", "-compose", "nosuch", "a", "b", "o"}, CompositeError::kNone, kComposeUndefined, 1, false, ""},
        {{"g", "-compose", "replace", "a", "b", "o"}, CompositeError::kNone, kComposeReplace, 1, false, ""},
        {{"g", "-gr", "SouthEast", "a", "b", "m", "o"}, CompositeError::kNone, kComposeUndefined, 9, false, "m"},
        {{"g", "-gravity", "east", "+gravity", "a", "b", "o"}, CompositeError::kNone, kComposeUndefined, 1, false, ""},
        {{"g", "-ti", "a", "-", "o"}, CompositeError::kNone, kComposeUndefined, 1, true, ""},
        {{"g", "-tile", "+tile", "a", "b", "o"}, CompositeError::kNone, kComposeUndefined, 1, false, ""},
        {{"g", "+blend", "a", "b", "o"}, CompositeError::kNone, kComposeUndefined, 1, false, ""},
        {{"g", "a", "b", "m", "d", "o"}, CompositeError::kTooManyImages, 0, 1, false, ""},
        {{"g", "-blend", "3x", "a", "b", "o"}, CompositeError::kBadNumber, 0, 1, false, ""},
        {{"g", "-blend", "-5", "a", "b", "o"}, CompositeError::kBadNumber, 0, 1, false, ""},
        {{"g", "-blend", "1.2.3", "a", "b", "o"}, CompositeError::kBadNumber, 0, 1, false, ""},
        {{"g", "-gravity", "Up", "a", "b", "o"}, CompositeError::kBadGravity, 0, 1, false, ""},
        {{"g", "a", "b", "-compose", "o"}, CompositeError::kMissingValue, 0, 1, false, ""},
        {{"g", "a", "o"}, CompositeError::kTooFewArguments, 0, 1, false, ""},
        {{"g"}, CompositeError::kTooFewArguments, 0, 1, false, ""},
        {{}, CompositeError::kTooFewArguments, 0, 1, false, ""},
    };
    for (const Case &c : cases) {
        std::string line;
        for (const std::string &a : c.args) line += a + " ";
        SCOPED_TRACE(line);
        CompositePlan plan;
        ASSERT_EQ(ParseCompositeArguments(c.args, &plan), c.error);
        if (c.error != CompositeError::kNone) continue;
        EXPECT_EQ(plan.op, c.op);
        EXPECT_EQ(plan.gravity, c.gravity);
        EXPECT_EQ(plan.tile, c.tile);
        EXPECT_EQ(plan.mask, c.mask);
        EXPECT_EQ(plan.output, c.args.back());
    }
    CompositePlan plan;
    ASSERT_EQ(ParseCompositeArguments({"g", "-blend", "37.5", "t.bmp", "p.bmp", "o.bmp"}, &plan), CompositeError::kNone);
    EXPECT_EQ(plan.op, kComposeBlend);
    EXPECT_DOUBLE_EQ(plan.blend, 37.5);
    EXPECT_EQ(plan.target, "t.bmp");
    EXPECT_EQ(plan.picture, "p.bmp");
}

TEST(CompositePlacementTest, EveryGravityOnALargerAndASmallerTarget) {
    struct Case {
        int gravity;
        int64_t x, y;  // a 10 x 6 picture on a 31 x 21 target
    } cases[] = {{1, 0, 0},   {2, 10, 0},  {3, 21, 0},  {4, 0, 7},  {5, 10, 7}, {6, 21, 7},
                 {7, 0, 15},  {8, 10, 15}, {9, 21, 15}, {10, 10, 7}, {42, 10, 7}};
    for (const Case &c : cases) {
        int64_t x = -1, y = -1;
        bool resize = true;
        PlaceByGravity(c.gravity, 31, 21, 10, 6, &x, &y, &resize);
        EXPECT_EQ(x, c.x) << c.gravity;
        EXPECT_EQ(y, c.y) << c.gravity;
        EXPECT_FALSE(resize);
    }
    int64_t x, y;
    bool resize = false;
    PlaceByGravity(0, 31, 21, 10, 6, &x, &y, &resize);
    EXPECT_TRUE(resize);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    PlaceByGravity(9, 4, 4, 10, 6, &x, &y, &resize);  // larger than the target
    EXPECT_EQ(x, -6);
    EXPECT_EQ(y, -2);
}

TEST(CompositeTilingTest, TilesStartInsideTheTargetRowsFirst) {
    std::vector<TileOrigin> t = TileOrigins(25, 12, 10, 6);
    ASSERT_EQ(t.size(), 6u);
    const int64_t want[6][2] = {{0, 0}, {10, 0}, {20, 0}, {0, 6}, {10, 6}, {20, 6}};
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(t[i].x, want[i][0]);
        EXPECT_EQ(t[i].y, want[i][1]);
    }
    EXPECT_TRUE(TileOrigins(25, 12, 0, 6).empty());
    EXPECT_TRUE(TileOrigins(0, 12, 3, 3).empty());
}

TEST(CombineArgumentsTest, MixComposeAndPosition) {
    CombineChoice mix;
    mix.ratio = 40;
    EXPECT_EQ(CombineArguments(mix, "G2", "G", "GY"),
              (std::vector<std::string>{"Glyphery", "-blend", "40", "G2", "G", "GY"}));
    CombineChoice sub;
    sub.op = 9;
    sub.gravity = CombineGravityName(6);
    EXPECT_EQ(CombineArguments(sub, "G2", "G", "GY"),
              (std::vector<std::string>{"Glyphery", "-compose", "subtract", "-gravity", "SouthEast", "G2", "G", "GY"}));
    // An operator outside the list leaves the compositor's own default.
    CombineChoice none;
    none.op = 12;
    EXPECT_EQ(CombineArguments(none, "G2", "G", "GY"), (std::vector<std::string>{"Glyphery", "G2", "G", "GY"}));
    // Every name the dialog offers is one the compositor knows.
    for (int i = 0; i < 12; ++i) EXPECT_NE(ComposeOperatorByName(CombineOperatorWord(i)), kComposeUndefined) << i;
    for (int i = 0; i < 9; ++i) EXPECT_GT(GravityByName(CombineGravityName(i)), 0) << i;
    EXPECT_EQ(CombineOperatorWord(-1), nullptr);
    EXPECT_EQ(CombineGravityName(9), nullptr);
}

TEST(CombineRatioTest, PositiveNumbersOnly) {
    const struct {
        const char *text;
        int32_t ratio;
    } cases[] = {{"50", 50}, {" 7 ", 7}, {"150", 150}, {"0", 0}, {"", 0}, {"abc", 0}, {"-5", 0},
                 {"5x", 0},  {"99999999999", 0}};
    for (const auto &c : cases) EXPECT_EQ(CombineRatio(c.text), c.ratio) << c.text;
}

}  // namespace
