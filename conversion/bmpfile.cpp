#include "conversion/bmpfile.h"

#include <cstring>

#include "common/bytereader.h"

namespace {
const uint32_t kFileHeaderSize = 14;
const uint32_t kInfoHeaderSize = 40;
// Larger blocks are refused: no picture this program handles comes near it,
// and sizes stay far from overflowing a 32-bit size_t.
const uint64_t kMaxBlockSize = 1u << 30;
}  // namespace

BmpLayout ComputeBmpLayout(int32_t width, int32_t height, uint16_t planes, uint16_t bits, uint32_t colorsUsed) {
    BmpLayout l;
    if (colorsUsed != 0)
        l.colorEntries = colorsUsed;
    else
        l.colorEntries = bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 256 : 0;
    uint64_t w = width > 0 ? (uint64_t)width : 0, h = height > 0 ? (uint64_t)height : 0;
    l.rowBytes = ((w * bits * planes + 31) / 32) * 4;
    l.pixelBytes = l.rowBytes * h;
    l.blockSize = kInfoHeaderSize + 4ull * l.colorEntries + l.pixelBytes;
    return l;
}

BmpReadResult ParseBmpFile(const uint8_t *data, size_t size, std::vector<uint8_t> *block) {
    block->clear();
    ByteReader r(data, size);
    if (!r.Has(0, kFileHeaderSize)) return kBmpFileHeaderShort;
    uint16_t signature = r.U16();
    r.U32();  // file size: not trusted, not needed
    uint16_t reserved1 = r.U16(), reserved2 = r.U16();
    uint32_t pixelOffset = r.U32();
    if (signature != 0x4D42 || reserved1 != 0 || reserved2 != 0) return kBmpBadSignature;

    if (!r.Has(kFileHeaderSize, kInfoHeaderSize)) return kBmpInfoHeaderShort;
    const uint8_t *header = data + kFileHeaderSize;
    if (ByteReader::PeekU32(header) != kInfoHeaderSize) return kBmpNotWindows3;
    int32_t width = (int32_t)ByteReader::PeekU32(header + 4);
    int32_t height = (int32_t)ByteReader::PeekU32(header + 8);
    uint16_t planes = ByteReader::PeekU16(header + 12);
    uint16_t bits = ByteReader::PeekU16(header + 14);
    uint32_t colorsUsed = ByteReader::PeekU32(header + 32);
    if (height < 0) return kBmpTopDown;
    if (width <= 0 || height == 0 || planes == 0 || bits == 0) return kBmpBadGeometry;

    BmpLayout layout = ComputeBmpLayout(width, height, planes, bits, colorsUsed);
    if (layout.blockSize > kMaxBlockSize) return kBmpBadGeometry;
    uint64_t tableBytes = 4ull * layout.colorEntries;
    size_t tableOffset = kFileHeaderSize + kInfoHeaderSize;
    if (!r.Has(tableOffset, (size_t)tableBytes)) return kBmpColorTableShort;
    // The pixels start at the file header's offset when it gives one, else
    // right after the colour table.
    size_t pixelStart = tableOffset + (size_t)tableBytes;
    if (pixelOffset != 0) {
        if (pixelOffset > 0x7FFFFFFFu) return kBmpBadOffset;
        pixelStart = pixelOffset;
    }
    if (!r.Has(pixelStart, (size_t)layout.pixelBytes)) return kBmpPixelsShort;

    block->resize((size_t)layout.blockSize);
    uint8_t *out = block->data();
    memcpy(out, header, kInfoHeaderSize);
    memcpy(out + kInfoHeaderSize, data + tableOffset, (size_t)tableBytes);
    memcpy(out + kInfoHeaderSize + tableBytes, data + pixelStart, (size_t)layout.pixelBytes);
    return kBmpOk;
}

std::vector<uint8_t> BuildBmp24File(uint32_t width, uint32_t height, const uint8_t *bgrRows, size_t stride) {
    std::vector<uint8_t> file;
    if (width == 0 || height == 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF || stride < 3ull * width) return file;
    BmpLayout l = ComputeBmpLayout((int32_t)width, (int32_t)height, 1, 24, 0);
    if (l.blockSize > kMaxBlockSize) return file;
    file.assign(kFileHeaderSize + l.blockSize, 0);
    auto put16 = [&](size_t at, uint32_t v) {
        file[at] = (uint8_t)v;
        file[at + 1] = (uint8_t)(v >> 8);
    };
    auto put32 = [&](size_t at, uint32_t v) {
        put16(at, v & 0xFFFF);
        put16(at + 2, v >> 16);
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, (uint32_t)file.size());
    put32(10, kFileHeaderSize + kInfoHeaderSize);
    put32(14, kInfoHeaderSize);
    put32(18, width);
    put32(22, height);
    put16(26, 1);
    put16(28, 24);
    put32(34, (uint32_t)l.pixelBytes);
    // Rows bottom-up, each padded to four bytes.
    uint8_t *pixels = file.data() + kFileHeaderSize + kInfoHeaderSize;
    for (uint32_t y = 0; y < height; ++y)
        memcpy(pixels + (size_t)(height - 1 - y) * l.rowBytes, bgrRows + (size_t)y * stride, 3u * width);
    return file;
}
