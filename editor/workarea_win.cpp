// The WorkArea (class GlypheryWork): the canvas's active square enlarged by
// the zoom, with the grid and the transparency view.
#include <windows.h>
#include <commctrl.h>

#include "common/handles.h"
#include "editor/picture_win.h"
#include "editor/resource.h"
#include "editor/tools_win.h"
#include "editor/views_win.h"

namespace {

const char kWorkAreaClass[] = "GlypheryWork";
// Where the transparency view leaves pixels undrawn.
const COLORREF kUndrawn = RGB(192, 192, 192);

bool GridShown() {
    const EditorSession *session = Views().session;
    return session && session->settings.Grid && Views().zoom > 1;
}

// The pixels marked transparent, each cell covered with the pattern of
// bitmap 393.
void DrawMarks(HDC dc, int side, int width, int height) {
    const std::vector<uint8_t> *marks = ShownMarks();
    if (!marks || marks->size() != (size_t)side * side) return;
    UniqueBitmap pattern(LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_TRANSPARENT_PATTERN)));
    UniqueHandle<HGDIOBJ, GdiObjectTraits> brush(pattern ? CreatePatternBrush(pattern.get()) : nullptr);
    HBRUSH fill = brush ? (HBRUSH)brush.get() : (HBRUSH)GetStockObject(GRAY_BRUSH);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            if (!(*marks)[(size_t)y * side + x]) continue;
            RECT cell = {x * width / side, y * height / side, (x + 1) * width / side, (y + 1) * height / side};
            FillRect(dc, &cell, fill);
        }
}

// Draws the view into dc (the window's, or an off-screen copy of it).
void DrawView(HDC dc, int width, int height, bool grid) {
    HDC canvas = CanvasDC();
    int side = ActiveSize();
    COLORREF key;
    if (!canvas || side <= 0) {
        RECT all = {0, 0, width, height};
        FillRect(dc, &all, (HBRUSH)GetStockObject(WHITE_BRUSH));
        return;
    }
    if (TransparencyViewOn(&key)) {
        UniqueHandle<HGDIOBJ, GdiObjectTraits> undrawn(CreateSolidBrush(kUndrawn));
        RECT all = {0, 0, width, height};
        FillRect(dc, &all, (HBRUSH)undrawn.get());
        TransparentBlt(dc, 0, 0, width, height, canvas, 0, 0, side, side, key);
    } else {
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, 0, 0, width, height, canvas, 0, 0, side, side, SRCCOPY);
    }
    DrawMarks(dc, side, width, height);
    if (!grid) return;
    // Each image pixel is a (zoom - 1) square followed by a black line.
    HBRUSH black = (HBRUSH)GetStockObject(BLACK_BRUSH);
    ForEachGridLine(Views().zoom, width, [&](int x) {
        RECT line = {x, 0, x + 1, height};
        FillRect(dc, &line, black);
    });
    ForEachGridLine(Views().zoom, height, [&](int y) {
        RECT line = {0, y, width, y + 1};
        FillRect(dc, &line, black);
    });
}

void OnPaint(HWND work) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(work, &ps);
    RECT client;
    GetClientRect(work, &client);
    bool grid = GridShown();
    COLORREF key;
    if (!grid && !TransparencyViewOn(&key)) {
        DrawView(dc, client.right, client.bottom, false);
    } else {
        // Composed off the screen, then copied at once.
        UniqueBitmap picture(CreateCompatibleBitmap(dc, client.right, client.bottom));
        UniqueMemDC pictureDc(CreateCompatibleDC(dc));
        if (picture && pictureDc) {
            SelectObjectScope keep(pictureDc.get(), picture.get());
            DrawView(pictureDc.get(), client.right, client.bottom, grid);
            BitBlt(dc, 0, 0, client.right, client.bottom, pictureDc.get(), 0, 0, SRCCOPY);
        }
    }
    EndPaint(work, &ps);
}

void OnCreate(HWND work) {
    Views().workArea = work;
    FillImageSelector();
    SetUndoButton(false);
}

// Whatever the tool did, the canvas as it now is becomes a step of the
// history: one per stroke.
void OnButtonUp(HWND work, bool right, LPARAM lParam) {
    ToolButtonUp(work, right, (short)LOWORD(lParam), (short)HIWORD(lParam));
    PushPicture(Snapshot());
    ToolStrokePushed();
}

LRESULT CALLBACK WorkAreaProc(HWND work, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: OnCreate(work); return 0;
    case WM_PAINT: OnPaint(work); return 0;
    case WM_ERASEBKGND: return 1;  // the painting covers the client area
    case WM_MOUSEMOVE: ToolMouseMove(work, (short)LOWORD(lParam), (short)HIWORD(lParam)); return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        ToolButtonDown(work, message == WM_RBUTTONDOWN, (short)LOWORD(lParam), (short)HIWORD(lParam));
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: OnButtonUp(work, message == WM_RBUTTONUP, lParam); return 0;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) ToolEscape(work);
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) != HTCLIENT) return DefWindowProcA(work, message, wParam, lParam);
        SetToolCursor();
        return TRUE;
    case WM_DESTROY: Views().workArea = nullptr; return 0;
    default: return DefWindowProcA(work, message, wParam, lParam);
    }
}

}  // namespace

HWND CreateWorkArea(HWND frame) {
    HINSTANCE instance = (HINSTANCE)GetWindowLongPtrA(frame, GWLP_HINSTANCE);
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = WorkAreaProc;
    wc.hInstance = instance;
    wc.lpszClassName = kWorkAreaClass;
    WNDCLASSEXA existing = {};
    existing.cbSize = sizeof existing;
    if (!GetClassInfoExA(instance, kWorkAreaClass, &existing) && !RegisterClassExA(&wc)) return nullptr;
    RECT desk;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &desk, 0);
    int side = desk.bottom - desk.top;
    // Opaque: it paints its whole client area, and a transparent child is
    // not clipped out of the frame's background, which would then cover the
    // picture whenever the frame is repainted.
    return CreateWindowExA(0, kWorkAreaClass, "", WS_CHILD | WS_BORDER, 0, 0, side, side, frame, nullptr, instance,
                           nullptr);
}

HWND WorkAreaWindow() { return Views().workArea; }

void LayoutWorkArea() {
    ViewWindows &v = Views();
    if (!v.frame || !v.workArea || ActiveSize() <= 0) return;
    RECT client, status = {};
    GetClientRect(v.frame, &client);
    HWND statusBar = GetDlgItem(v.frame, IDC_STATUS);
    if (statusBar) GetWindowRect(statusBar, &status);
    ViewMetrics m = {client.right, client.bottom, status.bottom - status.top, v.formatBarHeight,
                     GetSystemMetrics(SM_CXBORDER), GetSystemMetrics(SM_CYBORDER)};
    ViewPlacement p = PlaceView(m, ActiveSize());
    v.zoom = p.zoom;
    SetWindowPos(v.workArea, nullptr, p.left, p.top, p.width, p.height, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(v.workArea, nullptr, FALSE);
}

void SetUndoButton(bool enabled) {
    HWND toolbar = Views().frame ? GetDlgItem(Views().frame, IDC_MAIN_TOOLBAR) : nullptr;
    WORD state = enabled ? TBSTATE_ENABLED : TBSTATE_INDETERMINATE;
    if (toolbar) SendMessageA(toolbar, TB_SETSTATE, CMD_UNDO, MAKELONG(state, 0));
}
