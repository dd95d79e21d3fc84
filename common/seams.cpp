#include "seams.h"

#include <shellapi.h>
#include <shlobj.h>

#include "handles.h"
#include "help_win.h"

static int RealMessageBox(HWND owner, const char *text, const char *caption, UINT flags) {
    return MessageBoxA(owner, text, caption, flags);
}

static MessageBoxHandler g_messageBox = RealMessageBox;

int ShowMessage(HWND owner, const char *text, const char *caption, UINT flags) {
    return g_messageBox(owner, text, caption, flags);
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
    MessageBoxHandler old = g_messageBox;
    g_messageBox = handler ? handler : RealMessageBox;
    return old;
}

static std::string g_tempOverride, g_installOverride;

std::string TempFolder() {
    if (!g_tempOverride.empty()) return g_tempOverride;
    char buf[MAX_PATH + 1] = {0};
    DWORD n = GetTempPathA(MAX_PATH, buf);
    if (n == 0 || n > MAX_PATH) return std::string();
    return buf;
}

void SetTempFolderOverride(const char *folder) {
    g_tempOverride = folder ? folder : "";
    if (!g_tempOverride.empty() && g_tempOverride.back() != '\\') g_tempOverride += '\\';
}

std::string InstallFolder() {
    if (!g_installOverride.empty()) return g_installOverride;
    char buf[MAX_PATH + 1] = {0};
    DWORD n = GetModuleFileNameA(nullptr, buf, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return std::string();
    std::string path(buf, n);
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

void SetInstallFolderOverride(const char *folder) { g_installOverride = folder ? folder : ""; }

static std::string g_windowsOverride, g_favoritesOverride;

std::string WindowsFolder() {
    if (!g_windowsOverride.empty()) return g_windowsOverride;
    char buf[MAX_PATH + 1] = {0};
    UINT n = GetWindowsDirectoryA(buf, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return std::string();
    return buf;
}

void SetWindowsFolderOverride(const char *folder) { g_windowsOverride = folder ? folder : ""; }

std::string FavoritesFolder() {
    if (!g_favoritesOverride.empty()) return g_favoritesOverride;
    LPITEMIDLIST pidl = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_FAVORITES, &pidl)) || !pidl) return std::string();
    char buf[MAX_PATH + 1] = {0};
    BOOL ok = SHGetPathFromIDListA(pidl, buf);
    CoTaskMemFree(pidl);
    return ok ? std::string(buf) : std::string();
}

void SetFavoritesFolderOverride(const char *folder) { g_favoritesOverride = folder ? folder : ""; }

static SystemCursorInstaller g_cursorInstaller = SetSystemCursor;

BOOL InstallSystemCursor(HCURSOR cursor, DWORD id) { return g_cursorInstaller(cursor, id); }

SystemCursorInstaller SetSystemCursorInstaller(SystemCursorInstaller installer) {
    SystemCursorInstaller old = g_cursorInstaller;
    g_cursorInstaller = installer ? installer : SetSystemCursor;
    return old;
}

static HINSTANCE RealShellOpen(HWND owner, const char *verb, const char *file, const char *params, const char *dir,
                               int show) {
    return ShellExecuteA(owner, verb, file, params, dir, show);
}

static ShellOpener g_shellOpener = RealShellOpen;

HINSTANCE ShellOpen(HWND owner, const char *verb, const char *file, const char *params, const char *dir, int show) {
    return g_shellOpener(owner, verb, file, params, dir, show);
}

ShellOpener SetShellOpener(ShellOpener opener) {
    ShellOpener old = g_shellOpener;
    g_shellOpener = opener ? opener : RealShellOpen;
    return old;
}

static HelpOpener g_helpOpener = OpenHtmlHelp;

BOOL OpenHelp(HWND owner, const char *helpFile, UINT command, ULONG_PTR data) {
    return g_helpOpener(owner, helpFile, command, data);
}

HelpOpener SetHelpOpener(HelpOpener opener) {
    HelpOpener old = g_helpOpener;
    g_helpOpener = opener ? opener : OpenHtmlHelp;
    return old;
}
