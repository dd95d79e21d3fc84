// GYzoom: the magnifier window, its timer and its picture, behind the entries
// of contracts/gyzoom.h. One magnifier per process, on the thread that opened
// it; the picture is taken from the screen with StretchBlt into a bitmap of
// the client size, which WM_PAINT copies to the window.
#include <windows.h>

#include "common/handles.h"
#include "contracts/gyzoom.h"
#include "libs/gyzoom/zoomgeometry.h"

namespace {

const char kClassName[] = "GlypheryZoom";
const DWORD kStyle = WS_POPUP | WS_BORDER;
const DWORD kExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
const UINT_PTR kTimerId = 1;
const UINT kTimerMs = 40;  // about 25 pictures a second

struct Magnifier {
    HWND window = nullptr;
    bool grid = false;
    bool following = false;
    bool live = true;
    ZoomSetupValues setup;  // outlives the window
    UniqueBitmap picture;   // client-sized, what WM_PAINT shows
};

Magnifier g_zoom;
HINSTANCE g_instance = nullptr;
ATOM g_class = 0;

LRESULT CALLBACK MagnifierProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

bool RegisterMagnifierClass() {
    if (g_class) return true;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = MagnifierProc;
    wc.hInstance = g_instance;
    wc.hCursor = LoadCursor(nullptr, IDC_CROSS);
    wc.lpszClassName = kClassName;
    g_class = RegisterClassA(&wc);
    return g_class != 0;
}

SIZE OuterSize(const ZoomSetupValues &setup) {
    RECT r = {0, 0, setup.width, setup.height};
    AdjustWindowRectEx(&r, kStyle, FALSE, kExStyle);
    SIZE s = {r.right - r.left, r.bottom - r.top};
    return s;
}

ZoomRect VirtualScreen() {
    ZoomRect r;
    r.left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    r.top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    r.right = r.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    r.bottom = r.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    if (r.right <= r.left || r.bottom <= r.top) {  // systems without a virtual screen
        r.left = r.top = 0;
        r.right = GetSystemMetrics(SM_CXSCREEN);
        r.bottom = GetSystemMetrics(SM_CYSCREEN);
    }
    return r;
}

// Moves (and sizes) the window beside the cursor, keeping it top-most;
// `extraFlags` may show it.
void PlaceWindow(UINT extraFlags) {
    POINT cursor;
    if (!GetCursorPos(&cursor)) return;
    SIZE outer = OuterSize(g_zoom.setup);
    ZoomRect r = ZoomWindowPlace(g_zoom.setup, cursor.x, cursor.y, outer.cx, outer.cy, VirtualScreen());
    SetWindowPos(g_zoom.window, HWND_TOPMOST, r.left, r.top, outer.cx, outer.cy, SWP_NOACTIVATE | extraFlags);
}

// Takes the screen around the cursor into the picture, enlarged, with the
// grid, and repaints the window from it.
void RenewPicture() {
    POINT cursor;
    if (!GetCursorPos(&cursor)) return;
    const ZoomSetupValues &s = g_zoom.setup;
    ZoomRect area = ZoomSourceArea(s, cursor.x, cursor.y);
    WindowDC screen(nullptr);
    if (!screen.get()) return;
    BITMAP bm = {};
    if (!g_zoom.picture || !GetObject(g_zoom.picture.get(), sizeof bm, &bm) || bm.bmWidth != s.width ||
        bm.bmHeight != s.height)
        g_zoom.picture.reset(CreateCompatibleBitmap(screen.get(), s.width, s.height));
    UniqueMemDC dc(CreateCompatibleDC(screen.get()));
    if (!dc || !g_zoom.picture) return;
    {
        SelectObjectScope select(dc.get(), g_zoom.picture.get());
        // Whatever of the area lies off the screen stays black.
        PatBlt(dc.get(), 0, 0, s.width, s.height, BLACKNESS);
        SetStretchBltMode(dc.get(), COLORONCOLOR);
        StretchBlt(dc.get(), 0, 0, area.Width() * s.factor, area.Height() * s.factor, screen.get(), area.left,
                   area.top, area.Width(), area.Height(), SRCCOPY);
        if (g_zoom.grid && s.factor > 1) {
            for (int x = s.factor - 1; x < s.width; x += s.factor) PatBlt(dc.get(), x, 0, 1, s.height, BLACKNESS);
            for (int y = s.factor - 1; y < s.height; y += s.factor) PatBlt(dc.get(), 0, y, s.width, 1, BLACKNESS);
        }
    }
    InvalidateRect(g_zoom.window, nullptr, FALSE);
    UpdateWindow(g_zoom.window);
}

void OnPaint(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    if (dc && g_zoom.picture) {
        UniqueMemDC memory(CreateCompatibleDC(dc));
        if (memory) {
            SelectObjectScope select(memory.get(), g_zoom.picture.get());
            BitBlt(dc, 0, 0, g_zoom.setup.width, g_zoom.setup.height, memory.get(), 0, 0, SRCCOPY);
        }
    } else if (dc) {
        FillRect(dc, &ps.rcPaint, (HBRUSH)GetStockObject(BLACK_BRUSH));
    }
    EndPaint(window, &ps);
}

// The arrow keys move the cursor by the setup's step (the window has the
// keyboard focus when its caller gives it, as a screen capture does).
bool OnArrowKey(WPARAM key) {
    int dx = 0, dy = 0, step = g_zoom.setup.step;
    switch (key) {
    case VK_LEFT: dx = -step; break;
    case VK_RIGHT: dx = step; break;
    case VK_UP: dy = -step; break;
    case VK_DOWN: dy = step; break;
    default: return false;
    }
    POINT p;
    if (GetCursorPos(&p)) SetCursorPos(p.x + dx, p.y + dy);
    return true;
}

void OnTimer() {
    if (!g_zoom.live || !g_zoom.following) return;
    PlaceWindow(0);
    RenewPicture();
}

LRESULT CALLBACK MagnifierProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT: OnPaint(window); return 0;
    case WM_ERASEBKGND: return 1;  // the picture covers the client area
    case WM_TIMER:
        if (wParam == kTimerId) OnTimer();
        return 0;
    case WM_KEYDOWN:
        if (OnArrowKey(wParam)) return 0;
        break;
    // Never in the way of the mouse: clicks fall through to the owner's thread
    // windows and do not activate the magnifier.
    case WM_NCHITTEST: return HTTRANSPARENT;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_DESTROY:
        KillTimer(window, kTimerId);
        if (window == g_zoom.window) g_zoom.window = nullptr;
        return 0;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

void CloseMagnifier() {
    if (g_zoom.window) DestroyWindow(g_zoom.window);  // WM_DESTROY clears g_zoom.window
    g_zoom.window = nullptr;
    g_zoom.picture.reset();
    g_zoom.following = false;
    g_zoom.live = true;
    g_zoom.grid = false;
}

}  // namespace

