// Helpers of the desktop dialog tests: a modal dialog run with a script that
// drives it from inside its own loop, the registry isolated for one scope,
// and small readers of controls and registry values.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <cstring>
#include <string>

#include "common/handles.h"
#include "common/seams.h"
#include "tests/common/testutil_win.h"

namespace deskdrv {

inline std::function<void(HWND)> &Script() {
    static std::function<void(HWND)> script;
    return script;
}
inline HWND &Seen() {
    static HWND seen;
    return seen;
}

// Runs the script once a visible "Glyphery" dialog is up. A script that does
// not end the dialog gets it cancelled, so a test never hangs.
inline void CALLBACK RunScript(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = FindWindowA("#32770", "Glyphery");
    if (!dialog || !IsWindowVisible(dialog)) return;
    KillTimer(nullptr, id);
    Seen() = dialog;
    std::function<void(HWND)> script;
    script.swap(Script());
    script(dialog);
    if (IsWindow(dialog) && IsWindowVisible(dialog)) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

// Opens the dialog with show() and runs script inside it; returns the
// dialog's result. Seen() is the dialog the script drove (null if none).
inline INT_PTR RunModal(const std::function<INT_PTR()> &show, std::function<void(HWND)> script) {
    Script() = std::move(script);
    Seen() = nullptr;
    UINT_PTR timer = SetTimer(nullptr, 0, 50, RunScript);
    INT_PTR result = show();
    KillTimer(nullptr, timer);
    return result;
}

// HKCU, HKLM and HKCR mapped onto a scratch key for one scope.
class IsolatedRegistry {
public:
    explicit IsolatedRegistry(const char *name) : name_(name) { ok_ = IsolateRegistry(name); }
    ~IsolatedRegistry() { RestoreRegistry(name_.c_str()); }
    bool ok() const { return ok_; }

private:
    std::string name_;
    bool ok_;
};

inline std::string Text(HWND dialog, int id) {
    char buf[1024] = {0};
    GetDlgItemTextA(dialog, id, buf, sizeof buf);
    return buf;
}

inline void Click(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

inline void SetString(HKEY root, const char *key, const char *name, const std::string &value) {
    HKEY k = nullptr;
    if (RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr) != ERROR_SUCCESS) return;
    RegSetValueExA(k, name, 0, REG_SZ, (const BYTE *)value.c_str(), (DWORD)value.size() + 1);
    RegCloseKey(k);
}

inline void SetDword(HKEY root, const char *key, const char *name, DWORD value) {
    HKEY k = nullptr;
    if (RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr) != ERROR_SUCCESS) return;
    RegSetValueExA(k, name, 0, REG_DWORD, (const BYTE *)&value, sizeof value);
    RegCloseKey(k);
}

// A value as stored: its type and its bytes. type is REG_NONE when absent.
struct StoredValue {
    DWORD type = REG_NONE;
    std::string bytes;
    std::string text() const { return std::string(bytes.c_str()); }
    DWORD number() const {
        DWORD d = 0;
        if (bytes.size() >= sizeof d) memcpy(&d, bytes.data(), sizeof d);
        return d;
    }
};
inline StoredValue Read(HKEY root, const char *key, const char *name) {
    StoredValue v;
    HKEY k = nullptr;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &k) != ERROR_SUCCESS) return v;
    char buf[2048];
    DWORD size = sizeof buf, type = 0;
    if (RegQueryValueExA(k, name, nullptr, &type, (BYTE *)buf, &size) == ERROR_SUCCESS) {
        v.type = type;
        v.bytes.assign(buf, size);
    }
    RegCloseKey(k);
    return v;
}

inline std::string ClassOf(HWND window) {
    char cls[64] = {0};
    GetClassNameA(window, cls, sizeof cls);
    return cls;
}

// The client size of a dialog in dialog units' pixels, for checking a
// template's size.
inline bool ClientIsDialogUnits(HWND dialog, int cx, int cy) {
    RECT r, units = {0, 0, cx, cy};
    GetClientRect(dialog, &r);
    MapDialogRect(dialog, &units);
    return r.right == units.right && r.bottom == units.bottom;
}

}  // namespace deskdrv

namespace deskdrv {

// Records the help requests made through the seam.
struct HelpCall {
    std::string file;
    UINT command = 0;
    ULONG_PTR data = 0;
    int count = 0;
};
inline HelpCall &LastHelp() {
    static HelpCall call;
    return call;
}
inline BOOL WINAPI RecordHelp(HWND, LPCSTR file, UINT command, ULONG_PTR data) {
    HelpCall &c = LastHelp();
    c.file = file ? file : "";
    c.command = command;
    c.data = data;
    ++c.count;
    return TRUE;
}
class HelpRecorder {
public:
    HelpRecorder() {
        LastHelp() = HelpCall();
        old_ = SetHelpOpener(RecordHelp);
    }
    ~HelpRecorder() { SetHelpOpener(old_); }
    const HelpCall &last() const { return LastHelp(); }

private:
    HelpOpener old_;
};

}  // namespace deskdrv

namespace deskdrv {
// Paints the dialog and all its controls now, then keeps its picture under
// test-output\screenshots.
inline bool Shot(HWND dialog, const char *name) {
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    // The platform may hand what was drawn to the screen a little later.
    for (int i = 0; i < 10; ++i) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(20);
    }
    return SaveWindowShot(dialog, TestOutputDir("screenshots") + "\\" + name);
}
}  // namespace deskdrv
