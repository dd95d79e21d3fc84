#include "editor/tool_rules.h"

#include <cstring>

#include "common/paths.h"

int SnapCoordinate(int v, int zoom, int size) {
    if (zoom < 1) zoom = 1;
    int cell = v / zoom;
    if (cell > size - 1) cell = size - 1;
    if (cell < 0) cell = 0;
    return cell * zoom;
}

PixelRect OrderedRect(int x0, int y0, int x1, int y1) {
    PixelRect r;
    r.left = x0 < x1 ? x0 : x1;
    r.right = x0 < x1 ? x1 : x0;
    r.top = y0 < y1 ? y0 : y1;
    r.bottom = y0 < y1 ? y1 : y0;
    return r;
}

PixelRect BrushSquare(int c, int r, int n, int size) {
    PixelRect s = {c - n / 2, r - n / 2, c - n / 2 + n - 1, r - n / 2 + n - 1};
    if (s.left < 0) s.left = 0;
    if (s.top < 0) s.top = 0;
    if (s.right > size - 1) s.right = size - 1;
    if (s.bottom > size - 1) s.bottom = size - 1;
    return s;
}

const int kSprayOffsets[kSprayCells][2] = {{0, 0}, {-2, -1}, {-3, -2}, {-10, 1}, {2, 2}};

int RubberLineWidth(int size) {
    switch (size) {
    case 16: return 16;
    case 32: return 5;
    case 48: return 4;
    case 64: return 3;
    default: return 2;
    }
}

// Cursor resources: 7011 fill, 7012 cross, 7013 pen, 7014 brush, 10017 and
// 10018 the sprays. The bicoloured circle is chosen by its Draw menu item
// and drawn as the bicoloured rectangle is: outlined in the pressed
// button's colour, filled with the other's.
const ToolEntry kToolTable[kToolCount] = {
    {437, kHandlePen, 7013},         {40011, kHandleBrush, 7014},     {40062, kHandleSelect, 7012},
    {53, kHandleLine, 0},            {40005, kHandleRectangle, 7012}, {40006, kHandleRectangle, 7012},
    {40008, kHandleEllipse, 7012},   {40009, kHandleEllipse, 7012},   {40012, kHandleFill, 7011},
    {40007, kHandleRectangle, 7012}, {40010, kHandleEllipse, 7012},   {40060, kHandleSpray, 10017},
    {0, kHandleSpray, 10018},
};

int ToolForCommand(int command) {
    if (command == 0) return -1;
    for (int i = 0; i < kToolCount; ++i)
        if (kToolTable[i].command == command) return i;
    return -1;
}

int LineCursorForSize(int size) {
    switch (size) {
    case 16: return 7018;
    case 32: return 7017;
    case 48: return 7019;
    case 64:
    case 96: return 7020;
    default: return 0;
    }
}

namespace {

size_t ColorRowBytes(const BlockPixels &b) { return (((size_t)b.width * b.depth + 31) / 32) * 4; }
size_t MaskRowBytes(const BlockPixels &b) { return (((size_t)b.width + 31) / 32) * 4; }
uint8_t *ColorRow(const BlockPixels &b, int y) { return b.colorBits + (size_t)(b.height - 1 - y) * ColorRowBytes(b); }
uint8_t *MaskRow(const BlockPixels &b, int y) { return b.maskBits + (size_t)(b.height - 1 - y) * MaskRowBytes(b); }

void SetPixelValue(const BlockPixels &b, int x, int y, uint32_t value) {
    uint8_t *row = ColorRow(b, y);
    switch (b.depth) {
    case 1: row[x / 8] = (uint8_t)((row[x / 8] & ~(0x80 >> (x % 8))) | ((value & 1) << (7 - x % 8))); break;
    case 4: {
        int shift = (x % 2) ? 0 : 4;
        row[x / 2] = (uint8_t)((row[x / 2] & ~(0xF << shift)) | ((value & 0xF) << shift));
        break;
    }
    case 8: row[x] = (uint8_t)value; break;
    default: {
        uint8_t *p = row + (size_t)x * (b.depth / 8);
        p[0] = (uint8_t)value, p[1] = (uint8_t)(value >> 8), p[2] = (uint8_t)(value >> 16);
    }
    }
}

void SetMaskBit(const BlockPixels &b, int x, int y, bool masked) {
    uint8_t *row = MaskRow(b, y);
    uint8_t bit = (uint8_t)(0x80 >> (x % 8));
    row[x / 8] = masked ? (uint8_t)(row[x / 8] | bit) : (uint8_t)(row[x / 8] & ~bit);
}

bool MaskBit(const BlockPixels &b, int x, int y) { return (MaskRow(b, y)[x / 8] & (0x80 >> (x % 8))) != 0; }

}  // namespace

