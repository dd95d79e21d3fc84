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
