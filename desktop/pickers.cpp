#include "pickers.h"

#include <cstdio>
#include <cstring>
#include <string>

#include <shellapi.h>

#include "common/handles.h"
#include "common/paths.h"
#include "common/seams.h"
#include "desktop/location.h"
#include "iconres/iconlist.h"
#include "iconres/loaders.h"

const char kIconFileFilter[] =
    "ANI - Windows animated cursor|*.ANI|"
    "BMP - Windows bitmap (.bmp .dib .vga)|*.BMP;*.DIB;*.VGA|"
    "CPL - Control Panel Applet|*.CPL|"
    "CUR - Windows cursor|*.CUR|"
    "DLL - DLL Windows|*.DLL|"
    "EXE - Windows programs|*.EXE|"
    "ICL - Icon library|*.ICL|"
    "ICO - Windows icon|*.ICO|"
    "VBX OCX - DLL Windows|*.OCX;*.VBX||";

const char kCursorFileFilter[] =
    "ANI - animated cursor|*.ANI|"
    "CUR - Windows cursor|*.CUR|"
    "EXE - program|*.EXE|"
    "DLL - dynamic link library|*.DLL||";

namespace {

const COLORREF kListGrey = RGB(0xC0, 0xC0, 0xC0);

OpenFileChooser g_chooser = GetOpenFileNameA;
HBRUSH g_listBrush = nullptr;

}  // namespace

OpenFileChooser SetOpenFileChooser(OpenFileChooser chooser) {
    OpenFileChooser previous = g_chooser;
    g_chooser = chooser ? chooser : GetOpenFileNameA;
    return previous;
}

bool PickIconFile(HWND dialog, const char *filter, const char *defaultExtension, FileLister lister,
                  PickedFile *picked) {
    std::string filterText = FilterForDialog(filter);
    // The dialog fills its own buffers; the remembered file changes only on
    // OK, so a cancelled choice leaves the listed file and its assignments valid.
    char path[MAX_PATH] = "";
    char title[MAX_PATH] = "";
    // The dialog appends a default extension of its own, without "*.".
    const char *extension = defaultExtension;
    if (extension && strncmp(extension, "*.", 2) == 0) extension += 2;

    OPENFILENAMEA ofn = {};
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;  // the size every system of the suite accepts
    ofn.hwndOwner = dialog;
    ofn.lpstrFilter = filterText.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = path;
    ofn.nMaxFile = sizeof path;
    ofn.lpstrFileTitle = title;
    ofn.nMaxFileTitle = sizeof title;
    ofn.lpstrTitle = "Select the file";
    ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    ofn.lpstrDefExt = extension;
    if (!g_chooser(&ofn) || !path[0]) return false;

    CopyBounded(picked->path, sizeof picked->path, path);
    CopyBounded(picked->title, sizeof picked->title, title);
    ResetIconList(dialog);
    if (CompareNoCase(Extension(path).c_str(), ".ani", 4) == 0)
        LoadAnimatedCursor(dialog, path);
    else if (lister)
        lister(dialog, path);
    return true;
}

void MeasureIconListItem(HWND dialog, MEASUREITEMSTRUCT *mis) {
    if (mis->CtlType != ODT_LISTBOX || mis->CtlID != (UINT)IDC_ICONLIST) return;
    TEXTMETRICA tm = {};
    WindowDC dc(dialog);
    GetTextMetricsA(dc.get(), &tm);
    mis->itemWidth = 58;
    mis->itemHeight = (UINT)(GetSystemMetrics(SM_CYICON) + tm.tmHeight * 3 / 2);
}

