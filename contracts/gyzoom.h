// GYzoom.dll: the magnifier. A top-most window, owned by the caller's window,
// that follows the mouse and shows the screen area around the cursor enlarged
// by a whole factor, optionally with a grid between the enlarged pixels.
// Callers take the entries by ordinal (the names are for reading only):
//
//   start   ZoomWindow(owner, 0, grid)       1: the window, hidden
//           ZoomSetup(w, h, dx, dy, step, f) 3: its size and enlargement
//           ZoomFollow(1)                    4: follow the mouse
//           ZoomShow(1)                      2: show it
//   stop    ZoomRefresh(0)                   6: freeze the picture (it can
//                                               then be copied from the window)
//           ZoomFollow(0), ZoomShow(0), ZoomWindow(0, 0, 0)
//
// Everything runs on the caller's thread: the window and its timer live in the
// thread that called ordinal 1, whose message loop drives the magnifier. Calls
// out of order are harmless: without a window ordinals 2, 4 and 6 return 0 and
// do nothing, ordinal 1 with a null window when none is open does nothing, and
// ordinal 1 while a magnifier is open keeps its one window.
#pragma once
#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// Ordinal 1. With a window: opens the magnifier (hidden, not following,
// picture live) owned by that window, with a grid when `grid` is not 0, and
// returns the magnifier window; called again while it is open, it keeps the
// same window and takes the new owner and grid. Null when `owner` is not a
// window or the window cannot be made. With a null owner: closes the
// magnifier (window, timer and picture) and returns null. `reserved` is 0.
HWND WINAPI ZoomWindow(HWND owner, int reserved, int grid);

// Ordinal 2. Shows (not 0) or hides (0) the window, top-most and without
// taking the activation; shown, it is placed at the cursor and painted at
// once. 1 when a magnifier is open, else 0.
int WINAPI ZoomShow(int show);

// Ordinal 3. The client area is `width` x `height` pixels (1 to 4096 each)
// and shows the screen around the cursor enlarged `factor` times (1 to 256):
// ceil(width / factor) x ceil(height / factor) screen pixels, the cursor's
// pixel in the middle cell. The window sits `dx`, `dy` pixels (0 to 4096)
// right of and below the cursor, further away when that would cover the
// area it shows, and on the other side when the screen ends. While the
// window has the keyboard focus, the arrow keys move the cursor by `step`
// pixels (1 to 4096). Values out of range are refused: 0, and the previous
// setup stays. Valid before ordinal 1 too: the setup outlives the window.
int WINAPI ZoomSetup(int width, int height, int dx, int dy, int step, int factor);

// Ordinal 4. Not 0: the window follows the cursor and its picture is renewed
// about 25 times a second (a timer of the window); 0: it stays where it is.
// 1 when a magnifier is open, else 0.
int WINAPI ZoomFollow(int follow);

// Ordinal 6. 0 freezes the picture and the window where they are (the last
// picture stays painted, so the window's client area can be copied); not 0
// makes it live again. 1 when a magnifier is open, else 0.
int WINAPI ZoomRefresh(int live);

typedef HWND(WINAPI *ZoomWindowProc)(HWND owner, int reserved, int grid);
typedef int(WINAPI *ZoomShowProc)(int show);
typedef int(WINAPI *ZoomSetupProc)(int width, int height, int dx, int dy, int step, int factor);
typedef int(WINAPI *ZoomFollowProc)(int follow);
typedef int(WINAPI *ZoomRefreshProc)(int live);

// The ordinals the entries are exported at.
enum {
    kZoomWindowOrdinal = 1,
    kZoomShowOrdinal = 2,
    kZoomSetupOrdinal = 3,
    kZoomFollowOrdinal = 4,
    kZoomRefreshOrdinal = 6
};

#ifdef __cplusplus
}
#endif
