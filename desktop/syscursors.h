// The system cursors dialog: the thirteen standard cursors, replaced from an
// animated cursor, a cursor file, a program or a library until the user logs
// off.
#pragma once
#include <windows.h>
#include <commctrl.h>

// Dialog 343; lParam is the main help file (may be null).
INT_PTR CALLBACK SystemCursorsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The open dialog's image list (row i owns image i) and the hotspot Apply
// gives row i's cursor (for tests).
HIMAGELIST SystemCursorImages();
POINT SystemCursorHotspot(int row);
