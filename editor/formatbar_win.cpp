// The format bar (dialog 700): the image selector, the pointer's position,
// a stroke's size and the two buttons' colour swatches.
#include <windows.h>

#include <cstdio>

#include "common/handles.h"
#include "common/windowutil.h"
#include "editor/picture_win.h"
#include "editor/resource.h"
#include "editor/views_win.h"

namespace {

// The last values written to the position and size fields; 32767 (never a
// pixel) makes the next value always written.
const int kNoValue = 32767;
POINT g_lastPosition = {kNoValue, kNoValue};
POINT g_lastSize = {kNoValue, kNoValue};

HINSTANCE Instance(HWND window) { return (HINSTANCE)GetWindowLongPtrA(window, GWLP_HINSTANCE); }

void WriteField(int id, UINT format, int a, int b, POINT *last) {
    HWND bar = Views().formatBar;
    if (!bar || (last->x == a && last->y == b)) return;
    *last = {a, b};
    char text[64];
    snprintf(text, sizeof text, LoadText(Instance(bar), format).c_str(), a, b);
    SetDlgItemTextA(bar, id, text);
}

// A white line along the top; along the bottom a grey line, then a line of
// the window-frame colour as thick as a border.
void OnPaint(HWND bar) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(bar, &ps);
    RECT r;
    GetClientRect(bar, &r);
    int border = GetSystemMetrics(SM_CYBORDER);
    RECT line = {r.left, r.top, r.right, r.top + 1};
    FillRect(dc, &line, (HBRUSH)GetStockObject(WHITE_BRUSH));
    UniqueHandle<HGDIOBJ, GdiObjectTraits> grey(CreateSolidBrush(RGB(128, 128, 128)));
    line = {r.left, r.bottom - 1 - border, r.right, r.bottom - border};
    FillRect(dc, &line, (HBRUSH)grey.get());
    line = {r.left, r.bottom - border, r.right, r.bottom};
    FillRect(dc, &line, GetSysColorBrush(COLOR_WINDOWFRAME));
    EndPaint(bar, &ps);
}

// The swatches show the two buttons' colours: white (left) and black
// (right) until the drawing tools choose others.
void OnDrawItem(const DRAWITEMSTRUCT *item) {
    bool left = item->CtlID == IDC_LEFT_SWATCH;
    FillRect(item->hDC, &item->rcItem, (HBRUSH)GetStockObject(left ? WHITE_BRUSH : BLACK_BRUSH));
    FrameRect(item->hDC, &item->rcItem, (HBRUSH)GetStockObject(BLACK_BRUSH));
}

void OnCommand(HWND bar, int id, int code) {
    if (id == IDC_IMAGE_SELECTOR) {
        if (code == CBN_DROPDOWN && CurrentImageIndex() < TheIcon().count) {
            // What the canvas shows becomes the current picture (no new
            // step in the history).
            EditorImage &image = TheIcon().images[CurrentImageIndex()];
            HBITMAP snapshot = Snapshot();
            if (snapshot) DeleteObject(image.history.Replace(snapshot));
        } else if (code == CBN_SELCHANGE) {
            int index = (int)SendDlgItemMessageA(bar, IDC_IMAGE_SELECTOR, CB_GETCURSEL, 0, 0);
            if (index != CB_ERR && index != CurrentImageIndex()) SwitchImage(index);
        }
        return;
    }
    if (Views().frame) SetFocus(Views().frame);
}

INT_PTR CALLBACK FormatBarProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return FALSE;
    case WM_PAINT: OnPaint(bar); return TRUE;
    case WM_DRAWITEM: OnDrawItem((const DRAWITEMSTRUCT *)lParam); return TRUE;
    case WM_COMMAND: OnCommand(bar, LOWORD(wParam), HIWORD(wParam)); return TRUE;
    default: return FALSE;
    }
}

}  // namespace

HWND CreateFormatBar(HWND frame) {
    HINSTANCE instance = Instance(frame);
    HWND bar = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_FORMATBAR), frame, FormatBarProc, 0);
    if (!bar) return nullptr;
    RECT r;
    GetWindowRect(bar, &r);
    Views().frame = frame;
    Views().formatBar = bar;
    Views().formatBarHeight = r.bottom - r.top;
    SetWindowPos(bar, nullptr, 0, kFormatBarTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(bar, SW_SHOWNA);
    return bar;
}

bool FormatBarMessage(MSG *msg) { return Views().formatBar && IsDialogMessageA(Views().formatBar, msg); }

void FillImageSelector() {
    HWND bar = Views().formatBar;
    if (!bar) return;
    HINSTANCE instance = Instance(bar);
    std::string colors = LoadText(instance, IDS_SELECTOR_COLORS),
                trueColor = LoadText(instance, IDS_SELECTOR_TRUE_COLOR);
    SendDlgItemMessageA(bar, IDC_IMAGE_SELECTOR, CB_RESETCONTENT, 0, 0);
    const EditorIcon &icon = TheIcon();
    for (int i = 0; i < icon.count; ++i) {
        const EditorImage &image = icon.images[i];
        std::string line = SelectorLine(image.width, image.height, image.depth, colors.c_str(), trueColor.c_str());
        SendDlgItemMessageA(bar, IDC_IMAGE_SELECTOR, CB_ADDSTRING, 0, (LPARAM)line.c_str());
    }
    SendDlgItemMessageA(bar, IDC_IMAGE_SELECTOR, CB_SETCURSEL, CurrentImageIndex(), 0);
}

void ShowPointerPosition(int x, int y) { WriteField(IDC_POSITION, IDS_POSITION_FORMAT, x, y, &g_lastPosition); }
void ShowStrokeSize(int width, int height) {
    WriteField(IDC_SELECTION_SIZE, IDS_SIZE_FORMAT, width, height, &g_lastSize);
}

void ClearPositionFields(bool size) {
    HWND bar = Views().formatBar;
    if (!bar) return;
    SetDlgItemTextA(bar, IDC_POSITION, "");
    g_lastPosition = {kNoValue, kNoValue};
    if (!size) return;
    SetDlgItemTextA(bar, IDC_SELECTION_SIZE, "");
    g_lastSize = {kNoValue, kNoValue};
}
