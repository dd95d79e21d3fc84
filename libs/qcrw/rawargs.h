// The command line of the raw decoder's first entry and the PNM header of
// what it returns. Portable.
#pragma once
#include <string>
#include <vector>

struct RawDecodeOptions {
    bool halfSize = false;
    std::string path;  // empty: no file was named
};
// argv[0] is the caller's name; "-h" asks for half the size; the last other
// argument is the file. Stops at a null entry; at most 64 arguments are read.
RawDecodeOptions ParseRawArguments(int argc, const char *const *argv);

// The header of a binary PNM of `colors` samples a pixel (1: "P5", 3: "P6")
// and 8 bits; empty for another count.
std::string PnmHeader(int colors, unsigned width, unsigned height);
