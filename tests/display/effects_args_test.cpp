// The editor's reading of the effects catalogue's argument lists, portable:
// where it differs from the display window's, and what the display window
// keeps.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/effects.h"

namespace {

typedef std::vector<std::string> List;

TEST(EditorEffectArguments, ReadsEachCodeTheEditorsWay) {
    const uint32_t red = 0x000000FF;  // a colour reference 0x00BBGGRR
    const struct {
        EffectCode code;
        EffectParams params;
        List options;
    } cases[] = {
        {1, {2, 0, 0, 0}, {"-bordercolor", "#FF0000", "-border", "2"}},
        {2, {10, 20, 30, 0}, {"-colorize", "10/20/30"}},
        {5, {}, {"-flip"}},
        {6, {}, {"-flop"}},
        {100, {}, {"-colorize", "147/10/124"}},
        {102, {}, {"-colorspace", "gray", "-emboss", "5"}},
        {104, {}, {"-negate"}},
        {105, {}, {}},
        {108, {-10, 5, 0, 0}, {"-roll", "-10+5"}},
        {108, {90, -30, 0, 0}, {"-roll", "+90-30"}},
        {109, {}, {"-spread", "15"}},
        {201, {}, {}},
        {304, {5, 6, 1, 2}, {"-frame", "5x6+1+2"}},
        {305, {100, 50, 100, 0}, {"-modulate", "100,50,100"}},
        {999, {}, {}},
    };
    for (const auto &c : cases) {
        List options = {"left over"};
        ASSERT_TRUE(EditorEffectArguments(c.code, c.params, red, &options)) << c.code;
        EXPECT_EQ(options, c.options) << c.code;
    }
    List untouched = {"kept"};
    EXPECT_FALSE(EditorEffectArguments(3, EffectParams(), red, &untouched));
    EXPECT_EQ(untouched, List{"kept"});

    // The display window's own lists stay as they were.
    List display;
    ASSERT_TRUE(EffectArguments(9, 32, EffectParams{5, 12, 0, 0}, &display));
    EXPECT_EQ(display, (List{"-roll", "+05+12"}));
    ASSERT_TRUE(EffectArguments(1, 32, EffectParams{2, 0, 0, 0}, red, &display));
    EXPECT_EQ(display, (List{"-bordercolor", "#FF0000", "-border", "2", "-geometry", "32x32"}));
}

TEST(EditorEffectArguments, ColourSpacesAndRegion) {
    const char *names[] = {"GRAY", nullptr, nullptr, "OHTA", "sRGB", "YCC", "YIQ", "YUV"};
    for (EffectCode code = 201; code <= 208; ++code) {
        const char *name = EditorColorSpace(code);
        EXPECT_STREQ(name ? name : "(none)", names[code - 201] ? names[code - 201] : "(none)") << code;
    }
    EXPECT_EQ(EditorColorSpace(104), nullptr);
    EXPECT_EQ(RegionGeometry(2, 3, 9, 5), "8x3+2+3");
    EXPECT_EQ(RegionGeometry(0, 0, 0, 0), "1x1+0+0");
}

}  // namespace
