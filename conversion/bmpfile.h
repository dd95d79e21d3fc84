// Windows 3 bitmap files (.bmp with a 40-byte information header) read into
// a packed DIB: the information header, the colour table, the pixel rows;
// the 14-byte file header is not kept. Portable.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// Which step of reading failed; each maps to its own message.
enum BmpReadResult {
    kBmpOk = 0,
    kBmpFileHeaderShort,    // fewer than 14 bytes
    kBmpBadSignature,       // not "BM", or a reserved field not 0
    kBmpInfoHeaderShort,    // fewer than 40 bytes of information header
    kBmpNotWindows3,        // header size not 40 (OS/2 and newer headers)
    kBmpTopDown,            // negative height: refused
    kBmpBadGeometry,        // zero width or height, or sizes no block can hold
    kBmpColorTableShort,    // the colour table runs past the end of the file
    kBmpBadOffset,          // the pixel-data offset cannot be reached
    kBmpPixelsShort,        // fewer pixel bytes than the header promises
};

// Sizes of the packed form, from the information header's fields.
struct BmpLayout {
    uint32_t colorEntries;  // colours used when non-zero, else 2/16/256 for 1/4/8 bits, else 0
    uint64_t rowBytes;      // ((width * bits * planes + 31) / 32) * 4
    uint64_t pixelBytes;    // rowBytes * height
    uint64_t blockSize;     // 40 + 4 * colorEntries + pixelBytes
};
BmpLayout ComputeBmpLayout(int32_t width, int32_t height, uint16_t planes, uint16_t bits, uint32_t colorsUsed);

// Reads a whole file's bytes into a packed DIB. Nothing is allocated from a
// count before the file is known to hold that many bytes.
BmpReadResult ParseBmpFile(const uint8_t *data, size_t size, std::vector<uint8_t> *block);

// A 24-bit Windows 3 bitmap file of `width` x `height` pixels from rows of
// blue, green, red bytes given top row first, `stride` bytes apart. Empty
// when the sizes are zero, the stride too short, or the file would pass the
// block limit the reader keeps.
std::vector<uint8_t> BuildBmp24File(uint32_t width, uint32_t height, const uint8_t *bgrRows, size_t stride);
