#include "display/effects.h"

#include <climits>
#include <cstdio>
#include <cstdlib>

namespace {

std::string Number(int64_t value) {
    char text[24];
    snprintf(text, sizeof text, "%lld", (long long)value);
    return text;
}

std::string Pair(int32_t a, int32_t b) {
    char text[32];
    snprintf(text, sizeof text, "%dx%d", (int)a, (int)b);
    return text;
}

std::string Triple(int32_t a, int32_t b, int32_t c, char separator = '/') {
    char text[48];
    snprintf(text, sizeof text, "%d%c%d%c%d", (int)a, separator, (int)b, separator, (int)c);
    return text;
}

// The roll geometry: each offset as its sign and a magnitude of at least
// `digits` digits, horizontal first ("+05+12", "-90+00" with two; "+90-30"
// with one).
std::string RollGeometry(int32_t horizontal, int32_t vertical, int digits) {
    char text[48];
    snprintf(text, sizeof text, "%c%0*lld%c%0*lld", horizontal < 0 ? '-' : '+', digits, llabs((long long)horizontal),
             vertical < 0 ? '-' : '+', digits, llabs((long long)vertical));
    return text;
}

// The editor's colour spaces by code, in the library's names.
struct ColorSpaceCode {
    EffectCode code;
    const char *name;
};
const ColorSpaceCode kEditorColorSpaces[] = {{201, "GRAY"}, {204, "OHTA"}, {205, "sRGB"},
                                             {206, "YCC"},  {207, "YIQ"},  {208, "YUV"}};

// The image library's names of the noise kinds, in the dialog's list order;
// a position past the list is the last kind.
const char *const kNoiseKinds[] = {"Uniform", "Gaussian", "Multiplicative", "Impulse", "Laplacian", "Poisson"};

// One colour channel of the picture as a grey picture. The library's
// current series names the channel with "-channel" and extracts it with
// "-separate" (an older series did both with "-layer").
void Channel(const char *name, std::vector<std::string> *o) { *o = {"-channel", name, "-separate"}; }

}  // namespace

std::string BorderColorOption(uint32_t colorref) {
    char text[16];
    snprintf(text, sizeof text, "#%02X%02X%02X", (unsigned)(colorref & 0xFF), (unsigned)((colorref >> 8) & 0xFF),
             (unsigned)((colorref >> 16) & 0xFF));
    return text;
}

bool EffectArguments(EffectCode code, int width, const EffectParams &params, uint32_t borderColor,
                     std::vector<std::string> *options) {
    const int32_t p1 = params.p1, p2 = params.p2, p3 = params.p3, p4 = params.p4;
    std::vector<std::string> o;
    switch (code) {
    case 1: o = {"-bordercolor", BorderColorOption(borderColor), "-border", Number(p1), "-geometry", Pair(width, width)}; break;
    case 2: o = {"-colorize", Triple(p1, p2, p3)}; break;
    case 4: o = {"-implode", Number(p1)}; break;
    case 5: o = {"-flip"}; break;
    case 6: o = {"-flop"}; break;
    case 8: o = {p3 ? "-raise" : "+raise", Pair(p1, p2)}; break;
    case 9: o = {"-roll", RollGeometry(p1, p2, 2)}; break;
    case 10: o = {"-solarize", Number(p1)}; break;
    case 11: o = {"-swirl", Number(p1)}; break;
    case 13: o = {"-wave", Pair(p1, p2)}; break;
    case 100: o = {"-colorize", Triple(147, 10, 124)}; break;
    case 101: o = {"-antialias"}; break;
    case 102: o = {"-colorspace", "gray", "-emboss", Number(5), "-colorize", Triple(0, 0, 75)}; break;
    case 103: o = {"-despeckle"}; break;
    case 104: o = {"+negate"}; break;
    case 105: Channel("Blue", &o); break;
    case 106: Channel("Green", &o); break;
    case 107: Channel("Red", &o); break;
    case 108: {
        char spread[32];
        snprintf(spread, sizeof spread, "%f", 10.1);
        o = {"-spread", spread};
        break;
    }
    case 200: o = {"-cycle", Number(p1)}; break;
    case 201: o = {"-gaussian", Pair(p1, p2)}; break;
    case 202: o = {"-median", Number(p1)}; break;
    case 300: o = {"-blur", Number(p1)}; break;
    case 301: o = {"-charcoal", Number(p1)}; break;
    case 302: o = {p1 ? "-contrast" : "+contrast"}; break;
    case 303: o = {"-emboss", Number(p1)}; break;
    case 304: {
        char frame[64];
        snprintf(frame, sizeof frame, "%dx%d+%d+%d", (int)p1, (int)p2, (int)p3, (int)p4);
        o = {"-frame", frame};
        break;
    }
    case 305: o = {p1 ? "+noise" : "-noise", kNoiseKinds[p2 >= 0 && p2 < 5 ? p2 : 5]}; break;
    case 306: o = {"-paint", Number(p1)}; break;
    case 307: o = {"-shade", Pair(p1, p2)}; break;
    case 308: o = {"-sharpen", Number(p1)}; break;
    default: return false;  // 3 (count colours) and codes without an argument list
    }
    *options = o;
    return true;
}

