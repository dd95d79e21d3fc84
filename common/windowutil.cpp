#include "common/windowutil.h"

#include <shlobj.h>

void CentreOnScreen(HWND window) {
    RECT r, work;
    GetWindowRect(window, &r);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    int x = work.left + ((work.right - work.left) - (r.right - r.left)) / 2;
    int y = work.top + ((work.bottom - work.top) - (r.bottom - r.top)) / 2;
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

std::string LoadText(HINSTANCE instance, UINT id) {
    char buf[1024];
    int n = LoadStringA(instance, id, buf, sizeof buf);
    return std::string(buf, n > 0 ? (size_t)n : 0);
}

namespace {
// Starts the folder browser on the folder the caller names.
int CALLBACK StartAtFolder(HWND browser, UINT message, LPARAM, LPARAM data) {
    const char *start = (const char *)data;
    if (message == BFFM_INITIALIZED && start && start[0]) SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, (LPARAM)start);
    return 0;
}
}  // namespace

bool BrowseForFolder(HWND owner, const std::string &title, const std::string &start, int rootCsidl,
                     std::string *chosen) {
    HRESULT com = CoInitialize(nullptr);
    LPITEMIDLIST root = nullptr;
    if (rootCsidl >= 0 && FAILED(SHGetSpecialFolderLocation(owner, rootCsidl, &root))) root = nullptr;
    char display[MAX_PATH] = "";
    BROWSEINFOA info = {};
    info.hwndOwner = owner;
    info.pidlRoot = root;
    info.pszDisplayName = display;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = StartAtFolder;
    info.lParam = (LPARAM)start.c_str();
    LPITEMIDLIST picked = SHBrowseForFolderA(&info);
    bool ok = false;
    if (picked) {
        char path[MAX_PATH] = "";
        ok = SHGetPathFromIDListA(picked, path) != FALSE;
        if (ok) *chosen = path;
        CoTaskMemFree(picked);
    }
    if (root) CoTaskMemFree(root);
    if (SUCCEEDED(com)) CoUninitialize();
    return ok;
}
