// Small helpers for the suite's dialogs.
#pragma once
#include <windows.h>

#include <string>

// Moves a window (without resizing it) to the centre of the screen's work area.
void CentreOnScreen(HWND window);

// A string of a module's string table, in the user interface language ("" when absent).
std::string LoadText(HINSTANCE instance, UINT id);

// The shell's folder browser (file-system folders only), titled `title`,
// starting on `start` when it names a folder, rooted at the special folder
// `rootCsidl` (a CSIDL_ value; -1 for the whole namespace). True with the
// chosen folder's path; false when the user cancels.
bool BrowseForFolder(HWND owner, const std::string &title, const std::string &start, int rootCsidl,
                     std::string *chosen);

// The wait cursor for the life of the scope; the previous cursor comes back.
class WaitCursor {
public:
    WaitCursor() : old_(SetCursor(LoadCursorA(nullptr, (LPCSTR)IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(old_); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;

private:
    HCURSOR old_;
};
