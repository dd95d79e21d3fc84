// The bitmap file reader on arbitrary bytes: refusals, never a read outside
// the input or an allocation the input cannot back.
#include <cstdint>
#include <cstring>
#include <vector>

#include "conversion/bmpfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    std::vector<uint8_t> block;
    if (ParseBmpFile(data, size, &block) == kBmpOk) {
        // A block holds the header, a table and pixels each taken from the
        // file (the pixel offset may point back into the table).
        if (block.size() > 40 + 2 * size) __builtin_trap();
        uint32_t header;
        memcpy(&header, block.data(), 4);
        if (header != 40) __builtin_trap();
    }
    return 0;
}
