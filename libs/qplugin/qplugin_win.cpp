// Qplugin.dll's two entry points: the menu name of a plug-in file, read from
// its PiPL resource without running any of its code, and a run of the
// plug-in on an RGB picture.
#include "contracts/qplugin.h"

#include <cstring>
#include <vector>

#include "common/handles.h"
#include "libs/qplugin/filterhost_win.h"
#include "libs/qplugin/pipl.h"

namespace {

// A property list is a few hundred bytes; a resource beyond this is not one.
const DWORD kMaxPiplBytes = 1u << 20;

struct PiplSearch {
    HMODULE module;
    std::vector<uint8_t> bytes;
    bool found;
};

BOOL CALLBACK TakeFirstName(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR param) {
    PiplSearch *s = (PiplSearch *)param;
    HRSRC info = FindResourceA(module, name, type);
    HGLOBAL loaded = info ? LoadResource(module, info) : nullptr;
    const uint8_t *p = loaded ? (const uint8_t *)LockResource(loaded) : nullptr;
    DWORD size = info ? SizeofResource(module, info) : 0;
    if (!p || size == 0 || size > kMaxPiplBytes) return TRUE;
    s->bytes.assign(p, p + size);
    s->found = true;
    return FALSE;
}

// Resource compilers store type names in capitals or as written: the type
// is found whatever its case.
BOOL CALLBACK FindPiplType(HMODULE module, LPSTR type, LONG_PTR param) {
    PiplSearch *s = (PiplSearch *)param;
    if (IS_INTRESOURCE(type) || lstrcmpiA(type, "PiPL") != 0) return TRUE;
    EnumResourceNamesA(module, type, TakeFirstName, param);
    return !s->found;
}

bool ReadPipl(HMODULE module, PiplInfo *info) {
    PiplSearch s = {module, {}, false};
    EnumResourceTypesA(module, FindPiplType, (LONG_PTR)&s);
    return s.found && ParsePipl(s.bytes.data(), s.bytes.size(), info);
}

}  // namespace

extern "C" int WINAPI Qget_menu_name(const char *path, char *menuName) {
    if (!path || !menuName) return 0;
    // As data only: listing plug-ins runs none of their code.
    UniqueModule module(LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE));
    PiplInfo info;
    if (!module || !ReadPipl(module.get(), &info)) return 0;
    std::string text = PiplMenuName(info, QPLUGIN_MENU_NAME_LENGTH);
    if (text.empty()) return 0;
    memcpy(menuName, text.c_str(), text.size() + 1);
    return 1;
}

extern "C" int WINAPI Qload_plugin(const char *path, const unsigned char *input, DWORD inputLength,
                                   unsigned char *output, int width, int height) {
    if (!path || !input || !output || width <= 0 || height <= 0 || width > 30000 || height > 30000) return 0;
    if ((size_t)inputLength != (size_t)width * height * 3) return 0;
    UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    UniqueModule module(LoadLibraryA(path));
    SetErrorMode(oldMode);
    PiplInfo info;
    if (!module || !ReadPipl(module.get(), &info) || PiplMenuName(info, QPLUGIN_MENU_NAME_LENGTH).empty())
        return 0;
    PIFilterEntry entry = (PIFilterEntry)GetProcAddress(module.get(), PiplEntry(info).c_str());
    if (!entry) return 0;
    // The plug-in works on a copy: a run that fails leaves `output` as it was.
    std::vector<uint8_t> picture(input, input + inputLength);
    if (!RunFilter(entry, GetActiveWindow(), &picture, width, height)) return 0;
    memcpy(output, picture.data(), picture.size());
    return 1;
}
