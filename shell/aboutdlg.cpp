#include "shell/aboutdlg.h"

#include "common/handles.h"
#include "common/seams.h"
#include "common/windowutil.h"
#include "shell/resource.h"
#include "shell/winversion_win.h"

namespace {

// State of the one open About dialog: the link's bold font, freed when the
// dialog ends.
UniqueHandle<HGDIOBJ, GdiObjectTraits> g_linkFont;

HINSTANCE Instance(HWND dialog) { return (HINSTANCE)GetWindowLongPtrA(dialog, GWLP_HINSTANCE); }

void SetTextFromTable(HWND dialog, int control, int string) {
    char text[512] = {0};
    if (LoadStringA(Instance(dialog), string, text, sizeof text) > 0) SetDlgItemTextA(dialog, control, text);
}

BOOL OnInitDialog(HWND dialog) {
    SetTextFromTable(dialog, IDC_ABOUT_TEXT, IDS_ABOUT_TEXT);
    SetTextFromTable(dialog, IDC_ABOUT_CONTACT_TEXT, IDS_ABOUT_CONTACT);
    SetDlgItemTextA(dialog, IDC_ABOUT_VERSION, CurrentWindowsVersionText().c_str());
    HWND link = GetDlgItem(dialog, IDC_ABOUT_LINK);
    SetWindowTextA(link, kSiteAddress);
    g_linkFont.reset(CreateLinkFont(dialog, "Arial", true, false));
    if (g_linkFont) {
        SendMessageA(link, WM_SETFONT, (WPARAM)g_linkFont.get(), FALSE);
        FitLinkToText(link, (HFONT)g_linkFont.get());
    }
    CentreOnScreen(dialog);
    return TRUE;
}

INT_PTR OnColourStatic(HWND dialog, HDC dc, HWND control) {
    if (GetDlgCtrlID(control) != IDC_ABOUT_LINK) return FALSE;
    SetTextColor(dc, kLinkColour);
    SetBkMode(dc, TRANSPARENT);
    return (INT_PTR)GetSysColorBrush(COLOR_BTNFACE);
}

BOOL OnSetCursor(HWND dialog, HWND under) {
    if (GetDlgCtrlID(under) != IDC_ABOUT_LINK) return FALSE;
    HCURSOR hand = LoadCursorA(nullptr, (LPCSTR)IDC_HAND);
    SetCursor(hand ? hand : LoadCursorA(nullptr, (LPCSTR)IDC_ARROW));
    SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
    return TRUE;
}

BOOL OnCommand(HWND dialog, int id, int code) {
    switch (id) {
    case IDOK:
    case IDCANCEL:
        EndDialog(dialog, id);
        return TRUE;
    case IDC_ABOUT_LINK:
        if (code == STN_CLICKED) ShellOpen(dialog, "open", kSiteAddress, nullptr, nullptr, SW_SHOWNORMAL);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog);
    case WM_CTLCOLORSTATIC:
        return OnColourStatic(dialog, (HDC)wParam, (HWND)lParam);
    case WM_SETCURSOR:
        return OnSetCursor(dialog, (HWND)wParam);
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    case WM_DESTROY:
        g_linkFont.reset();
        return FALSE;
    }
    return FALSE;
}

INT_PTR ShowAboutDialog(HWND owner) {
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ABOUT), owner, AboutDialogProc, 0);
}
