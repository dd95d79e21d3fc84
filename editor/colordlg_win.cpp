#include "editor/colordlg_win.h"

#include <cstdio>
#include <cstring>

#include "common/handles.h"
#include "common/windowutil.h"
#include "editor/resource.h"

namespace {

void PutHtmlOnClipboard(HWND owner, const std::string &html) {
    if (!OpenClipboard(owner)) return;
    EmptyClipboard();
    // The clipboard owns the block once it takes it.
    UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, html.size() + 1));
    if (block) {
        if (char *text = static_cast<char *>(GlobalLock(block.get()))) {
            memcpy(text, html.c_str(), html.size() + 1);
            GlobalUnlock(block.get());
            if (SetClipboardData(CF_TEXT, block.get())) block.release();
        }
    }
    CloseClipboard();
}

void OnInit(HWND dialog, COLORREF colour) {
    SetWindowLongPtrA(dialog, DWLP_USER, (LONG_PTR)colour);
    SetDlgItemInt(dialog, IDC_COLOR_RED, GetRValue(colour), FALSE);
    SetDlgItemInt(dialog, IDC_COLOR_GREEN, GetGValue(colour), FALSE);
    SetDlgItemInt(dialog, IDC_COLOR_BLUE, GetBValue(colour), FALSE);
    SetDlgItemTextA(dialog, IDC_COLOR_HTML, HtmlColor(colour).c_str());
}

void OnDrawSwatch(HWND dialog, const DRAWITEMSTRUCT *item) {
    UniqueHandle<HGDIOBJ, GdiObjectTraits> brush(CreateSolidBrush((COLORREF)GetWindowLongPtrA(dialog, DWLP_USER)));
    FillRect(item->hDC, &item->rcItem, (HBRUSH)brush.get());
    FrameRect(item->hDC, &item->rcItem, (HBRUSH)GetStockObject(BLACK_BRUSH));
}

INT_PTR CALLBACK ColorDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: OnInit(dialog, (COLORREF)lParam); return TRUE;
    case WM_DRAWITEM:
        if (wParam != IDC_COLOR_SWATCH) return FALSE;
        OnDrawSwatch(dialog, reinterpret_cast<const DRAWITEMSTRUCT *>(lParam));
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_COPY_HTML:
            PutHtmlOnClipboard(dialog, HtmlColor((COLORREF)GetWindowLongPtrA(dialog, DWLP_USER)));
            return TRUE;
        case IDOK:
        case IDCANCEL: EndDialog(dialog, LOWORD(wParam)); return TRUE;
        default: return FALSE;
        }
    default: return FALSE;
    }
}

}  // namespace

std::string HtmlColor(COLORREF colour) {
    char text[16];
    std::string format = LoadText(GetModuleHandleA(nullptr), IDS_HTML_FORMAT);
    snprintf(text, sizeof text, format.c_str(), GetRValue(colour), GetGValue(colour), GetBValue(colour));
    return text;
}

INT_PTR ShowColorDialog(HWND owner, int id, COLORREF colour) {
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), owner, ColorDialogProc, (LPARAM)colour);
}
