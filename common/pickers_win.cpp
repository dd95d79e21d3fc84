#include "common/pickers_win.h"

#include <commdlg.h>
#include <shlobj.h>

namespace {

int CALLBACK BrowseCallback(HWND browser, UINT message, LPARAM, LPARAM data) {
    const char *start = (const char *)data;
    if (message == BFFM_INITIALIZED && start && start[0]) SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, (LPARAM)start);
    return 0;
}

}  // namespace

bool PickFolder(HWND owner, const char *title, const char *start, std::string *chosen) {
    HRESULT com = CoInitialize(nullptr);
    char display[MAX_PATH] = {0};
    BROWSEINFOA info = {};
    info.hwndOwner = owner;
    info.pszDisplayName = display;
    info.lpszTitle = title;
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = BrowseCallback;
    info.lParam = (LPARAM)start;
    LPITEMIDLIST item = SHBrowseForFolderA(&info);
    bool picked = false;
    if (item) {
        char path[MAX_PATH] = {0};
        picked = SHGetPathFromIDListA(item, path) && path[0];
        if (picked) *chosen = path;
        CoTaskMemFree(item);
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return picked;
}

bool PickColour(HWND owner, COLORREF *colour) {
    COLORREF custom[16];
    for (COLORREF &c : custom) c = RGB(255, 255, 255);
    CHOOSECOLORA choose = {};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = owner;
    choose.rgbResult = *colour;
    choose.lpCustColors = custom;
    choose.Flags = CC_FULLOPEN | CC_RGBINIT;
    if (!ChooseColorA(&choose)) return false;
    *colour = choose.rgbResult;
    return true;
}
