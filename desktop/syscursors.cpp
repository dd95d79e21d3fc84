#include "common/windowutil.h"
#include "syscursors.h"

#include <cstdio>
#include <string>

#include "common/handles.h"
#include "common/help_win.h"
#include "common/paths.h"
#include "common/seams.h"
#include "desktop/desktop.h"
#include "desktop/location.h"
#include "desktop/pickers.h"
#include "desktop/resource.h"
#include "iconres/iconlist.h"
#include "iconres/loaders.h"

namespace {

const char kTitle[] = "Glyphery";

// Kept for the life of the program; the path is cleared on each opening.
PickedFile g_picked;
// State of the open dialog.
HWND g_objects = nullptr;
HIMAGELIST g_images = nullptr;
std::string g_helpFile;
POINT g_hotspots[kSystemCursorCount];
// The IconList holds resource names of CursorResourceModule() rather than handles.
bool g_namesListed = false;
bool g_listFailed = false;

POINT HotspotOf(HICON cursor) {
    POINT hot = {0, 0};
    ICONINFO info;
    if (cursor && GetIconInfo(cursor, &info)) {
        hot.x = (LONG)info.xHotspot;
        hot.y = (LONG)info.yHotspot;
        if (info.hbmMask) DeleteObject(info.hbmMask);
        if (info.hbmColor) DeleteObject(info.hbmColor);
    }
    return hot;
}

// The cursor an entry naming a resource stands for, as the list draws it.
HICON CursorFromName(LPARAM name) {
    return (HICON)LoadImageA(CursorResourceModule(), (LPCSTR)name, IMAGE_CURSOR, 32, 32, LR_MONOCHROME);
}

void ListCursors(HWND dialog, const char *path) {
    if (CompareNoCase(Extension(path).c_str(), ".exe", 4) == 0) {
        g_namesListed = ListCursorResources(dialog, path);
        g_listFailed = !g_namesListed;
    } else {
        ListCursorsInFile(dialog, path);
    }
}

// The image list holds icons; a cursor is made from image i with the
// hotspot of the cursor the row was given.
HCURSOR CursorFromImage(int row) {
    HICON icon = ImageList_GetIcon(g_images, row, ILD_NORMAL);
    if (!icon) return nullptr;
    ICONINFO info;
    if (!GetIconInfo(icon, &info)) return (HCURSOR)icon;
    info.fIcon = FALSE;
    info.xHotspot = (DWORD)g_hotspots[row].x;
    info.yHotspot = (DWORD)g_hotspots[row].y;
    HCURSOR cursor = (HCURSOR)CreateIconIndirect(&info);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (!cursor) return (HCURSOR)icon;
    DestroyIcon(icon);
    return cursor;
}

BOOL OnInitDialog(HWND dialog, LPARAM lParam) {
    g_helpFile = lParam ? (const char *)lParam : "";
    g_picked.path[0] = 0;
    g_namesListed = false;
    BeginIconListDialog(dialog);
    g_objects = GetDlgItem(dialog, IDC_DESK_OBJECTS);
    g_images = SetUpObjectList(g_objects);

    SetDlgItemTextA(dialog, IDOK, "&Apply");
    SetDlgItemTextA(dialog, IDCANCEL, "&Cancel");
    SetDlgItemTextA(dialog, IDC_DESK_FILE, "&File");
    SetDlgItemTextA(dialog, IDC_DESK_HELP, "&Help");
    SetDlgItemTextA(dialog, IDC_DESK_STATUS, "no cursor");
    SetDlgItemTextA(dialog, IDC_DESK_CAPTION, "Current cursors");

    for (int i = 0; i < kSystemCursorCount; ++i) {
        const SystemCursorEntry &e = SystemCursorCatalogue(i);
        HCURSOR current = LoadCursorA(nullptr, MAKEINTRESOURCEA(e.id));
        g_hotspots[i] = HotspotOf((HICON)current);
        AddObjectRow(g_objects, g_images, (HICON)current, e.label);
    }
    SetObjectListView(g_objects, LVS_ICON);
    CentreOnScreen(dialog);
    return TRUE;
}

void OnFile(HWND dialog) {
    bool wasNames = g_namesListed;
    g_namesListed = false;
    g_listFailed = false;
    if (!PickIconFile(dialog, kCursorFileFilter, "*.cur", ListCursors, &g_picked)) {
        g_namesListed = wasNames;
        return;
    }
    if (g_listFailed) return;  // reported; the status stays as it was
    char status[MAX_PATH + 32];
    snprintf(status, sizeof status, "%d cursors in %s", IconListCount, g_picked.path);
    SetDlgItemTextA(dialog, IDC_DESK_STATUS, status);
}

void OnAssign(HWND dialog) {
    int entry = -1;
    int row = AssignSelectedIcon(dialog, g_objects, g_images, g_namesListed ? CursorFromName : nullptr, &entry);
    if (row < 0 || row >= kSystemCursorCount) return;
    LPARAM value = IconListValue(dialog, entry);
    if (g_namesListed) {
        UniqueIcon cursor(CursorFromName(value));
        g_hotspots[row] = HotspotOf(cursor.get());
    } else {
        g_hotspots[row] = HotspotOf((HICON)value);
    }
}

void OnApply(HWND dialog) {
    if (!g_picked.path[0]) {
        ShowMessage(dialog, "You did not select an image...", kTitle, MB_OK | MB_ICONSTOP);
        return;
    }
    if (ShowMessage(dialog, "Please confirm the modification.", kTitle, MB_YESNO | MB_ICONSTOP) != IDYES) return;
    // Every row is installed, the unchanged ones from the image of the
    // current cursor. The installer owns the cursor it is given.
    for (int i = 0; i < kSystemCursorCount; ++i) {
        HCURSOR cursor = CursorFromImage(i);
        if (cursor) InstallSystemCursor(cursor, SystemCursorCatalogue(i).id);
    }
    EndDialog(dialog, 1);
}

BOOL OnCommand(HWND dialog, WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case IDOK: OnApply(dialog); return TRUE;
    case IDCANCEL: EndDialog(dialog, 0); return TRUE;
    case IDC_DESK_HELP: ShowHelpTopic(dialog, g_helpFile.c_str(), HELP_SYSCURSORS); return TRUE;
    case IDC_DESK_FILE: OnFile(dialog); return TRUE;
    }
    return FALSE;
}

