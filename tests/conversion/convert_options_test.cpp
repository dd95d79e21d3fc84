// The command line of the converter.
#include <gtest/gtest.h>

#include "conversion/convert_options.h"

namespace {

bool Parse(std::vector<const char *> args, ConvertOptions *o, std::string *error) {
    args.insert(args.begin(), "GlypheryConvert");
    return ParseConvertOptions((int)args.size(), args.data(), o, error);
}

std::vector<std::pair<int, int>> Pairs(const ConvertOptions &o) {
    std::vector<std::pair<int, int>> out;
    for (const FormatEntry &f : FormatsOf(o)) out.push_back({f.size, f.bits});
    return out;
}

TEST(ConvertOptions, FormatsComeInPanelOrderWithoutRepeats) {
    ConvertOptions o;
    std::string e;
    ASSERT_TRUE(Parse({"--formats", "48x24,16x4,32x8,16x4", "a.png", "b.jpg"}, &o, &e)) << e;
    EXPECT_EQ(Pairs(o), (std::vector<std::pair<int, int>>{{16, 4}, {32, 8}, {48, 24}}));
    EXPECT_EQ(o.sources, (std::vector<std::string>{"a.png", "b.jpg"}));
    EXPECT_EQ(o.kind, kCreateIcon);
}

TEST(ConvertOptions, XpSetPlusOthersAndTheCustomSize) {
    ConvertOptions o;
    std::string e;
    ASSERT_TRUE(Parse({"--xp", "--formats=96x32,x8,128x1", "--custom", "128", "p.gif"}, &o, &e)) << e;
    EXPECT_EQ(Pairs(o), (std::vector<std::pair<int, int>>{{16, 4}, {16, 8}, {16, 24}, {32, 4}, {32, 8}, {32, 24},
                                                          {48, 4}, {48, 8}, {48, 24}, {96, 32}, {128, 1}, {128, 8}}));
    // A custom box without a custom size counts nothing, as in the panel.
    ASSERT_TRUE(Parse({"--formats", "x8", "p.gif"}, &o, &e)) << e;
    EXPECT_TRUE(FormatsOf(o).empty());
}

TEST(ConvertOptions, KindsTransparencyProportionsAndFolder) {
    ConvertOptions o;
    std::string e;
    ASSERT_TRUE(Parse({"--as", "cursor", "--transparent", "--keep-proportions", "--out", "D:\\x", "--xp", "a"}, &o, &e));
    EXPECT_EQ(o.kind, kCreateCursor);
    EXPECT_TRUE(o.transparent);
    EXPECT_EQ(o.color, 0u);
    EXPECT_TRUE(o.keepProportions);
    EXPECT_FALSE(o.fast);
    EXPECT_EQ(o.outDir, "D:\\x");
    ASSERT_TRUE(Parse({"--fast", "--xp", "a"}, &o, &e));
    EXPECT_TRUE(o.fast);
    ASSERT_TRUE(Parse({"--transparent=#FF8000", "--as=profile", "--formats", "16x1", "a"}, &o, &e));
    EXPECT_EQ(o.color, 0x000080FFu);  // 0x00BBGGRR
    EXPECT_EQ(o.kind, kCreateProfile);
    EXPECT_EQ(Pairs(o), (std::vector<std::pair<int, int>>{{48, 24}}));  // the profile set replaces the choice
    ASSERT_TRUE(Parse({"--help"}, &o, &e));
    EXPECT_TRUE(o.help);
    ASSERT_TRUE(Parse({"--xp", "--", "--odd-name.png"}, &o, &e));
    EXPECT_EQ(o.sources, (std::vector<std::string>{"--odd-name.png"}));
}

TEST(ConvertOptions, ErrorsNameWhatIsWrong) {
    ConvertOptions o;
    std::string e;
    struct Case {
        std::vector<const char *> args;
        const char *says;
    } cases[] = {
        {{"--formats", "16x16", "a"}, "bad format \"16x16\""},
        {{"--formats", "20x8", "a"}, "bad format \"20x8\""},
        {{"--formats", "16x4,,32x8", "a"}, "bad format \"\""},
        {{"--formats", "big", "a"}, "bad format \"big\""},
        {{"--formats"}, "--formats needs a value"},
        {{"--custom", "-3", "a"}, "bad custom size"},
        {{"--custom", "999", "a"}, "bad custom size"},
        {{"--as", "animated", "a"}, "bad kind"},
        {{"--transparent=#12345", "a"}, "bad colour"},
        {{"--transparent=#000000", "a"}, "black cannot be"},
        {{"--out=", "a"}, "--out needs a folder"},
        {{"--frobnicate", "a"}, "unknown option --frobnicate"},
        {{"--as", "cursor", "--formats", "32x4", "--hotspot", "3", "a"}, "bad hot spot \"3\""},
        {{"--as", "cursor", "--formats", "32x4", "--hotspot=3,-1", "a"}, "bad hot spot"},
        {{"--as", "cursor", "--formats", "32x4", "--hotspot", "1,2,3", "a"}, "bad hot spot"},
        {{"--formats", "32x4", "--hotspot", "1,2", "a"}, "--hotspot is for cursors"},
        {{"--as", "cursor", "--formats", "16x4,32x4", "--hotspot", "5,32", "a"},
         "hot spot 5,32 lies outside the largest image (32x32)"},
    };
    for (const Case &c : cases) {
        e.clear();
        EXPECT_FALSE(Parse(c.args, &o, &e)) << c.says;
        EXPECT_NE(e.find(c.says), std::string::npos) << e;
    }
}

TEST(ConvertOptions, HotSpotOfACursorInItsLargestImage) {
    ConvertOptions o;
    std::string e;
    ASSERT_TRUE(Parse({"--formats", "48x24,16x4", "--hotspot", "47,0", "--as", "cursor", "a"}, &o, &e)) << e;
    EXPECT_TRUE(o.hasHotspot);
    EXPECT_EQ(o.hotspotX, 47u);
    EXPECT_EQ(o.hotspotY, 0u);
    ASSERT_TRUE(Parse({"--as", "cursor", "--formats", "32x4", "a"}, &o, &e)) << e;
    EXPECT_FALSE(o.hasHotspot);
}

TEST(ConvertOptions, HtmlColours) {
    ColorRef c = 1;
    EXPECT_TRUE(ParseHtmlColor("#0000ff", &c));
    EXPECT_EQ(c, 0x00FF0000u);
    EXPECT_TRUE(ParseHtmlColor("FEFEFE", &c));
    EXPECT_EQ(c, 0x00FEFEFEu);
    EXPECT_FALSE(ParseHtmlColor("#GG0000", &c));
    EXPECT_FALSE(ParseHtmlColor("#1234567", &c));
}

}  // namespace
