// The system's colour chooser, as the suite's dialogs use it (the folder
// browser is BrowseForFolder in windowutil.h).
#pragma once
#include <windows.h>

#include <string>

// The colour chooser, fully open, starting on `*colour` (custom colours all
// white). True with the chosen colour; false (colour unchanged) on Cancel.
bool PickColour(HWND owner, COLORREF *colour);
