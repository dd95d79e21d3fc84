#include "editor/aboutdlg.h"

#include <string>

#include "common/handles.h"
#include "common/windowutil.h"
#include "editor/resource.h"
#include "shell/winversion_win.h"

namespace {

// The open dialog's link, behind DWLP_USER: its address, its underlined
// font (freed when the dialog ends) and how it looks.
struct AboutState {
    std::string address;
    UniqueHandle<HGDIOBJ, GdiObjectTraits> font;
    LinkStatic link;
};

HINSTANCE Instance(HWND dialog) { return (HINSTANCE)GetWindowLongPtrA(dialog, GWLP_HINSTANCE); }
AboutState *State(HWND dialog) { return reinterpret_cast<AboutState *>(GetWindowLongPtrA(dialog, DWLP_USER)); }

BOOL OnInitDialog(HWND dialog) {
    SetDlgItemTextA(dialog, IDC_ABOUT_SYSTEM, CurrentWindowsVersionText().c_str());
    AboutState *state = new AboutState;
    state->address = LoadText(Instance(dialog), IDS_SITE_ADDRESS);
    // Our hand cursor (resource 4) over the link.
    state->link = {IDC_ABOUT_LINK, kEditorLinkColour, LoadCursorA(Instance(dialog), MAKEINTRESOURCEA(IDC_HAND_CURSOR)),
                   state->address.c_str()};
    state->font.reset(CreateLinkFont(dialog, nullptr, false, true));
    SetWindowLongPtrA(dialog, DWLP_USER, (LONG_PTR)state);
    HWND link = GetDlgItem(dialog, IDC_ABOUT_LINK);
    SetWindowTextA(link, state->address.c_str());
    if (state->font) {
        SendMessageA(link, WM_SETFONT, (WPARAM)state->font.get(), FALSE);
        FitLinkToText(link, (HFONT)state->font.get());
    }
    return TRUE;
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    AboutState *state = State(dialog);
    INT_PTR result = FALSE;
    if (state && HandleLinkMessage(dialog, message, wParam, lParam, state->link, &result)) return result;
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog);
    case WM_COMMAND:
        if (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL) return FALSE;
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    case WM_DESTROY:
        delete state;
        SetWindowLongPtrA(dialog, DWLP_USER, 0);
        return FALSE;
    }
    return FALSE;
}

}  // namespace

INT_PTR ShowEditorAbout(HWND owner) {
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ABOUT), owner, AboutProc, 0);
}