uint32_t BlockPixelValue(const BlockPixels &b, int x, int y) {
    const uint8_t *row = ColorRow(b, y);
    switch (b.depth) {
    case 1: return (row[x / 8] >> (7 - x % 8)) & 1;
    case 4: return (x % 2) ? row[x / 2] & 0xF : row[x / 2] >> 4;
    case 8: return row[x];
    default: {
        const uint8_t *p = row + (size_t)x * (b.depth / 8);
        return (uint32_t)p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16);
    }
    }
}

void ApplyTransparentColor(const BlockPixels &b, int keyX, int keyY) {
    if (b.width <= 0 || b.height <= 0) return;
    keyX = keyX < 0 ? 0 : (keyX >= b.width ? b.width - 1 : keyX);
    keyY = keyY < 0 ? 0 : (keyY >= b.height ? b.height - 1 : keyY);
    uint32_t key = BlockPixelValue(b, keyX, keyY);
    // Whole rows, padding included, so that the file holds no stray bits.
    memset(b.maskBits, 0, MaskRowBytes(b) * (size_t)b.height);
    for (int y = 0; y < b.height; ++y) {
        for (int x = 0; x < b.width; ++x) {
            bool masked = BlockPixelValue(b, x, y) == key;
            SetMaskBit(b, x, y, masked);
            if (masked) SetPixelValue(b, x, y, 0);
        }
    }
    AlphaFromMask(b);
}

void AlphaFromMask(const BlockPixels &b) {
    if (b.depth != 32) return;
    for (int y = 0; y < b.height; ++y)
        for (int x = 0; x < b.width; ++x) ColorRow(b, y)[(size_t)x * 4 + 3] = MaskBit(b, x, y) ? 0 : 255;
}

void ApplyPixelMarks(const BlockPixels &b, const std::vector<uint8_t> &marks) {
    if (b.width <= 0 || b.height <= 0 || marks.size() != (size_t)b.width * b.height) return;
    for (int y = 0; y < b.height; ++y)
        for (int x = 0; x < b.width; ++x) {
            if (!marks[(size_t)y * b.width + x]) continue;
            SetMaskBit(b, x, y, true);
            SetPixelValue(b, x, y, 0);
            if (b.depth == 32) ColorRow(b, y)[(size_t)x * 4 + 3] = 0;
        }
}

namespace {

const char *const kExportKinds[] = {".bmp", ".gif", ".jpg", ".png", ".tga"};

// The export kind of an extension (its first four characters in any case),
// or null.
const char *ExportKind(const std::string &extension) {
    for (const char *k : kExportKinds)
        if (CompareNoCase(extension.c_str(), k, 4) == 0) return k;
    return nullptr;
}

}  // namespace

std::string ExportName(const std::string &chosen, int width, int depth) {
    const char *kind = ExportKind(Extension(chosen));
    if (!kind) return "";
    std::string folder = DirName(chosen);
    if (!folder.empty()) folder += '\\';
    return folder + BaseName(chosen) + "_" + std::to_string(width) + "_" + std::to_string(depth) + kind;
}

std::string ExportTarget(const std::string &name, int depth) {
    if (CompareNoCase(Extension(name).c_str(), ".bmp", 4) != 0) return name;
    return (depth < 9 ? "BMP:" : "BMP24:") + name;
}
