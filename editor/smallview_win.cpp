// The small view (dialog 146 "Icon"): the current picture at its actual size,
// copied from the canvas.
#include <windows.h>

#include "editor/picture_win.h"
#include "editor/resource.h"
#include "editor/views_win.h"

namespace {

// Extra width and height of the view around the picture (its frame and
// caption).
const int kExtraWidth = 7, kExtraHeight = 24;

void CopyCanvas(HDC dc) {
    HDC canvas = CanvasDC();
    if (canvas) BitBlt(dc, 0, 0, ActiveSize(), ActiveSize(), canvas, 0, 0, SRCCOPY);
}

INT_PTR CALLBACK SmallViewProc(HWND view, UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return FALSE;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(view, &ps);
        CopyCanvas(dc);
        EndPaint(view, &ps);
        return TRUE;
    }
    default: return FALSE;
    }
}

}  // namespace

HWND CreateSmallView(HWND frame, int left, int top) {
    HINSTANCE instance = (HINSTANCE)GetWindowLongPtrA(frame, GWLP_HINSTANCE);
    HWND view = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_SMALLVIEW), frame, SmallViewProc, 0);
    if (!view) return nullptr;
    Views().smallView = view;
    SetWindowPos(view, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(view, SW_SHOWNA);
    return view;
}

void PaintSmallView() {
    HWND view = Views().smallView;
    if (!view) return;
    HDC dc = GetDC(view);
    if (!dc) return;
    CopyCanvas(dc);
    ReleaseDC(view, dc);
}

void RefreshSmallView() {
    HWND view = Views().smallView;
    if (view) {
        SetWindowPos(view, nullptr, 0, 0, ActiveSize() + kExtraWidth, ActiveSize() + kExtraHeight,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        PaintSmallView();
    }
    if (Views().workArea) InvalidateRect(Views().workArea, nullptr, FALSE);
    // Not while a modal dialog has disabled the frame (an effect's preview):
    // the dialog keeps the focus and stays above.
    if (Views().frame && IsWindowEnabled(Views().frame)) SetActiveWindow(Views().frame);
    // Above the frame it belongs to, also where activating the frame put the
    // frame over it (a desktop without a window manager).
    if (view) SetWindowPos(view, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}
