#include "common/windowutil.h"
#include "sysicons.h"

#include <cstdio>
#include <string>
#include <vector>

#include "common/handles.h"
#include "common/help_win.h"
#include "common/paths.h"
#include "common/seams.h"
#include "desktop/desktop.h"
#include "desktop/resource.h"
#include "iconres/iconlist.h"
#include "iconres/loaders.h"

const char kSavedIconsKey[] = "Software\\Glyphery\\SavedIcons";

namespace {

const char kTitle[] = "Glyphery";
const DWORD kSavedDataLimit = 64 * 1024;  // larger old values are not kept

// State of the open dialog.
SystemIconRow g_rows[kSystemIconCount];
int g_rowCount = 0;
HWND g_objects = nullptr;
HIMAGELIST g_images = nullptr;
HICON g_noIcon = nullptr;
std::string g_helpFile;
PickedFile g_picked;

HKEY RootKey(CatalogueRoot root) { return root == kRootClasses ? HKEY_CLASSES_ROOT : HKEY_LOCAL_MACHINE; }

// The location text of a value, at most 259 characters; "" when the value
// is absent, not a string or longer than the buffer.
void ReadLocation(HKEY key, const char *valueName, char (&text)[MAX_PATH]) {
    DWORD type = 0, size = sizeof text;
    bool ok = RegQueryValueExA(key, valueName, nullptr, &type, (BYTE *)text, &size) == ERROR_SUCCESS &&
              (type == REG_SZ || type == REG_EXPAND_SZ);
    // Stored strings may lack their NUL: one that fills the buffer without
    // it is too long to be a location.
    if (ok && size == sizeof text && text[size - 1] != 0) ok = false;
    if (!ok) {
        text[0] = 0;
        return;
    }
    text[size < sizeof text ? size : sizeof text - 1] = 0;
}

void LoadRows(HWND dialog) {
    (void)dialog;
    g_rowCount = 0;
    for (int i = 0; i < kSystemIconCount; ++i) {
        const SystemIconEntry &e = SystemIconCatalogue(i);
        HKEY raw = nullptr;
        if (RegOpenKeyExA(RootKey(e.root), e.key, 0, KEY_READ, &raw) != ERROR_SUCCESS) continue;
        char location[MAX_PATH];
        {
            UniqueRegKey key(raw);
            ReadLocation(key.get(), e.readValue, location);
        }
        SystemIconRow &row = g_rows[g_rowCount];
        row = SystemIconRow();
        row.root = e.root;
        row.entry = i;
        row.pending.index = -1;
        CopyBounded(row.key, sizeof row.key, e.key);
        CopyBounded(row.valueName, sizeof row.valueName, e.writeValue);
        HICON icon = LoadIconFromLocation(location, sizeof location, &row.pending, g_noIcon);
        if (AddObjectRow(g_objects, g_images, icon, e.label) >= 0) ++g_rowCount;
        if (icon != g_noIcon) DestroyIcon(icon);
    }
}

void ReloadRows(HWND dialog) {
    SendMessageA(g_objects, LVM_DELETEALLITEMS, 0, 0);
    ImageList_RemoveAll(g_images);
    LoadRows(dialog);
}

// Only the rows the user assigned are written on Apply. A value read back
// and written again would not be the same value: a path holding a comma
// would gain an index, a %variable% would be spelled out (per-user ones into
// machine-wide keys) and lose its expandable type.
bool RowIsWritten(const SystemIconRow &row) { return row.assigned; }

// The type a new location is written with: an expandable value stays
// expandable, unless the new text holds a percent sign (a literal part of
// the file's path, which expansion would misread).
DWORD LocationType(HKEY key, const char *valueName, const std::string &text) {
    DWORD type = REG_NONE;
    if (RegQueryValueExA(key, valueName, nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS) return REG_SZ;
    return type == REG_EXPAND_SZ && text.find('%') == std::string::npos ? REG_EXPAND_SZ : REG_SZ;
}

// Keeps the value a row's Apply is about to replace, unless a value of
// this catalogue entry is kept already.
void SaveOriginal(HKEY saved, const SystemIconRow &row) {
    char name[16];
    snprintf(name, sizeof name, "%d", row.entry + 1);
    HKEY existing = nullptr;
    if (RegOpenKeyExA(saved, name, 0, KEY_READ, &existing) == ERROR_SUCCESS) {
        RegCloseKey(existing);
        return;
    }
    HKEY rawKey = nullptr;
    if (RegOpenKeyExA(RootKey(row.root), row.key, 0, KEY_READ, &rawKey) != ERROR_SUCCESS) return;
    UniqueRegKey key(rawKey);
    DWORD type = 0, size = 0;
    LONG rc = RegQueryValueExA(key.get(), row.valueName, nullptr, &type, nullptr, &size);
    std::vector<BYTE> data;
    if (rc == ERROR_SUCCESS) {
        if (size > kSavedDataLimit) return;
        data.resize(size ? size : 1);
        if (RegQueryValueExA(key.get(), row.valueName, nullptr, &type, data.data(), &size) != ERROR_SUCCESS) return;
        data.resize(size);
    } else if (rc != ERROR_FILE_NOT_FOUND) {
        return;  // present but unreadable: nothing that could be put back
    }
    HKEY rawEntry = nullptr;
    if (RegCreateKeyExA(saved, name, 0, nullptr, 0, KEY_WRITE, nullptr, &rawEntry, nullptr) != ERROR_SUCCESS) return;
    UniqueRegKey entry(rawEntry);
    DWORD root = row.root == kRootClasses ? 0 : 1;
    RegSetValueExA(entry.get(), "Root", 0, REG_DWORD, (const BYTE *)&root, sizeof root);
    RegSetValueExA(entry.get(), "Key", 0, REG_SZ, (const BYTE *)row.key, (DWORD)strlen(row.key) + 1);
    RegSetValueExA(entry.get(), "Value", 0, REG_SZ, (const BYTE *)row.valueName, (DWORD)strlen(row.valueName) + 1);
    if (rc == ERROR_SUCCESS) RegSetValueExA(entry.get(), "Data", 0, type, data.data(), (DWORD)data.size());
}

void SaveOriginals() {
    HKEY raw = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kSavedIconsKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &raw,
                        nullptr) != ERROR_SUCCESS)
        return;
    UniqueRegKey saved(raw);
    for (int i = 0; i < g_rowCount; ++i)
        if (RowIsWritten(g_rows[i])) SaveOriginal(saved.get(), g_rows[i]);
}

