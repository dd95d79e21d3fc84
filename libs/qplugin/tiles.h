// Moving tiles of a filter run between the picture (24-bit RGB, rows top to
// bottom, three bytes a pixel) and the buffers a plug-in asks for: a
// rectangle of rows and columns and a range of planes (0 red, 1 green,
// 2 blue), interleaved in the buffer, `rowBytes` from one row to the next.
// Portable.
#pragma once
#include <cstddef>
#include <cstdint>

struct TileRect {
    int top, left, bottom, right;  // bottom and right exclusive
};

inline bool TileEmpty(const TileRect &r) { return r.bottom <= r.top || r.right <= r.left; }

// The bytes of a tile buffer with rows of rowBytes, or 0 when the rectangle,
// the plane range or the size is not one this host serves (planes 0-2, at
// most `limit` bytes).
size_t TileBytes(const TileRect &r, int loPlane, int hiPlane, size_t limit, size_t *rowBytes);

// Fills `out` with the tile. A rectangle reaching beyond the picture takes
// `padding` there: 0-255 that value, -1 the nearest edge pixel; any other
// padding refuses it (false, `out` partly written).
bool ReadTile(const uint8_t *picture, int width, int height, const TileRect &r, int loPlane, int hiPlane,
              int padding, uint8_t *out, size_t rowBytes);

// Writes the tile's pixels that lie inside the picture back into it.
void WriteTile(uint8_t *picture, int width, int height, const TileRect &r, int loPlane, int hiPlane,
               const uint8_t *in, size_t rowBytes);
