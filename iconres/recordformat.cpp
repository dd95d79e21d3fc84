#include "recordformat.h"

#include <string>

#include "common/bytereader.h"
#include "iconlib/icofile.h"

uint32_t ByteSum(const uint8_t *data, size_t size) {
    uint32_t sum = 0;
    for (size_t i = 0; i < size; ++i) sum += data[i];
    return sum;
}

const size_t kGroupEntrySize = 14;

bool BuildGroupDirectory(const uint8_t *file, size_t size, GroupDirectory *out, bool withDepths) {
    IconFileDirectory dir;
    std::string error;
    if (!ParseIconDirectory(file, size, &dir, &error) || dir.entries.empty()) return false;
    std::vector<uint8_t> bytes(kIconFileHeaderSize + kGroupEntrySize * dir.entries.size(), 0);
    for (size_t i = 0; i < kIconFileHeaderSize; ++i) bytes[i] = file[i];
    for (size_t i = 0; i < dir.entries.size(); ++i) {
        const IconDirEntry &e = dir.entries[i];
        uint8_t *p = &bytes[kIconFileHeaderSize + kGroupEntrySize * i];
        if (dir.type == kIconType) {
            p[0] = e.width;
            p[1] = e.height;
            p[2] = e.colorCount;
            p[3] = 0;
        } else {
            PutU16(p, e.width);
            PutU16(p + 2, e.height);
        }
        uint16_t bits = 0;
        if (withDepths) {
            IconImageInfo info;
            bits = ParseIconImage(file + e.offset, e.bytes, &info, &error) ? info.bitCount : 0;
        }
        PutU16(p + 4, bits ? 1 : 0);  // planes
        PutU16(p + 6, bits);          // bit count
        PutU32(p + 8, e.bytes);
        PutU16(p + 12, (uint16_t)(i + 1));
    }
    out->type = dir.type;
    out->bytes.swap(bytes);
    return true;
}

bool MakeCreationInput(const uint8_t *file, size_t size, uint16_t id, CreationInput *out) {
    IconFileDirectory dir;
    std::string error;
    if (!ParseIconDirectory(file, size, &dir, &error)) return false;
    if (id == 0 || id > dir.entries.size()) return false;
    const IconDirEntry &e = dir.entries[id - 1];
    CreationInput in;
    in.icon = dir.type == kIconType;
    if (!in.icon) {
        // A .cur entry keeps the hot spot where an .ico entry has planes and bit count.
        in.hotspotX = e.planes;
        in.hotspotY = e.bitCount;
        in.bytes.resize(4);
        PutU16(&in.bytes[0], in.hotspotX);
        PutU16(&in.bytes[2], in.hotspotY);
    }
    in.bytes.insert(in.bytes.end(), file + e.offset, file + size);
    *out = std::move(in);
    return true;
}
