// Helpers of the desktop dialog tests: the fixture program and library, a
// chooser that stands in for the open-file dialog, and pixel probes.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "common/handles.h"
#include "desktop/pickers.h"
#include "tests/common/testutil_win.h"
#include "tests/iconres/host_win.h"

// Colours of fixture icons 0..6 (0xRRGGBB), as tools/make_desktop_art.py draws them.
const uint32_t kFixtureColours[7] = {0x1020C0, 0x20A030, 0xC03020, 0xD0B010, 0x8020A0, 0x10B0B0, 0x604020};

inline std::string BinFolder() {
    char buf[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, buf, MAX_PATH);
    std::string exe(buf, n);
    return exe.substr(0, exe.find_last_of('\\'));
}
inline std::string SevenIconsDll() { return BinFolder() + "\\desk_seven_icons.dll"; }
inline std::string ThreeCursorsExe() { return BinFolder() + "\\desk_three_cursors.exe"; }

// Answers the open-file dialog with a prepared path (empty: Cancel) and
// keeps what the dialog was asked.
struct ChooserCall {
    std::string title, firstFilter, defExt;
    DWORD flags = 0;
    DWORD maxFile = 0;
    int calls = 0;
};
inline std::string &NextPick() {
    static std::string path;
    return path;
}
inline ChooserCall &LastChooserCall() {
    static ChooserCall call;
    return call;
}
inline BOOL WINAPI FakeChooser(OPENFILENAMEA *ofn) {
    ChooserCall &c = LastChooserCall();
    ++c.calls;
    c.title = ofn->lpstrTitle ? ofn->lpstrTitle : "";
    c.firstFilter = ofn->lpstrFilter ? ofn->lpstrFilter : "";
    c.defExt = ofn->lpstrDefExt ? ofn->lpstrDefExt : "";
    c.flags = ofn->Flags;
    c.maxFile = ofn->nMaxFile;
    if (NextPick().empty()) return FALSE;
    lstrcpynA(ofn->lpstrFile, NextPick().c_str(), (int)ofn->nMaxFile);
    std::string title = NextPick().substr(NextPick().find_last_of('\\') + 1);
    if (ofn->lpstrFileTitle) lstrcpynA(ofn->lpstrFileTitle, title.c_str(), (int)ofn->nMaxFileTitle);
    return TRUE;
}
class ChooserScope {
public:
    explicit ChooserScope(const std::string &path) {
        NextPick() = path;
        LastChooserCall() = ChooserCall();
        previous_ = SetOpenFileChooser(FakeChooser);
    }
    ~ChooserScope() { SetOpenFileChooser(previous_); }
    void Pick(const std::string &path) { NextPick() = path; }

private:
    OpenFileChooser previous_;
};

// Centre colour of image i of an image list, drawn at 32 x 32 (0xRRGGBB).
inline uint32_t ImageCentreColour(HIMAGELIST images, int i) {
    UniqueIcon icon(ImageList_GetIcon(images, i, ILD_NORMAL));
    return icon ? DrawnCentreColour(icon.get()) : 0xFFFFFFFF;
}

inline std::string ControlText(HWND dialog, int id) {
    char buf[512] = "";
    GetDlgItemTextA(dialog, id, buf, sizeof buf);
    return buf;
}

// Saves a screenshot of the window as test-output\screenshots\<name>.bmp.
inline void Shoot(HWND window, const std::string &name) {
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_ERASE);
    MSG msg;
    for (int i = 0; i < 20; ++i) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
    SaveWindowShot(window, TestOutputDir("screenshots") + "\\" + name + ".bmp");
}
