// GYzoom.dll taken by ordinal as its callers take it, driven with the real
// cursor over a window of known pixels: the window it opens, where it goes,
// what it shows, how it stops, and calls out of order.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "contracts/gyzoom.h"
#include "tests/common/testutil_win.h"

namespace {

const char kZoomClass[] = "GlypheryZoom";

// The fixture picture: pixel (x, y) of the pattern window, never black, no two
// alike in a 10-pixel square, over a checkerboard of 2-pixel squares (what a
// person sees enlarged).
COLORREF PatternPixel(int x, int y) {
    return RGB((x * 7) & 0xFF, (y * 11) & 0xFF, (x / 2 + y / 2) % 2 ? 0xF0 : 0x40);
}

const int kPatternLeft = 200, kPatternTop = 200, kPatternSize = 160;

LRESULT CALLBACK PatternProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        std::vector<uint32_t> bgrx((size_t)kPatternSize * kPatternSize);
        for (int y = 0; y < kPatternSize; ++y)
            for (int x = 0; x < kPatternSize; ++x) {
                COLORREF c = PatternPixel(x, y);
                bgrx[(size_t)y * kPatternSize + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
            }
        BITMAPINFOHEADER ih = TopDown32Header(kPatternSize, kPatternSize);
        SetDIBitsToDevice(dc, 0, 0, kPatternSize, kPatternSize, 0, 0, 0, kPatternSize, bgrx.data(),
                          (BITMAPINFO *)&ih, DIB_RGB_COLORS);
        EndPaint(window, &ps);
        return 0;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

// Lets the timers and paints of this thread run for a while.
void Pump(DWORD ms) {
    DWORD end = GetTickCount() + ms;
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    } while ((int)(end - GetTickCount()) > 0);
}

BOOL CALLBACK CountMagnifier(HWND w, LPARAM count) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    char name[64] = {0};
    GetClassNameA(w, name, sizeof name);
    if (pid == GetCurrentProcessId() && strcmp(name, kZoomClass) == 0) ++*(int *)count;
    return TRUE;
}

// Windows of the magnifier's class in this process, shown or not.
int MagnifierWindows() {
    int count = 0;
    EnumWindows(CountMagnifier, (LPARAM)&count);
    return count;
}

RECT ClientOnScreen(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    MapWindowPoints(window, nullptr, (POINT *)&r, 2);
    return r;
}

