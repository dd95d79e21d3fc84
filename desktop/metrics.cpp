// The icon metrics dialog. Values live under the current user's WindowMetrics
// key as strings (spacings in negative twips, "-1125", or, without the minus
// sign, in pixels, "75"); the cache size is
// read from the machine's Explorer key and written as a DWORD under
// WindowMetrics.
#include "common/help_win.h"
#include "common/windowutil.h"
#include "desktop/metrics.h"

#include <commctrl.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/handles.h"
#include "common/paths.h"
#include "common/seams.h"
#include "desktop/desktop.h"
#include "desktop/pickers.h"
#include "desktop/resource.h"

namespace {

const char kWindowMetricsKey[] = "Control Panel\\Desktop\\WindowMetrics";
const char kExplorerKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
const char kTitle[] = "Glyphery";

const int kCacheMin = 512;
const int kCacheMax = 4000;

// The colour entries of combo 1068 and what each stores in "Shell Icon BPP".
const char *const kColorEntries[] = {"16 Colors (4 Bits)", "Hi Colors (16 Bits)", "Hi Colors (24 Bits)"};
const char *const kColorValues[] = {"4", "16", "24"};

// The two spacings: their box and their value.
struct Spacing {
    int box;
    const char *value;
};
const Spacing kSpacings[] = {{IDC_MET_HSPACING, "IconSpacing"}, {IDC_MET_VSPACING, "IconVerticalSpacing"}};
const int kSpacingCount = sizeof kSpacings / sizeof kSpacings[0];

// State of one opening, behind DWLP_USER.
struct MetricsState {
    std::string helpFile;
    // Whether each spacing was stored with its minus sign (twips) or without
    // (pixels): Apply writes it back in the same unit.
    bool twips[kSpacingCount] = {true, true};
};

MetricsState *State(HWND dialog) { return DialogState<MetricsState>(dialog); }

// Leading decimal digits (after optional blanks and sign); none give 0.
// Values beyond an int are held at its limits.
int LeadingNumber(const char *text) {
    long v = strtol(text, nullptr, 10);
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return (int)v;
}

// A string value into a 260-byte buffer, always terminated; "" when absent.
void ReadString(HKEY key, const char *name, char (&buf)[MAX_PATH]) {
    memset(buf, 0, sizeof buf);
    DWORD size = sizeof buf - 1;
    if (RegQueryValueExA(key, name, nullptr, nullptr, (BYTE *)buf, &size) != ERROR_SUCCESS) buf[0] = 0;
}

// Text values are stored with the length of the text, without its NUL.
void WriteString(HKEY key, const char *name, const char *text) {
    RegSetValueExA(key, name, 0, REG_SZ, (const BYTE *)text, (DWORD)strlen(text));
}

// The spacings are stored as negative twips: the box shows the number after
// the minus sign. A value stored without one (pixels) is shown as it stands.
int SpacingFromStored(const char *stored) { return LeadingNumber(stored[0] == '-' ? stored + 1 : stored); }
bool StoredInTwips(const char *stored) { return stored[0] == '-' || stored[0] == 0; }

int BoxNumber(HWND dialog, int id) {
    char buf[MAX_PATH] = {0};
    GetDlgItemTextA(dialog, id, buf, sizeof buf);
    return LeadingNumber(buf);
}

void MakeSpin(HWND dialog, int id, int buddy, int low, int high) {
    HWND spin = CreateWindowExA(0, UPDOWN_CLASSA, "Spin1",
                                WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS |
                                    UDS_SETBUDDYINT,
                                0, 0, 0, 0, dialog, (HMENU)(INT_PTR)id, GetModuleHandleA(nullptr), nullptr);
    if (!spin) return;
    SendMessageA(spin, UDM_SETBUDDY, (WPARAM)GetDlgItem(dialog, buddy), 0);
    SendMessageA(spin, UDM_SETRANGE32, (WPARAM)low, (LPARAM)high);
}

// The machine's cache size: a DWORD, or (as some systems keep it) a decimal
// string; 0, absent or unreadable gives the shell's default of 512.
int ReadMaxCachedIcons() {
    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kExplorerKey, 0, KEY_READ, &raw) != ERROR_SUCCESS) return kCacheMin;
    UniqueRegKey key(raw);
    char buf[MAX_PATH] = {0};
    DWORD type = 0, size = sizeof buf - 1;
    if (RegQueryValueExA(key.get(), "MaxCachedIcons", nullptr, &type, (BYTE *)buf, &size) != ERROR_SUCCESS)
        return kCacheMin;
    long value = 0;
    if (type == REG_DWORD && size == sizeof(DWORD)) {
        DWORD d;
        memcpy(&d, buf, sizeof d);
        value = d > (DWORD)INT_MAX ? INT_MAX : (long)d;
    } else if (type == REG_SZ || type == REG_EXPAND_SZ) {
        value = LeadingNumber(buf);
    }
    return value == 0 ? kCacheMin : (int)value;
}

void FillCombos(HWND dialog) {
    for (const char *entry : kColorEntries) SendDlgItemMessageA(dialog, IDC_MET_COLORS, CB_ADDSTRING, 0, (LPARAM)entry);
    SendDlgItemMessageA(dialog, IDC_MET_SIZE, CB_ADDSTRING, 0, (LPARAM) "32");
    SendDlgItemMessageA(dialog, IDC_MET_SIZE, CB_ADDSTRING, 0, (LPARAM) "48");
}

