#include "tests/shell/dialog_driver.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <utility>

#include "common/handles.h"
#include "tests/common/testutil_win.h"

namespace {

std::function<void(HWND)> g_script;
std::string g_title;
HWND g_nestedOwner = nullptr;
std::function<void(HWND)> g_nestedScript;

void CALLBACK RunScript(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = FindOwnWindow("#32770", g_title.c_str());
    if (!dialog || !IsWindowVisible(dialog)) return;
    KillTimer(nullptr, id);
    std::function<void(HWND)> script;
    script.swap(g_script);
    script(dialog);
    // EndDialog hides the dialog at once; one still shown was left open.
    if (IsWindow(dialog) && IsWindowVisible(dialog)) EndDialog(dialog, -1);
}

struct OwnedSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK FindOwned(HWND window, LPARAM data) {
    OwnedSearch *search = (OwnedSearch *)data;
    char cls[16] = {0};
    GetClassNameA(window, cls, sizeof cls);
    if (GetWindow(window, GW_OWNER) == search->owner && IsWindowVisible(window) && !strcmp(cls, "#32770")) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK RunNestedScript(HWND, UINT, UINT_PTR id, DWORD) {
    OwnedSearch search = {g_nestedOwner, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), FindOwned, (LPARAM)&search);
    if (!search.found) return;
    KillTimer(nullptr, id);
    std::function<void(HWND)> script;
    script.swap(g_nestedScript);
    script(search.found);
    if (IsWindow(search.found) && IsWindowVisible(search.found))
        PostMessageA(search.found, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

}  // namespace

INT_PTR RunDialog(const std::function<INT_PTR()> &show, std::function<void(HWND)> script, const char *title) {
    g_script = std::move(script);
    g_title = title;
    SetTimer(nullptr, 0, 50, RunScript);
    return show();
}

void OnNextOwnedDialog(HWND owner, std::function<void(HWND)> script) {
    g_nestedOwner = owner;
    g_nestedScript = std::move(script);
    SetTimer(nullptr, 0, 100, RunNestedScript);
}

std::string ItemText(HWND dialog, int id) {
    char buf[1024] = {0};
    GetDlgItemTextA(dialog, id, buf, sizeof buf);
    return buf;
}

void Click(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

namespace {

// The thread's user-interface language calls are newer than the headers the
// suite builds against: found at run time.
typedef LANGID(WINAPI *GetUiLanguage)();
typedef LANGID(WINAPI *SetUiLanguage)(LANGID);

FARPROC Kernel32(const char *name) { return GetProcAddress(GetModuleHandleA("kernel32.dll"), name); }

}  // namespace

UiLanguageScope::UiLanguageScope(LANGID language) : oldUi_(0), oldLocale_(GetThreadLocale()) {
    GetUiLanguage get = (GetUiLanguage)Kernel32("GetThreadUILanguage");
    SetUiLanguage set = (SetUiLanguage)Kernel32("SetThreadUILanguage");
    if (get) oldUi_ = get();
    if (set) set(language);
    SetThreadLocale(MAKELCID(language, SORT_DEFAULT));
}

UiLanguageScope::~UiLanguageScope() {
    SetUiLanguage set = (SetUiLanguage)Kernel32("SetThreadUILanguage");
    if (set && oldUi_) set(oldUi_);
    SetThreadLocale(oldLocale_);
}

namespace {

struct Control {
    HWND window;
    int id;
    std::string cls, text;
    LONG style;
    RECT rect;  // in the dialog's client coordinates
};

BOOL CALLBACK CollectChild(HWND child, LPARAM data) {
    std::vector<Control> *controls = (std::vector<Control> *)data;
    if (!IsWindowVisible(child)) return TRUE;
    Control c;
    c.window = child;
    c.id = GetDlgCtrlID(child);
    char buf[512] = {0};
    GetClassNameA(child, buf, sizeof buf);
    c.cls = buf;
    buf[0] = 0;
    GetWindowTextA(child, buf, sizeof buf);
    c.text = buf;
    c.style = GetWindowLongA(child, GWL_STYLE);
    GetWindowRect(child, &c.rect);
    MapWindowPoints(nullptr, GetParent(child), (POINT *)&c.rect, 2);
    controls->push_back(c);
    return TRUE;
}

bool IsGroupBox(const Control &c) { return c.cls == "Button" && (c.style & BS_TYPEMASK) == BS_GROUPBOX; }

// An up-down aligned to its box covers the box's border, as the system places it.
bool IsBuddyOf(const Control &upDown, const Control &box) {
    return upDown.cls == "msctls_updown32" && (HWND)SendMessageA(upDown.window, UDM_GETBUDDY, 0, 0) == box.window;
}

// The room the control's own decoration takes beside its text.
int Decoration(const Control &c) {
    if (c.cls != "Button") return 0;
    LONG type = c.style & BS_TYPEMASK;
    if (type == BS_AUTOCHECKBOX || type == BS_CHECKBOX || type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON)
        return GetSystemMetrics(SM_CXMENUCHECK) + 4;
    return 6;  // a push button's frame
}

// The size the control's text needs at the control's width (wrapping statics
// wrap; everything else stays on one line).
SIZE Needed(const Control &c, HWND dialog) {
    WindowDC dc(c.window);
    HFONT font = (HFONT)SendMessageA(c.window, WM_GETFONT, 0, 0);
    SelectObjectScope select(dc.get(), font ? (HGDIOBJ)font : GetStockObject(DEFAULT_GUI_FONT));
    bool wraps = c.cls == "Static" && (c.style & SS_TYPEMASK) <= SS_RIGHT;
    RECT r = {0, 0, c.rect.right - c.rect.left, 0};
    UINT flags = DT_CALCRECT | (wraps ? DT_WORDBREAK : DT_SINGLELINE);
    DrawTextA(dc.get(), c.text.c_str(), -1, &r, flags);
    return {r.right - r.left + Decoration(c), r.bottom - r.top};
}

bool Inside(const RECT &inner, const RECT &outer) {
    return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
           inner.bottom <= outer.bottom;
}

}  // namespace

std::vector<std::string> LayoutProblems(HWND dialog) {
    std::vector<Control> controls;
    EnumChildWindows(dialog, CollectChild, (LPARAM)&controls);
    std::vector<std::string> problems;
    char line[700];
    RECT client;
    GetClientRect(dialog, &client);
    for (const Control &c : controls) {
        if (!Inside(c.rect, client)) {
            snprintf(line, sizeof line, "control %d lies outside the dialog", c.id);
            problems.push_back(line);
        }
        bool labelled = (c.cls == "Static" && (c.style & SS_TYPEMASK) <= SS_RIGHT) ||
                        (c.cls == "Button" && !IsGroupBox(c) && !(c.style & (BS_ICON | BS_BITMAP)));
        if (!labelled || c.text.empty()) continue;
        SIZE need = Needed(c, dialog);
        LONG width = c.rect.right - c.rect.left, height = c.rect.bottom - c.rect.top;
        if (need.cx > width || need.cy > height) {
            snprintf(line, sizeof line, "control %d \"%s\" needs %ldx%ld, has %ldx%ld", c.id, c.text.c_str(),
                     (long)need.cx, (long)need.cy, (long)width, (long)height);
            problems.push_back(line);
        }
    }
    for (size_t i = 0; i < controls.size(); ++i) {
        for (size_t j = i + 1; j < controls.size(); ++j) {
            const Control &a = controls[i], &b = controls[j];
            if (IsGroupBox(a) || IsGroupBox(b)) continue;  // a group box frames others
            if (IsBuddyOf(a, b) || IsBuddyOf(b, a)) continue;
            RECT overlap;
            if (IntersectRect(&overlap, &a.rect, &b.rect)) {
                snprintf(line, sizeof line, "controls %d and %d overlap", a.id, b.id);
                problems.push_back(line);
            }
        }
    }
    return problems;
}

bool SaveShot(HWND dialog, const std::string &name) {
    // Let the display catch up with a dialog that has only just been shown.
    for (int i = 0; i < 5; ++i) {
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        GdiFlush();
        Sleep(40);
    }
    return SaveWindowShot(dialog, TestOutputDir("screenshots") + "\\" + name + ".bmp");
}