extern "C" {

HWND WINAPI ZoomWindow(HWND owner, int reserved, int grid) {
    if (!owner) {
        CloseMagnifier();
        return nullptr;
    }
    if (!IsWindow(owner)) return nullptr;
    if (g_zoom.window && IsWindow(g_zoom.window)) {
        SetWindowLongPtrA(g_zoom.window, GWLP_HWNDPARENT, (LONG_PTR)owner);
        g_zoom.grid = grid != 0;
        if (g_zoom.live && IsWindowVisible(g_zoom.window)) RenewPicture();
        return g_zoom.window;
    }
    if (!RegisterMagnifierClass()) return nullptr;
    SIZE outer = OuterSize(g_zoom.setup);
    g_zoom.window = CreateWindowExA(kExStyle, kClassName, "", kStyle, 0, 0, outer.cx, outer.cy, owner, nullptr,
                                    g_instance, nullptr);
    if (!g_zoom.window) return nullptr;
    g_zoom.grid = grid != 0;
    g_zoom.following = false;
    g_zoom.live = true;
    return g_zoom.window;
}

int WINAPI ZoomShow(int show) {
    if (!g_zoom.window) return 0;
    if (!show) {
        ShowWindow(g_zoom.window, SW_HIDE);
        return 1;
    }
    if (g_zoom.live) {
        PlaceWindow(SWP_SHOWWINDOW);
        RenewPicture();
    } else {
        SetWindowPos(g_zoom.window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
    return 1;
}

int WINAPI ZoomSetup(int width, int height, int dx, int dy, int step, int factor) {
    if (!MakeZoomSetup(width, height, dx, dy, step, factor, &g_zoom.setup)) return 0;
    if (g_zoom.window && g_zoom.live) {
        PlaceWindow(0);
        if (IsWindowVisible(g_zoom.window)) RenewPicture();
    }
    return 1;
}

int WINAPI ZoomFollow(int follow) {
    if (!g_zoom.window) return 0;
    g_zoom.following = follow != 0;
    if (g_zoom.following)
        SetTimer(g_zoom.window, kTimerId, kTimerMs, nullptr);
    else
        KillTimer(g_zoom.window, kTimerId);
    return 1;
}

int WINAPI ZoomRefresh(int live) {
    if (!g_zoom.window) return 0;
    g_zoom.live = live != 0;
    if (g_zoom.live && IsWindowVisible(g_zoom.window)) {
        PlaceWindow(0);
        RenewPicture();
    }
    return 1;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_instance = instance;
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH && !reserved) {
        // Unloaded while the process goes on (FreeLibrary): a magnifier left
        // open would keep a window whose procedure is gone.
        CloseMagnifier();
        if (g_class) UnregisterClassA(kClassName, g_instance);
        g_class = 0;
    }
    return TRUE;
}

}  // extern "C"
