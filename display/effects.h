// The effects of the display window as argument lists for the image
// library's MogrifyImages: one numbered code per effect, filter and
// colorization, and the four parameters its dialog fills. Portable.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Codes 1-13 are the toolbar and menu tools, 100-108 the special effects
// (list position + 100), 200-202 the colorizations (+ 200), 300-308 the
// filters (+ 300).
typedef int32_t EffectCode;

// The parameters of the last effect chosen. Each parameter dialog writes only
// the ones its code owns and leaves the others as they were.
struct EffectParams {
    int32_t p1 = 0, p2 = 0, p3 = 0, p4 = 0;
};

// The options that follow the program name "Glyphery" for `code` applied at
// target width `width`, taking only the parameters the code owns. False for
// a code that runs no argument list (3, count colours, and unknown codes).
bool EffectArguments(EffectCode code, int width, const EffectParams &params, std::vector<std::string> *options);

// True when applying (command 1436) runs the argument list for `code`: every
// code with options except 3, 5 and 6, which run at once when chosen.
bool EffectRunsOnApply(EffectCode code);
