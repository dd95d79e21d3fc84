#include "display/colordlg_win.h"

#include <cstdio>

#include "common/handles.h"
#include "display/resource.h"

namespace {

INT_PTR CALLBACK ColorInfoProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG: {
        COLORREF c = (COLORREF)lParam;
        SetWindowLongPtrA(dialog, DWLP_USER, (LONG_PTR)c);
        SetDlgItemInt(dialog, IDC_COLOR_RED, GetRValue(c), FALSE);
        SetDlgItemInt(dialog, IDC_COLOR_GREEN, GetGValue(c), FALSE);
        SetDlgItemInt(dialog, IDC_COLOR_BLUE, GetBValue(c), FALSE);
        char html[8];
        snprintf(html, sizeof(html), "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
        SetDlgItemTextA(dialog, IDC_COLOR_HTML, html);
        return TRUE;
    }
    case WM_DRAWITEM: {
        const DRAWITEMSTRUCT *item = (const DRAWITEMSTRUCT *)lParam;
        if (item->CtlID != IDC_COLOR_SWATCH) return FALSE;
        UniqueHandle<HGDIOBJ, GdiObjectTraits> brush(
            CreateSolidBrush((COLORREF)GetWindowLongPtrA(dialog, DWLP_USER)));
        FillRect(item->hDC, &item->rcItem, (HBRUSH)brush.get());
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

void ShowColorInfo(HWND owner, HINSTANCE instance, COLORREF color) {
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_COLOR_INFO), owner, ColorInfoProc, (LPARAM)color);
}
