// Where the magnifier's window goes beside the cursor (the area it shows and
// the setups it takes are checked through the library itself).
#include <gtest/gtest.h>

#include "libs/gyzoom/zoomgeometry.h"

namespace {

ZoomSetupValues MakeSetup(int size, int factor) {
    ZoomSetupValues s;
    EXPECT_TRUE(MakeZoomSetup(size, size, 80, 80, 1, factor, &s));
    return s;
}

TEST(ZoomGeometryTest, TheWindowGoesBesideTheCursorClearOfTheAreaAndOnTheScreen) {
    const ZoomRect screen = {0, 0, 1280, 1024}, narrow = {0, 0, 300, 1024}, small = {0, 0, 300, 300};
    struct Case {
        const char *what;
        int size, factor, x, y;
        ZoomRect screen;
        int left, top;
    } cases[] = {
        {"below right", 50, 5, 100, 100, screen, 180, 180},
        {"right edge: left of the cursor", 50, 5, 1250, 100, screen, 1118, 180},
        {"bottom edge: above the cursor", 50, 5, 100, 1000, screen, 180, 868},
        {"pushed past a wide area", 200, 1, 400, 400, screen, 500, 480},
        {"pushed before a wide area", 200, 1, 1200, 400, screen, 898, 480},
        {"no room beside: below the area", 200, 1, 150, 300, narrow, 98, 400},
        {"larger than the screen", 400, 1, 100, 100, small, 0, 0},
    };
    for (const Case &c : cases) {
        ZoomRect r = ZoomWindowPlace(MakeSetup(c.size, c.factor), c.x, c.y, c.size + 2, c.size + 2, c.screen);
        EXPECT_EQ(r.left, c.left) << c.what;
        EXPECT_EQ(r.top, c.top) << c.what;
        EXPECT_EQ(r.Width(), c.size + 2) << c.what;
    }
}

}  // namespace
