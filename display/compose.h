// The compositor's argument list and the combine dialog's rules. Portable:
// the argument walk, the operator and gravity tables, where the picture
// lands, and the list Paste Combine builds.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Composite operators, numbered as the image library's older series numbered
// them (alphabetical from Undefined 0). The library side maps each to the
// operator of the series it links.
enum ComposeOperator : int {
    kComposeUndefined = 0,
    kComposeAdd = 2,
    kComposeAtop = 3,
    kComposeBlend = 4,
    kComposeBumpmap = 5,
    kComposeCopy = 13,
    kComposeDifference = 25,
    kComposeDisplace = 26,
    kComposeIn = 31,
    kComposeMinus = 34,
    kComposeOut = 37,
    kComposeOver = 38,
    kComposePlus = 40,
    kComposeReplace = 41,
    kComposeSubtract = 50,
    kComposeXor = 52,
};

// Gravity numbers: "Forget" 0, "NorthWest" 1, "North" 2, "NorthEast" 3,
// "West" 4, "Center" 5, "East" 6, "SouthWest" 7, "South" 8, "SouthEast" 9,
// "Static" 10.
const int kGravityDefault = 1;

// The operator a "-compose" word selects (case does not matter);
// kComposeUndefined for a name the table does not hold.
int ComposeOperatorByName(const std::string &name);
// The gravity number of a name, or -1.
int GravityByName(const std::string &name);

// What an argument list asks of the compositor.
struct CompositePlan {
    std::string target;   // the first image file: what the picture is laid on
    std::string picture;  // the second
    std::string mask;     // the third, if any: laid over the picture first
    std::string output;   // the last argument
    int op = kComposeUndefined;
    int gravity = kGravityDefault;
    bool tile = false;
    double blend = 0;  // "-blend": the picture's share in percent (op is kComposeBlend)
};

enum class CompositeError {
    kNone,
    kTooFewArguments,  // no output, or no target or picture
    kTooManyImages,    // a fourth image file
    kMissingValue,     // an option that takes a word is the last before the output
    kBadNumber,        // "-blend" with something other than a decimal number
    kBadGravity,       // "-gravity" with a name the table does not hold
};

// Walks args[1] .. args[n-2] (args[0] is the program name, the last the
// output file). Words starting with "-" or "+" and longer than one character
// are options, recognised by a prefix of their name at least as long as the
// name's minimum ("blend" 3, "compose" 5, "gravity" 2, "tile" 2); other
// options are left to the mogrify pass. Every other word is an image file.
CompositeError ParseCompositeArguments(const std::vector<std::string> &args, CompositePlan *plan);

// Where the picture (w x h) lands on the target (W x H) for a gravity; for
// gravity 0 the picture is first resized to the target's size (*resize) and
// lands at 0, 0. Halves round down; a picture larger than the target gives
// negative offsets.
void PlaceByGravity(int gravity, int64_t W, int64_t H, int64_t w, int64_t h, int64_t *x, int64_t *y, bool *resize);

struct TileOrigin {
    int64_t x, y;
};
// Every multiple of the picture's size that starts inside the target, rows
// outer, columns inner. Empty for an empty picture or target.
std::vector<TileOrigin> TileOrigins(int64_t W, int64_t H, int64_t w, int64_t h);

// The combine dialog's choices as the effect parameters carry them.
struct CombineChoice {
    int32_t ratio = 0;     // p1: the icon's share in percent when mixing, else 0
    int32_t op = 0;        // p2: position in the dialog's operator list (0-11)
    std::string gravity;   // empty: the icon lies at the clipboard picture's top-left corner
};

// The operator word of a position of the dialog's list ("add" ... "atop"),
// or nullptr outside 0-11.
const char *CombineOperatorWord(int32_t position);
// The gravity name of a position of the dialog's list ("West" ... "South"),
// or nullptr outside 0-8.
const char *CombineGravityName(int32_t position);
// The ratio box's text as a ratio: a positive decimal number, else 0 (refused).
int32_t CombineRatio(const std::string &text);

// The compositor's list for Paste Combine: "Glyphery", then "-blend" and the
// ratio, or "-compose" and the operator word (nothing for a position outside
// the list), then "-gravity" and the name when there is one, the clipboard
// picture, the displayed picture and the output.
std::vector<std::string> CombineArguments(const CombineChoice &choice, const std::string &clipboardFile,
                                          const std::string &pictureFile, const std::string &outputFile);
