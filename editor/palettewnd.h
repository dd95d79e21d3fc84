// The PaletteWindow (dialog 145): the 48 colour cells, in a tool window the
// frame owns. Its place is kept in the settings with the crossed names.
#pragma once
#include <windows.h>

#include "editor/settings.h"

// Creates the window over `frame` at the stored place (left `y_palette`, top
// `x_palette`) and shows it, without activating it, when `Palette` is set.
HWND CreatePaletteWindow(HINSTANCE instance, HWND frame, const EditorSettings &settings);
// Shows (without activation) or hides it.
void ShowPaletteWindow(HWND palette, bool show);
// Its screen place, for storing on close.
ScreenPoint PaletteWindowPlace(HWND palette);
