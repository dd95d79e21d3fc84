// Small helpers for the suite's dialogs.
#pragma once
#include <windows.h>

// Moves a window (without resizing it) to the centre of the screen's work area.
void CentreOnScreen(HWND window);