std::string ReadSavedText(HKEY key, const char *name) {
    char text[512];
    DWORD type = 0, size = sizeof text - 1;
    if (RegQueryValueExA(key, name, nullptr, &type, (BYTE *)text, &size) != ERROR_SUCCESS || type != REG_SZ)
        return std::string();
    text[size < sizeof text ? size : sizeof text - 1] = 0;
    return text;
}

// Puts back one kept value. The record must name its own catalogue entry:
// Reset writes nowhere else.
void RestoreOriginal(HKEY saved, const char *name) {
    char *end = nullptr;
    long number = strtol(name, &end, 10);
    if (*end || number < 1 || number > kSystemIconCount) return;
    const SystemIconEntry &e = SystemIconCatalogue((int)number - 1);
    HKEY rawEntry = nullptr;
    if (RegOpenKeyExA(saved, name, 0, KEY_READ, &rawEntry) != ERROR_SUCCESS) return;
    UniqueRegKey entry(rawEntry);
    DWORD root = 2, rootSize = sizeof root, type = 0;
    if (RegQueryValueExA(entry.get(), "Root", nullptr, &type, (BYTE *)&root, &rootSize) != ERROR_SUCCESS ||
        type != REG_DWORD || root != (e.root == kRootClasses ? 0u : 1u))
        return;
    if (ReadSavedText(entry.get(), "Key") != e.key || ReadSavedText(entry.get(), "Value") != e.writeValue) return;

    DWORD size = 0;
    LONG rc = RegQueryValueExA(entry.get(), "Data", nullptr, &type, nullptr, &size);
    std::vector<BYTE> data;
    if (rc == ERROR_SUCCESS) {
        if (size > kSavedDataLimit) return;
        data.resize(size ? size : 1);
        if (RegQueryValueExA(entry.get(), "Data", nullptr, &type, data.data(), &size) != ERROR_SUCCESS) return;
    } else if (rc != ERROR_FILE_NOT_FOUND) {
        return;
    }
    HKEY rawKey = nullptr;
    if (RegOpenKeyExA(RootKey(e.root), e.key, 0, KEY_SET_VALUE, &rawKey) != ERROR_SUCCESS) return;
    UniqueRegKey key(rawKey);
    if (rc == ERROR_SUCCESS)
        RegSetValueExA(key.get(), e.writeValue, 0, type, data.data(), size);
    else
        RegDeleteValueA(key.get(), e.writeValue);
}

