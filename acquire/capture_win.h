// Screen capture: the settings dialog (template 436), and the capture itself:
// the magnifier of GYzoom.dll follows the cursor until the user presses
// Escape (nothing is captured) or Shift + F1 (the magnifier's client area
// becomes a packed DIB), both hot keys registered on the main window.
#pragma once
#include <windows.h>

#include <string>

struct Settings;

// Hot key ids of the capture, registered on the main window.
const int kCaptureCancelHotKey = 0x455A;  // Escape
const int kCaptureTakeHotKey = 0x5A;      // Shift + F1

// The settings dialog, modal on owner, with the resources of `resources`.
// On OK: capture_size, capture_zoom and capture_zoom_size are stored in
// *settings and the icon name in name (at most size - 1 characters). Returns
// 1 on OK, 0 on Cancel.
int ShowCaptureDialog(HWND owner, HINSTANCE resources, Settings *settings, char *name, size_t size);

// Starts the magnifier (side `side` pixels, enlarged `factor` times) and
// registers both hot keys on `main`. False, with nothing registered, when the
// magnifier library is missing or the magnifier cannot open.
bool StartCapture(HWND main, int side, int factor);
bool CaptureActive();
// Escape: stops the magnifier and unregisters the hot keys; nothing is captured.
void CancelCapture(HWND main);
// Shift + F1: freezes the magnifier, copies its client area into a packed
// DIB (the caller owns it; null when the copy failed), stops the magnifier
// and unregisters the hot keys.
HGLOBAL TakeCapture(HWND main);
