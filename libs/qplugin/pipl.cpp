#include "libs/qplugin/pipl.h"

#include "common/bytereader.h"
#include "libs/qplugin/pifilter.h"

namespace {

const uint32_t kVendor = PI_FOURCC('8', 'B', 'I', 'M');
const uint32_t kKind = PI_FOURCC('k', 'i', 'n', 'd');
const uint32_t kFilterKind = PI_FOURCC('8', 'B', 'F', 'M');
const uint32_t kCategory = PI_FOURCC('c', 'a', 't', 'g');
const uint32_t kName = PI_FOURCC('n', 'a', 'm', 'e');
const uint32_t kEntry32 = PI_FOURCC('w', 'x', '8', '6');
const uint32_t kEntry64 = PI_FOURCC('8', '6', '6', '4');
const uint32_t kModes = PI_FOURCC('m', 'o', 'd', 'e');
const uint8_t kModeRgbFlag = 0x10;  // in the first byte of the modes
const size_t kPropertyHeader = 16;

// A Pascal string: a length byte and that many characters, within `size`.
bool PascalString(const uint8_t *p, size_t size, std::string *out) {
    if (size < 1 || (size_t)p[0] > size - 1) return false;
    out->assign((const char *)p + 1, p[0]);
    return true;
}

// A C string, ending at its first zero or at the end of the property.
std::string CString(const uint8_t *p, size_t size) {
    size_t n = 0;
    while (n < size && p[n]) ++n;
    return std::string((const char *)p, n);
}

}  // namespace

bool ParsePipl(const uint8_t *data, size_t size, PiplInfo *info) {
    *info = PiplInfo();
    ByteReader r(data, size);
    r.U16();  // reserved
    uint32_t version = r.U32();
    uint32_t count = r.U32();
    if (!r.ok() || version != 0) return false;
    if (count > r.remaining() / kPropertyHeader) return false;
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t vendor = r.U32(), key = r.U32();
        r.U32();  // property id
        uint32_t length = r.U32();
        if (!r.ok() || length > r.remaining()) return false;
        const uint8_t *value = data + r.pos();
        size_t padded = ((size_t)length + 3) & ~(size_t)3;
        // The last property may end without its padding.
        if (!r.Skip(padded > r.remaining() ? r.remaining() : padded)) return false;
        if (vendor != kVendor) continue;
        if (key == kKind) {
            info->filter = length >= 4 && ByteReader::PeekU32(value) == kFilterKind;
        } else if (key == kCategory) {
            if (!PascalString(value, length, &info->category)) return false;
        } else if (key == kName) {
            if (!PascalString(value, length, &info->name)) return false;
        } else if (key == kEntry32) {
            info->entry32 = CString(value, length);
        } else if (key == kEntry64) {
            info->entry64 = CString(value, length);
        } else if (key == kModes) {
            info->hasModes = true;
            info->supportsRgb = length >= 1 && (value[0] & kModeRgbFlag) != 0;
        }
    }
    return true;
}

const std::string &PiplEntry(const PiplInfo &info) { return sizeof(void *) == 8 ? info.entry64 : info.entry32; }

std::string PiplMenuName(const PiplInfo &info, size_t limit) {
    if (!info.filter || info.name.empty() || PiplEntry(info).empty()) return std::string();
    if (info.hasModes && !info.supportsRgb) return std::string();
    // Filters that their makers keep off the menus.
    if (info.category == "**Hidden**") return std::string();
    std::string text = (info.category.empty() ? std::string("Other") : info.category) + "/" + info.name;
    if (text.size() >= limit) return std::string();
    return text;
}
