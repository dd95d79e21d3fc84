// The editor's views of its picture: the format bar (dialog 700) with the
// image selector, the enlarged WorkArea and the actual-size small view
// (dialog 146). What the frame calls, then what the views call of each other.
#pragma once
#include <windows.h>

#include "editor/startup_win.h"

// --- For the frame --------------------------------------------------------

// The format bar, made in the frame's WM_CREATE; its height is remembered.
HWND CreateFormatBar(HWND frame);
// The small view, the WorkArea (which fills the image selector) and the
// canvas, made once the frame exists; then the current picture is shown.
bool CreateViews(HWND frame, EditorSession *session);
// The frame's WM_SIZE (its size type and client size): the format bar
// across the frame, the WorkArea's zoom and place, the small view.
void LayoutViews(HWND frame, WPARAM sizeType, int width, int height);
// Every command the frame receives comes here first (it ends the
// transparency view); true for the ones handled: show the current picture
// (1013), Undo, Copy.
bool ViewsCommand(HWND frame, int id);
// The message loop hands each message to the format bar first.
bool FormatBarMessage(MSG *msg);
// The WorkArea, repainted when the grid is switched.
HWND WorkAreaWindow();
// The frame's WM_DESTROY: the canvas and every picture go.
void DestroyViews();

// --- Between the views ----------------------------------------------------

struct ViewWindows {
    HWND frame = nullptr, workArea = nullptr, smallView = nullptr, formatBar = nullptr;
    HWND palette = nullptr;  // the palette window, hidden for a 1-bit image when `Palette` is set
    EditorSession *session = nullptr;
    int formatBarHeight = 0;  // as created
    int zoom = 1;             // the WorkArea's, from the last layout
};
ViewWindows &Views();

// The small view at a screen position, shown without activation; the
// WorkArea, a hidden child of the frame as high as the desktop's work area.
HWND CreateSmallView(HWND frame, int left, int top);
HWND CreateWorkArea(HWND frame);

// Sizes the small view to the active square, copies the canvas into it,
// invalidates the WorkArea and makes the frame the active window.
void RefreshSmallView();
// Copies the canvas's active square into the small view now.
void PaintSmallView();
// Recomputes the WorkArea's zoom, size and place; shows the frame.
void LayoutWorkArea();
// The Undo button of the main tool bar (control 1032 of the frame): enabled
// or greyed.
void SetUndoButton(bool enabled);
// The format bar's fields: the image selector's lines, the pointer's image
// pixel ("%d, %d", written only when it changes), a stroke's extent
// ("%dx%d"); emptying them.
void FillImageSelector();
void ShowPointerPosition(int x, int y);
void ShowStrokeSize(int width, int height);
void ClearPositionFields(bool size);
