#include "conversion/convert_options.h"

#include <cstdlib>
#include <cstring>

#include "iconlib/hotspot.h"

const char kConvertUsage[] =
    "Usage: GlypheryConvert [options] PICTURE...\n"
    "Converts each picture into an icon (.ico), a cursor (.cur) or a 48x48 profile\n"
    "bitmap (.bmp) named after it, in the output folder.\n"
    "\n"
    "  --formats LIST       images to include, comma-separated SIZExBITS: SIZE 16, 32,\n"
    "                       48, 64 or 96 (or the --custom size, or empty for it: x8),\n"
    "                       BITS 1, 4, 8, 24 or 32. Example: --formats 16x4,32x8,48x24\n"
    "  --xp                 the XP set: 16, 32 and 48 pixels at 4, 8 and 24 bits\n"
    "  --custom N           the custom size (97 to 200 in the program's panel)\n"
    "  --as KIND            icon (default), cursor or profile\n"
    "  --transparent[=#RRGGBB]\n"
    "                       make that colour transparent (default: white)\n"
    "  --keep-proportions   fit the picture inside the square with a white border\n"
    "  --hotspot X,Y        a cursor's hot spot, in pixels of its largest image from\n"
    "                       the top-left corner; scaled to the other sizes\n"
    "                       (default 0,0)\n"
    "  --fast               decode at the smallest size the images need, resize\n"
    "                       first, then reduce the colours of each image (quicker;\n"
    "                       not the same bytes as the main window writes)\n"
    "  --out DIR            output folder (default: the current folder; created\n"
    "                       when missing)\n"
    "  --help               this text\n"
    "\n"
    "Images are written in the panel's order whatever the order of --formats.\n"
    "Exit codes: 0 every picture converted; 1 some picture could not be converted;\n"
    "2 bad command line; 3 the output folder cannot be written.\n";

namespace {

bool ParseUnsigned(const std::string &text, unsigned max, unsigned *out) {
    if (text.empty() || text.size() > 9) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    unsigned long v = strtoul(text.c_str(), nullptr, 10);
    if (v > max) return false;
    *out = (unsigned)v;
    return true;
}

// One "SIZExBITS" item; size 0 stands for the custom size ("x8").
bool ParseFormatItem(const std::string &item, unsigned *size, unsigned *bits) {
    size_t x = item.find_first_of("xX");
    if (x == std::string::npos) return false;
    std::string left = item.substr(0, x), right = item.substr(x + 1);
    *size = 0;
    if (!left.empty() && !ParseUnsigned(left, kMaxImageSize, size)) return false;
    if (!left.empty() && *size == 0) return false;
    return ParseUnsigned(right, 32, bits);
}

struct PendingFormat {
    std::string text;
    unsigned size, bits;
};

// A hot spot belongs to a cursor and lies inside its largest image.
bool CheckHotspot(const ConvertOptions &options, std::string *error) {
    if (!options.hasHotspot) return true;
    if (options.kind != kCreateCursor) {
        *error = "--hotspot is for cursors (--as cursor)";
        return false;
    }
    std::vector<FormatEntry> formats = BuildFormatList(options.checked, options.customSize);
    int largest = LargestFormatSize(formats.data(), (int)formats.size());
    if (largest > 0 && ((int)options.hotspotX >= largest || (int)options.hotspotY >= largest)) {
        *error = "hot spot " + std::to_string(options.hotspotX) + "," + std::to_string(options.hotspotY) +
                 " lies outside the largest image (" + std::to_string(largest) + "x" + std::to_string(largest) + ")";
        return false;
    }
    return true;
}

}  // namespace

bool ParseHtmlColor(const std::string &text, ColorRef *out) {
    std::string hex = !text.empty() && text[0] == '#' ? text.substr(1) : text;
    if (hex.size() != 6) return false;
    for (char c : hex)
        if (!strchr("0123456789abcdefABCDEF", c)) return false;
    unsigned long rgb = strtoul(hex.c_str(), nullptr, 16);
    unsigned r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    *out = r | (g << 8) | (b << 16);
    return true;
}

