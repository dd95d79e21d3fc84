// The effects of the display window as argument lists for the image
// library's MogrifyImages: one numbered code per effect, filter and
// colorization, and the four parameters its dialog fills. Portable.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The icon editor shares these lists. The two agree on most codes; where
// they differ the editor has its own numbering (its roll is 108, its colour
// spaces 201-208, its modulate 305) and its own options.

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

// The colour of the border effect (code 1) as the library reads it,
// "#RRGGBB", from a colour reference 0x00BBGGRR.
std::string BorderColorOption(uint32_t colorref);
// The border colour before the user chose one: white, as the border dialog's
// swatch first shows it.
const uint32_t kDefaultBorderColor = 0x00FFFFFF;
// EffectArguments with the border in `borderColor` (the form above uses
// kDefaultBorderColor).
bool EffectArguments(EffectCode code, int width, const EffectParams &params, uint32_t borderColor,
                     std::vector<std::string> *options);

// The editor's options for `code` (after its program name and region): the
// border in `borderColor` without a target geometry, the roll's offsets with
// their signs and plain digits. Codes without options (105-107, the colour
// spaces, unknown codes) give an empty list: the picture comes back as it
// was. Code 3 counts colours and runs no list (false).
bool EditorEffectArguments(EffectCode code, const EffectParams &params, uint32_t borderColor,
                           std::vector<std::string> *options);
// The library's name of the colour space an editor code converts to
// ("GRAY", "OHTA", "sRGB", "YCC", "YIQ", "YUV"), or nullptr.
const char *EditorColorSpace(EffectCode code);
// The "-region" geometry of a selection from (left, top) to (right, bottom)
// inclusive, image pixels: "%dx%d+%d+%d".
std::string RegionGeometry(int32_t left, int32_t top, int32_t right, int32_t bottom);

// The number a user typed in a parameter dialog's box: optional blanks and
// sign, then digits; anything else ends it, no digit reads as 0, and a number
// beyond 32 bits saturates (so that it still counts as out of range).
int32_t DialogNumber(const std::string &text);

// What a value outside a parameter's range becomes.
enum class OutsideRange {
    kNearestBound,   // the nearer end of the range
    kBecomesZero,    // 0 (the colorize amounts)
    kBecomesNinety,  // 90 (the roll magnitudes)
};
struct ValueRange {
    int32_t low, high;
    OutsideRange outside;
};
int32_t BoundDialogValue(int32_t value, const ValueRange &range);
