#include "common/windowutil.h"

#include <shlobj.h>
#include "common/handles.h"
#include "common/seams.h"

namespace {
void CentreIn(HWND window, const RECT &area) {
    RECT r;
    GetWindowRect(window, &r);
    int x = area.left + ((area.right - area.left) - (r.right - r.left)) / 2;
    int y = area.top + ((area.bottom - area.top) - (r.bottom - r.top)) / 2;
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}
}  // namespace

void CentreOnScreen(HWND window) {
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    CentreIn(window, work);
}

void CentreOnOwner(HWND window) {
    HWND owner = GetWindow(window, GW_OWNER);
    RECT area;
    if (!owner || !GetWindowRect(owner, &area)) {
        CentreOnScreen(window);
        return;
    }
    CentreIn(window, area);
}

std::string LoadText(HINSTANCE instance, UINT id) {
    char buf[1024];
    int n = LoadStringA(instance, id, buf, sizeof buf);
    return std::string(buf, n > 0 ? (size_t)n : 0);
}

namespace {
// The folder the browser should open at, and whether it got there.
struct BrowseStart {
    const char *path;
    bool reached;
};

// The shell's browser walks its tree to the start folder by comparing item
// ids byte for byte on some systems, last-access times included: when a
// folder on the way is read between the parse and the walk (the parse itself
// reads it) and its access time moves on, the walk misses and the tree stays
// at the top. A second parse sees the new time, so the selection is asked
// again until the browser reports the folder (BFFM_SELCHANGED), a few times.
const int kStartAttempts = 3;

bool SamePath(const char *a, const char *b) {
    std::string x = a, y = b;
    while (x.size() > 3 && x.back() == '\\') x.pop_back();
    while (y.size() > 3 && y.back() == '\\') y.pop_back();
    return lstrcmpiA(x.c_str(), y.c_str()) == 0;
}

// Starts the folder browser on the folder the caller names.
int CALLBACK StartAtFolder(HWND browser, UINT message, LPARAM lParam, LPARAM data) {
    BrowseStart *start = (BrowseStart *)data;
    if (!start || !start->path[0]) return 0;
    if (message == BFFM_SELCHANGED) {
        char path[MAX_PATH] = {0};
        if (lParam && SHGetPathFromIDListA((LPCITEMIDLIST)lParam, path)) start->reached = SamePath(path, start->path);
    } else if (message == BFFM_INITIALIZED) {
        for (int i = 0; i < kStartAttempts && !start->reached; ++i)
            SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, (LPARAM)start->path);
    }
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
    BrowseStart begin = {start.c_str(), false};
    info.lpfn = StartAtFolder;
    info.lParam = (LPARAM)&begin;
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

HWND CreateStripToolbar(HWND parent, HINSTANCE instance, int id, UINT bitmap, int images, const TBBUTTON *buttons,
                        int count, DWORD extendedStyle) {
    HWND bar = CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr,
                               WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NODIVIDER |
                                   CCS_NORESIZE | CCS_NOPARENTALIGN,
                               0, 0, 100, 24, parent, (HMENU)(INT_PTR)id, instance, nullptr);
    if (!bar) return nullptr;
    SendMessageA(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    if (extendedStyle) SendMessageA(bar, TB_SETEXTENDEDSTYLE, 0, extendedStyle);
    SendMessageA(bar, TB_SETBITMAPSIZE, 0, MAKELPARAM(16, 16));
    TBADDBITMAP strip = {instance, bitmap};
    SendMessageA(bar, TB_ADDBITMAP, images, (LPARAM)&strip);
    SendMessageA(bar, TB_ADDBUTTONSA, count, (LPARAM)buttons);
    return bar;
}

HFONT CreateLinkFont(HWND dialog, const char *face, bool bold, bool underline) {
    LOGFONTA font = {};
    HFONT dialogFont = (HFONT)SendMessageA(dialog, WM_GETFONT, 0, 0);
    if (!dialogFont || !GetObjectA(dialogFont, sizeof font, &font)) font.lfHeight = -11;
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = FALSE;
    font.lfUnderline = underline ? TRUE : FALSE;
    if (face) lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
    return CreateFontIndirectA(&font);
}

void FitLinkToText(HWND link, HFONT font) {
    char text[128] = {0};
    GetWindowTextA(link, text, sizeof text);
    WindowDC dc(link);
    SelectObjectScope select(dc.get(), font);
    SIZE extent;
    if (!GetTextExtentPoint32A(dc.get(), text, lstrlenA(text), &extent)) return;
    RECT r;
    GetClientRect(link, &r);
    if (extent.cx + 2 < r.right) SetWindowPos(link, nullptr, 0, 0, extent.cx + 2, r.bottom, SWP_NOMOVE | SWP_NOZORDER);
}

bool HandleLinkMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, const LinkStatic &link,
                       INT_PTR *result) {
    switch (message) {
    case WM_CTLCOLORSTATIC:
        if (GetDlgCtrlID((HWND)lParam) != link.id) return false;
        SetTextColor((HDC)wParam, link.colour);
        SetBkMode((HDC)wParam, TRANSPARENT);
        *result = (INT_PTR)GetSysColorBrush(COLOR_BTNFACE);
        return true;
    case WM_SETCURSOR:
        if (GetDlgCtrlID((HWND)wParam) != link.id) return false;
        SetCursor(link.cursor ? link.cursor : LoadCursorA(nullptr, (LPCSTR)IDC_ARROW));
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
        *result = TRUE;
        return true;
    case WM_COMMAND:
        if (LOWORD(wParam) != link.id) return false;
        if (HIWORD(wParam) == STN_CLICKED) ShellOpen(dialog, "open", link.address, nullptr, nullptr, SW_SHOWNORMAL);
        *result = TRUE;
        return true;
    }
    return false;
}

HWND CreateControlTips(HWND dialog, HINSTANCE instance, const ControlTip *tips, size_t count, bool active) {
    HWND control = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr, instance, nullptr);
    if (!control) return nullptr;
    SendMessageA(control, TTM_SETMAXTIPWIDTH, 0, 400);
    for (size_t i = 0; i < count; ++i) {
        std::string text = LoadText(instance, tips[i].text);
        TOOLINFOA info = {};
        info.cbSize = TTTOOLINFOA_V2_SIZE;
        info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        info.hwnd = dialog;
        info.uId = (UINT_PTR)GetDlgItem(dialog, tips[i].control);
        info.lpszText = &text[0];
        SendMessageA(control, TTM_ADDTOOLA, 0, (LPARAM)&info);
    }
    SendMessageA(control, TTM_ACTIVATE, active, 0);
    return control;
}
