// Feeds arbitrary bytes to the .ico/.cur directory and image readers, and
// touches every byte they claim lies inside the data.
#include <cstddef>
#include <cstdint>
#include <string>

#include "iconlib/icofile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    IconFileDirectory dir;
    std::string error;
    if (!ParseIconDirectory(data, size, &dir, &error)) return 0;
    volatile uint8_t sink = 0;
    for (const IconDirEntry &e : dir.entries) {
        IconImageInfo info;
        const uint8_t *block = data + e.offset;
        if (!ParseIconImage(block, e.bytes, &info, &error) || info.png) continue;
        for (size_t i = 0; i < info.colorRowBytes * info.height; ++i) sink ^= block[info.colorOffset + i];
        if (info.hasMask)
            for (size_t i = 0; i < info.maskRowBytes * info.height; ++i) sink ^= block[info.maskOffset + i];
    }
    (void)sink;
    return 0;
}
