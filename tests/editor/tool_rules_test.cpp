// The drawing tools' portable rules: snapping, stroke cells, brush squares,
// the tool table, the transparent colour as mask bits, export names, print rows.
#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "editor/tool_rules.h"

namespace {

typedef std::vector<std::pair<int, int>> Cells;

TEST(ToolGeometry, SnapClampsToTheImageAndTheZoomGrid) {
    struct Case {
        int v, zoom, size, snapped;
    } cases[] = {{0, 6, 16, 0}, {17, 6, 16, 12}, {-5, 6, 16, 0}, {1000, 6, 16, 90}, {7, 1, 32, 7}, {7, 0, 32, 7}};
    for (const Case &c : cases) EXPECT_EQ(SnapCoordinate(c.v, c.zoom, c.size), c.snapped) << c.v << "/" << c.zoom;
}

TEST(ToolGeometry, LineCellsAreContiguousAndIncludeBothEnds) {
    struct Case {
        int x0, y0, x1, y1;
        Cells cells;
    } cases[] = {
        {0, 0, 3, 3, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},           // the whole diagonal
        {0, 0, 4, 1, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}}},   // shallow
        {2, 3, 1, 0, {{2, 3}, {2, 2}, {1, 1}, {1, 0}}},           // steep, backwards
        {5, 5, 5, 5, {{5, 5}}},                                    // one cell
        {3, 0, 0, 0, {{3, 0}, {2, 0}, {1, 0}, {0, 0}}},
    };
    for (const Case &c : cases) {
        Cells got;
        ForEachLineCell(c.x0, c.y0, c.x1, c.y1, [&](int x, int y) { got.push_back({x, y}); });
        EXPECT_EQ(got, c.cells) << c.x0 << "," << c.y0 << " -> " << c.x1 << "," << c.y1;
    }
}

TEST(ToolGeometry, BrushSquaresReachLeftAndUpForEvenSizesAndClip) {
    struct Case {
        int c, r, n;
        PixelRect square;
    } cases[] = {{5, 5, 1, {5, 5, 5, 5}},   {5, 5, 2, {4, 4, 5, 5}},     {5, 5, 3, {4, 4, 6, 6}},
                 {5, 5, 5, {3, 3, 7, 7}},   {0, 0, 4, {0, 0, 1, 1}},     {15, 15, 3, {14, 14, 15, 15}}};
    for (const Case &c : cases) {
        PixelRect s = BrushSquare(c.c, c.r, c.n, 16);
        EXPECT_EQ(std::vector<int>({s.left, s.top, s.right, s.bottom}),
                  std::vector<int>({c.square.left, c.square.top, c.square.right, c.square.bottom}))
            << c.n;
    }
    PixelRect r = OrderedRect(10, 10, 3, 3);
    EXPECT_EQ(std::vector<int>({r.left, r.top, r.right, r.bottom}), std::vector<int>({3, 3, 10, 10}));
}

TEST(ToolTable, CommandsCursorsAndLineCursorBySize) {
    struct Case {
        int command, tool, cursor;
    } cases[] = {{437, kToolPen, 7013},        {40011, kToolBrush, 7014},  {40062, kToolSelect, 7012},
                 {40012, kToolFill, 7011},     {40060, kToolSpray, 10017}, {40007, kToolBicolorRectangle, 7012},
                 {53, kToolLine, 0},           {0, -1, 0},                 {40010, kToolBicolorCircle, 7012},
                 {40061, -1, 0}};
    for (const Case &c : cases) {
        EXPECT_EQ(ToolForCommand(c.command), c.tool) << c.command;
        if (c.tool >= 0) EXPECT_EQ(kToolTable[c.tool].cursor, c.cursor) << c.command;
    }
    EXPECT_EQ(kToolTable[kToolSpray].handler, kHandleSpray);  // entry 12's handler
    const int sizes[] = {16, 32, 48, 64, 96, 24}, lineCursors[] = {7018, 7017, 7019, 7020, 7020, 0},
              widths[] = {16, 5, 4, 3, 2, 2};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(LineCursorForSize(sizes[i]), lineCursors[i]) << sizes[i];
        EXPECT_EQ(RubberLineWidth(sizes[i]), widths[i]) << sizes[i];
    }
}

