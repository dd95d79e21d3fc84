#include "common/windowutil.h"

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