void RestoreOriginals() {
    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSavedIconsKey, 0, KEY_READ, &raw) != ERROR_SUCCESS) return;
    UniqueRegKey saved(raw);
    char name[256];  // the longest key name the registry allows, and its NUL
    for (DWORD i = 0;; ++i) {
        DWORD size = sizeof name;
        LONG rc = RegEnumKeyExA(saved.get(), i, name, &size, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_MORE_DATA) continue;  // not a catalogue number: passed over
        if (rc != ERROR_SUCCESS) break;
        RestoreOriginal(saved.get(), name);
    }
}

void ShowStatus(HWND dialog) {
    char status[MAX_PATH + 32];
    snprintf(status, sizeof status, "%d icons in %s", IconListCount, g_picked.path);
    SetDlgItemTextA(dialog, IDC_DESK_STATUS, status);
}

BOOL OnInitDialog(HWND dialog, LPARAM lParam) {
    g_helpFile = lParam ? (const char *)lParam : "";
    g_rowCount = 0;
    g_picked = PickedFile();
    BeginIconListDialog(dialog);
    g_objects = GetDlgItem(dialog, IDC_DESK_OBJECTS);
    g_images = SetUpObjectList(g_objects);
    g_noIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_NOICON));
    if (!g_noIcon) g_noIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512) /* IDI_APPLICATION */);

    SetDlgItemTextA(dialog, IDOK, "&Apply");
    SetDlgItemTextA(dialog, IDCANCEL, "&Cancel");
    SetDlgItemTextA(dialog, IDC_DESK_RESET, "&Reset");
    SetDlgItemTextA(dialog, IDC_DESK_FILE, "&File");
    SetDlgItemTextA(dialog, IDC_DESK_HELP, "&Help");
    SetDlgItemTextA(dialog, IDC_DESK_STATUS, "no icon");
    SetDlgItemTextA(dialog, IDC_DESK_CAPTION, "Current icons");
    SetDlgItemTextA(dialog, IDC_SYSICONS_HINT, "You will have to press F5 to update your desktop.");

    LoadRows(dialog);
    SetObjectListView(g_objects, LVS_ICON);
    CentreOnScreen(dialog);
    return TRUE;
}

void OnFile(HWND dialog) {
    if (PickIconFile(dialog, kIconFileFilter, "*.ico", ListIconsInFile, &g_picked)) ShowStatus(dialog);
}

void OnAssign(HWND dialog) {
    if (!g_picked.path[0]) return;  // nothing listed in this opening
    int entry = -1;
    int row = AssignSelectedIcon(dialog, g_objects, g_images, nullptr, &entry);
    if (row < 0 || row >= g_rowCount) return;
    SystemIconRow &r = g_rows[row];
    CopyBounded(r.pending.path, sizeof r.pending.path, g_picked.path);
    r.pending.index = entry;
    r.assigned = true;
}

void OnProperties(HWND dialog) {
    int row = (int)SendMessageA(g_objects, LVM_GETNEXTITEM, (WPARAM)-1, MAKELPARAM(LVNI_FOCUSED, 0));
    if (row < 0 || row >= g_rowCount) return;
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SYSICON_PROPERTIES), dialog,
                    SystemIconPropertiesProc, (LPARAM)&g_rows[row]);
}

