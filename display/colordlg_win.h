// The colour information dialog (432): a colour's red, green and blue, its
// HTML form and a swatch.
#pragma once
#include <windows.h>

void ShowColorInfo(HWND owner, HINSTANCE instance, COLORREF color);
