// More helpers of the desktop dialog tests, over those of desk_test.h: a
// modal dialog run with a script that drives it from inside its own loop and
// is cancelled if the script leaves it open, the registry isolated for one
// scope, help requests recorded for one scope, and readers of values, images
// and controls.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "common/handles.h"
#include "common/seams.h"
#include "tests/common/testutil_win.h"
#include "tests/desktop/desk_test.h"

namespace deskdrv {

inline std::function<void(HWND)> &Script() {
    static std::function<void(HWND)> script;
    return script;
}

// Runs the script once a visible "Glyphery" dialog is up. A script that does
// not end the dialog gets it cancelled, so a test never hangs.
inline void CALLBACK RunScript(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = FindOwnWindow("#32770", "Glyphery");
    if (!dialog || !IsWindowVisible(dialog)) return;
    KillTimer(nullptr, id);
    std::function<void(HWND)> script;
    script.swap(Script());
    script(dialog);
    if (IsWindow(dialog) && IsWindowVisible(dialog)) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

// Opens the dialog with show() and runs script inside it; returns the
// dialog's result.
inline INT_PTR RunModal(const std::function<INT_PTR()> &show, std::function<void(HWND)> script) {
    Script() = std::move(script);
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

// Help requests through the seam, recorded for one scope.
class HelpRecorder {
public:
    HelpRecorder() {
        HelpCalls().clear();
        old_ = SetHelpOpener(RecordHelp);
    }
    ~HelpRecorder() { SetHelpOpener(old_); }
    HelpCall last() const { return HelpCalls().empty() ? HelpCall{"", 0, 0} : HelpCalls().back(); }

private:
    HelpOpener old_;
};

inline void Click(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

inline std::string ClassOf(HWND window) {
    char cls[64] = {0};
    GetClassNameA(window, cls, sizeof cls);
    return cls;
}

inline void SetDword(HKEY root, const char *key, const char *name, DWORD value) {
    HKEY k = nullptr;
    if (RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr) != ERROR_SUCCESS) return;
    UniqueRegKey owner(k);
    RegSetValueExA(k, name, 0, REG_DWORD, (const BYTE *)&value, sizeof value);
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
    DWORD type = REG_NONE;
    if (RawValue(root, key, name, &v.bytes, &type)) v.type = type;
    return v;
}

// The pixels of image i of a 16 x 16 image list, drawn on white.
inline std::vector<COLORREF> SmallImagePixels(HIMAGELIST list, int image) {
    WindowDC screen(nullptr);
    UniqueMemDC dc(CreateCompatibleDC(screen.get()));
    UniqueBitmap bmp(CreateCompatibleBitmap(screen.get(), 16, 16));
    SelectObjectScope sel(dc.get(), bmp.get());
    RECT r = {0, 0, 16, 16};
    FillRect(dc.get(), &r, (HBRUSH)GetStockObject(WHITE_BRUSH));
    ImageList_Draw(list, image, dc.get(), 0, 0, ILD_NORMAL);
    std::vector<COLORREF> px;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) px.push_back(GetPixel(dc.get(), x, y));
    return px;
}

// The same for an icon, put through an image list made with flags.
inline std::vector<COLORREF> SmallIconPixels(HICON icon, UINT flags) {
    HIMAGELIST list = ImageList_Create(16, 16, flags, 1, 1);
    ImageList_ReplaceIcon(list, -1, icon);
    std::vector<COLORREF> px = SmallImagePixels(list, 0);
    ImageList_Destroy(list);
    return px;
}

}  // namespace deskdrv
