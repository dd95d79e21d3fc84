#include "libs/qplugin/tiles.h"

namespace {

int Clamp(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }

}  // namespace

size_t TileBytes(const TileRect &r, int loPlane, int hiPlane, size_t limit, size_t *rowBytes) {
    if (TileEmpty(r) || loPlane < 0 || hiPlane > 2 || loPlane > hiPlane) return 0;
    size_t rows = (size_t)((int64_t)r.bottom - r.top), columns = (size_t)((int64_t)r.right - r.left);
    size_t planes = (size_t)(hiPlane - loPlane + 1);
    // Coordinates are 16-bit, so these products stay far below size_t's range.
    size_t row = columns * planes, total = row * rows;
    if (total > limit) return 0;
    *rowBytes = row;
    return total;
}

bool ReadTile(const uint8_t *picture, int width, int height, const TileRect &r, int loPlane, int hiPlane,
              int padding, uint8_t *out, size_t rowBytes) {
    const int planes = hiPlane - loPlane + 1;
    const bool inside = r.top >= 0 && r.left >= 0 && r.bottom <= height && r.right <= width;
    if (!inside && padding < -1) return false;
    if (!inside && padding > 255) return false;
    if (width <= 0 || height <= 0) return false;
    for (int y = r.top; y < r.bottom; ++y) {
        uint8_t *row = out + (size_t)(y - r.top) * rowBytes;
        bool rowInside = y >= 0 && y < height;
        for (int x = r.left; x < r.right; ++x) {
            uint8_t *dst = row + (size_t)(x - r.left) * planes;
            if (!(rowInside && x >= 0 && x < width) && padding >= 0) {
                for (int p = 0; p < planes; ++p) dst[p] = (uint8_t)padding;
                continue;
            }
            const uint8_t *src = picture + ((size_t)Clamp(y, 0, height - 1) * width + Clamp(x, 0, width - 1)) * 3;
            for (int p = 0; p < planes; ++p) dst[p] = src[loPlane + p];
        }
    }
    return true;
}

void WriteTile(uint8_t *picture, int width, int height, const TileRect &r, int loPlane, int hiPlane,
               const uint8_t *in, size_t rowBytes) {
    const int planes = hiPlane - loPlane + 1;
    for (int y = r.top > 0 ? r.top : 0; y < r.bottom && y < height; ++y) {
        const uint8_t *row = in + (size_t)(y - r.top) * rowBytes;
        for (int x = r.left > 0 ? r.left : 0; x < r.right && x < width; ++x) {
            const uint8_t *src = row + (size_t)(x - r.left) * planes;
            uint8_t *dst = picture + ((size_t)y * width + x) * 3;
            for (int p = 0; p < planes; ++p) dst[loPlane + p] = src[p];
        }
    }
}