void OnApply(HWND dialog) {
    if (ShowMessage(dialog, "Please confirm the modification.", kTitle, MB_YESNO | MB_ICONSTOP) != IDYES) return;
    SaveOriginals();
    for (int i = 0; i < g_rowCount; ++i) {
        const SystemIconRow &row = g_rows[i];
        if (!RowIsWritten(row)) continue;
        HKEY raw = nullptr;
        if (RegOpenKeyExA(RootKey(row.root), row.key, 0, KEY_ALL_ACCESS, &raw) != ERROR_SUCCESS) continue;
        UniqueRegKey key(raw);
        std::string text = FormatIconLocation(row.pending.path, row.pending.index);
        DWORD type = LocationType(key.get(), row.valueName, text);
        // Stored without the terminating NUL, as the shell's readers take it.
        RegSetValueExA(key.get(), row.valueName, 0, type, (const BYTE *)text.c_str(), (DWORD)text.size());
    }
    EndDialog(dialog, 1);
}

void OnReset(HWND dialog) {
    if (ShowMessage(dialog, "You are going to reset the default icons.\nPlease confirm your choice.", kTitle,
                    MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    for (int i = 0; i < kSystemIconCount; ++i) {
        const SystemIconEntry &e = SystemIconCatalogue(i);
        HKEY raw = nullptr;
        if (RegOpenKeyExA(RootKey(e.root), e.key, 0, KEY_ALL_ACCESS, &raw) == ERROR_SUCCESS) RegCloseKey(raw);
    }
    RestoreOriginals();
    ShowMessage(dialog, "Done.", kTitle, MB_OK | MB_ICONINFORMATION);
    // The rows show what the registry now holds, so a later Apply does not
    // write the replaced locations again.
    ReloadRows(dialog);
}

BOOL OnCommand(HWND dialog, WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case IDOK: OnApply(dialog); return TRUE;
    case IDCANCEL: EndDialog(dialog, 0); return TRUE;
    case IDC_DESK_HELP: ShowHelpTopic(dialog, g_helpFile.c_str(), HELP_SYSICONS); return TRUE;
    case IDC_DESK_FILE: OnFile(dialog); return TRUE;
    case IDC_DESK_RESET: OnReset(dialog); return TRUE;
    }
    return FALSE;
}

BOOL OnNotify(HWND dialog, const NMHDR *header) {
    if (header->idFrom != IDC_DESK_OBJECTS) return FALSE;
    switch (header->code) {
    case NM_DBLCLK: OnAssign(dialog); return TRUE;
    case NM_RCLICK: OnProperties(dialog); return TRUE;
    }
    return FALSE;
}

void OnDestroy(HWND dialog) {
    EndIconListDialog(dialog);
    // The list view owns the image list and destroys it with itself.
    g_images = nullptr;
    g_objects = nullptr;
}

}  // namespace

INT_PTR CALLBACK SystemIconsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    INT_PTR result = FALSE;
    if (HandleIconListMessage(dialog, message, wParam, lParam, nullptr, &result)) return result;
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog, lParam);
    case WM_NOTIFY: return OnNotify(dialog, (const NMHDR *)lParam);
    case WM_COMMAND: return OnCommand(dialog, wParam);
    case WM_DESTROY: OnDestroy(dialog); return FALSE;
    }
    return FALSE;
}

INT_PTR CALLBACK SystemIconPropertiesProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        const SystemIconRow *row = (const SystemIconRow *)lParam;
        char index[16];
        snprintf(index, sizeof index, "%u", (unsigned)row->pending.index);
        SetDlgItemTextA(dialog, IDC_PROP_FILE, row->pending.path);
        SetDlgItemTextA(dialog, IDC_PROP_INDEX, index);
        SetDlgItemTextA(dialog, IDC_PROP_ROOT, CatalogueRootName(row->root));
        SetDlgItemTextA(dialog, IDC_PROP_KEY, row->key);
        CentreOnScreen(dialog);
        SetFocus(GetDlgItem(dialog, IDOK));  // the values are to read, not to edit
        return FALSE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam) == IDOK);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

int SystemIconRowCount() { return g_rowCount; }
const SystemIconRow *SystemIconRowAt(int row) { return row >= 0 && row < g_rowCount ? &g_rows[row] : nullptr; }
HIMAGELIST SystemIconImages() { return g_images; }

INT_PTR ShowSystemIconsDialog(HWND owner, const char *helpFile) {
    return RunDesktopDialog(owner, IDD_SYSICONS, SystemIconsDialogProc, helpFile);
}
