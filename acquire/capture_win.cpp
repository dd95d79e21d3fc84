#include "acquire/capture_win.h"

#include <cstdio>
#include <cstdlib>

#include "acquire/resource.h"
#include "common/handles.h"
#include "common/help_win.h"
#include "common/paths.h"
#include "common/seams.h"
#include "common/windowutil.h"
#include "contracts/gydib.h"
#include "contracts/gyzoom.h"
#include "shell/settings.h"

namespace {

// ---------------------------------------------------------------- dialog

struct CaptureDialogState {
    HINSTANCE resources;
    Settings *settings;
    char *name;
    size_t size;
};

void Refuse(HWND dialog, const CaptureDialogState &st, UINT text, int field) {
    ShowMessage(dialog, LoadText(st.resources, text).c_str(), LoadText(st.resources, IDS_CAP_CAPTION).c_str(),
                MB_OK | MB_ICONSTOP);
    SetFocus(GetDlgItem(dialog, field));
}

// A number field; an empty or foreign text counts as 0.
int FieldNumber(HWND dialog, int field) {
    BOOL ok = FALSE;
    int value = (int)GetDlgItemInt(dialog, field, &ok, TRUE);
    return ok ? value : 0;
}

BOOL OnInit(HWND dialog, CaptureDialogState *st) {
    SetWindowLongPtrA(dialog, DWLP_USER, (LONG_PTR)st);
    const Settings &s = *st->settings;
    SetDlgItemInt(dialog, IDC_CAP_SIZE, s.capture_size, FALSE);
    SendDlgItemMessageA(dialog, IDC_CAP_NAME, EM_LIMITTEXT, st->size - 1, 0);
    if (s.capture_zoom) {
        CheckDlgButton(dialog, IDC_CAP_ZOOM, BST_CHECKED);
        SetDlgItemInt(dialog, IDC_CAP_ZOOM_SIZE, s.capture_zoom_size, FALSE);
    } else {
        EnableWindow(GetDlgItem(dialog, IDC_CAP_ZOOM_SIZE), FALSE);
    }
    CentreOnScreen(dialog);
    return TRUE;
}

// Checks everything first, then stores.
void OnOk(HWND dialog, CaptureDialogState *st) {
    char name[MAX_PATH] = "";
    GetDlgItemTextA(dialog, IDC_CAP_NAME, name, (int)(st->size < sizeof name ? st->size : sizeof name));
    if (!name[0]) return Refuse(dialog, *st, IDS_CAP_NO_NAME, IDC_CAP_NAME);
    // The name becomes "<temporary folder>\<name>.bmp" and "<target>\<name>.ico".
    if (!IsPlainFileName(name)) return Refuse(dialog, *st, IDS_CAP_BAD_NAME, IDC_CAP_NAME);
    int side = FieldNumber(dialog, IDC_CAP_SIZE);
    if (side < 16) return Refuse(dialog, *st, IDS_CAP_SIZE_TOO_SMALL, IDC_CAP_SIZE);
    bool zoom = IsDlgButtonChecked(dialog, IDC_CAP_ZOOM) == BST_CHECKED;
    int factor = zoom ? FieldNumber(dialog, IDC_CAP_ZOOM_SIZE) : 1;
    if (zoom && factor < 1) return Refuse(dialog, *st, IDS_CAP_ZOOM_TOO_SMALL, IDC_CAP_ZOOM_SIZE);
    Settings &s = *st->settings;
    // Unticked, the capture runs unmagnified, and the setting says so.
    s.capture_zoom = 1;
    s.capture_zoom_size = (uint32_t)factor;
    s.capture_size = (uint32_t)side;
    lstrcpynA(st->name, name, (int)st->size);
    EndDialog(dialog, 1);
}

INT_PTR CALLBACK CaptureDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    CaptureDialogState *st = (CaptureDialogState *)GetWindowLongPtrA(dialog, DWLP_USER);
    switch (msg) {
    case WM_INITDIALOG: return OnInit(dialog, (CaptureDialogState *)lParam);
    case WM_COMMAND:
        if (!st || HIWORD(wParam) != BN_CLICKED) return FALSE;
        switch (LOWORD(wParam)) {
        case IDOK: OnOk(dialog, st); return TRUE;
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        case IDC_CAP_ZOOM:
            EnableWindow(GetDlgItem(dialog, IDC_CAP_ZOOM_SIZE), IsDlgButtonChecked(dialog, IDC_CAP_ZOOM) == BST_CHECKED);
            return TRUE;
        case IDC_CAP_HELP: ShowHelpTopic(dialog, st->settings->helpPath, kCaptureHelpContext); return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

// ---------------------------------------------------------------- capture

// The magnifier library, taken by ordinal while a capture runs.
struct Magnifier {
    HMODULE library = nullptr;
    HWND window = nullptr;
    ZoomWindowProc open = nullptr;
    ZoomShowProc show = nullptr;
    ZoomSetupProc setup = nullptr;
    ZoomFollowProc follow = nullptr;
    ZoomRefreshProc refresh = nullptr;
};

Magnifier g_zoom;
bool g_active = false;

template <typename P> P Entry(HMODULE library, int ordinal) {
    return reinterpret_cast<P>(GetProcAddress(library, MAKEINTRESOURCEA(ordinal)));
}

bool LoadMagnifier() {
    if (g_zoom.library) return true;
    HMODULE library = LoadLibraryA("GYzoom.dll");
    if (!library) return false;
    Magnifier m;
    m.library = library;
    m.open = Entry<ZoomWindowProc>(library, kZoomWindowOrdinal);
    m.show = Entry<ZoomShowProc>(library, kZoomShowOrdinal);
    m.setup = Entry<ZoomSetupProc>(library, kZoomSetupOrdinal);
    m.follow = Entry<ZoomFollowProc>(library, kZoomFollowOrdinal);
    m.refresh = Entry<ZoomRefreshProc>(library, kZoomRefreshOrdinal);
    if (!m.open || !m.show || !m.setup || !m.follow || !m.refresh) {
        FreeLibrary(library);
        return false;
    }
    g_zoom = m;
    return true;
}

// Ordinal 6 has frozen the picture already: hide, close, give the keys back.
void EndCapture(HWND main) {
    g_active = false;
    g_zoom.follow(0);
    g_zoom.show(0);
    g_zoom.open(nullptr, 0, 0);
    g_zoom.window = nullptr;
    UnregisterHotKey(main, kCaptureCancelHotKey);
    UnregisterHotKey(main, kCaptureTakeHotKey);
}

}  // namespace

int ShowCaptureDialog(HWND owner, HINSTANCE resources, Settings *settings, char *name, size_t size) {
    if (!name || size == 0) return 0;
    CaptureDialogState st = {resources, settings, name, size};
    return (int)DialogBoxParamA(resources, MAKEINTRESOURCEA(IDD_CAPTURE), owner, CaptureDialogProc, (LPARAM)&st);
}

bool StartCapture(HWND main, int side, int factor) {
    if (g_active || !LoadMagnifier()) return false;
    HWND window = g_zoom.open(main, 0, 0);
    if (!window) return false;
    g_zoom.window = window;
    g_active = true;
    RegisterHotKey(main, kCaptureCancelHotKey, 0, VK_ESCAPE);
    RegisterHotKey(main, kCaptureTakeHotKey, MOD_SHIFT, VK_F1);
    g_zoom.setup(side, side, 80, 80, 1, factor);
    g_zoom.follow(1);
    g_zoom.show(1);
    SetActiveWindow(window);
    SetFocus(window);
    return true;
}

bool CaptureActive() { return g_active; }

void CancelCapture(HWND main) {
    if (!g_active) return;
    g_zoom.refresh(0);
    EndCapture(main);
}

HGLOBAL TakeCapture(HWND main) {
    if (!g_active) return nullptr;
    g_zoom.refresh(0);
    HGLOBAL dib = CopyWindowToDIB(g_zoom.window, 2);
    EndCapture(main);
    return dib;
}