void DrawIconListItem(const DRAWITEMSTRUCT *dis, HMODULE cursorModule) {
    if (dis->CtlType != ODT_LISTBOX || dis->CtlID != (UINT)IDC_ICONLIST) return;
    HDC dc = dis->hDC;
    RECT rc = dis->rcItem;
    bool empty = dis->itemID == (UINT)-1;
    if (empty) DrawFocusRect(dc, &rc);

    bool selected = !empty && (dis->itemState & ODS_SELECTED);
    COLORREF back = selected ? GetSysColor(COLOR_HIGHLIGHT) : kListGrey;
    COLORREF text = selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : GetSysColor(COLOR_WINDOWTEXT);
    COLORREF oldBack = SetBkColor(dc, back);
    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldText = SetTextColor(dc, text);
    {
        UniqueHandle<HGDIOBJ, GdiObjectTraits> brush(CreateSolidBrush(back));
        SelectObjectScope select(dc, brush.get());
        PatBlt(dc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, PATCOPY);
    }

    if (!empty && IconListCount != 0) {
        LPARAM value = (LPARAM)dis->itemData;
        if (cursorModule) {
            // The entry names a cursor resource of the loaded program.
            HANDLE cursor = LoadImageA(cursorModule, (LPCSTR)value, IMAGE_CURSOR, 32, 32, LR_MONOCHROME);
            if (cursor) {
                DrawIcon(dc, rc.left + 13, rc.top + 13, (HICON)cursor);
                DestroyCursor((HCURSOR)cursor);
            }
        } else if (value) {
            DrawIcon(dc, rc.left + 13, rc.top + 13, (HICON)value);
        }
    }
    if (!empty && (dis->itemState & ODS_FOCUS)) DrawFocusRect(dc, &rc);
    SetTextColor(dc, oldText);
    SetBkMode(dc, oldMode);
    SetBkColor(dc, oldBack);
}

HBRUSH IconListBrush() { return g_listBrush; }

void CreateIconListBrush() {
    DestroyIconListBrush();
    g_listBrush = CreateSolidBrush(kListGrey);
}

void DestroyIconListBrush() {
    if (g_listBrush) DeleteObject(g_listBrush);
    g_listBrush = nullptr;
}

INT_PTR AnswerIconListColour(HDC dc, HWND control) {
    if (GetDlgCtrlID(control) != IDC_ICONLIST || !g_listBrush) return 0;
    SetBkColor(dc, kListGrey);
    return (INT_PTR)g_listBrush;
}

HIMAGELIST SetUpObjectList(HWND list) {
    HIMAGELIST images = ImageList_Create(32, 32, ILC_MASK | ILC_COLORDDB, 100, 100);
    SendMessageA(list, LVM_SETIMAGELIST, LVSIL_NORMAL, (LPARAM)images);

    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_CENTER;
    column.cx = 300;
    column.pszText = (LPSTR) "File name";
    SendMessageA(list, LVM_INSERTCOLUMNA, 0, (LPARAM)&column);
    column.cx = 0;
    column.pszText = (LPSTR) "";
    column.iSubItem = 1;
    SendMessageA(list, LVM_INSERTCOLUMNA, 1, (LPARAM)&column);

    DWORD extended = LVS_EX_FULLROWSELECT | LVS_EX_ONECLICKACTIVATE;
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    return images;
}

int AddObjectRow(HWND list, HIMAGELIST images, HICON icon, const char *label) {
    // Row i owns image i: an icon the list refuses still takes a (blank) place.
    int image = icon ? ImageList_ReplaceIcon(images, -1, icon) : -1;
    if (image < 0) {
        image = ImageList_GetImageCount(images);
        ImageList_SetImageCount(images, (UINT)image + 1);
    }
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = (int)SendMessageA(list, LVM_GETITEMCOUNT, 0, 0);
    item.iImage = image;
    item.pszText = (LPSTR)label;
    int row = (int)SendMessageA(list, LVM_INSERTITEMA, 0, (LPARAM)&item);
    if (row < 0) return -1;
    LVITEMA text = {};
    text.iSubItem = 0;
    text.pszText = (LPSTR)label;
    SendMessageA(list, LVM_SETITEMTEXTA, (WPARAM)row, (LPARAM)&text);
    return row;
}

void SetObjectListView(HWND list, DWORD view) {
    LONG_PTR style = GetWindowLongPtrA(list, GWL_STYLE);
    SetWindowLongPtrA(list, GWL_STYLE, (style & ~(LONG_PTR)LVS_TYPEMASK) | (LONG_PTR)(view & LVS_TYPEMASK));
}

