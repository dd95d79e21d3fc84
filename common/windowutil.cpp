#include "common/windowutil.h"

#include "common/handles.h"
#include "common/seams.h"

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
