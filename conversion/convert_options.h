// The command line of GlypheryConvert. Portable.
#pragma once
#include <string>
#include <vector>

#include "common/types.h"
#include "conversion/formatset.h"

struct ConvertOptions {
    std::vector<std::string> sources;
    bool checked[kFormatBoxCount] = {};  // the panel's boxes the options tick
    unsigned customSize = 0;             // --custom N; 0: the custom boxes count nothing
    int kind = kCreateIcon;
    bool transparent = false;
    ColorRef color = 0;  // 0: white is transparent
    bool keepProportions = false;
    bool hasHotspot = false;  // --hotspot X,Y: a cursor's hot spot in the largest image
    unsigned hotspotX = 0, hotspotY = 0;
    bool fast = false;  // --fast: the fast path (ConversionRequest::fast)
    std::string outDir;  // empty: the current folder
    bool help = false;
};

// Parses argv[1..argc-1]. False with a message in *error for an unknown
// option, a missing value, a bad format text, size or colour.
bool ParseConvertOptions(int argc, const char *const *argv, ConvertOptions *out, std::string *error);

// The format list the options choose, as the panel would build it.
std::vector<FormatEntry> FormatsOf(const ConvertOptions &options);

// "#RRGGBB" (the '#' optional) as a colour reference 0x00BBGGRR.
bool ParseHtmlColor(const std::string &text, ColorRef *out);

extern const char kConvertUsage[];
