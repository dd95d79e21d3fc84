// The PiPL resource of a ".8bf" plug-in: its property list (kind, category,
// name, entry points, supported image modes). Portable.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

struct PiplInfo {
    bool filter = false;       // kind '8BFM'
    std::string category;      // empty when the list has none
    std::string name;
    std::string entry32;       // entry point of 32-bit x86 code ('wx86')
    std::string entry64;       // of 64-bit x86 code ('8664')
    bool hasModes = false;     // a 'mode' property is present
    bool supportsRgb = false;  // ... and it lists RGB colour
};

// Reads a whole property list: a 16-bit reserved word, a 32-bit version (0),
// a 32-bit count, then each property (vendor, key, id, length, data padded to
// four bytes). False for a list that is damaged, of another version or cut
// short; every count is bounded by the bytes present.
bool ParsePipl(const uint8_t *data, size_t size, PiplInfo *info);

// The entry point of this build's architecture.
const std::string &PiplEntry(const PiplInfo &info);

// The text of the menu: category, "/", name ("Other" when the list names no
// category). Empty when the plug-in is not a filter this host runs: another
// kind, no name or entry point, a hidden category, no RGB mode, or a text
// of `limit` characters or more.
std::string PiplMenuName(const PiplInfo &info, size_t limit);
