// The drive icon dialog. The drive list is rebuilt, rows and images, after
// every change, so it always shows what the registry holds.
#include "common/help_win.h"
#include "common/windowutil.h"
#include "desktop/driveicons.h"

#include <commctrl.h>
#include <shlwapi.h>

#include <cstdio>
#include <string>

#include "common/handles.h"
#include "common/paths.h"
#include "common/seams.h"
#include "desktop/desktop.h"
#include "desktop/foldericons.h"
#include "desktop/location.h"
#include "desktop/pickers.h"
#include "desktop/resource.h"
#include "iconres/iconlist.h"
#include "iconres/loaders.h"

namespace {

const char kTitle[] = "Glyphery";
const char kExplorerKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\explorer";

PickedFile g_picked;  // the browsed file, remembered for the life of the program

// State of one opening, behind DWLP_USER. Each row of the drive list keeps
// its drive letter as its item data.
struct DriveDialogState {
    std::string helpFile;
    std::string listedFile;  // the file whose icons the IconList holds (the status text shows it)
    HIMAGELIST images = nullptr;  // ours: the list does not own a small-icon list it is given
    HICON noIcon = nullptr;       // a shared resource icon
};

DriveDialogState *State(HWND dialog) { return DialogState<DriveDialogState>(dialog); }

HWND DriveList(HWND dialog) { return GetDlgItem(dialog, IDC_DESK_OBJECTS); }

// The icon a location names, appended to the image list; -1 when it gives none.
int AddLocationImage(const DriveDialogState &state, char (&location)[MAX_PATH]) {
    PendingLocation pending = {};
    HICON icon = LoadIconFromLocation(location, sizeof location, &pending, state.noIcon);
    if (!icon) return -1;
    int image = ImageList_ReplaceIcon(state.images, -1, icon);
    if (icon != state.noIcon) DestroyIcon(icon);
    return image;
}

// The default value of a key, "" when the key or value is missing. False
// when the key does not exist.
bool ReadDefault(HKEY root, const char *key, char (&value)[MAX_PATH]) {
    memset(value, 0, sizeof value);
    HKEY raw = nullptr;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &raw) != ERROR_SUCCESS) return false;
    UniqueRegKey k(raw);
    DWORD size = sizeof value - 1;
    if (RegQueryValueExA(k.get(), nullptr, nullptr, nullptr, (BYTE *)value, &size) != ERROR_SUCCESS) value[0] = 0;
    return true;
}

void FillDriveList(HWND dialog) {
    const DriveDialogState &state = *State(dialog);
    HWND list = DriveList(dialog);
    // A drive without a medium answers with an error, never a system box
    // asking for a disk.
    UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    char location[MAX_PATH];
    ReadDefault(HKEY_CLASSES_ROOT, "drive\\DefaultIcon", location);
    int generic = AddLocationImage(state, location);
    DWORD drives = GetLogicalDrives();
    for (char letter = 'C'; letter <= 'Z'; ++letter) {
        if (!(drives & (1u << (letter - 'A')))) continue;
        char root[4];
        snprintf(root, sizeof root, "%c:\\", letter);
        char label[128] = {0};
        if (!GetVolumeInformationA(root, label, sizeof label, nullptr, nullptr, nullptr, nullptr, 0)) label[0] = 0;
        std::string text = std::string(root) + label;
        char key[MAX_PATH];
        snprintf(key, sizeof key, kDriveIconKeyFormat, letter);
        int image = generic;
        if (ReadDefault(HKEY_LOCAL_MACHINE, key, location)) image = AddLocationImage(state, location);
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        item.iItem = (int)SendMessageA(list, LVM_GETITEMCOUNT, 0, 0);
        item.iImage = image;
        item.pszText = const_cast<char *>(text.c_str());
        item.lParam = letter;
        SendMessageA(list, LVM_INSERTITEMA, 0, (LPARAM)&item);
    }
    SetErrorMode(oldMode);
}

void RefillDriveList(HWND dialog) {
    SendMessageA(DriveList(dialog), LVM_DELETEALLITEMS, 0, 0);
    ImageList_RemoveAll(State(dialog)->images);
    FillDriveList(dialog);
}

void SetUpDriveList(HWND dialog, DriveDialogState *state) {
    HWND list = DriveList(dialog);
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    column.fmt = LVCFMT_LEFT;
    column.cx = 220;
    column.pszText = const_cast<char *>("Drives");
    SendMessageA(list, LVM_INSERTCOLUMNA, 0, (LPARAM)&column);
    state->images = ImageList_Create(16, 16, ILC_MASK | ILC_COLOR32, 50, 50);
    SendMessageA(list, LVM_SETIMAGELIST, LVSIL_SMALL, (LPARAM)state->images);
    DWORD extended = LVS_EX_FULLROWSELECT | LVS_EX_ONECLICKACTIVATE;
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
}

