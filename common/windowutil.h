// Small helpers for the suite's dialogs.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

// Moves a window (without resizing it) to the centre of the screen's work area.
void CentreOnScreen(HWND window);
// Centres a window over its owner (over the work area when it has none).
void CentreOnOwner(HWND window);

// One button of a toolbar strip: image `image` of the strip, command
// `command`; a separator with TBSTYLE_SEP and no state.
inline TBBUTTON ToolbarButton(int image, int command, BYTE style = TBSTYLE_BUTTON, BYTE state = TBSTATE_ENABLED) {
    TBBUTTON b = {};
    b.iBitmap = image;
    b.idCommand = command;
    b.fsState = state;
    b.fsStyle = style;
    return b;
}
inline TBBUTTON ToolbarSeparator() { return ToolbarButton(0, 0, TBSTYLE_SEP, 0); }

// A flat toolbar of 16 x 16 buttons with tool tips, control `id` of `parent`
// (placed by the caller), its `images` images taken from the bitmap resource
// `bitmap` of `instance`, and `count` buttons added. Null when it cannot be made.
HWND CreateStripToolbar(HWND parent, HINSTANCE instance, int id, UINT bitmap, int images, const TBBUTTON *buttons,
                        int count, DWORD extendedStyle = 0);

// One tool tip of a dialog's control: the control's id and the string id of its text.
struct ControlTip {
    int control;
    UINT text;
};
// A tool tip control for the dialog's controls (texts from `instance`'s
// string table), active as asked. Null when it cannot be made.
HWND CreateControlTips(HWND dialog, HINSTANCE instance, const ControlTip *tips, size_t count, bool active);

// A string of a module's string table, in the user interface language ("" when absent).
std::string LoadText(HINSTANCE instance, UINT id);

// The shell's folder browser (file-system folders only), titled `title`,
// starting on `start` when it names a folder, rooted at the special folder
// `rootCsidl` (a CSIDL_ value; -1 for the whole namespace). True with the
// chosen folder's path; false when the user cancels.
bool BrowseForFolder(HWND owner, const std::string &title, const std::string &start, int rootCsidl,
                     std::string *chosen);

// A link static's font: the dialog's font at its height, in `face` (null:
// the dialog font's own face), bold and underlined as asked. The caller owns it.
HFONT CreateLinkFont(HWND dialog, const char *face, bool bold, bool underline);
// Makes a link static as wide as its text in `font`, so that the hand cursor
// and the click belong to the text only.
void FitLinkToText(HWND link, HFONT font);

// A static control (with SS_NOTIFY) that acts as a link: its text in `colour`
// on the button face, `cursor` over it (the arrow when null), and the shell's
// "open" on `address` when it is clicked.
struct LinkStatic {
    int id;
    COLORREF colour;
    HCURSOR cursor;
    const char *address;
};
// Handles a dialog's WM_CTLCOLORSTATIC, WM_SETCURSOR and WM_COMMAND for the
// link; false (result untouched) for everything else.
bool HandleLinkMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, const LinkStatic &link,
                       INT_PTR *result);

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
