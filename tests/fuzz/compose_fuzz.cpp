// Feeds arbitrary argument lists (words split at NUL bytes) to the
// compositor's argument walk. An accepted list names a target, a picture and
// an output, a known gravity and, with "-blend", a ratio of digits; a refused
// one says why.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "display/compose.h"

namespace {

void Check(bool ok) {
    if (!ok) abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    std::vector<std::string> args(1);
    for (size_t i = 0; i < size && args.size() < 64; ++i) {
        if (data[i] == 0)
            args.emplace_back();
        else
            args.back().push_back((char)data[i]);
    }
    CompositePlan plan;
    CompositeError error = ParseCompositeArguments(args, &plan);
    if (error != CompositeError::kNone) return 0;
    // Target and picture are words of the list before the output (an empty
    // word is a file name the reader refuses later).
    size_t images = 0;
    for (size_t i = 1; i + 1 < args.size(); ++i) images += args[i] == plan.target || args[i] == plan.picture;
    Check(images >= 2 || (plan.target == plan.picture && images >= 1));
    Check(plan.output == args.back());
    Check(plan.gravity >= 0 && plan.gravity <= 10);
    Check(plan.blend >= 0);
    int64_t x, y;
    bool resize;
    PlaceByGravity(plan.gravity, 100, 50, 30, 20, &x, &y, &resize);
    Check(x >= 0 && x <= 70 && y >= 0 && y <= 30);
    return 0;
}
