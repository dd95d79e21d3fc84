// The argument lists the conversion hands to the image library's mogrify
// step for one requested format. Portable.
#pragma once
#include <string>
#include <vector>

// "Glyphery", then the colour reduction for the bit depth, then "-resize"
// with "<S>x<S>" followed by "!" unless proportions are kept:
//   1 bit:  -monochrome     4 bits: -colors 16     8 bits: -colors 256
//   24 and 32 bits: no reduction.
std::vector<std::string> RenderArgs(int size, int bits, bool keepProportions);

// The white border that centres a picture kept in proportion on a size x size
// square: dx = (size - width) / 2 and dy = (size - height) / 2, rounded down.
// Returns false (no border pass) when both are zero.
bool BorderArgs(int size, int width, int height, std::vector<std::string> *args);
