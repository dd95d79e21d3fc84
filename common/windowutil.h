// Small helpers for the suite's dialogs.
#pragma once
#include <windows.h>

#include <string>

// Moves a window (without resizing it) to the centre of the screen's work area.
void CentreOnScreen(HWND window);

// The shell's folder browser (file-system folders only) owned by `owner`,
// titled `title`, opened on `start` when it names a folder. True with the
// chosen folder's path; false when the user cancels.
bool BrowseForFolderPath(HWND owner, const std::string &title, const std::string &start, std::string *path);

// A string of a module's string table, in the user interface language ("" when absent).
std::string LoadText(HINSTANCE instance, UINT id);

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
