// The panel's place beside the browser's controls, its toolbar and its tool
// tips, and the relabelled browser.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>

#include "conversion/formatset.h"
#include "shell/mainwindow.h"
#include "shell/resource.h"

namespace {

// Controls that keep their size when the panel widens: they move with the
// point the design placed their centre on.
bool KeepsItsSize(int id) {
    switch (id) {
    case IDC_PROGRAM_ICON:
    case IDC_CONVERT:
    case IDC_CUSTOM_SPIN:
    case IDC_SWATCH:
    case IDC_COLOR:
    case IDC_TEST:
    case IDC_TARGET_BROWSE:
    case IDC_CUSTOM_SIZE:
        return true;
    }
    return false;
}

RECT ChildRect(HWND child, HWND relativeTo) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, relativeTo, reinterpret_cast<POINT *>(&r), 2);
    return r;
}

// The horizontal span the browser's own controls use, in its client
// coordinates: from its "File name:" label to the right edge of its buttons.
bool BrowserSpan(HWND browser, int *left, int *right) {
    HWND label = GetDlgItem(browser, stc3), ok = GetDlgItem(browser, IDOK);
    if (!label || !ok) return false;
    *left = ChildRect(label, browser).left;
    *right = ChildRect(ok, browser).right;
    return *right > *left;
}

struct EnumContext {
    HWND panel;
    int designLeft, designRight, left, right;
};

