// A top-level window standing in for a customization dialog: it holds the
// IconList (1209, an owner-drawn list box without texts, as the dialogs have
// it) and a hidden list box 1398 of frame paths.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "common/handles.h"
#include "tests/common/testutil_win.h"

class HostWindow {
public:
    HostWindow() {
        window_ = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        CreateWindowExA(0, "LISTBOX", "", WS_CHILD | LBS_OWNERDRAWFIXED | LBS_NOTIFY | LBS_MULTICOLUMN, 0, 0, 200,
                        100, window_, (HMENU)(INT_PTR)1209, GetModuleHandleA(nullptr), nullptr);
        CreateWindowExA(0, "LISTBOX", "", WS_CHILD | LBS_HASSTRINGS, 0, 0, 10, 10, window_, (HMENU)(INT_PTR)1398,
                        GetModuleHandleA(nullptr), nullptr);
    }
    ~HostWindow() { DestroyWindow(window_); }
    HWND get() const { return window_; }
    void SetFramePaths(const std::vector<std::string> &paths) {
        SendDlgItemMessageA(window_, 1398, LB_RESETCONTENT, 0, 0);
        for (const std::string &p : paths) SendDlgItemMessageA(window_, 1398, LB_ADDSTRING, 0, (LPARAM)p.c_str());
    }

private:
    HWND window_;
};

// The colour at the centre of an icon or cursor drawn at its own size (step
// of an animated cursor given), 0x00RRGGBB.
inline uint32_t DrawnCentreColour(HICON icon, UINT step = 0, int size = 32) {
    WindowDC screen(nullptr);
    UniqueMemDC dc(CreateCompatibleDC(screen.get()));
    UniqueBitmap bmp(CreateCompatibleBitmap(screen.get(), size, size));
    SelectObjectScope sel(dc.get(), bmp.get());
    RECT r = {0, 0, size, size};
    FillRect(dc.get(), &r, (HBRUSH)GetStockObject(BLACK_BRUSH));
    if (!DrawIconEx(dc.get(), 0, 0, icon, size, size, step, nullptr, DI_NORMAL)) return 0xFFFFFFFF;
    COLORREF c = GetPixel(dc.get(), size / 2, size / 2);
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}
