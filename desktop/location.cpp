#include "location.h"

#include <climits>
#include <cstring>

#include "common/paths.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

int ParseLocationIndex(const char *text) {
    const char *p = text;
    while (IsBlank(*p)) ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    long long value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > (long long)INT_MAX + 1) value = (long long)INT_MAX + 1;  // keeps the clamp below exact
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    if (value < INT_MIN) value = INT_MIN;
    return (int)value;
}

LocationParse ParseIconLocation(const char *text, const std::string &windowsFolder, const VariableLookup &lookup,
                                ParsedLocation *out) {
    if (!text || !*text) return kLocationEmpty;
    std::string whole(text);
    size_t lastComma = whole.rfind(',');
    int index = lastComma == std::string::npos ? -1 : ParseLocationIndex(whole.c_str() + lastComma + 1);

    std::string path;
    size_t percent = whole.find('%');
    if (percent != std::string::npos) {
        size_t second = whole.find('%', percent + 1);
        if (second == std::string::npos) return kLocationUnparsable;
        std::string name = whole.substr(percent + 1, second - percent - 1);
        std::string rest = whole.substr(second + 1);
        std::string value;
        if (name.compare(0, 10, "SystemRoot") == 0 && name.size() >= 10)
            path = windowsFolder + rest;
        else if (lookup && lookup(name, &value))
            path = whole.substr(0, percent) + value + rest;
        else
            path = whole;  // an unknown variable stays as written
    } else {
        path = whole;
    }
    size_t cut = path.rfind(',');
    if (cut != std::string::npos) path.erase(cut);
    if (path.size() > kMaxLocationPath) return kLocationUnparsable;
    out->path = path;
    out->index = index;
    return kLocationParsed;
}

bool IsIconImagePath(const std::string &path) {
    std::string ext = Extension(path);
    return CompareNoCase(ext.c_str(), ".ico", 4) == 0 || CompareNoCase(ext.c_str(), ".bmp", 4) == 0;
}

std::string FormatIconLocation(const std::string &path, int index) { return path + "," + std::to_string(index); }

std::string FilterForDialog(const char *text) {
    std::string filter(text);
    for (char &c : filter)
        if (c == '|') c = '\0';
    // The dialog reads pairs until an empty one: make sure two NULs end it
    // even when the text lacks its closing "||".
    filter.push_back('\0');
    filter.push_back('\0');
    return filter;
}

