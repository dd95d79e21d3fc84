#include "icofile.h"

#include <cstring>

#include "common/bytereader.h"
#include "common/paths.h"

uint32_t ColorTableEntries(uint32_t bits) {
    switch (bits) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

bool ComputeIconBlockLayout(uint32_t width, uint32_t height, uint32_t bits, IconBlockLayout *out) {
    // Keep every product within 32 bits: icons are at most a few hundred pixels.
    if (width > 0x8000 || height > 0x8000 || bits > 32) return false;
    IconBlockLayout l;
    l.colorEntries = ColorTableEntries(bits);
    l.colorRowBytes = ((width * bits + 31) / 32) * 4;
    l.maskRowBytes = ((width + 31) / 32) * 4;
    l.colorOffset = kBitmapInfoHeaderSize + 4 * l.colorEntries;
    uint64_t mask = (uint64_t)l.colorOffset + (uint64_t)height * l.colorRowBytes;
    uint64_t total = mask + (uint64_t)height * l.maskRowBytes;
    if (total > 0x7FFFFFFF) return false;
    l.maskOffset = (uint32_t)mask;
    l.blockSize = (uint32_t)total;
    *out = l;
    return true;
}

void WriteBlockHeader(uint8_t *block, uint32_t width, uint32_t height, uint32_t bits) {
    memset(block, 0, kBitmapInfoHeaderSize);
    PutU32(block + 0, kBitmapInfoHeaderSize);
    PutU32(block + 4, width);
    PutU32(block + 8, 2 * height);
    PutU16(block + 12, 1);
    PutU16(block + 14, (uint16_t)bits);
}

void BindRecordToBlock(IconImageRecord *rec, uint8_t *block, const IconBlockLayout &layout) {
    rec->block = block;
    rec->blockSize = layout.blockSize;
    rec->header = block;
    rec->colorBits = block + layout.colorOffset;
    rec->maskBits = block + layout.maskOffset;
}

size_t MaskByteIndex(uint32_t width, uint32_t height, uint32_t x, uint32_t y) {
    size_t rowBytes = ((width + 31) / 32) * 4;
    return (size_t)(height - 1 - y) * rowBytes + x / 8;
}

uint8_t MaskBitValue(uint32_t x) { return (uint8_t)(0x80 >> (x % 8)); }

IconFileType IconTypeFromPath(const std::string &path) {
    std::string ext = Extension(path);
    return CompareNoCase(ext.c_str(), ".ico", 4) == 0 ? kIconType : kCursorType;
}

void FillDirectoryEntry(const IconImageRecord &rec, IconFileType type, uint32_t dataOffset, uint8_t out[16]) {
    uint16_t planes = ByteReader::PeekU16(rec.header + 12);
    uint16_t bitCount = ByteReader::PeekU16(rec.header + 14);
    uint32_t product = (uint32_t)planes * bitCount;
    out[0] = (uint8_t)rec.width;
    out[1] = (uint8_t)rec.height;
    out[2] = product < 8 ? (uint8_t)(1u << product) : 0;
    out[3] = 0;
    if (type == kCursorType) {
        PutU16(out + 4, (uint16_t)rec.hotspotX);
        PutU16(out + 6, (uint16_t)rec.hotspotY);
    } else {
        PutU16(out + 4, planes);
        PutU16(out + 6, bitCount);
    }
    PutU32(out + 8, rec.blockSize);
    PutU32(out + 12, dataOffset);
}

uint32_t ImageDataOffset(const IconSet *set, uint32_t i) {
    uint32_t offset = kIconFileHeaderSize + kIconDirEntrySize * set->count;
    for (uint32_t k = 0; k < i; ++k) offset += set->images[k].blockSize;
    return offset;
}

bool WriteIconSet(IconSet *set, IconFileType type, const ByteSink &sink) {
    uint8_t word[2];
    const uint16_t header[3] = {0, (uint16_t)type, (uint16_t)set->count};
    for (uint16_t v : header) {
        PutU16(word, v);
        if (!sink(word, 2)) return false;
    }
    uint32_t offset = kIconFileHeaderSize + kIconDirEntrySize * set->count;
    for (uint32_t i = 0; i < set->count; ++i) {
        uint8_t entry[kIconDirEntrySize];
        FillDirectoryEntry(set->images[i], type, offset, entry);
        if (!sink(entry, kIconDirEntrySize)) return false;
        offset += set->images[i].blockSize;
    }
    for (uint32_t i = 0; i < set->count; ++i) {
        IconImageRecord &rec = set->images[i];
        uint8_t *sizeField = rec.header + kHeaderSizeImageOffset;
        uint32_t kept = ByteReader::PeekU32(sizeField);
        PutU32(sizeField, 0);
        bool written = sink(rec.block, rec.blockSize);
        PutU32(sizeField, kept);
        if (!written) return false;
    }
    return true;
}

bool ReadIconDirectory(const uint8_t *data, size_t size, IconFileDirectory *out, std::string *error) {
    ByteReader r(data, size);
    uint16_t reserved = r.U16();
    uint16_t type = r.U16();
    uint16_t count = r.U16();
    if (!r.ok()) return *error = "file shorter than its header", false;
    if (reserved != 0 || (type != kIconType && type != kCursorType))
        return *error = "not an icon or cursor file", false;
    if (!r.Has(kIconFileHeaderSize, (size_t)count * kIconDirEntrySize))
        return *error = "directory runs past the end of the file", false;
    out->type = type;
    out->entries.clear();
    out->entries.reserve(count);
    for (uint16_t i = 0; i < count; ++i) {
        IconDirEntry e;
        e.width = r.U8();
        e.height = r.U8();
        e.colorCount = r.U8();
        e.reserved = r.U8();
        e.planes = r.U16();
        e.bitCount = r.U16();
        e.bytes = r.U32();
        e.offset = r.U32();
        out->entries.push_back(e);
    }
    return true;
}

bool ParseIconDirectory(const uint8_t *data, size_t size, IconFileDirectory *out, std::string *error) {
    if (!ReadIconDirectory(data, size, out, error)) return false;
    for (size_t i = 0; i < out->entries.size(); ++i) {
        const IconDirEntry &e = out->entries[i];
        if (e.offset > size || e.bytes > size - e.offset || e.bytes == 0)
            return *error = "image " + std::to_string(i) + " lies outside the file", false;
    }
    return true;
}

bool ParseIconImage(const uint8_t *block, size_t size, IconImageInfo *out, std::string *error) {
    static const uint8_t kPng[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    IconImageInfo info;
    if (size >= 8 && memcmp(block, kPng, 8) == 0) {
        info.png = true;
        // IHDR comes first: 4-byte length (13), "IHDR", then big-endian
        // width and height, bit depth and colour type.
        static const uint8_t kChannels[7] = {1, 0, 3, 1, 2, 0, 4};
        if (size >= 8 + 8 + 13 && memcmp(block + 12, "IHDR", 4) == 0) {
            const uint8_t *p = block + 16;
            uint32_t w = ((uint32_t)p[0] << 24) | ((uint32_t)p[1] << 16) | ((uint32_t)p[2] << 8) | p[3];
            uint32_t h = ((uint32_t)p[4] << 24) | ((uint32_t)p[5] << 16) | ((uint32_t)p[6] << 8) | p[7];
            uint8_t depth = p[8], colourType = p[9];
            if (w <= 0x7FFFFFFF && h <= 0x7FFFFFFF && colourType < 7 && kChannels[colourType]) {
                info.width = (int32_t)w;
                info.height = (int32_t)h;
                info.bitCount = (uint16_t)(depth * kChannels[colourType]);
            }
        }
        *out = info;
        return true;
    }
    ByteReader r(block, size);
    uint32_t headerSize = r.U32();
    int32_t width = r.I32();
    int32_t height2 = r.I32();
    uint16_t planes = r.U16();
    uint16_t bits = r.U16();
    uint32_t compression = r.U32();
    r.Skip(12);
    uint32_t used = r.U32();
    if (!r.ok() || headerSize < kBitmapInfoHeaderSize || headerSize > size)
        return *error = "image header is cut short", false;
    if (width <= 0 || width > 4096 || height2 <= 0 || height2 > 8192 || planes > 1 ||
        (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) || compression != 0)
        return *error = "image header is not that of an icon image", false;
    uint32_t entries = bits <= 8 ? (used ? used : 1u << bits) : 0;
    if (entries > 256) return *error = "colour table too large", false;
    info.width = width;
    info.height = height2 / 2;
    info.bitCount = bits;
    info.colorEntries = entries;
    info.headerSize = headerSize;
    info.colorRowBytes = (((size_t)width * bits + 31) / 32) * 4;
    info.maskRowBytes = (((size_t)width + 31) / 32) * 4;
    info.colorOffset = headerSize + 4 * (size_t)entries;
    info.maskOffset = info.colorOffset + info.colorRowBytes * info.height;
    if (!r.Has(info.colorOffset, info.colorRowBytes * info.height))
        return *error = "colour bitmap runs past the image data", false;
    // Some writers leave the mask out of 32-bit images; a short mask is
    // accepted there and treated as all opaque by the caller.
    info.hasMask = r.Has(info.maskOffset, info.maskRowBytes * info.height);
    if (!info.hasMask && bits != 32) return *error = "mask runs past the image data", false;
    *out = info;
    return true;
}