bool ParseConvertOptions(int argc, const char *const *argv, ConvertOptions *out, std::string *error) {
    *out = ConvertOptions();
    std::vector<PendingFormat> pending;
    bool endOfOptions = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (endOfOptions || arg.empty() || arg[0] != '-' || arg == "-") {
            out->sources.push_back(arg);
            continue;
        }
        std::string name = arg, value;
        bool hasValue = false;
        size_t eq = arg.find('=');
        if (arg.compare(0, 2, "--") == 0 && eq != std::string::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
            hasValue = true;
        }
        // Options that take a value accept "--opt VALUE" and "--opt=VALUE".
        auto takeValue = [&]() -> bool {
            if (hasValue) return true;
            if (i + 1 >= argc) {
                *error = name + " needs a value";
                return false;
            }
            value = argv[++i];
            return true;
        };
        if (name == "--") {
            endOfOptions = true;
        } else if (name == "--help" || name == "-h") {
            out->help = true;
        } else if (name == "--xp") {
            for (int id : kXpSetIds) out->checked[FormatBoxIndex(id)] = true;
        } else if (name == "--formats") {
            if (!takeValue()) return false;
            size_t start = 0;
            while (start <= value.size()) {
                size_t comma = value.find(',', start);
                std::string item = value.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
                PendingFormat f{item, 0, 0};
                if (!ParseFormatItem(item, &f.size, &f.bits)) {
                    *error = "bad format \"" + item + "\": expected SIZExBITS, such as 32x8";
                    return false;
                }
                pending.push_back(f);
                if (comma == std::string::npos) break;
                start = comma + 1;
            }
        } else if (name == "--custom") {
            if (!takeValue()) return false;
            if (!ParseUnsigned(value, kMaxImageSize, &out->customSize)) {
                *error = "bad custom size \"" + value + "\": expected 0 to 256";
                return false;
            }
        } else if (name == "--as") {
            if (!takeValue()) return false;
            if (value == "icon") out->kind = kCreateIcon;
            else if (value == "cursor") out->kind = kCreateCursor;
            else if (value == "profile") out->kind = kCreateProfile;
            else {
                *error = "bad kind \"" + value + "\": expected icon, cursor or profile";
                return false;
            }
        } else if (name == "--transparent") {
            out->transparent = true;
            if (hasValue && !ParseHtmlColor(value, &out->color)) {
                *error = "bad colour \"" + value + "\": expected #RRGGBB";
                return false;
            }
            if (hasValue && out->color == 0) {
                *error = "black cannot be the transparent colour";
                return false;
            }
        } else if (name == "--hotspot") {
            if (!takeValue()) return false;
            size_t comma = value.find(',');
            if (comma == std::string::npos || !ParseUnsigned(value.substr(0, comma), 255, &out->hotspotX) ||
                !ParseUnsigned(value.substr(comma + 1), 255, &out->hotspotY)) {
                *error = "bad hot spot \"" + value + "\": expected X,Y such as 0,0";
                return false;
            }
            out->hasHotspot = true;
        } else if (name == "--keep-proportions") {
            out->keepProportions = true;
        } else if (name == "--fast") {
            out->fast = true;
        } else if (name == "--out") {
            if (!takeValue()) return false;
            if (value.empty()) {
                *error = "--out needs a folder";
                return false;
            }
            out->outDir = value;
        } else {
            *error = "unknown option " + name;
            return false;
        }
    }
    // Format texts are matched to boxes once the custom size is known.
    for (const PendingFormat &f : pending) {
        int box = FormatBoxFor((int)f.size, (int)f.bits, out->customSize);
        if (box < 0) {
            *error = "bad format \"" + f.text + "\": sizes are 16, 32, 48, 64, 96 or the --custom size; bits 1, 4, 8, 24 or 32";
            return false;
        }
        out->checked[box] = true;
    }
    if (out->kind == kCreateProfile) CheckPreset(kProfileSetIds, 1, out->checked);
    return CheckHotspot(*out, error);
}

std::vector<FormatEntry> FormatsOf(const ConvertOptions &options) {
    return BuildFormatList(options.checked, options.customSize);
}