void ShowWindowMetrics(HWND dialog, HKEY key, MetricsState *state) {
    char buf[MAX_PATH];
    for (int i = 0; i < kSpacingCount; ++i) {
        ReadString(key, kSpacings[i].value, buf);
        SetDlgItemInt(dialog, kSpacings[i].box, (UINT)SpacingFromStored(buf), TRUE);
        state->twips[i] = StoredInTwips(buf);
    }
    ReadString(key, "Shell Icon Size", buf);
    bool large = LeadingNumber(buf) == 48;
    CheckDlgButton(dialog, IDC_MET_LARGE, large ? BST_CHECKED : BST_UNCHECKED);
    SendDlgItemMessageA(dialog, IDC_MET_SIZE, CB_SETCURSEL, large ? 1 : 0, 0);
    ReadString(key, "IconTitleWrap", buf);
    CheckDlgButton(dialog, IDC_MET_WRAP, LeadingNumber(buf) == 1 ? BST_CHECKED : BST_UNCHECKED);
    ReadString(key, "Shell Icon BPP", buf);
    int bpp = LeadingNumber(buf);
    SendDlgItemMessageA(dialog, IDC_MET_COLORS, CB_SETCURSEL, bpp == 4 ? 0 : bpp == 16 ? 1 : 2, 0);
}

BOOL OnInitDialog(HWND dialog, LPARAM helpFile) {
    MetricsState *state = AttachDialogState<MetricsState>(dialog);  // freed when the dialog is destroyed
    state->helpFile = helpFile ? (const char *)helpFile : "";
    FillCombos(dialog);
    MakeSpin(dialog, IDC_MET_HSPIN, IDC_MET_HSPACING, 1, 100);
    MakeSpin(dialog, IDC_MET_VSPIN, IDC_MET_VSPACING, 1, 100);
    MakeSpin(dialog, IDC_MET_CACHESPIN, IDC_MET_CACHE, kCacheMin, kCacheMax);

    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kWindowMetricsKey, 0, KEY_ALL_ACCESS, &raw) != ERROR_SUCCESS) return TRUE;
    {
        UniqueRegKey key(raw);
        ShowWindowMetrics(dialog, key.get(), state);
    }
    SetDlgItemInt(dialog, IDC_MET_CACHE, (UINT)ReadMaxCachedIcons(), TRUE);
    CentreOnScreen(dialog);
    return TRUE;
}

void DeleteIconCache() { DeleteFileA(IconCacheFile().c_str()); }

void OnApply(HWND dialog) {
    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kWindowMetricsKey, 0, KEY_ALL_ACCESS, &raw) != ERROR_SUCCESS) {
        ShowMessage(dialog, "Cannot write to registry.", kTitle, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    UniqueRegKey key(raw);
    const MetricsState *state = State(dialog);
    for (int i = 0; i < kSpacingCount; ++i) {
        char text[32];
        snprintf(text, sizeof text, state->twips[i] ? "-%d" : "%d", BoxNumber(dialog, kSpacings[i].box));
        WriteString(key.get(), kSpacings[i].value, text);
    }
    LRESULT colour = SendDlgItemMessageA(dialog, IDC_MET_COLORS, CB_GETCURSEL, 0, 0);
    if (colour >= 0 && colour < 3) WriteString(key.get(), "Shell Icon BPP", kColorValues[colour]);
    WriteString(key.get(), "Shell Icon Size", IsDlgButtonChecked(dialog, IDC_MET_LARGE) == BST_CHECKED ? "48" : "32");

    int cache = BoxNumber(dialog, IDC_MET_CACHE);
    if (cache < kCacheMin || cache > kCacheMax) {
        SetFocus(GetDlgItem(dialog, IDC_MET_CACHE));
        return;
    }
    DWORD value = (DWORD)cache;
    RegSetValueExA(key.get(), "MaxCachedIcons", 0, REG_DWORD, (const BYTE *)&value, sizeof value);
    key.reset();
    DeleteIconCache();
    EndDialog(dialog, 1);
}

// Tells every top-level window that settings changed. A window that hangs is
// given up after the timeout, so the dialog never freezes with it.
void OnRebuild() {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, 0, 0, SMTO_ABORTIFHUNG | SMTO_NORMAL,
                        kSettingChangeTimeout, &result);
}

BOOL OnCommand(HWND dialog, int id) {
    switch (id) {
    case IDOK:
        OnApply(dialog);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, 0);
        return TRUE;
    case IDC_MET_REBUILD:
        OnRebuild();
        return TRUE;
    case IDC_MET_REPAIR:
        DeleteIconCache();
        return TRUE;
    case IDC_DESK_HELP:
        ShowHelpTopic(dialog, State(dialog)->helpFile.c_str(), HELP_METRICS);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK MetricsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, lParam);
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam));
    case WM_DESTROY:
        FreeDialogState<MetricsState>(dialog);
        return FALSE;
    }
    return FALSE;
}

}  // namespace

std::string IconCacheFile() { return CollapseBackslashes(WindowsFolder() + "\\ShellIconCache"); }

INT_PTR ShowMetricsDialog(HWND owner, const char *helpFile) {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&icc);
    return RunDesktopDialog(owner, IDD_METRICS, MetricsProc, helpFile);
}