int AssignSelectedIcon(HWND dialog, HWND list, HIMAGELIST images, EntryIcon entryIcon, int *entryIndex) {
    LRESULT selection = SendDlgItemMessageA(dialog, IDC_ICONLIST, LB_GETCURSEL, 0, 0);
    if (selection == LB_ERR) return -1;
    int row = (int)SendMessageA(list, LVM_GETNEXTITEM, (WPARAM)-1, MAKELPARAM(LVNI_FOCUSED, 0));
    if (row < 0) return -1;
    LPARAM value = IconListValue(dialog, (int)selection);
    // An icon made by entryIcon is ours: the image list keeps a copy.
    UniqueIcon made(entryIcon ? entryIcon(value) : nullptr);
    HICON icon = entryIcon ? made.get() : (HICON)value;
    if (!icon) return -1;
    if (ImageList_ReplaceIcon(images, row, icon) < 0) return -1;
    SendMessageA(list, LVM_UPDATE, (WPARAM)row, 0);
    if (entryIndex) *entryIndex = (int)selection;
    return row;
}

HICON LoadIconFromLocation(char *location, size_t locationSize, PendingLocation *pending, HICON noIcon) {
    VariableLookup environment = [](const std::string &name, std::string *value) {
        char buffer[MAX_PATH];
        DWORD n = GetEnvironmentVariableA(name.c_str(), buffer, sizeof buffer);
        if (n == 0 || n >= sizeof buffer) return false;
        value->assign(buffer, n);
        return true;
    };
    ParsedLocation parsed;
    if (ParseIconLocation(location, WindowsFolder(), environment, &parsed) != kLocationParsed) return noIcon;
    CopyBounded(pending->path, sizeof pending->path, parsed.path);
    pending->index = parsed.index;
    CopyBounded(location, locationSize, parsed.path);
    if (parsed.index == -1) return noIcon;

    HICON icon;
    if (IsIconImagePath(parsed.path))
        icon = (HICON)LoadImageA(nullptr, parsed.path.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE | LR_DEFAULTSIZE);
    else
        icon = ExtractIconA(GetModuleHandleA(nullptr), parsed.path.c_str(), (UINT)parsed.index);
    // ExtractIconA answers 1 for a file that holds no icons.
    if (icon == (HICON)1) icon = nullptr;
    return icon ? icon : noIcon;
}

void BeginIconListDialog(HWND dialog) {
    ResetIconList(dialog);
    CreateIconListBrush();
    SendDlgItemMessageA(dialog, IDC_ICONLIST, LB_SETCOLUMNWIDTH, 58, 0);
}

void EndIconListDialog(HWND dialog) {
    ResetIconList(dialog);
    DestroyIconListBrush();
}

bool HandleIconListMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, HMODULE cursorModule,
                           INT_PTR *result) {
    // Only the IconList's requests: other owner-drawn controls and lists are the dialog's.
    switch (message) {
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
        if (wParam != (WPARAM)IDC_ICONLIST) return false;
        break;
    case WM_CTLCOLORLISTBOX:
        if (GetDlgCtrlID((HWND)lParam) != IDC_ICONLIST) return false;
        break;
    }
    switch (message) {
    case WM_MEASUREITEM:
        MeasureIconListItem(dialog, (MEASUREITEMSTRUCT *)lParam);
        *result = TRUE;
        return true;
    case WM_DRAWITEM:
        DrawIconListItem((const DRAWITEMSTRUCT *)lParam, cursorModule);
        *result = TRUE;
        return true;
    case WM_CTLCOLORLISTBOX:
        *result = AnswerIconListColour((HDC)wParam, (HWND)lParam);
        return true;
    }
    return false;
}

INT_PTR RunDesktopDialog(HWND owner, int templateId, DLGPROC proc, const char *helpFile) {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), owner, proc, (LPARAM)helpFile);
}