class MagnifierTest : public ::testing::Test {
protected:
    void SetUp() override {
        module_ = LoadLibraryA(SiblingProgram("GYzoom.dll").c_str());
        ASSERT_TRUE(module_);
        TakeEntries();
        WNDCLASSA wc = {};
        wc.lpfnWndProc = PatternProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "GyZoomPattern";
        RegisterClassA(&wc);
        owner_ = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW, 700, 600, 200, 100, nullptr, nullptr,
                                 nullptr, nullptr);
        pattern_ = CreateWindowExA(WS_EX_TOPMOST, "GyZoomPattern", "", WS_POPUP | WS_VISIBLE, kPatternLeft,
                                   kPatternTop, kPatternSize, kPatternSize, nullptr, nullptr, GetModuleHandleA(nullptr),
                                   nullptr);
        UpdateWindow(pattern_);
        Pump(100);
    }
    void TearDown() override {
        if (module_) {
            Stop();
            FreeLibrary(module_);
        }
        DestroyWindow(pattern_);
        DestroyWindow(owner_);
    }
    void TakeEntries() {
        window_ = (ZoomWindowProc)GetProcAddress(module_, MAKEINTRESOURCEA(kZoomWindowOrdinal));
        show_ = (ZoomShowProc)GetProcAddress(module_, MAKEINTRESOURCEA(kZoomShowOrdinal));
        setup_ = (ZoomSetupProc)GetProcAddress(module_, MAKEINTRESOURCEA(kZoomSetupOrdinal));
        follow_ = (ZoomFollowProc)GetProcAddress(module_, MAKEINTRESOURCEA(kZoomFollowOrdinal));
        refresh_ = (ZoomRefreshProc)GetProcAddress(module_, MAKEINTRESOURCEA(kZoomRefreshOrdinal));
        ASSERT_TRUE(window_ && show_ && setup_ && follow_ && refresh_);
    }
    // The display window's start: a 50 x 50 window, 80 pixels off, factor 5.
    HWND Start(int grid) {
        HWND w = window_(owner_, 0, grid);
        EXPECT_EQ(setup_(50, 50, 80, 80, 2, 5), 1);
        EXPECT_EQ(follow_(1), 1);
        EXPECT_EQ(show_(1), 1);
        Pump(150);
        return w;
    }
    void Stop() {
        refresh_(0);
        follow_(0);
        show_(0);
        window_(nullptr, 0, 0);
    }
    // Client pixels that differ from the pattern around the cursor enlarged
    // five times (a grid line is black).
    int Mismatches(HWND zoom, POINT cursor, bool grid) {
        ScreenPixels shot = GrabScreen(ClientOnScreen(zoom));
        EXPECT_EQ(shot.width, 50);
        int bad = 0;
        for (int y = 0; y < shot.height; ++y)
            for (int x = 0; x < shot.width; ++x) {
                COLORREF want = PatternPixel(cursor.x - 5 + x / 5 - kPatternLeft, cursor.y - 5 + y / 5 - kPatternTop);
                if (grid && (x % 5 == 4 || y % 5 == 4)) want = RGB(0, 0, 0);
                if (shot.At(x, y) != want) ++bad;
            }
        return bad;
    }

    HMODULE module_ = nullptr;
    HWND owner_ = nullptr, pattern_ = nullptr;
    ZoomWindowProc window_ = nullptr;
    ZoomShowProc show_ = nullptr;
    ZoomSetupProc setup_ = nullptr;
    ZoomFollowProc follow_ = nullptr;
    ZoomRefreshProc refresh_ = nullptr;
};

