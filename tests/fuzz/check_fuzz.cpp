// Feeds arbitrary bytes to the checks of the command line's check, as an
// icon or cursor file and as an animated cursor, and holds them to their
// contract: every finding has a known code at that code's level, and points
// at an image or frame that exists.
#include <cstddef>
#include <cstdint>
#include <string>

#include "iconlib/icofile.h"
#include "toolbox/iconcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    std::vector<Finding> found;
    CheckIconFile(data, size, -1, &found);
    IconFileDirectory dir;
    std::string error;
    size_t images = ReadIconDirectory(data, size, &dir, &error) ? dir.entries.size() : 0;
    for (const Finding &f : found) {
        if (f.code >= kFindCodeCount || f.level != FindingCodeLevel(f.code) || f.frame != -1) __builtin_trap();
        if (f.image >= (int)images) __builtin_trap();
    }
    if (CheckExitCode(found) > 2) __builtin_trap();
    std::vector<ImageSummary> summary;
    if (SummarizeIconFile(data, size, &summary, &error) && summary.size() != images) __builtin_trap();

    found.clear();
    CheckAniFile(data, size, &found);
    for (const Finding &f : found)
        if (f.code >= kFindCodeCount || f.level != FindingCodeLevel(f.code)) __builtin_trap();
    return 0;
}
