// The main window's messages that belong to acquisition (its commands are
// declared in shell/mainwindow.h).
#pragma once
#include <windows.h>

// WM_USER from the TWAIN session: a picture (a packed DIB, now ours) or none.
void OnTwainHandOver(HWND main, HGLOBAL picture);
// WM_HOTKEY while a capture runs.
void OnCaptureHotKey(HWND main, int id);
