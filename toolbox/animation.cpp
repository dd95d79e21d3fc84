#include "toolbox/animation.h"

#include "common/bytereader.h"
#include "iconlib/icofile.h"

uint32_t JiffiesFromDelay(uint64_t delay, uint64_t ticksPerSecond) {
    if (ticksPerSecond == 0) ticksPerSecond = 100;
    if (delay > UINT32_MAX) delay = UINT32_MAX;  // keeps delay * 60 inside 64 bits
    uint64_t jiffies = (delay * 60 + ticksPerSecond / 2) / ticksPerSecond;
    if (jiffies < 1) jiffies = 1;
    return jiffies > UINT32_MAX ? UINT32_MAX : (uint32_t)jiffies;
}

AniWriteSpec BuildAnimation(const std::vector<std::vector<uint8_t>> &frames, const std::vector<uint32_t> &rates,
                            const std::string &title, const std::string &author) {
    AniWriteSpec spec;
    spec.title = title;
    spec.author = author;
    std::vector<uint32_t> sequence;
    for (size_t i = 0; i < frames.size(); ++i) {
        size_t stored = 0;
        while (stored < spec.frames.size() && spec.frames[stored] != frames[i]) ++stored;
        if (stored == spec.frames.size()) spec.frames.push_back(frames[i]);
        sequence.push_back((uint32_t)stored);
    }
    std::vector<uint32_t> steps(frames.size(), kAniDefaultSpeed);
    for (size_t i = 0; i < frames.size() && i < rates.size(); ++i) steps[i] = rates[i];
    spec.rate = steps.empty() ? kAniDefaultSpeed : steps[0];
    for (uint32_t r : steps)
        if (r != spec.rate) {
            spec.rates = steps;
            break;
        }
    if (spec.frames.size() != frames.size()) spec.sequence = sequence;
    return spec;
}

bool SetCursorHotspot(std::vector<uint8_t> *file, unsigned x, unsigned y) {
    IconFileDirectory dir;
    std::string error;
    if (!ParseIconDirectory(file->data(), file->size(), &dir, &error) || dir.type != kCursorType) return false;
    for (size_t i = 0; i < dir.entries.size(); ++i) {
        unsigned w = dir.entries[i].width ? dir.entries[i].width : 256;
        unsigned h = dir.entries[i].height ? dir.entries[i].height : 256;
        uint8_t *entry = file->data() + kIconFileHeaderSize + kIconDirEntrySize * i;
        PutU16(entry + 4, (uint16_t)(x < w ? x : w - 1));
        PutU16(entry + 6, (uint16_t)(y < h ? y : h - 1));
    }
    return true;
}