BOOL OnInitDialog(HWND dialog, LPARAM helpFile) {
    DriveDialogState *state = AttachDialogState<DriveDialogState>(dialog);  // freed when the dialog is destroyed
    state->helpFile = helpFile ? (const char *)helpFile : "";
    state->noIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_NOICON));
    BeginIconListDialog(dialog);
    SetUpDriveList(dialog, state);
    FillDriveList(dialog);
    state->listedFile = ListSystemShellIcons(dialog);
    CentreOnScreen(dialog);
    return TRUE;
}

void OnDestroy(HWND dialog) {
    DriveDialogState *state = State(dialog);
    SendMessageA(DriveList(dialog), LVM_SETIMAGELIST, LVSIL_SMALL, 0);
    if (state && state->images) ImageList_Destroy(state->images);
    EndIconListDialog(dialog);
    FreeDialogState<DriveDialogState>(dialog);
}

// The assignment: the selected IconList entry of the listed file becomes the
// drive's own icon, written at once.
void OnDoubleClick(HWND dialog) {
    HWND list = DriveList(dialog);
    LVHITTESTINFO hit = {};
    GetCursorPos(&hit.pt);
    ScreenToClient(list, &hit.pt);
    int row = (int)SendMessageA(list, LVM_HITTEST, 0, (LPARAM)&hit);
    if (row < 0 || !(hit.flags & LVHT_ONITEM)) return;
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!SendMessageA(list, LVM_GETITEMA, 0, (LPARAM)&item)) return;
    char letter = (char)item.lParam;
    if (letter < 'C' || letter > 'Z') return;

    LRESULT entry = SendDlgItemMessageA(dialog, IDC_ICONLIST, LB_GETCURSEL, 0, 0);
    if (entry == LB_ERR) {
        ShowMessage(dialog,
                    "You did not select the icon to use\n\nTo moify a drive icon first select the icon then "
                    "double-click the drive.",
                    kTitle, MB_OK | MB_ICONINFORMATION);
        return;
    }
    std::string value = FormatIconLocation(State(dialog)->listedFile, (int)entry);

    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kExplorerKey, 0, KEY_ALL_ACCESS, &raw) != ERROR_SUCCESS) return;
    UniqueRegKey explorer(raw);
    char sub[64];
    snprintf(sub, sizeof sub, "DriveIcons\\%c\\DefaultIcon", letter);
    HKEY rawIcon = nullptr;
    if (RegCreateKeyA(explorer.get(), sub, &rawIcon) != ERROR_SUCCESS) return;
    UniqueRegKey icon(rawIcon);
    RegSetValueExA(icon.get(), nullptr, 0, REG_SZ, (const BYTE *)value.c_str(), (DWORD)value.size());
    icon.reset();
    explorer.reset();
    RefillDriveList(dialog);
}

// Every present drive loses its own icon, without asking; the
// "DriveIcons\<letter>" keys stay.
void OnReset(HWND dialog) {
    DWORD drives = GetLogicalDrives();
    for (char letter = 'C'; letter <= 'Z'; ++letter) {
        if (!(drives & (1u << (letter - 'A')))) continue;
        char key[MAX_PATH];
        snprintf(key, sizeof key, kDriveIconKeyFormat, letter);
        SHDeleteKeyA(HKEY_LOCAL_MACHINE, key);
    }
    RefillDriveList(dialog);
}

void OnBrowse(HWND dialog) { BrowseIconFile(dialog, &g_picked, &State(dialog)->listedFile); }

BOOL OnNotify(HWND dialog, const NMHDR *header) {
    if (header->idFrom == IDC_DESK_OBJECTS && header->code == (UINT)NM_DBLCLK) {
        OnDoubleClick(dialog);
        return TRUE;
    }
    return FALSE;
}

BOOL OnCommand(HWND dialog, int id) {
    switch (id) {
    case IDOK:
        EndDialog(dialog, 1);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, 0);
        return TRUE;
    case IDC_DESK_BROWSE:
        OnBrowse(dialog);
        return TRUE;
    case IDC_DESK_RESET:
        OnReset(dialog);
        return TRUE;
    case IDC_DESK_APPLY_BUTTON:  // an assignment takes effect at the double click
        return TRUE;
    case IDC_DESK_HELP:
        ShowHelpTopic(dialog, State(dialog)->helpFile.c_str(), HELP_DRIVEICONS);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK DriveIconsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    INT_PTR answer;
    if (HandleIconListMessage(dialog, message, wParam, lParam, nullptr, &answer)) return answer;
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, lParam);
    case WM_NOTIFY:
        return OnNotify(dialog, (const NMHDR *)lParam);
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam));
    case WM_DESTROY:
        OnDestroy(dialog);
        return FALSE;
    }
    return FALSE;
}

}  // namespace

INT_PTR ShowDriveIconsDialog(HWND owner, const char *helpFile) {
    return RunDesktopDialog(owner, IDD_DRIVEICONS, DriveIconsProc, helpFile);
}
