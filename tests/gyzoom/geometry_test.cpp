// The magnifier's placement rules: which setups are taken, the screen area
// shown, where the window goes beside the cursor, and the grid's columns.
#include <gtest/gtest.h>

#include <string>

#include "libs/gyzoom/zoomgeometry.h"

namespace {

const ZoomRect kScreen = {0, 0, 1280, 1024};

ZoomSetupValues MakeSetup(int w, int h, int dx, int dy, int step, int factor) {
    ZoomSetupValues s;
    EXPECT_TRUE(MakeZoomSetup(w, h, dx, dy, step, factor, &s));
    return s;
}

TEST(ZoomGeometryTest, SetupValuesOutOfRangeAreRefusedAndChangeNothing) {
    struct Case {
        int w, h, dx, dy, step, factor;
        bool taken;
    } cases[] = {
        {50, 50, 80, 80, 2, 5, true},       {16, 16, 80, 80, 1, 1, true},  {4096, 4096, 0, 0, 4096, 256, true},
        {0, 50, 80, 80, 2, 5, false},       {50, -1, 80, 80, 2, 5, false}, {4097, 50, 80, 80, 2, 5, false},
        {50, 50, -1, 80, 2, 5, false},      {50, 50, 80, 4097, 2, 5, false}, {50, 50, 80, 80, 0, 5, false},
        {50, 50, 80, 80, 2, 0, false},      {50, 50, 80, 80, 2, -3, false}, {50, 50, 80, 80, 2, 257, false},
    };
    for (const Case &c : cases) {
        ZoomSetupValues s;
        s.width = 7;
        bool taken = MakeZoomSetup(c.w, c.h, c.dx, c.dy, c.step, c.factor, &s);
        EXPECT_EQ(taken, c.taken) << c.w << "x" << c.h << " " << c.dx << "," << c.dy << " step " << c.step
                                  << " factor " << c.factor;
        EXPECT_EQ(s.width, taken ? c.w : 7);
        if (taken) {
            EXPECT_EQ(s.factor, c.factor);
        }
    }
}

TEST(ZoomGeometryTest, TheAreaShownHasTheCursorPixelInTheMiddleCell) {
    struct Case {
        int w, h, factor, x, y;
        ZoomRect area;
    } cases[] = {
        {50, 50, 5, 100, 200, {95, 195, 105, 205}},   // 10 x 10 pixels
        {7, 9, 2, 10, 10, {8, 8, 12, 13}},            // 4 x 5: a part cell at the right and bottom
        {100, 100, 1, 0, 0, {-50, -50, 50, 50}},      // reaches off the screen
        {33, 33, 256, 500, 500, {500, 500, 501, 501}},  // one pixel
    };
    for (const Case &c : cases) {
        ZoomRect a = ZoomSourceArea(MakeSetup(c.w, c.h, 80, 80, 1, c.factor), c.x, c.y);
        EXPECT_EQ(a.left, c.area.left) << c.w << " " << c.factor;
        EXPECT_EQ(a.top, c.area.top) << c.w << " " << c.factor;
        EXPECT_EQ(a.right, c.area.right) << c.w << " " << c.factor;
        EXPECT_EQ(a.bottom, c.area.bottom) << c.w << " " << c.factor;
    }
}

TEST(ZoomGeometryTest, TheWindowGoesBesideTheCursorClearOfTheAreaAndOnTheScreen) {
    struct Case {
        const char *what;
        ZoomSetupValues setup;
        int x, y, outerW, outerH;
        ZoomRect screen;
        int left, top;
    } cases[] = {
        {"below right", MakeSetup(50, 50, 80, 80, 2, 5), 100, 100, 52, 52, kScreen, 180, 180},
        {"right edge: left of the cursor", MakeSetup(50, 50, 80, 80, 2, 5), 1250, 100, 52, 52, kScreen, 1118, 180},
        {"bottom edge: above the cursor", MakeSetup(50, 50, 80, 80, 2, 5), 100, 1000, 52, 52, kScreen, 180, 868},
        {"just fits at the right", MakeSetup(50, 50, 80, 80, 2, 5), 1148, 0, 52, 52, kScreen, 1228, 80},
        // A wide area at factor 1: pushed past the area, not over it.
        {"pushed past a wide area", MakeSetup(200, 200, 80, 80, 1, 1), 400, 400, 202, 202, kScreen, 500, 480},
        {"pushed before a wide area", MakeSetup(200, 200, 80, 80, 1, 1), 1200, 400, 202, 202, kScreen, 898, 480},
        // No room on either side: clear of the area vertically instead.
        {"narrow screen", MakeSetup(200, 200, 80, 80, 1, 1), 150, 300, 202, 202, ZoomRect{0, 0, 300, 1024}, 98, 400},
        // Larger than the screen: at its corner.
        {"larger than the screen", MakeSetup(400, 400, 80, 80, 1, 1), 100, 100, 402, 402, ZoomRect{0, 0, 300, 300}, 0, 0},
        {"screen not at 0", MakeSetup(50, 50, 80, 80, 2, 5), -100, 50, 52, 52, ZoomRect{-1280, 0, 1280, 1024}, -20, 130},
    };
    for (const Case &c : cases) {
        ZoomRect r = ZoomWindowPlace(c.setup, c.x, c.y, c.outerW, c.outerH, c.screen);
        EXPECT_EQ(r.left, c.left) << c.what;
        EXPECT_EQ(r.top, c.top) << c.what;
        EXPECT_EQ(r.Width(), c.outerW) << c.what;
        EXPECT_EQ(r.Height(), c.outerH) << c.what;
    }
}

TEST(ZoomGeometryTest, GridLinesCloseEachEnlargedPixel) {
    std::string five, two, one;
    for (int x = 0; x < 12; ++x) {
        five += ZoomGridLine(x, 5) ? '|' : '.';
        two += ZoomGridLine(x, 2) ? '|' : '.';
        one += ZoomGridLine(x, 1) ? '|' : '.';
    }
    EXPECT_EQ(five, "....|....|..");
    EXPECT_EQ(two, ".|.|.|.|.|.|");
    EXPECT_EQ(one, "............");
}

}  // namespace