bool EffectArguments(EffectCode code, int width, const EffectParams &params, std::vector<std::string> *options) {
    return EffectArguments(code, width, params, kDefaultBorderColor, options);
}

bool EditorEffectArguments(EffectCode code, const EffectParams &params, uint32_t borderColor,
                           std::vector<std::string> *options) {
    std::vector<std::string> o;
    switch (code) {
    case 3: return false;  // counts colours
    // The target geometry is the display window's: the editor keeps the
    // enlarged picture and stretches it when it shows it.
    case 1: o = {"-bordercolor", BorderColorOption(borderColor), "-border", Number(params.p1)}; break;
    case 102: o = {"-colorspace", "gray", "-emboss", Number(5)}; break;
    case 104: o = {"-negate"}; break;
    case 108: o = {"-roll", RollGeometry(params.p1, params.p2, 1)}; break;
    case 109: o = {"-spread", Number(15)}; break;
    case 305: o = {"-modulate", Triple(params.p1, params.p2, params.p3, ',')}; break;
    // The codes both catalogues read alike.
    case 2: case 5: case 6: case 100: case 304:
        if (!EffectArguments(code, 0, params, borderColor, &o)) return false;
        break;
    default: break;  // 105-107, the colour spaces and unknown codes: no options
    }
    *options = o;
    return true;
}

const char *EditorColorSpace(EffectCode code) {
    for (const ColorSpaceCode &c : kEditorColorSpaces)
        if (c.code == code) return c.name;
    return nullptr;
}

std::string RegionGeometry(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    char text[64];
    snprintf(text, sizeof text, "%lldx%lld+%d+%d", (long long)right - left + 1, (long long)bottom - top + 1, (int)left,
             (int)top);
    return text;
}

bool EffectRunsOnApply(EffectCode code) {
    if (code == 3 || code == 5 || code == 6) return false;
    std::vector<std::string> options;
    return EffectArguments(code, 0, EffectParams(), &options);
}

int32_t DialogNumber(const std::string &text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > INT32_MAX) {
            value = (int64_t)INT32_MAX + 1;  // saturated: any bound then applies
            break;
        }
    }
    if (negative) value = -value;
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return (int32_t)value;
}

int32_t BoundDialogValue(int32_t value, const ValueRange &range) {
    if (value >= range.low && value <= range.high) return value;
    switch (range.outside) {
    case OutsideRange::kBecomesZero: return 0;
    case OutsideRange::kBecomesNinety: return 90;
    case OutsideRange::kNearestBound: break;
    }
    return value < range.low ? range.low : range.high;
}
