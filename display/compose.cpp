#include "display/compose.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

bool SameWord(const std::string &a, const char *b) {
    size_t n = strlen(b);
    if (a.size() != n) return false;
    for (size_t i = 0; i < n; ++i)
        if (tolower((unsigned char)a[i]) != tolower((unsigned char)b[i])) return false;
    return true;
}

const struct {
    const char *name;
    int op;
} kOperators[] = {
    {"over", kComposeOver},   {"in", kComposeIn},       {"out", kComposeOut},
    {"atop", kComposeAtop},   {"xor", kComposeXor},     {"plus", kComposePlus},
    {"minus", kComposeMinus}, {"add", kComposeAdd},     {"subtract", kComposeSubtract},
    {"difference", kComposeDifference}, {"bumpmap", kComposeBumpmap},
    // What a user choosing "Replace" expects: the picture replaces what lies under it.
    {"replace", kComposeReplace},
};

const char *const kGravities[] = {"Forget", "NorthWest", "North",     "NorthEast", "West",  "Center",
                                  "East",   "SouthWest", "South",     "SouthEast", "Static"};

// The combine dialog's lists, in their order.
const char *const kDialogOperators[] = {"add",     "bumpmap", "difference", "out", "in",  "minus",
                                        "plus",    "over",    "replace",    "subtract", "xor", "atop"};
const char *const kDialogGravities[] = {"West", "NorthWest", "SouthWest", "North", "East",
                                        "NorthEast", "SouthEast", "Center", "South"};

// True when `word` (after its sign) names `option`: a prefix of it at least
// `least` characters long.
bool Names(const std::string &word, const char *option, size_t least) {
    std::string name = word.substr(1);
    if (name.size() < least || name.size() > strlen(option)) return false;
    return strncmp(name.c_str(), option, name.size()) == 0;
}

// A decimal number: digits with at most one point, nothing else.
bool ReadDecimal(const std::string &text, double *value) {
    size_t digits = 0, points = 0;
    for (char c : text) {
        if (c >= '0' && c <= '9')
            ++digits;
        else if (c == '.')
            ++points;
        else
            return false;
    }
    if (digits == 0 || points > 1) return false;
    *value = strtod(text.c_str(), nullptr);
    return true;
}

}  // namespace

int ComposeOperatorByName(const std::string &name) {
    for (const auto &o : kOperators)
        if (SameWord(name, o.name)) return o.op;
    return kComposeUndefined;
}

int GravityByName(const std::string &name) {
    for (int i = 0; i < (int)(sizeof(kGravities) / sizeof(kGravities[0])); ++i)
        if (SameWord(name, kGravities[i])) return i;
    return -1;
}

CompositeError ParseCompositeArguments(const std::vector<std::string> &args, CompositePlan *plan) {
    *plan = CompositePlan();
    if (args.size() < 2) return CompositeError::kTooFewArguments;
    const size_t last = args.size() - 1;  // the output
    int images = 0;
    for (size_t i = 1; i < last; ++i) {
        const std::string &word = args[i];
        if (word.size() < 2 || (word[0] != '-' && word[0] != '+')) {
            std::string *slot[] = {&plan->target, &plan->picture, &plan->mask};
            if (images == 3) return CompositeError::kTooManyImages;
            *slot[images++] = word;
            continue;
        }
        const bool minus = word[0] == '-';
        // The word an option takes.
        auto value = [&](const std::string **out) {
            if (i + 1 >= last) return false;
            *out = &args[++i];
            return true;
        };
        const std::string *v = nullptr;
        if (minus && Names(word, "blend", 3)) {
            if (!value(&v)) return CompositeError::kMissingValue;
            if (!ReadDecimal(*v, &plan->blend)) return CompositeError::kBadNumber;
            plan->op = kComposeBlend;
        } else if (minus && Names(word, "compose", 5)) {
            if (!value(&v)) return CompositeError::kMissingValue;
            plan->op = ComposeOperatorByName(*v);
        } else if (Names(word, "gravity", 2)) {
            if (!minus) {
                plan->gravity = kGravityDefault;
                continue;
            }
            if (!value(&v)) return CompositeError::kMissingValue;
            plan->gravity = GravityByName(*v);
            if (plan->gravity < 0) return CompositeError::kBadGravity;
        } else if (Names(word, "tile", 2)) {
            plan->tile = minus;
        }
    }
    if (images < 2) return CompositeError::kTooFewArguments;
    plan->output = args[last];
    return CompositeError::kNone;
}

void PlaceByGravity(int gravity, int64_t W, int64_t H, int64_t w, int64_t h, int64_t *x, int64_t *y, bool *resize) {
    *resize = false;
    const int64_t cx = (W - w) / 2, cy = (H - h) / 2;
    switch (gravity) {
    case 0: *resize = true; *x = 0; *y = 0; break;
    case 1: *x = 0; *y = 0; break;
    case 2: *x = cx; *y = 0; break;
    case 3: *x = W - w; *y = 0; break;
    case 4: *x = 0; *y = cy; break;
    case 6: *x = W - w; *y = cy; break;
    case 7: *x = 0; *y = H - h; break;
    case 8: *x = cx; *y = H - h; break;
    case 9: *x = W - w; *y = H - h; break;
    default: *x = cx; *y = cy; break;  // 5 Center, 10 Static and any other
    }
}

std::vector<TileOrigin> TileOrigins(int64_t W, int64_t H, int64_t w, int64_t h) {
    std::vector<TileOrigin> origins;
    if (W <= 0 || H <= 0 || w <= 0 || h <= 0) return origins;
    for (int64_t y = 0; y < H; y += h)
        for (int64_t x = 0; x < W; x += w) origins.push_back({x, y});
    return origins;
}

const char *CombineOperatorWord(int32_t position) {
    if (position < 0 || position >= (int32_t)(sizeof(kDialogOperators) / sizeof(kDialogOperators[0]))) return nullptr;
    return kDialogOperators[position];
}

const char *CombineGravityName(int32_t position) {
    if (position < 0 || position >= (int32_t)(sizeof(kDialogGravities) / sizeof(kDialogGravities[0]))) return nullptr;
    return kDialogGravities[position];
}

int32_t CombineRatio(const std::string &text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    int64_t value = 0;
    size_t digits = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
        value = value * 10 + (text[i] - '0');
        if (value > INT32_MAX) return 0;  // not a ratio at all
    }
    while (i < text.size() && text[i] == ' ') ++i;
    if (digits == 0 || i != text.size()) return 0;
    return (int32_t)value;
}

std::vector<std::string> CombineArguments(const CombineChoice &choice, const std::string &clipboardFile,
                                          const std::string &pictureFile, const std::string &outputFile) {
    std::vector<std::string> args = {"Glyphery"};
    if (choice.ratio != 0) {
        args.push_back("-blend");
        args.push_back(std::to_string(choice.ratio));
    } else if (const char *word = CombineOperatorWord(choice.op)) {
        args.push_back("-compose");
        args.push_back(word);
    }
    if (!choice.gravity.empty()) {
        args.push_back("-gravity");
        args.push_back(choice.gravity);
    }
    args.push_back(clipboardFile);
    args.push_back(pictureFile);
    args.push_back(outputFile);
    return args;
}
