#include "conversion/progress_win.h"

#include <commctrl.h>

#include "conversion/resource.h"

namespace {

void CentreOnScreen(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    int w = r.right - r.left, h = r.bottom - r.top;
    int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void OnInitDialog(HWND window) {
    HWND bar = GetDlgItem(window, IDC_PROGRESS_BAR);
    SendMessageA(bar, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    SendMessageA(bar, PBM_SETSTEP, 1, 0);
    CentreOnScreen(window);
    ShowWindow(window, SW_SHOW);
}

INT_PTR OnCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    switch (LOWORD(wParam)) {
    case IDM_PROGRESS_POSITION:
        SendDlgItemMessageA(window, IDC_PROGRESS_BAR, PBM_SETPOS, (WPARAM)lParam, 0);
        return TRUE;
    case IDM_PROGRESS_SHOW_STATUS:
        ShowWindow(GetDlgItem(window, IDC_PROGRESS_STATUS), SW_SHOW);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK ProgressProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: OnInitDialog(window); return TRUE;
    case WM_COMMAND: return OnCommand(window, wParam, lParam);
    }
    return FALSE;
}

}  // namespace

HWND CreateProgressWindow(HINSTANCE resources, HWND owner) {
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);
    HWND window = CreateDialogParamA(resources, MAKEINTRESOURCEA(IDD_PROGRESS), owner, ProgressProc, 0);
    if (window) RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    return window;
}

void ProgressWindowSink::Repaint() {
    if (window_) RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void ProgressWindowSink::SourceStarted(const std::string &path) {
    if (!window_) return;
    if (!IsWindowVisible(window_)) ShowWindow(window_, SW_SHOWNA);
    SetDlgItemTextA(window_, IDC_PROGRESS_SOURCE, path.c_str());
    Repaint();
}

void ProgressWindowSink::ShowStatusLine() {
    if (window_) ShowWindow(GetDlgItem(window_, IDC_PROGRESS_STATUS), SW_SHOW);
}

void ProgressWindowSink::Status(const std::string &text) {
    if (!window_) return;
    SetDlgItemTextA(window_, IDC_PROGRESS_STATUS, text.c_str());
    Repaint();
}

void ProgressWindowSink::FrameDone(int frame) {
    if (!window_) return;
    SendMessageA(window_, WM_COMMAND, IDM_PROGRESS_POSITION, frame);
    Repaint();
}

void ProgressWindowSink::SourceFinished(const std::string &path, const SourceResult &) {
    if (!window_) return;
    SendMessageA(window_, WM_COMMAND, IDM_PROGRESS_SHOW_STATUS, 0);
    SetDlgItemTextA(window_, IDC_PROGRESS_STATUS, path.c_str());
    Repaint();
}

void ProgressWindowSink::AnimatedCursorFramesReady() {
    if (!window_) return;
    ShowWindow(window_, SW_HIDE);
    HWND owner = GetWindow(window_, GW_OWNER);
    if (owner) RedrawWindow(owner, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}
