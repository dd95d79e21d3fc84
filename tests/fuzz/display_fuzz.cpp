// Feeds arbitrary bytes to the display window's image set reader. What it
// accepts must be whole: every image's bytes hold its header, table, colour
// bits and mask as its record says, and the bytes Save would write read back
// as the same set.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "display/imageset.h"

namespace {

void Check(bool ok) {
    if (!ok) abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    DisplayImageSet set;
    std::string error;
    if (!ReadDisplayImageSet(data, size, &set, &error)) {
        Check(!error.empty());
        return 0;
    }
    for (const DisplayImageRecord &r : set.images) {
        Check(r.width > 0 && r.height > 0);
        Check(40u + r.maskOffset <= r.bytes.size());
        Check(r.colorTableSize <= r.maskOffset);
    }
    std::vector<uint8_t> written = DisplayImageSetBytes(set);
    DisplayImageSet again;
    Check(ReadDisplayImageSet(written.data(), written.size(), &again, &error));
    Check(again.images.size() == set.images.size() && again.type == set.type);
    for (size_t i = 0; i < set.images.size(); ++i) {
        Check(again.images[i].width == set.images[i].width && again.images[i].bitDepth == set.images[i].bitDepth);
        Check(again.images[i].bytes.size() == set.images[i].bytes.size());
    }
    return 0;
}
