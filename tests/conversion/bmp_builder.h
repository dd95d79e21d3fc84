// Bitmap files built byte by byte for the reader's tests. Portable.
#pragma once
#include <cstring>
#include <vector>

#include "common/bytereader.h"
#include "conversion/bmpfile.h"

struct BmpSpec {
    int32_t width = 4, height = 3;
    uint16_t bits = 24, planes = 1;
    uint32_t headerSize = 40, colorsUsed = 0;
    int tableEntries = -1;       // -1: as the layout says
    uint32_t pixelOffset = 0;    // 0: right after the table (and written as 0 when zeroOffset)
    bool zeroOffset = false;
    size_t gap = 0;              // bytes between the table and the pixels
};

// A file with a distinctive pixel pattern (byte i of the pixels is i * 7).
inline std::vector<uint8_t> MakeBmp(const BmpSpec &s, std::vector<uint8_t> *pixelsOut = nullptr) {
    BmpLayout l = ComputeBmpLayout(s.width, s.height < 0 ? -s.height : s.height, s.planes, s.bits, s.colorsUsed);
    size_t table = 4 * (s.tableEntries >= 0 ? (size_t)s.tableEntries : l.colorEntries);
    std::vector<uint8_t> f(14 + s.headerSize + table + s.gap + (size_t)l.pixelBytes, 0);
    f[0] = 'B', f[1] = 'M';
    PutU32(&f[2], (uint32_t)f.size());
    uint32_t offset = s.pixelOffset ? s.pixelOffset : (uint32_t)(14 + s.headerSize + table + s.gap);
    PutU32(&f[10], s.zeroOffset ? 0 : offset);
    PutU32(&f[14], s.headerSize);
    PutU32(&f[18], (uint32_t)s.width);
    PutU32(&f[22], (uint32_t)s.height);
    PutU16(&f[26], s.planes);
    PutU16(&f[28], s.bits);
    if (s.headerSize >= 40) PutU32(&f[46], s.colorsUsed);
    for (size_t i = 0; i < table; ++i) f[14 + s.headerSize + i] = (uint8_t)(0x80 + i);
    std::vector<uint8_t> pixels((size_t)l.pixelBytes);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = (uint8_t)(i * 7);
    if (offset + pixels.size() <= f.size()) memcpy(&f[offset], pixels.data(), pixels.size());
    if (pixelsOut) *pixelsOut = pixels;
    return f;
}

