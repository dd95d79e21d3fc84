// Stand-in for the shared picker piece until it is merged: centring only.
#include <windows.h>
#include <commdlg.h>

#include "desktop/pickers.h"

void CenterOnScreen(HWND dialog) {
    RECT r;
    GetWindowRect(dialog, &r);
    int x = (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2;
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