// A 3 x 2 image at each depth whose pixels (from the top) are a b a / b b a;
// the key is the top-left one.
TEST(SaveMask, TheKeyColourBecomesMaskedBlackEverythingElseOpaque) {
    struct Case {
        int depth;
        uint32_t a, b;
    } cases[] = {{1, 1, 0}, {4, 15, 9}, {8, 200, 7}, {24, 0xFFFFFF, 0x0000FF}, {32, 0xFFFFFF, 0x00FF00}};
    for (const Case &c : cases) {
        size_t rowBytes = ((3 * (size_t)c.depth + 31) / 32) * 4;
        std::vector<uint8_t> color(rowBytes * 2, 0), mask(8, 0xFF);
        BlockPixels px = {color.data(), mask.data(), 3, 2, c.depth};
        // The stored bytes, written by hand at each depth.
        uint32_t top[3] = {c.a, c.b, c.a}, bottom[3] = {c.b, c.b, c.a};
        for (int y = 0; y < 2; ++y) {
            uint8_t *row = color.data() + (size_t)(1 - y) * rowBytes;
            for (int x = 0; x < 3; ++x) {
                uint32_t v = y ? bottom[x] : top[x];
                if (c.depth == 1) row[0] |= (uint8_t)(v << (7 - x));
                if (c.depth == 4) row[x / 2] |= (uint8_t)(v << ((x % 2) ? 0 : 4));
                if (c.depth == 8) row[x] = (uint8_t)v;
                if (c.depth >= 24) {
                    uint8_t *p = row + x * (c.depth / 8);
                    p[0] = (uint8_t)v, p[1] = (uint8_t)(v >> 8), p[2] = (uint8_t)(v >> 16);
                    if (c.depth == 32) p[3] = 0;  // as GDI leaves it
                }
            }
        }
        for (int x = 0; x < 3; ++x) ASSERT_EQ(BlockPixelValue(px, x, 0), top[x]) << c.depth;
        ApplyTransparentColor(px, 0, 0);
        // Masked: (0,0), (2,0), (2,1). Mask rows are 4 bytes, bottom first.
        EXPECT_EQ(mask[4], 0xA0) << c.depth;  // top row: bits 0 and 2
        EXPECT_EQ(mask[0], 0x20) << c.depth;  // bottom row: bit 2
        for (int y = 0; y < 2; ++y) {
            for (int x = 0; x < 3; ++x) {
                bool masked = (y ? bottom[x] : top[x]) == c.a;
                EXPECT_EQ(BlockPixelValue(px, x, y), masked ? 0u : c.b) << c.depth << " " << x << "," << y;
                if (c.depth == 32) EXPECT_EQ(color[(size_t)(1 - y) * rowBytes + x * 4 + 3], masked ? 0 : 255);
            }
        }
    }
}

// Pixels marked one by one: masked and black, alpha 0 at 32 bits; the rest
// keeps its mask and colour; marks of another size mark nothing.
TEST(SaveMask, MarkedPixelsBecomeMaskedBlack) {
    for (int depth : {1, 4, 8, 24, 32}) {
        SCOPED_TRACE(depth);
        size_t rowBytes = ((3 * (size_t)depth + 31) / 32) * 4;
        std::vector<uint8_t> color(rowBytes * 2, 0xFF), mask(8, 0);
        BlockPixels px = {color.data(), mask.data(), 3, 2, depth};
        uint32_t white = BlockPixelValue(px, 0, 0);
        ApplyPixelMarks(px, {0, 1, 0, 0, 0});  // not 3 x 2: nothing
        EXPECT_EQ(mask, std::vector<uint8_t>(8, 0));
        ApplyPixelMarks(px, {0, 1, 0, 1, 0, 0});  // (1, 0) and (0, 1)
        EXPECT_EQ(mask[4], 0x40);  // top row, bit 1
        EXPECT_EQ(mask[0], 0x80);  // bottom row, bit 0
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) {
                bool marked = (x == 1 && y == 0) || (x == 0 && y == 1);
                EXPECT_EQ(BlockPixelValue(px, x, y), marked ? 0u : white) << x << "," << y;
                if (depth == 32) EXPECT_EQ(color[(size_t)(1 - y) * rowBytes + x * 4 + 3], marked ? 0 : 255);
            }
    }
}

TEST(SaveAs, ExportNamesAndLibraryTargets) {
    struct Case {
        const char *chosen;
        int width, depth;
        const char *name, *target;
    } cases[] = {
        {"C:\\out\\pic.png", 32, 8, "C:\\out\\pic_32_8.png", "C:\\out\\pic_32_8.png"},
        {"C:\\out\\pic.PNG", 48, 32, "C:\\out\\pic_48_32.png", "C:\\out\\pic_48_32.png"},
        {"C:\\pic.bmp", 16, 4, "C:\\pic_16_4.bmp", "BMP:C:\\pic_16_4.bmp"},
        {"C:\\pic.bmp", 16, 24, "C:\\pic_16_24.bmp", "BMP24:C:\\pic_16_24.bmp"},
        {"C:\\a.b\\pic.Jpgx", 16, 24, "C:\\a.b\\pic_16_24.jpg", "C:\\a.b\\pic_16_24.jpg"},  // first four characters
        {"C:\\pic.jpeg", 16, 24, "", ""},                                                      // ".jpe"
        {"C:\\pic.tiff", 16, 24, "", ""},
        {"C:\\pic", 16, 24, "", ""},
    };
    for (const Case &c : cases) {
        std::string name = ExportName(c.chosen, c.width, c.depth);
        EXPECT_EQ(name, c.name) << c.chosen;
        if (!name.empty()) EXPECT_EQ(ExportTarget(name, c.depth), c.target) << c.chosen;
    }
}

}  // namespace