BOOL CALLBACK PlaceControl(HWND child, LPARAM param) {
    const EnumContext &c = *reinterpret_cast<EnumContext *>(param);
    if (GetParent(child) != c.panel) return TRUE;
    int id = GetDlgCtrlID(child);
    if (id == IDC_TOOLBAR || id == IDC_CUSTOM_SPIN) return TRUE;  // placed apart; the spin follows its buddy
    RECT r = ChildRect(child, c.panel);
    int designSpan = c.designRight - c.designLeft, span = c.right - c.left;
    auto map = [&](int x) { return c.left + MulDiv(x - c.designLeft, span, designSpan); };
    int width = r.right - r.left, x;
    if (KeepsItsSize(id)) {
        x = map((r.left + r.right) / 2) - width / 2;
    } else {
        x = map(r.left);
        width = map(r.right) - x;
    }
    SetWindowPos(child, nullptr, x, r.top, width, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

bool IsWindowsXp() {
    OSVERSIONINFOA v = {};
    v.dwOSVersionInfoSize = sizeof(v);
    return GetVersionExA(&v) && v.dwMajorVersion == 5 && v.dwMinorVersion == 1;
}

}  // namespace

void LayOutPanel(HWND panel, HWND browser) {
    RECT client;
    GetClientRect(browser, &client);
    RECT panelRect = ChildRect(panel, browser);
    // The panel spans the browser's width, under its controls.
    SetWindowPos(panel, nullptr, 0, panelRect.top, client.right, panelRect.bottom - panelRect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);

    // The design's margins (dialog units 6 and 274) meet the browser's span;
    // the panel never narrows below its design.
    RECT design = {6, 0, 274, 0};
    MapDialogRect(panel, &design);
    EnumContext c = {panel, design.left, design.right, design.left, design.right};
    int left, right;
    if (BrowserSpan(browser, &left, &right) && right - left > design.right - design.left) {
        c.left = left;
        c.right = right;
    }
    EnumChildWindows(panel, PlaceControl, reinterpret_cast<LPARAM>(&c));
    // The custom size's arrows sit on the right of their field again.
    HWND spin = GetDlgItem(panel, IDC_CUSTOM_SPIN);
    SendMessageA(spin, UDM_SETBUDDY, (WPARAM)GetDlgItem(panel, IDC_CUSTOM_SIZE), 0);

    // The toolbar takes the design's top row, above the hint (design y 20):
    // the browser may have moved the panel's controls down under its own.
    MainWindowState &w = MainWindow();
    if (w.toolbar) {
        RECT hint = ChildRect(GetDlgItem(panel, IDC_PANEL_HINT), panel), top = {0, 0, 0, 20};
        MapDialogRect(panel, &top);
        DWORD size = (DWORD)SendMessageA(w.toolbar, TB_GETBUTTONSIZE, 0, 0);
        int height = HIWORD(size) + 4;
        int y = hint.top - top.bottom + (top.bottom - height) / 2;
        SetWindowPos(w.toolbar, HWND_TOP, c.left - 4, y < 0 ? 0 : y, c.right - c.left + 4, height, SWP_NOACTIVATE);
    }

    // The browser grows to show the whole panel under its menu.
    panelRect = ChildRect(panel, browser);
    GetClientRect(browser, &client);
    if (panelRect.bottom > client.bottom) {
        RECT outer;
        GetWindowRect(browser, &outer);
        SetWindowPos(browser, nullptr, 0, 0, outer.right - outer.left,
                     outer.bottom - outer.top + panelRect.bottom - client.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void RelabelBrowser(HWND browser, HINSTANCE instance) {
    SendMessageA(browser, CDM_SETCONTROLTEXT, stc4, (LPARAM)LoadText(instance, IDS_LOOK_IN).c_str());
    SendMessageA(browser, CDM_SETCONTROLTEXT, stc3, (LPARAM)LoadText(instance, IDS_FILE_NAME).c_str());
    SendMessageA(browser, CDM_SETCONTROLTEXT, stc2, (LPARAM)LoadText(instance, IDS_FILE_TYPE).c_str());
}

HWND CreateMainToolbar(HWND panel, HINSTANCE instance) {
    // Image indexes of the strip.
    enum { kFavorites = 0, kSetup = 1, kXp = 2, kCapture = 3, kAcquire = 4, kHelp = 5, kQuit = 6 };
    TBBUTTON buttons[12] = {};
    int n = 0;
    auto separator = [&]() { buttons[n++].fsStyle = BTNS_SEP; };
    auto button = [&](int image, int command, BYTE style) {
        TBBUTTON &b = buttons[n++];
        b.iBitmap = image;
        b.idCommand = command;
        b.fsState = TBSTATE_ENABLED;
        b.fsStyle = style;
    };
    separator();
    button(kFavorites, IDM_FILTER_A, BTNS_BUTTON);
    separator();
    button(kSetup, IDM_SETUP, BTNS_BUTTON);
    button(kXp, IDM_XP_BUTTON, BTNS_CHECK);
    separator();
    button(kCapture, IDM_CAPTURE, BTNS_BUTTON);
    button(kAcquire, IDM_ACQUIRE_BUTTON, BTNS_DROPDOWN);
    separator();
    if (IsWindowsXp()) button(kHelp, IDM_HELP, BTNS_BUTTON);
    button(kQuit, IDM_QUIT, BTNS_BUTTON);
    return CreateStripToolbar(panel, instance, IDC_TOOLBAR, IDB_TOOLBAR, 13, buttons, n, TBSTYLE_EX_DRAWDDARROWS);
}

HWND CreatePanelTooltips(HWND panel, HINSTANCE instance, bool active) {
    static const ControlTip kTips[] = {
        {IDC_CONVERT, IDS_TIP_CONVERT},
        {IDC_CUSTOM_SIZE, IDS_TIP_CUSTOM},
        {IDC_TARGET, IDS_TIP_TARGET},
        {IDC_PROGRAM_ICON, IDS_TIP_ICON},
    };
    return CreateControlTips(panel, instance, kTips, sizeof kTips / sizeof kTips[0], active);
}

namespace {
bool g_xpPressed = false;
}

bool XpButtonPressed() { return g_xpPressed; }

void SetXpFormatState(HWND panel, bool pressed, bool indeterminate) {
    MainWindowState &w = MainWindow();
    g_xpPressed = pressed && !indeterminate;
    BYTE state = TBSTATE_ENABLED;
    if (g_xpPressed) state |= TBSTATE_CHECKED;
    if (indeterminate) state = TBSTATE_INDETERMINATE;
    if (w.toolbar) SendMessageA(w.toolbar, TB_SETSTATE, IDM_XP_BUTTON, MAKELPARAM(state, 0));
    if (w.menu) CheckMenuItem(w.menu, IDM_XP_FORMAT, MF_BYCOMMAND | (g_xpPressed ? MF_CHECKED : MF_UNCHECKED));
}
