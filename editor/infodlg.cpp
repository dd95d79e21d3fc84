#include "editor/infodlg.h"

#include "editor/resource.h"

namespace {

INT_PTR CALLBACK InformationProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: SetWindowLongPtrA(dialog, DWLP_USER, lParam); return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            uint32_t *firstTime = reinterpret_cast<uint32_t *>(GetWindowLongPtrA(dialog, DWLP_USER));
            *firstTime = IsDlgButtonChecked(dialog, IDC_NOT_AGAIN) == BST_CHECKED ? 0 : 1;
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        return FALSE;
    default: return FALSE;
    }
}

}  // namespace

void ShowInformationDialog(HWND owner, uint32_t *firstTime) {
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_INFORMATION), owner, InformationProc,
                    reinterpret_cast<LPARAM>(firstTime));
}
