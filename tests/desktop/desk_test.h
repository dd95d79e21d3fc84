// Helpers of the desktop dialog tests: the fixture program and library, a
// chooser that stands in for the open-file dialog, and pixel probes.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

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

// Registry helpers for the dialog tests (under IsolateRegistry).
inline bool SetString(HKEY root, const std::string &key, const char *name, const std::string &text,
                      DWORD type = REG_SZ) {
    HKEY k = nullptr;
    if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr) != ERROR_SUCCESS)
        return false;
    UniqueRegKey owner(k);
    if (!name) return true;  // the key only
    return RegSetValueExA(k, name, 0, type, (const BYTE *)text.c_str(), (DWORD)text.size() + 1) == ERROR_SUCCESS;
}
inline bool CreateKey(HKEY root, const std::string &key) { return SetString(root, key, nullptr, ""); }

// The stored bytes of a value; false when it is absent.
inline bool RawValue(HKEY root, const std::string &key, const char *name, std::string *bytes,
                     DWORD *type = nullptr) {
    HKEY k = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
    UniqueRegKey owner(k);
    DWORD t = 0, size = 0;
    if (RegQueryValueExA(k, name, nullptr, &t, nullptr, &size) != ERROR_SUCCESS) return false;
    std::string data(size, '\0');
    if (size && RegQueryValueExA(k, name, nullptr, &t, (BYTE *)&data[0], &size) != ERROR_SUCCESS) return false;
    data.resize(size);
    if (type) *type = t;
    *bytes = data;
    return true;
}

// Sends the list view's notification as a click on the ObjectList would.
inline void NotifyObjects(HWND dialog, UINT code) {
    NMITEMACTIVATE nm = {};
    nm.hdr.hwndFrom = GetDlgItem(dialog, 1398);
    nm.hdr.idFrom = 1398;
    nm.hdr.code = code;
    nm.iItem = -1;
    SendMessageA(dialog, WM_NOTIFY, 1398, (LPARAM)&nm);
}
inline void FocusRow(HWND dialog, int row) {
    LVITEMA state = {};
    state.stateMask = state.state = LVIS_FOCUSED | LVIS_SELECTED;
    SendDlgItemMessageA(dialog, 1398, LVM_SETITEMSTATE, (WPARAM)row, (LPARAM)&state);
}
inline void SelectEntry(HWND dialog, int entry) { SendDlgItemMessageA(dialog, 1209, LB_SETCURSEL, (WPARAM)entry, 0); }
inline std::string RowLabel(HWND dialog, int row) {
    char text[128] = "";
    LVITEMA item = {};
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendDlgItemMessageA(dialog, 1398, LVM_GETITEMTEXTA, (WPARAM)row, (LPARAM)&item);
    return text;
}
inline int RowCount(HWND dialog) { return (int)SendDlgItemMessageA(dialog, 1398, LVM_GETITEMCOUNT, 0, 0); }

// The client area a template of w x h dialog units gets.
inline void ExpectDialogUnits(HWND dialog, int w, int h) {
    RECT units = {0, 0, w, h};
    MapDialogRect(dialog, &units);
    RECT client;
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, units.right);
    EXPECT_EQ(client.bottom, units.bottom);
}

// Records the help requests.
struct HelpCall {
    std::string file;
    UINT command;
    ULONG_PTR data;
};
inline std::vector<HelpCall> &HelpCalls() {
    static std::vector<HelpCall> calls;
    return calls;
}
inline BOOL WINAPI RecordHelp(HWND, LPCSTR file, UINT command, ULONG_PTR data) {
    HelpCalls().push_back({file ? file : "", command, data});
    return TRUE;
}

// Runs f on the dialog's thread once a window holding control `id` shows up
// (a modal dialog started after this call), through a thread timer the
// modal loop dispatches.
inline std::function<void(HWND)> &PendingModalAction() {
    static std::function<void(HWND)> action;
    return action;
}
inline int &PendingModalControl() {
    static int id;
    return id;
}
inline BOOL CALLBACK FindModal(HWND window, LPARAM found) {
    if (IsWindowVisible(window) && GetDlgItem(window, PendingModalControl())) {
        *(HWND *)found = window;
        return FALSE;
    }
    return TRUE;
}
inline void CALLBACK ModalTimer(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindModal, (LPARAM)&found);
    if (!found || !PendingModalAction()) return;
    KillTimer(nullptr, timer);
    std::function<void(HWND)> action = PendingModalAction();
    PendingModalAction() = nullptr;
    action(found);
}
inline void WhenModalShows(int controlId, const std::function<void(HWND)> &action) {
    PendingModalControl() = controlId;
    PendingModalAction() = action;
    SetTimer(nullptr, 0, 50, ModalTimer);
}

// A desktop dialog created from its template with its real procedure (help
// requests recorded), and the user's gestures on it.
class DeskDialogTest : public ::testing::Test {
protected:
    static constexpr const char *kHelpFile = "C:\\Glyphery\\Glypherye.hlp";
    void SetUp() override {
        previousHelp_ = SetHelpOpener(RecordHelp);
        HelpCalls().clear();
    }
    void TearDown() override {
        if (dialog_) DestroyWindow(dialog_);
        dialog_ = nullptr;
        SetHelpOpener(previousHelp_);
    }
    HWND OpenDialog(int templateId, DLGPROC proc) {
        if (dialog_) DestroyWindow(dialog_);
        dialog_ = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), nullptr, proc,
                                     (LPARAM)kHelpFile);
        return dialog_;
    }
    // The File command, the open-file dialog answering with path.
    void Pick(const std::string &path) {
        ChooserScope chooser(path);
        Command(1389);
    }
    void Assign(int row, int entry) {
        FocusRow(dialog_, row);
        SelectEntry(dialog_, entry);
        NotifyObjects(dialog_, NM_DBLCLK);
    }
    void Command(int id) { SendMessageA(dialog_, WM_COMMAND, (WPARAM)id, 0); }

    HWND dialog_ = nullptr;
    HelpOpener previousHelp_ = nullptr;
};
