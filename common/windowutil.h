// Small helpers for the suite's dialogs.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

// Moves a window (without resizing it) to the centre of the screen's work area.
void CentreOnScreen(HWND window);

// A flat toolbar of 16 x 16 buttons with tool tips, control `id` of `parent`
// (placed by the caller), its `images` images taken from the bitmap resource
// `bitmap` of `instance`, and `count` buttons added. Null when it cannot be made.
HWND CreateStripToolbar(HWND parent, HINSTANCE instance, int id, UINT bitmap, int images, const TBBUTTON *buttons,
                        int count, DWORD extendedStyle = 0);

// A string of a module's string table, in the user interface language ("" when absent).
std::string LoadText(HINSTANCE instance, UINT id);

// The shell's folder browser (file-system folders only), titled `title`,
// starting on `start` when it names a folder, rooted at the special folder
// `rootCsidl` (a CSIDL_ value; -1 for the whole namespace). True with the
// chosen folder's path; false when the user cancels.
bool BrowseForFolder(HWND owner, const std::string &title, const std::string &start, int rootCsidl,
                     std::string *chosen);
