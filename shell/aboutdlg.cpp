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

BOOL OnCommand(HWND dialog, int id) {
    switch (id) {
    case IDOK:
    case IDCANCEL:
        EndDialog(dialog, id);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    // The link: the system's hand over it.
    const LinkStatic link = {IDC_ABOUT_LINK, kLinkColour, LoadCursorA(nullptr, (LPCSTR)IDC_HAND), kSiteAddress};
    INT_PTR result = FALSE;
    if (HandleLinkMessage(dialog, message, wParam, lParam, link, &result)) return result;
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog);
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam));
    case WM_DESTROY:
        g_linkFont.reset();
        return FALSE;
    }
    return FALSE;
}

INT_PTR ShowAboutDialog(HWND owner) {
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ABOUT), owner, AboutDialogProc, 0);
}
