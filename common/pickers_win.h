// The system's folder browser and colour chooser, as the suite's dialogs use
// them.
#pragma once
#include <windows.h>

#include <string>

// The shell's folder browser, file-system folders only, opened on `start`
// when it names a folder. True with the chosen folder's path; false when the
// user cancels or picks something that is not a folder of the file system.
bool PickFolder(HWND owner, const char *title, const char *start, std::string *chosen);

// The colour chooser, fully open, starting on `*colour` (custom colours all
// white). True with the chosen colour; false (colour unchanged) on Cancel.
bool PickColour(HWND owner, COLORREF *colour);
