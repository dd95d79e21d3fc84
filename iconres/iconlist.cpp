#include "iconlist.h"

#include <vector>

#include "iconres/iconrecord.h"

int IconListCount = 0;

// Icons extracted by ListIconsInFile and ListCursorsInFile for the current
// listing; they belong to the list and go with it.
static std::vector<HICON> g_owned;

bool AddIconEntry(HWND dialog, LPARAM value) {
    HWND list = GetDlgItem(dialog, IDC_ICONLIST);
    if (!list) return false;
    // The list stores no texts; a list that does (a plain list box) gets an
    // empty one. Either way the entry's value is set afterwards.
    LRESULT index = SendMessageA(list, LB_ADDSTRING, 0, (LPARAM) "");
    if (index == LB_ERR || index == LB_ERRSPACE) return false;
    SendMessageA(list, LB_SETITEMDATA, (WPARAM)index, value);
    return true;
}

void ResetIconList(HWND dialog) {
    SendDlgItemMessageA(dialog, IDC_ICONLIST, LB_RESETCONTENT, 0, 0);
    IconListCount = 0;
    for (HICON icon : g_owned) DestroyIcon(icon);
    g_owned.clear();
    RemoveCursorFiles();  // the copies an animated cursor's listing left in the temporary folder
}

LPARAM IconListValue(HWND dialog, int index) {
    LRESULT v = SendDlgItemMessageA(dialog, IDC_ICONLIST, LB_GETITEMDATA, (WPARAM)index, 0);
    return v == LB_ERR ? 0 : (LPARAM)v;
}

int IconListEntries(HWND dialog) {
    LRESULT n = SendDlgItemMessageA(dialog, IDC_ICONLIST, LB_GETCOUNT, 0, 0);
    return n == LB_ERR ? 0 : (int)n;
}

void IconListTakeOwnership(HICON icon) {
    if (icon) g_owned.push_back(icon);
}