BOOL OnNotify(HWND dialog, const NMHDR *header) {
    if (header->idFrom != IDC_DESK_OBJECTS || header->code != NM_DBLCLK) return FALSE;
    OnAssign(dialog);
    return TRUE;
}

void OnDestroy(HWND dialog) {
    EndIconListDialog(dialog);
    g_images = nullptr;
    g_objects = nullptr;
}

}  // namespace

INT_PTR CALLBACK SystemCursorsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    INT_PTR result = FALSE;
    HMODULE names = g_namesListed ? CursorResourceModule() : nullptr;
    if (HandleIconListMessage(dialog, message, wParam, lParam, names, &result)) return result;
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog, lParam);
    case WM_NOTIFY: return OnNotify(dialog, (const NMHDR *)lParam);
    case WM_COMMAND: return OnCommand(dialog, wParam);
    case WM_DESTROY: OnDestroy(dialog); return FALSE;
    }
    return FALSE;
}

HIMAGELIST SystemCursorImages() { return g_images; }
POINT SystemCursorHotspot(int row) {
    POINT none = {0, 0};
    return row >= 0 && row < kSystemCursorCount ? g_hotspots[row] : none;
}

INT_PTR ShowSystemCursorsDialog(HWND owner, const char *helpFile) {
    return RunDesktopDialog(owner, IDD_SYSCURSORS, SystemCursorsDialogProc, helpFile);
}
