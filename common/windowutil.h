// Small helpers for the suite's dialogs.
#pragma once
#include <windows.h>

#include <string>

// Moves a window (without resizing it) to the centre of the screen's work area.
void CentreOnScreen(HWND window);

// A string of a module's string table, in the user interface language ("" when absent).
std::string LoadText(HINSTANCE instance, UINT id);
