#include "toolbox/groupfile.h"

#include <cstring>

#include "common/bytereader.h"
#include "iconlib/icofile.h"

ContainerKind ClassifyFile(const uint8_t *data, size_t size) {
    if (size >= 4 && memcmp(data, "RIFF", 4) == 0) return kContainerAni;
    if (size >= 2 && data[0] == 'M' && data[1] == 'Z') return kContainerModule;
    if (size >= 4 && data[0] == 0 && data[1] == 0 && data[3] == 0) {
        if (data[2] == kIconType) return kContainerIcon;
        if (data[2] == kCursorType) return kContainerCursor;
    }
    return kContainerUnknown;
}

namespace {
const size_t kGroupEntry = 14;
// A group naming one large image many times could grow without end.
const size_t kMaxGroupFileBytes = 256u << 20;
const size_t kHotspotBytes = 4;  // a cursor resource starts with its hot spot
}  // namespace

bool BuildFileFromGroup(const uint8_t *group, size_t size, bool cursor, const ResourceFetcher &fetch,
                        std::vector<uint8_t> *out, std::string *error) {
    ByteReader r(group, size);
    r.U16();
    r.U16();
    uint16_t count = r.U16();
    if (!r.ok() || !r.Has(kIconFileHeaderSize, (size_t)count * kGroupEntry))
        return *error = "the group directory is cut short", false;
    std::vector<uint8_t> directory(kIconFileHeaderSize + (size_t)count * kIconDirEntrySize, 0);
    memcpy(directory.data(), group, kIconFileHeaderSize);
    std::vector<uint8_t> images;
    for (uint16_t i = 0; i < count; ++i) {
        const uint8_t *g = group + kIconFileHeaderSize + kGroupEntry * i;
        uint8_t *d = &directory[kIconFileHeaderSize + kIconDirEntrySize * i];
        uint16_t id = ByteReader::PeekU16(g + 12);
        std::vector<uint8_t> data;
        if (!fetch(id, &data)) return *error = "image " + std::to_string(id) + " of the group is missing", false;
        size_t skip = cursor ? kHotspotBytes : 0;
        if (data.size() <= skip) return *error = "image " + std::to_string(id) + " of the group is empty", false;
        if (cursor) {
            // Resource compilers disagree on whether a cursor group holds the
            // doubled height: the image's own header says which it is.
            IconImageInfo info;
            std::string ignored;
            bool known = ParseIconImage(data.data() + skip, data.size() - skip, &info, &ignored) && info.width > 0;
            d[0] = (uint8_t)(known ? info.width : ByteReader::PeekU16(g));
            d[1] = (uint8_t)(known ? info.height : ByteReader::PeekU16(g + 2) / 2);
            d[2] = (uint8_t)(known && !info.png && info.bitCount < 8 ? 1 << info.bitCount : 0);  // colour count
            memcpy(d + 4, data.data(), kHotspotBytes);  // hot spot x, y
        } else {
            memcpy(d, g, 8);  // width, height, colour count, reserved, planes, bit count
        }
        if (data.size() - skip > kMaxGroupFileBytes - images.size())
            return *error = "the group's images come to more than 256 MB", false;
        uint32_t bytes = (uint32_t)(data.size() - skip);
        PutU32(d + 8, bytes);
        PutU32(d + 12, (uint32_t)(directory.size() + images.size()));
        images.insert(images.end(), data.begin() + skip, data.end());
    }
    out->swap(directory);
    out->insert(out->end(), images.begin(), images.end());
    return true;
}

std::string SafeNamePart(const std::string &name) {
    std::string out = name;
    for (char &c : out)
        if ((unsigned char)c < 0x20 || strchr("<>:\"/\\|?*", c)) c = '_';
    return out;
}
