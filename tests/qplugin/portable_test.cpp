// The plug-in host's portable half: the property lists that our script
// writes for the test plug-ins (read as the resource holds them), damaged
// copies of them, and the tile copies with their padding modes.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "libs/qplugin/pifilter.h"
#include "libs/qplugin/pipl.h"
#include "libs/qplugin/tiles.h"

namespace {

std::vector<uint8_t> Pipl(const std::string &name) {
    std::ifstream f(std::string(GY_PIPL_DIR) + "/" + name + ".pipl", std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

std::string MenuName(const std::vector<uint8_t> &bytes, size_t limit = 260) {
    PiplInfo info;
    if (!ParsePipl(bytes.data(), bytes.size(), &info)) return "(refused)";
    return PiplMenuName(info, limit);
}

TEST(Pipl, MenuNamesOfTheTestPlugins) {
    const struct {
        const char *file, *menu;
    } cases[] = {
        {"invert", "Colors/Invert"},
        {"boxblur", "Blur/Box blur"},
        {"wideblur", "Blur/Wide blur"},
        {"failing", "Tests/Failing"},
        {"grayonly", ""},  // no RGB mode
    };
    for (const auto &c : cases) {
        std::vector<uint8_t> bytes = Pipl(c.file);
        ASSERT_FALSE(bytes.empty()) << c.file;
        EXPECT_EQ(MenuName(bytes), c.menu) << c.file;
        PiplInfo info;
        ASSERT_TRUE(ParsePipl(bytes.data(), bytes.size(), &info));
        EXPECT_EQ(PiplEntry(info), "PluginMain") << c.file;
    }
}

TEST(Pipl, NamesThatDoNotFitOrAreNotFiltersGetNoMenu) {
    PiplInfo info;
    std::vector<uint8_t> bytes = Pipl("boxblur");
    ASSERT_TRUE(ParsePipl(bytes.data(), bytes.size(), &info));
    EXPECT_EQ(PiplMenuName(info, 14), "Blur/Box blur");  // 13 characters and the terminator
    EXPECT_EQ(PiplMenuName(info, 13), "");
    PiplInfo other = info;
    other.category.clear();
    EXPECT_EQ(PiplMenuName(other, 260), "Other/Box blur");
    other = info;
    other.category = "**Hidden**";
    EXPECT_EQ(PiplMenuName(other, 260), "");
    other = info;
    other.filter = false;  // another kind of plug-in
    EXPECT_EQ(PiplMenuName(other, 260), "");
    other = info;
    (sizeof(void *) == 8 ? other.entry64 : other.entry32).clear();
    EXPECT_EQ(PiplMenuName(other, 260), "");
}

// Every cut of a list is refused or read without reaching past its end
// (the sanitizers watch the reads); damaged counts and lengths are refused.
TEST(Pipl, DamagedListsAreRefused) {
    std::vector<uint8_t> whole = Pipl("boxblur");
    ASSERT_GT(whole.size(), 40u);
    for (size_t n = 0; n + 3 < whole.size(); ++n) {
        std::vector<uint8_t> cut(whole.begin(), whole.begin() + n);
        PiplInfo info;
        EXPECT_FALSE(ParsePipl(cut.data(), cut.size(), &info) && !PiplMenuName(info, 260).empty()) << n;
    }
    std::vector<uint8_t> bad = whole;
    bad[6] = 0xFF;  // a count far beyond the bytes
    EXPECT_EQ(MenuName(bad), "(refused)");
    bad = whole;
    bad[2] = 1;  // version 1
    EXPECT_EQ(MenuName(bad), "(refused)");
    bad = whole;
    bad[10 + 12] = 0xF0;  // the first property's length beyond the bytes
    EXPECT_EQ(MenuName(bad), "(refused)");
}

// A 4 x 3 picture whose byte at (x, y, plane) is 100 y + 10 x + plane.
std::vector<uint8_t> Picture() {
    std::vector<uint8_t> p(4 * 3 * 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            for (int c = 0; c < 3; ++c) p[(y * 4 + x) * 3 + c] = (uint8_t)(100 * y + 10 * x + c);
    return p;
}

TEST(Tiles, PaddingModesAroundThePicture) {
    std::vector<uint8_t> picture = Picture();
    TileRect r = {-1, -1, 1, 1};  // 2 x 2, three of its pixels outside
    size_t rowBytes = 0;
    ASSERT_EQ(TileBytes(r, 1, 2, 1 << 20, &rowBytes), 8u);
    ASSERT_EQ(rowBytes, 4u);
    std::vector<uint8_t> out(8);
    ASSERT_TRUE(ReadTile(picture.data(), 4, 3, r, 1, 2, kPIPadEdgeReplication, out.data(), rowBytes));
    EXPECT_EQ(out, (std::vector<uint8_t>{1, 2, 1, 2, 1, 2, 1, 2}));  // all the corner pixel
    ASSERT_TRUE(ReadTile(picture.data(), 4, 3, r, 1, 2, 7, out.data(), rowBytes));
    EXPECT_EQ(out, (std::vector<uint8_t>{7, 7, 7, 7, 7, 7, 1, 2}));
    EXPECT_FALSE(ReadTile(picture.data(), 4, 3, r, 1, 2, kPIPadErrorOnBounds, out.data(), rowBytes));
    EXPECT_FALSE(ReadTile(picture.data(), 4, 3, r, 1, 2, kPIPadNone, out.data(), rowBytes));
    // Inside the picture any padding mode reads.
    TileRect inside = {1, 2, 3, 4};
    std::vector<uint8_t> tile(12);
    ASSERT_TRUE(ReadTile(picture.data(), 4, 3, inside, 0, 2, kPIPadErrorOnBounds, tile.data(), 6));
    EXPECT_EQ(tile, (std::vector<uint8_t>{120, 121, 122, 130, 131, 132, 220, 221, 222, 230, 231, 232}));
}

TEST(Tiles, WritingBackKeepsToThePictureAndThePlanes) {
    std::vector<uint8_t> picture = Picture(), before = picture;
    TileRect r = {2, 3, 4, 5};  // one pixel inside (3, 2), three outside
    std::vector<uint8_t> in = {9, 9, 9, 9, 9, 9, 9, 9};
    WriteTile(picture.data(), 4, 3, r, 2, 2, in.data(), 2);
    for (size_t i = 0; i < picture.size(); ++i)
        EXPECT_EQ(picture[i], i == (2 * 4 + 3) * 3 + 2 ? 9 : before[i]) << i;
}

TEST(Tiles, RectanglesAndPlanesThisHostDoesNotServe) {
    size_t rowBytes = 0;
    const struct {
        TileRect r;
        int lo, hi;
        size_t limit;
    } refused[] = {
        {{0, 0, 0, 4}, 0, 2, 1 << 20},      // empty
        {{3, 0, 1, 4}, 0, 2, 1 << 20},      // upside down
        {{0, 0, 2, 2}, 0, 3, 1 << 20},      // a fourth plane
        {{0, 0, 2, 2}, 2, 1, 1 << 20},      // planes the wrong way
        {{0, 0, 2, 2}, -1, 1, 1 << 20},     // a plane before red
        {{-32768, -32768, 32767, 32767}, 0, 2, 64u << 20},  // beyond the limit
    };
    for (const auto &c : refused) EXPECT_EQ(TileBytes(c.r, c.lo, c.hi, c.limit, &rowBytes), 0u);
}

}  // namespace
