#include "help_win.h"

#include <cstdio>

#include "seams.h"

namespace {

// HtmlHelpA's commands (htmlhelp.h); the library is loaded at run time, so
// neither its header nor its import library is needed.
const UINT kDisplayTopic = 0x0000;
const UINT kCloseAll = 0x0012;

typedef HWND(WINAPI *HtmlHelpFn)(HWND owner, LPCSTR file, UINT command, DWORD_PTR data);

// hhctrl.ocx stays loaded for the life of the process once a help window has
// been shown: the window it creates runs on the library's code, and freeing
// the library under an open help window would end the process.
HtmlHelpFn HtmlHelpEntry() {
    static HtmlHelpFn entry = nullptr;
    static bool tried = false;
    if (!tried) {
        tried = true;
        HMODULE module = LoadLibraryA("hhctrl.ocx");
        if (module) entry = reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void *>(GetProcAddress(module, "HtmlHelpA")));
    }
    return entry;
}

}  // namespace

std::string HelpTopicAddress(const char *helpFile, unsigned context) {
    char page[32];
    snprintf(page, sizeof(page), "::/h%u.htm", context);
    return std::string(helpFile ? helpFile : "") + page;
}

BOOL ShowHelpTopic(HWND owner, const char *helpFile, unsigned context) {
    return OpenHelp(owner, helpFile, HELP_CONTEXT, context);
}

BOOL WINAPI OpenHtmlHelp(HWND owner, LPCSTR helpFile, UINT command, ULONG_PTR data) {
    HtmlHelpFn htmlHelp = HtmlHelpEntry();
    if (!htmlHelp) return FALSE;
    if (command == HELP_QUIT) {
        htmlHelp(nullptr, nullptr, kCloseAll, 0);
        return TRUE;
    }
    if (!helpFile || !*helpFile || GetFileAttributesA(helpFile) == INVALID_FILE_ATTRIBUTES) return FALSE;
    std::string address = command == HELP_CONTEXT ? HelpTopicAddress(helpFile, static_cast<unsigned>(data))
                                                  : std::string(helpFile);
    return htmlHelp(owner, address.c_str(), kDisplayTopic, 0) != nullptr;
}