TEST_F(MagnifierTest, OpensATopMostOwnedWindowThatFollowsTheCursor) {
    SetCursorPos(260, 260);
    HWND zoom = Start(0);
    ASSERT_TRUE(zoom);
    EXPECT_TRUE(IsWindowVisible(zoom));
    EXPECT_TRUE(GetWindowLongA(zoom, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetWindow(zoom, GW_OWNER), owner_);
    EXPECT_NE(GetForegroundWindow(), zoom);  // shown without taking the activation
    RECT r;
    GetClientRect(zoom, &r);
    EXPECT_EQ(r.right, 50);
    EXPECT_EQ(r.bottom, 50);
    // Below right of the cursor; above left in the screen's far corner.
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    SetCursorPos(300, 320);
    Pump(200);
    GetWindowRect(zoom, &r);
    EXPECT_EQ(r.left, 380);
    EXPECT_EQ(r.top, 400);
    SetCursorPos(sw - 30, sh - 30);
    Pump(200);
    GetWindowRect(zoom, &r);
    EXPECT_EQ(r.right, sw - 110);
    EXPECT_EQ(r.bottom, sh - 110);
    // With the keyboard focus, the arrow keys move the cursor by the step (2).
    POINT before, after;
    GetCursorPos(&before);
    SendMessageA(zoom, WM_KEYDOWN, VK_LEFT, 0);
    SendMessageA(zoom, WM_KEYDOWN, VK_UP, 0);
    SendMessageA(zoom, WM_KEYDOWN, VK_UP, 0);
    GetCursorPos(&after);
    EXPECT_EQ(after.x - before.x, -2);
    EXPECT_EQ(after.y - before.y, -4);
}

TEST_F(MagnifierTest, ShowsTheScreenAroundTheCursorEnlargedWithTheGridWhenAsked) {
    for (int grid : {0, 1}) {
        POINT cursor = {kPatternLeft + 40 + grid * 30, kPatternTop + 50};
        SetCursorPos(cursor.x, cursor.y);
        HWND zoom = Start(grid);
        ASSERT_TRUE(zoom);
        EXPECT_EQ(Mismatches(zoom, cursor, grid != 0), 0) << "grid " << grid;
        // It keeps up with the cursor.
        cursor.x += 17;
        cursor.y += 23;
        SetCursorPos(cursor.x, cursor.y);
        Pump(200);
        EXPECT_EQ(Mismatches(zoom, cursor, grid != 0), 0) << "grid " << grid << " after a move";
        if (grid) EXPECT_TRUE(SaveWindowShot(zoom, TestOutputDir("screenshots") + "\\gyzoom_grid.bmp"));
        Stop();
    }
}

TEST_F(MagnifierTest, AFrozenPictureStaysWhereItIsUntilMadeLive) {
    POINT cursor = {kPatternLeft + 60, kPatternTop + 60}, moved = {cursor.x + 30, cursor.y + 20};
    SetCursorPos(cursor.x, cursor.y);
    HWND zoom = Start(0);
    ASSERT_TRUE(zoom);
    EXPECT_EQ(refresh_(0), 1);
    RECT before, after;
    GetWindowRect(zoom, &before);
    SetCursorPos(moved.x, moved.y);
    Pump(250);
    GetWindowRect(zoom, &after);
    EXPECT_TRUE(EqualRect(&before, &after));
    EXPECT_EQ(Mismatches(zoom, cursor, false), 0);  // still the picture at the old place
    EXPECT_EQ(refresh_(1), 1);
    Pump(200);
    EXPECT_EQ(Mismatches(zoom, moved, false), 0);
}

TEST_F(MagnifierTest, StoppingLeavesNoWindowEvenWhenTheLibraryIsUnloadedFirst) {
    SetCursorPos(300, 300);
    HWND zoom = Start(1);
    EXPECT_EQ(MagnifierWindows(), 1);
    Stop();
    EXPECT_FALSE(IsWindow(zoom));
    EXPECT_EQ(MagnifierWindows(), 0);
    // A caller that unloads the library without stopping it.
    zoom = Start(0);
    ASSERT_TRUE(IsWindow(zoom));
    FreeLibrary(module_);
    module_ = nullptr;
    EXPECT_FALSE(IsWindow(zoom));
    // Loaded again, it opens again (its window class was given back).
    module_ = LoadLibraryA(SiblingProgram("GYzoom.dll").c_str());
    ASSERT_TRUE(module_);
    TakeEntries();
    EXPECT_TRUE(IsWindowVisible(Start(0)));
}

TEST_F(MagnifierTest, CallsOutOfOrderAreHarmless) {
    // Stop before start, entries without a magnifier, an owner that is no window.
    EXPECT_EQ(window_(nullptr, 0, 0), nullptr);
    EXPECT_EQ(show_(1) + follow_(1) + refresh_(0), 0);
    EXPECT_EQ(window_((HWND)(INT_PTR)0x7ff0, 0, 0), nullptr);
    EXPECT_EQ(MagnifierWindows(), 0);
    // A second start keeps the one window and takes the new owner.
    SetCursorPos(300, 300);
    HWND zoom = Start(0);
    HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(window_(other, 0, 1), zoom);
    EXPECT_EQ(GetWindow(zoom, GW_OWNER), other);
    EXPECT_EQ(MagnifierWindows(), 1);
    // Setups out of range are refused; the window keeps its size.
    EXPECT_EQ(setup_(50, 50, 80, 80, 2, 0) + setup_(0, 50, 80, 80, 2, 5) + setup_(50, 4097, 80, 80, 2, 5) +
                  setup_(50, 50, -1, 80, 2, 5) + setup_(50, 50, 80, 80, 0, 5),
              0);
    RECT client;
    GetClientRect(zoom, &client);
    EXPECT_EQ(client.right, 50);
    // Stopping twice, then entries after the stop.
    Stop();
    Stop();
    EXPECT_EQ(show_(1) + follow_(0), 0);
    EXPECT_EQ(MagnifierWindows(), 0);
    DestroyWindow(other);
}

}  // namespace
