#include "common/windowutil.h"

#include <shlobj.h>

namespace {

// Starts the folder browser on the folder given.
int CALLBACK BrowseCallback(HWND browser, UINT message, LPARAM, LPARAM data) {
    const char *start = (const char *)data;
    if (message == BFFM_INITIALIZED && start && start[0]) SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, (LPARAM)start);
    return 0;
}

}  // namespace

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

bool BrowseForFolderPath(HWND owner, const std::string &title, const std::string &start, std::string *path) {
    HRESULT com = CoInitialize(nullptr);
    BROWSEINFOA info = {};
    info.hwndOwner = owner;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = BrowseCallback;
    info.lParam = (LPARAM)start.c_str();
    LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
    bool got = false;
    if (chosen) {
        char buf[MAX_PATH] = {0};
        got = SHGetPathFromIDListA(chosen, buf) != FALSE;
        if (got) *path = buf;
        CoTaskMemFree(chosen);
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return got;
}
