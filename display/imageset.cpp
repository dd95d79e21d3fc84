#include "display/imageset.h"

#include <cstring>

#include "common/bytereader.h"
#include "iconlib/icofile.h"

namespace {

// Size, depth and part offsets from the block's own header, checked against
// the block.
bool DescribeBlock(const uint8_t *block, size_t size, DisplayImageRecord *rec, std::string *error) {
    IconImageInfo info;
    if (!ParseIconImage(block, size, &info, error)) return false;
    if (info.png) return *error = "a PNG image", false;
    if (info.headerSize != kBitmapInfoHeaderSize) return *error = "not a 40-byte image header", false;
    if (info.width <= 0 || info.height <= 0) return *error = "an empty image", false;
    uint16_t planes = ByteReader::PeekU16(block + 12);
    rec->width = (uint32_t)info.width;
    rec->height = (uint32_t)info.height;
    rec->bitDepth = (uint32_t)planes * info.bitCount;
    rec->colorTableSize = (uint32_t)(info.colorOffset - info.headerSize);
    rec->maskOffset = (uint32_t)(info.maskOffset - info.headerSize);
    return true;
}

}  // namespace

bool ReadDisplayImageSet(const uint8_t *data, size_t size, DisplayImageSet *out, std::string *error) {
    IconFileDirectory dir;
    if (!ParseIconDirectory(data, size, &dir, error)) return false;
    DisplayImageSet set;
    set.type = dir.type;
    set.images.reserve(dir.entries.size());
    ByteReader r(data, size);
    for (size_t i = 0; i < dir.entries.size(); ++i) {
        const IconDirEntry &e = dir.entries[i];
        if (!r.Has(e.offset, e.bytes)) return *error = "an image runs past the end of the file", false;
        DisplayImageRecord rec;
        std::string why;
        if (!DescribeBlock(data + e.offset, e.bytes, &rec, &why))
            return *error = "image " + std::to_string(i) + ": " + why, false;
        rec.bytes.assign(data + e.offset, data + e.offset + e.bytes);
        rec.entryWord4 = e.planes;
        rec.entryWord6 = e.bitCount;
        set.images.push_back(std::move(rec));
    }
    *out = std::move(set);
    return true;
}

bool SetRecordImage(DisplayImageRecord *record, const uint8_t *block, size_t size) {
    DisplayImageRecord rec;
    std::string why;
    if (!block || !DescribeBlock(block, size, &rec, &why)) return false;
    record->width = rec.width;
    record->height = rec.height;
    record->bitDepth = rec.bitDepth;
    record->colorTableSize = rec.colorTableSize;
    record->maskOffset = rec.maskOffset;
    record->bytes.assign(block, block + size);
    return true;
}

std::vector<uint8_t> DisplayImageSetBytes(const DisplayImageSet &set) {
    size_t total = kIconFileHeaderSize + kIconDirEntrySize * set.images.size();
    for (const DisplayImageRecord &rec : set.images) total += rec.bytes.size();
    std::vector<uint8_t> out(total);
    uint8_t *p = out.data();
    PutU16(p, 0);
    PutU16(p + 2, set.type);
    PutU16(p + 4, (uint16_t)set.images.size());
    p += kIconFileHeaderSize;
    uint32_t offset = (uint32_t)(kIconFileHeaderSize + kIconDirEntrySize * set.images.size());
    for (const DisplayImageRecord &rec : set.images) {
        uint32_t product = rec.bitDepth;
        p[0] = (uint8_t)rec.width;
        p[1] = (uint8_t)rec.height;
        p[2] = product < 8 ? (uint8_t)(1u << product) : 0;
        p[3] = 0;
        if (set.type == 1 && rec.bytes.size() >= 16) {
            memcpy(p + 4, rec.bytes.data() + 12, 4);  // the header's planes and bit count
        } else {
            PutU16(p + 4, rec.entryWord4);
            PutU16(p + 6, rec.entryWord6);
        }
        PutU32(p + 8, (uint32_t)rec.bytes.size());
        PutU32(p + 12, offset);
        offset += (uint32_t)rec.bytes.size();
        p += kIconDirEntrySize;
    }
    for (const DisplayImageRecord &rec : set.images) {
        if (rec.bytes.empty()) continue;
        memcpy(p, rec.bytes.data(), rec.bytes.size());
        if (rec.bytes.size() >= kHeaderSizeImageOffset + 4) PutU32(p + kHeaderSizeImageOffset, 0);
        p += rec.bytes.size();
    }
    return out;
}

int ImageLineColors(uint32_t bitDepth) {
    switch (bitDepth) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    case 24:
    case 32: return 0;
    default: return -1;
    }
}

size_t ImageIndexInSet(size_t index, size_t count) {
    if (count == 0) return 0;
    return index < count ? index : count - 1;
}
