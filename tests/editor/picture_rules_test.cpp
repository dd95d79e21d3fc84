// The editor's portable picture rules: the depth an image is edited at, the
// WorkArea's zoom and place, the grid's lines and the undo history's slots.
#include <gtest/gtest.h>

#include <vector>

#include "editor/picture_rules.h"

namespace {

TEST(EditorDepth, PaletteCountsThenTwentyFourOnceThenThirtyTwo) {
    // 16 x 16 at 16 colours, 32 x 32 at 256, two 48 x 48 true-colour images,
    // then a monochrome one and a third true-colour one.
    struct Case {
        uint32_t bits;
        int depth;
    } cases[] = {{4, 4}, {8, 8}, {24, 24}, {32, 32}, {1, 1}, {24, 32}};
    bool seen = false;
    for (const Case &c : cases) EXPECT_EQ(EditorDepth(PaletteColors(c.bits), &seen), c.depth) << c.bits;
    bool fresh = false;
    EXPECT_EQ(EditorDepth(PaletteColors(32), &fresh), 24);  // a file's first true-colour image, whatever its bits
    EXPECT_EQ(PaletteColors(2), 0u);
    EXPECT_EQ(PaletteColors(16), 0u);
}

TEST(EditorLayout, ZoomAndPlaceFromTheClientArea) {
    // Borders 1 x 1, status bar 20, format bar 28 (so the space between the
    // bars starts at 56).
    struct Case {
        int width, height, size;
        int zoom, left, top, viewWidth, viewHeight;
    } cases[] = {
        {600, 700, 96, 6, 28 + 286 - 289, 56 + (680 - 56 - 578) / 2, 578, 578},  // (600 - 2 - 4) / 96 = 6
        {600, 400, 96, 3, 28 + 286 - 145, 56 + (380 - 56 - 290) / 2, 290, 290},  // the height limits it
        {600, 150, 96, 1, 28 + 286 - 49, 56, 98, 98},                            // zy = 0: zoom 1, under the bar
        {100, 700, 96, 1, 28 + 36 - 49, 56 + (680 - 56 - 98) / 2, 98, 98},      // zx = 0: zoom 1
        {1280, 985, 48, 18, 28 + 626 - 433, 56 + (965 - 56 - 866) / 2, 866, 866},
        {1280, 985, 16, 56, 28 + 626 - 449, 56 + (965 - 56 - 898) / 2, 898, 898},  // smaller image, larger zoom
    };
    for (const Case &c : cases) {
        ViewPlacement p = PlaceView({c.width, c.height, 20, 28, 1, 1}, c.size);
        EXPECT_EQ(p.zoom, c.zoom) << c.width << "x" << c.height << " " << c.size;
        EXPECT_EQ(p.left, c.left) << c.width << "x" << c.height << " " << c.size;
        EXPECT_EQ(p.top, c.top) << c.width << "x" << c.height << " " << c.size;
        EXPECT_EQ(p.width, c.viewWidth);
        EXPECT_EQ(p.height, c.viewHeight);
    }
    EXPECT_EQ(PlaceView({600, 700, 20, 28, 1, 1}, 0).zoom, 1);  // no image: nothing divides by 0
}

TEST(EditorGrid, OneLineClosingEachZoomedPixelNoneAtZoomOne) {
    struct Case {
        int zoom, extent;
        std::vector<int> lines;
    } cases[] = {{4, 16, {3, 7, 11, 15}}, {6, 20, {5, 11, 17}}, {1, 10, {}}, {2, 1, {}}};
    for (const Case &c : cases) {
        std::vector<int> lines;
        ForEachGridLine(c.zoom, c.extent, [&](int at) { lines.push_back(at); });
        EXPECT_EQ(lines, c.lines) << c.zoom;
    }
}

TEST(EditorHistory, PushUndoAndAFullHistory) {
    PictureHistory<int> h;
    h.Start(100);
    EXPECT_FALSE(h.canUndo());
    EXPECT_EQ(h.Undo(), 0);  // at slot 0 nothing happens
    EXPECT_EQ(h.current(), 100);
    EXPECT_EQ(h.Push(101), 0);
    EXPECT_EQ(h.Replace(201), 101);
    EXPECT_EQ(h.Undo(), 201);  // handed back for deleting; the slot is empty
    EXPECT_EQ(h.slot(1), 0);
    EXPECT_EQ(h.current(), 100);

    // Full: the oldest picture after the file's own leaves, slot 0 stays.
    for (int i = 1; i < (int)kUndoSlots; ++i) EXPECT_EQ(h.Push(1000 + i), 0);
    EXPECT_EQ(h.index(), kUndoSlots - 1);
    EXPECT_EQ(h.Push(5000), 1001);
    EXPECT_EQ(h.Push(5001), 1002);
    EXPECT_EQ(h.index(), kUndoSlots - 1);
    EXPECT_EQ(h.slot(0), 100);
    EXPECT_EQ(h.slot(1), 1003);
    EXPECT_EQ(h.current(), 5001);
    EXPECT_EQ(h.slot(kUndoSlots - 2), 5000);
    std::vector<int> released;
    h.Clear([&](int v) { released.push_back(v); });
    EXPECT_EQ(released.size(), kUndoSlots);
    EXPECT_EQ(h.current(), 0);
}

}  // namespace