namespace {

#define SHELL_ICONS "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Icons"
#define CLSID_ICON(guid) "CLSID\\" guid "\\DefaultIcon"

const SystemIconEntry kSystemIcons[kSystemIconCount] = {
    {"Recycle Bin", kRootClasses, CLSID_ICON("{645FF040-5081-101B-9F08-00AA002F954E}"), "", ""},
    {"My Computer", kRootClasses, CLSID_ICON("{20D04FE0-3AEA-1069-A2D8-08002B30309D}"), "", ""},
    {"My Briefcase", kRootClasses, CLSID_ICON("{85BBD920-42A0-1069-A2E4-08002B30309D}"), "", ""},
    {"Network Neighborhood", kRootClasses, CLSID_ICON("{208D2C60-3AEA-1069-A2D7-08002B30309D}"), "", ""},
    {"Control Panel", kRootClasses, CLSID_ICON("{21EC2020-3AEA-1069-A2DD-08002B30309D}"), "", ""},
    {"Printers", kRootClasses, CLSID_ICON("{2227A280-3AEA-1069-A2DE-08002B30309D}"), "", ""},
    {"Empty Recycle Bin", kRootClasses, CLSID_ICON("{5ef4af3a-f726-11d0-b8a2-00c04fc309a4}"), "", ""},
    {"Full Recycle Bin", kRootClasses, CLSID_ICON("{645FF040-5081-101B-9F08-00AA002F954E}"), "Full", "Full"},
    // Read from the default value, written to the value named "0".
    {"Temporary Internet Files", kRootClasses, CLSID_ICON("{7BD29E00-76C1-11CF-9DD0-00A0C9034933}"), "", "0"},
    {"Empty downloaded files", kRootClasses, CLSID_ICON("{8369AB20-56C9-11D0-94E8-00AA0059CE02}"), "", ""},
    {"Workgroup", kRootClasses, CLSID_ICON("{a4d92740-67cd-11cf-96f2-00aa00a11dd9}"), "", ""},
    {"Fonts", kRootClasses, CLSID_ICON("{BD84B380-8CA2-1069-AB1D-08000948F534}"), "", ""},
    {"History", kRootClasses, CLSID_ICON("{FF393560-C2A7-11CF-BFF4-444553540000}"), "", ""},
    {"Control Panel Extension", kRootClasses, "cplfile\\DefaultIcon", "", ""},
    {"Folder", kRootClasses, "Directory\\DefaultIcon", "", ""},
    {"Shortcut", kRootClasses, "DocShortcut\\DefaultIcon", "", ""},
    {"Drive", kRootClasses, "drive\\DefaultIcon", "", ""},
    {"3.5 Floppy\"", kRootMachine, SHELL_ICONS, "6", "6"},
    {"5.25 Floppy\"", kRootMachine, SHELL_ICONS, "5", "5"},
    {"Removeable Drive", kRootMachine, SHELL_ICONS, "7", "7"},
    {"Fard Drive", kRootMachine, SHELL_ICONS, "8", "8"},
    {"Network Drive", kRootMachine, SHELL_ICONS, "9", "9"},
    {"Network Drive Offline", kRootMachine, SHELL_ICONS, "10", "10"},
    {"CD-ROM Drive", kRootClasses, "drvfile\\DefaultIcon", "", ""},
    {"Font File", kRootClasses, "fonfile\\DefaultIcon", "", ""},
    {"Help File", kRootClasses, "hlpfile\\DefaultIcon", "", ""},
    {"Internet Document (HTML)", kRootClasses, "htmlfile\\DefaultIcon", "", ""},
    {"Default Icon", kRootMachine, SHELL_ICONS, "0", "0"},
    {"Default Icon (with association)", kRootMachine, SHELL_ICONS, "1", "1"},
    {"Default Icon (exe com)", kRootMachine, SHELL_ICONS, "2", "2"},
    {"Closed Folder", kRootMachine, SHELL_ICONS, "3", "3"},
    {"Programs (Start menu)", kRootMachine, SHELL_ICONS, "19", "19"},
    {"Settings (Start menu)", kRootMachine, SHELL_ICONS, "21", "21"},
    {"Find (Start menu)", kRootMachine, SHELL_ICONS, "22", "22"},
    {"Help (Start menu)", kRootMachine, SHELL_ICONS, "23", "23"},
    {"Run (Start menu)", kRootMachine, SHELL_ICONS, "24", "24"},
    {"Suspend (Start menu)", kRootMachine, SHELL_ICONS, "25", "25"},
    {"Shut Down (Start menu)", kRootMachine, SHELL_ICONS, "27", "27"},
    {"Share", kRootMachine, SHELL_ICONS, "28", "28"},
    {"Shortcut", kRootMachine, SHELL_ICONS, "29", "29"},
    {"Shortcut (else)", kRootMachine, SHELL_ICONS, "30", "30"},
    {"Execute", kRootMachine, SHELL_ICONS, "64", "64"},
};

const SystemCursorEntry kSystemCursors[kSystemCursorCount] = {
    {"App starting", 32650}, {"Arrow", 32512},     {"Cross", 32515},     {"Help", 32651},   {"IBeam", 32513},
    {"No", 32648},           {"Size all", 32646},  {"Size NESW", 32643}, {"Size ENS", 32645},
    {"Size NWSE", 32642},    {"Size WE", 32644},   {"Up arrow", 32516},  {"Waiting", 32514},
};

}  // namespace

const SystemIconEntry &SystemIconCatalogue(int i) { return kSystemIcons[i]; }

const char *CatalogueRootName(CatalogueRoot root) {
    return root == kRootClasses ? "HKEY_HKEY_CLASSES_ROOT" : "HKEY_LOCAL_MACHINE";
}

const SystemCursorEntry &SystemCursorCatalogue(int i) { return kSystemCursors[i]; }
