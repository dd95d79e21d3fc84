#include "editor/aboutdlg.h"

#include <string>

#include "common/handles.h"
#include "common/seams.h"
#include "common/windowutil.h"
#include "editor/resource.h"
#include "shell/winversion_win.h"

namespace {

typedef UniqueHandle<HGDIOBJ, GdiObjectTraits> UniqueFont;

HINSTANCE Instance(HWND dialog) { return (HINSTANCE)GetWindowLongPtrA(dialog, GWLP_HINSTANCE); }
UniqueFont *LinkFont(HWND dialog) { return reinterpret_cast<UniqueFont *>(GetWindowLongPtrA(dialog, DWLP_USER)); }

BOOL OnInitDialog(HWND dialog) {
    SetDlgItemTextA(dialog, IDC_ABOUT_SYSTEM, CurrentWindowsVersionText().c_str());
    HWND link = GetDlgItem(dialog, IDC_ABOUT_LINK);
    SetWindowTextA(link, LoadText(Instance(dialog), IDS_SITE_ADDRESS).c_str());
    // The link's underlined font, owned by the dialog until it ends.
    UniqueFont *font = new UniqueFont(CreateLinkFont(dialog, nullptr, false, true));
    SetWindowLongPtrA(dialog, DWLP_USER, (LONG_PTR)font);
    if (*font) {
        SendMessageA(link, WM_SETFONT, (WPARAM)font->get(), FALSE);
        FitLinkToText(link, (HFONT)font->get());
    }
    return TRUE;
}

INT_PTR OnColourStatic(HDC dc, HWND control) {
    if (GetDlgCtrlID(control) != IDC_ABOUT_LINK) return FALSE;
    SetTextColor(dc, kEditorLinkColour);
    SetBkMode(dc, TRANSPARENT);
    return (INT_PTR)GetSysColorBrush(COLOR_BTNFACE);
}

BOOL OnSetCursor(HWND dialog, HWND under) {
    if (GetDlgCtrlID(under) != IDC_ABOUT_LINK) return FALSE;
    HCURSOR hand = LoadCursorA(Instance(dialog), MAKEINTRESOURCEA(IDC_HAND_CURSOR));
    SetCursor(hand ? hand : LoadCursorA(nullptr, (LPCSTR)IDC_ARROW));
    SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
    return TRUE;
}

BOOL OnCommand(HWND dialog, int id, int code) {
    switch (id) {
    case IDOK:
    case IDCANCEL: EndDialog(dialog, id); return TRUE;
    case IDC_ABOUT_LINK:
        if (code == STN_CLICKED)
            ShellOpen(dialog, "open", LoadText(Instance(dialog), IDS_SITE_ADDRESS).c_str(), nullptr, nullptr,
                      SW_SHOWNORMAL);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog);
    case WM_CTLCOLORSTATIC: return OnColourStatic((HDC)wParam, (HWND)lParam);
    case WM_SETCURSOR: return OnSetCursor(dialog, (HWND)wParam);
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    case WM_DESTROY:
        delete LinkFont(dialog);
        SetWindowLongPtrA(dialog, DWLP_USER, 0);
        return FALSE;
    }
    return FALSE;
}

}  // namespace

INT_PTR ShowEditorAbout(HWND owner) {
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ABOUT), owner, AboutProc, 0);
}
