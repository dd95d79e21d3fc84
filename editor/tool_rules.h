// The drawing tools' rules that need no window: snapping a WorkArea point to
// its image pixel, the cells of a pen stroke, the brush square, the spray's
// offsets, ordered rectangles, the tool table, the transparent colour and the
// pixels marked transparent turned into mask bits and the export file names.
// Portable.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// --- Points and shapes (image pixels unless said) -------------------------

// A WorkArea coordinate snapped to the top-left corner of its image pixel:
// (v / zoom) clamped to 0 .. size - 1, times the zoom. Zoom below 1 counts
// as 1.
int SnapCoordinate(int v, int zoom, int size);

// Every cell of the straight line from (x0, y0) to (x1, y1), both ends
// included, one cell per step of the longer axis (Bresenham: the error starts
// at 2 minor - major, adds 2 minor while negative, else 2 (minor - major) and
// the minor axis advances).
template <typename Visit>
void ForEachLineCell(int x0, int y0, int x1, int y1, Visit visit) {
    int dx = x1 > x0 ? x1 - x0 : x0 - x1, dy = y1 > y0 ? y1 - y0 : y0 - y1;
    int sx = x1 >= x0 ? 1 : -1, sy = y1 >= y0 ? 1 : -1;
    bool xMajor = dx >= dy;
    int major = xMajor ? dx : dy, minor = xMajor ? dy : dx;
    int error = 2 * minor - major;
    int x = x0, y = y0;
    for (int step = 0; step <= major; ++step) {
        visit(x, y);
        if (error < 0) {
            error += 2 * minor;
        } else {
            error += 2 * (minor - major);
            if (xMajor) y += sy; else x += sx;
        }
        if (xMajor) x += sx; else y += sy;
    }
}

// Left, top, right, bottom, all inclusive.
struct PixelRect {
    int left, top, right, bottom;
};
// The rectangle with its corners ordered (smaller x and y first).
PixelRect OrderedRect(int x0, int y0, int x1, int y1);
// The n x n square a brush of size n paints at (c, r): n / 2 (toward zero)
// cells to the left and above, so even sizes reach one more cell that way;
// clipped to a size x size image. Empty (right < left) when nothing is left.
PixelRect BrushSquare(int c, int r, int n, int size);

// The spray's five cells, in WorkArea pixels from the pressed point.
const int kSprayCells = 5;
extern const int kSprayOffsets[kSprayCells][2];

// The rubber line's width for an active size: 16 for 16, 5 for 32, 4 for
// 48, 3 for 64, 2 otherwise.
int RubberLineWidth(int size);

// --- The tools ---------------------------------------------------------------

enum ToolNumber {
    kToolPen = 0, kToolBrush, kToolSelect, kToolLine, kToolRectangle, kToolFilledRectangle, kToolCircle,
    kToolFilledCircle, kToolFill, kToolBicolorRectangle, kToolBicolorCircle, kToolSpray, kToolSprayCells,
    kToolCount
};
// What a tool's handler does with the mouse.
enum ToolHandler { kHandlePen, kHandleBrush, kHandleSelect, kHandleLine, kHandleRectangle, kHandleEllipse,
                   kHandleFill, kHandleSpray };
struct ToolEntry {
    int command;     // the menu / ToolBox command choosing it (0: none)
    ToolHandler handler;
    int cursor;      // cursor resource (0: the Line cursor chosen by size)
};
extern const ToolEntry kToolTable[kToolCount];
// The tool a command chooses; -1 for any other command.
int ToolForCommand(int command);
// The Line tool's cursor for a working size: 7018 (16), 7017 (32), 7019
// (48), 7020 (64, 96); 0 (none) for any other.
int LineCursorForSize(int size);

// --- Save: the transparent colour as mask bits -----------------------------

// A bottom-up block's colour bits and mask bits, `width` x `height` at
// `depth` (1, 4, 8, 24 or 32), rows padded to 4 bytes.
struct BlockPixels {
    uint8_t *colorBits;
    uint8_t *maskBits;
    int width, height, depth;
};
// The stored value of pixel (x, y), y from the top: a palette index, or
// 0xRRGGBB for 24 and 32 bits (alpha left out).
uint32_t BlockPixelValue(const BlockPixels &b, int x, int y);
// Every pixel equal to the one at (keyX, keyY) (clamped into the image)
// becomes masked (bit 1) and black (index 0 below 9 bits, 0 with alpha 0 at
// 32); every other pixel is unmasked (bit 0) and, at 32 bits, opaque (alpha
// 255), so that readers that take the alpha see what the mask says.
void ApplyTransparentColor(const BlockPixels &b, int keyX, int keyY);
// At 32 bits: every pixel's alpha from its mask bit (0 masked, 255 not).
void AlphaFromMask(const BlockPixels &b);
// The pixels chosen one by one to be transparent: `marks` holds a byte per
// pixel, rows from the top, width x height of them (any other size marks
// nothing); each non-zero one becomes masked and black (alpha 0 at 32 bits).
// The other pixels keep their mask bits.
void ApplyPixelMarks(const BlockPixels &b, const std::vector<uint8_t> &marks);

// --- Save as: the export names --------------------------------------------

// The output name of one image, from the name chosen in the dialog:
// "<folder>\\<base>_<width>_<depth>.<ext>" when the chosen extension's first
// four characters are, in any case, ".bmp", ".gif", ".jpg", ".png" or ".tga";
// "" for any other.
std::string ExportName(const std::string &chosen, int width, int depth);
// The name the image library is given for the output: a ".bmp" name as
// "BMP:<name>" (a palette bitmap) for depths up to 8, "BMP24:<name>" above;
// others as they are.
std::string ExportTarget(const std::string &name, int depth);
