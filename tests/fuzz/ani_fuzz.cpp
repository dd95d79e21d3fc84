// Feeds arbitrary bytes to the .ani reader, then touches every byte of every
// frame and every table entry it accepted, and makes the record store's
// group directory and creation input of each frame.
#include <cstddef>
#include <cstdint>
#include <string>

#include "iconres/anifile.h"
#include "iconres/recordformat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    AniContents ani;
    std::string error;
    if (!ParseAniFile(data, size, &ani, &error)) return 0;
    volatile uint32_t sink = 0;
    for (const AniFrame &f : ani.frames) {
        sink += ByteSum(data + f.offset, f.size);
        GroupDirectory dir;
        if (!BuildGroupDirectory(data + f.offset, f.size, &dir)) continue;
        CreationInput in;
        for (uint16_t id = 1; id <= 3; ++id)
            if (MakeCreationInput(data + f.offset, f.size, id, &in)) sink += (uint32_t)in.bytes.size();
    }
    // One entry per declared step, or per frame when no step is declared; both bounded.
    size_t steps = ani.header.steps ? ani.header.steps : ani.frames.size();
    if (ani.rates.size() != steps || ani.sequence.size() != steps) __builtin_trap();
    if (steps > kAniMaxSteps || ani.frames.size() > kAniMaxFrames) __builtin_trap();
    for (size_t s = 0; s < steps; ++s) {
        if (ani.sequence[s] >= ani.frames.size()) __builtin_trap();
        sink += ani.rates[s];
    }
    (void)sink;
    return 0;
}
