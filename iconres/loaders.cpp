#include "loaders.h"

#include <shellapi.h>

#include <cstring>
#include <memory>

#include "common/files_win.h"
#include "common/handles.h"
#include "common/seams.h"
#include "iconres/iconlist.h"

namespace {

// Files larger than this are not animated cursors anyone made.
const DWORD kMaxAniFileSize = 64u << 20;

AniHeader g_aniHeader;
char g_aniTitle[kAniTextMax + 1];
char g_aniAuthor[kAniTextMax + 1];
int g_aniFrameCount = 0;
std::vector<AnimationStep> g_aniSteps;

HMODULE g_cursorModule = nullptr;
std::vector<std::unique_ptr<char[]>> g_resourceNames;

void CopyText(char (&dst)[kAniTextMax + 1], const std::string &src) {
    size_t n = src.size() < kAniTextMax ? src.size() : kAniTextMax;
    memcpy(dst, src.data(), n);
    dst[n] = '\0';
}

// Lists what ExtractIconA gives for index 0, 1, 2 ... (all images, or only
// cursors). The probe at the current count tells whether the platform can
// extract from the file at all: it answers 1 when it cannot.
void ListExtracted(HWND dialog, const char *path, bool cursorsOnly) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HICON probe = ExtractIconA(instance, path, (UINT)IconListCount);
    if (probe == (HICON)1) return;
    if (probe) DestroyIcon(probe);
    for (UINT index = 0;; ++index) {
        HICON icon = ExtractIconA(instance, path, index);
        if (!icon || icon == (HICON)1) break;
        if (cursorsOnly) {
            ICONINFO info = {};
            bool cursor = GetIconInfo(icon, &info) && !info.fIcon;
            if (info.hbmMask) DeleteObject(info.hbmMask);
            if (info.hbmColor) DeleteObject(info.hbmColor);
            if (!cursor) {
                DestroyIcon(icon);
                continue;
            }
        }
        if (!AddIconEntry(dialog, icon)) {
            DestroyIcon(icon);
            break;
        }
        IconListTakeOwnership(icon);
        ++IconListCount;
    }
}

BOOL CALLBACK AddCursorName(HMODULE, LPCSTR, LPSTR name, LONG_PTR param) {
    HWND dialog = (HWND)param;
    LPARAM value;
    if (IS_INTRESOURCE(name)) {
        value = (LPARAM)name;
    } else {
        size_t n = strlen(name) + 1;
        std::unique_ptr<char[]> copy(new (std::nothrow) char[n]);
        if (!copy) return FALSE;
        memcpy(copy.get(), name, n);
        value = (LPARAM)copy.get();
        g_resourceNames.push_back(std::move(copy));
    }
    return AddIconEntry(dialog, value) ? TRUE : FALSE;
}

}  // namespace

const AniHeader &LastAniHeader() { return g_aniHeader; }
const char *LastAniTitle() { return g_aniTitle; }
const char *LastAniAuthor() { return g_aniAuthor; }
int LastAniFrameCount() { return g_aniFrameCount; }
const std::vector<AnimationStep> &LastAnimationSteps() { return g_aniSteps; }

int LoadAnimatedCursor(HWND dialog, const char *path) {
    ResetCursorFileCounter();
    g_aniSteps.clear();
    std::vector<uint8_t> data;
    // Not shared while it is read, as the platform's own reader opens it.
    if (!ReadWholeFile(path, kMaxAniFileSize, &data, nullptr, 0)) return 0;

    AniContents ani;
    std::string error;
    if (!ParseAniFile(data.data(), data.size(), &ani, &error)) return 0;
    g_aniHeader = ani.header;
    CopyText(g_aniTitle, ani.title);
    CopyText(g_aniAuthor, ani.author);

    // Every frame goes into the store, duplicates included (each is also
    // copied to the temporary folder); steps then point at the records.
    std::vector<IconRecord *> records;
    records.reserve(ani.frames.size());
    for (const AniFrame &f : ani.frames) {
        IconRecord *r = AddIconRecord(data.data() + f.offset, f.size, path, true);
        if (!r) return 0;
        records.push_back(r);
    }
    g_aniFrameCount = (int)records.size();
    g_aniSteps.reserve(ani.sequence.size());
    for (size_t s = 0; s < ani.sequence.size(); ++s) {
        AnimationStep step = {ani.rates[s], records[ani.sequence[s]]};
        ++step.frame->refCount;
        g_aniSteps.push_back(step);
        AddIconEntry(dialog, step.frame->handle);
        ++IconListCount;
    }
    return 1;
}

void ListIconsInFile(HWND dialog, const char *path) {
    ResetIconList(dialog);
    ListExtracted(dialog, path, false);
}

void ListCursorsInFile(HWND dialog, const char *path) { ListExtracted(dialog, path, true); }

bool ListCursorResources(HWND dialog, const char *path) {
    HMODULE module = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) {
        ShowMessage(dialog, "Cannot read the file !", "Glyphery", MB_OK | MB_ICONSTOP);
        return false;
    }
    ResetIconList(dialog);
    g_resourceNames.clear();  // the entries that used them are gone
    if (g_cursorModule) FreeLibrary(g_cursorModule);
    g_cursorModule = module;
    EnumResourceNamesA(module, MAKEINTRESOURCEA(12) /* RT_GROUP_CURSOR */, AddCursorName, (LONG_PTR)dialog);
    IconListCount = IconListEntries(dialog);
    return true;
}

HMODULE CursorResourceModule() { return g_cursorModule; }
