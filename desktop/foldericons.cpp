// The folder icon dialog. Each tree node holds a reference on its parent
// shell folder and its item identifiers (relative and absolute) for as long as
// the node lives; they are released when the tree deletes the node.
#include "common/help_win.h"
#include "common/windowutil.h"
#include "desktop/foldericons.h"

#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/comref.h"
#include "common/handles.h"
#include "common/paths.h"
#include "common/seams.h"
#include "desktop/desktop.h"
#include "desktop/desktopini.h"
#include "desktop/pickers.h"
#include "desktop/resource.h"
#include "iconres/iconlist.h"
#include "iconres/loaders.h"

namespace {

const char kTitle[] = "Glyphery";
const char kSection[] = ".ShellClassInfo";
const char kSelectFolder[] = "Please select the folder whose icon is to be modified.";

// An item identifier list from the shell's allocator.
struct ItemIdList {
    LPITEMIDLIST p = nullptr;
    ItemIdList() = default;
    explicit ItemIdList(LPITEMIDLIST q) : p(q) {}
    ~ItemIdList() { CoTaskMemFree(p); }
    ItemIdList(const ItemIdList &) = delete;
    ItemIdList &operator=(const ItemIdList &) = delete;
};

// What a tree node carries.
struct FolderNode {
    IShellFolder *parent;  // a held reference
    ItemIdList relative;   // relative to parent
    ItemIdList absolute;
    FolderNode(IShellFolder *folder, LPITEMIDLIST rel, LPITEMIDLIST abs) : parent(folder), relative(rel), absolute(abs) {
        parent->AddRef();
    }
    ~FolderNode() { parent->Release(); }
};

PickedFile g_picked;  // the browsed file, remembered for the life of the program

// State of one opening, behind DWLP_USER.
struct FolderDialogState {
    std::string helpFile;
    std::string listedFile;  // the file whose icons the IconList holds (the status text shows it)
};

FolderDialogState *State(HWND dialog) { return DialogState<FolderDialogState>(dialog); }

HWND Tree(HWND dialog) { return GetDlgItem(dialog, kFolderTreeId); }

FolderNode *NodeData(HWND tree, HTREEITEM item) {
    TVITEMA tv = {};
    tv.mask = TVIF_HANDLE | TVIF_PARAM;
    tv.hItem = item;
    if (!item || !SendMessageA(tree, TVM_GETITEMA, 0, (LPARAM)&tv)) return nullptr;
    return (FolderNode *)tv.lParam;
}

int SmallIconIndex(LPCITEMIDLIST absolute, UINT extra) {
    SHFILEINFOA info = {};
    if (!SHGetFileInfoA((LPCSTR)absolute, 0, &info, sizeof info, SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | extra))
        return 0;
    return info.iIcon;
}

// Adds a node for every folder among the items of folder (hidden ones
// included); a folder with subfolders gets an expand button.
void FillChildren(HWND dialog, HWND tree, HTREEITEM parentNode, IShellFolder *folder, LPCITEMIDLIST folderAbsolute) {
    ComRef<IEnumIDList> items;
    if (folder->EnumObjects(dialog, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN, items.out()) != S_OK ||
        !items.get())
        return;
    LPITEMIDLIST raw = nullptr;
    ULONG fetched = 0;
    while (items->Next(1, &raw, &fetched) == S_OK && fetched == 1) {
        ItemIdList relative(raw);
        SFGAOF attributes = SFGAO_FOLDER | SFGAO_HASSUBFOLDER;
        LPCITEMIDLIST one = relative.p;
        if (FAILED(folder->GetAttributesOf(1, &one, &attributes)) || !(attributes & SFGAO_FOLDER)) continue;
        char name[256] = {0};
        STRRET ret = {};
        if (SUCCEEDED(folder->GetDisplayNameOf(relative.p, SHGDN_NORMAL, &ret)))
            StrRetToBufA(&ret, relative.p, name, sizeof name);
        LPITEMIDLIST absolute = ILCombine(folderAbsolute, relative.p);
        if (!absolute) continue;
        FolderNode *data = new FolderNode(folder, relative.p, absolute);
        relative.p = nullptr;  // the node owns it now

        TVINSERTSTRUCTA ins = {};
        ins.hParent = parentNode;
        ins.hInsertAfter = TVI_LAST;
        ins.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_CHILDREN;
        ins.item.pszText = name;
        ins.item.iImage = SmallIconIndex(absolute, 0);
        ins.item.iSelectedImage = SmallIconIndex(absolute, SHGFI_OPENICON);
        ins.item.cChildren = (attributes & SFGAO_HASSUBFOLDER) ? 1 : 0;
        ins.item.lParam = (LPARAM)data;
        if (!SendMessageA(tree, TVM_INSERTITEMA, 0, (LPARAM)&ins)) delete data;
    }
}

// The shell's own order of two items of one folder.
int CALLBACK CompareNodes(LPARAM a, LPARAM b, LPARAM) {
    FolderNode *x = (FolderNode *)a, *y = (FolderNode *)b;
    HRESULT hr = x->parent->CompareIDs(0, x->relative.p, y->relative.p);
    return FAILED(hr) ? 0 : (short)HRESULT_CODE(hr);
}

void OnExpanding(HWND dialog, const NMTREEVIEWA *change) {
    if (change->action != TVE_EXPAND || (change->itemNew.state & TVIS_EXPANDEDONCE)) return;
    HWND tree = change->hdr.hwndFrom;
    HTREEITEM item = change->itemNew.hItem;
    FolderNode *node = NodeData(tree, item);
    if (!node) return;
    ComRef<IShellFolder> folder;
    if (FAILED(node->parent->BindToObject(node->relative.p, nullptr, IID_IShellFolder, (void **)folder.out())) ||
        !folder.get())
        return;
    HCURSOR old = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    SendMessageA(tree, WM_SETREDRAW, FALSE, 0);
    FillChildren(dialog, tree, item, folder.get(), node->absolute.p);
    TVSORTCB sort = {};
    sort.hParent = item;
    sort.lpfnCompare = CompareNodes;
    SendMessageA(tree, TVM_SORTCHILDRENCB, 0, (LPARAM)&sort);
    SendMessageA(tree, WM_SETREDRAW, TRUE, 0);
    SetCursor(old);
}

// The folder of the selected node; false (after telling the
// user when nothing is selected) when there is none to work on.
bool SelectedFolder(HWND dialog, std::string *folderPath) {
    HWND tree = Tree(dialog);
    HTREEITEM item = (HTREEITEM)SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0);
    if (!item) {
        ShowMessage(dialog, kSelectFolder, kTitle, MB_OK | MB_ICONSTOP);
        return false;
    }
    std::string folder;
    if (!FolderNodePath(tree, item, &folder)) return false;
    *folderPath = folder;
    return true;
}

void OnSelectionChanged(HWND dialog, HTREEITEM item) {
    std::string folder;
    if (!FolderNodePath(Tree(dialog), item, &folder)) return;
    std::string ini = DesktopIniPath(folder);
    int index = (int)GetPrivateProfileIntA(kSection, "IconIndex", 0, ini.c_str());
    SendDlgItemMessageA(dialog, IDC_ICONLIST, LB_SETCURSEL, (WPARAM)index, 0);
    char tip[kMaxInfoTip + 1] = {0};
    GetPrivateProfileStringA(kSection, "InfoTip", "", tip, sizeof tip, ini.c_str());
    SetDlgItemTextA(dialog, IDC_FOLDER_TIP, tip);
}

// Everything is checked before the folder is touched: a refused Apply
// leaves it as it was. The folder is marked as a system folder (which makes
// the shell read its desktop.ini) once the desktop.ini is written.
void OnApply(HWND dialog) {
    std::string folder;
    if (!SelectedFolder(dialog, &folder)) return;
    const std::string &iconFile = State(dialog)->listedFile;
    // Without a chosen entry there is no icon to name: IconIndex=-1 would
    // name resource 1 of the file instead, and the folder's present
    // desktop.ini would be lost for it.
    LRESULT index = SendDlgItemMessageA(dialog, IDC_ICONLIST, LB_GETCURSEL, 0, 0);
    if (iconFile.empty() || index == LB_ERR) {
        ShowMessage(dialog, "Please select the icon file.", kTitle, MB_OK | MB_ICONSTOP);
        return;
    }
    char tip[kMaxInfoTip + 1] = {0};
    GetDlgItemTextA(dialog, IDC_FOLDER_TIP, tip, sizeof tip);
    std::string text = DesktopIniText(iconFile, (int)index, tip);

    std::string ini = DesktopIniPath(folder);
    // A desktop.ini the shell made is hidden and system; asking for the
    // attributes it already has lets it be replaced.
    DWORD existing = GetFileAttributesA(ini.c_str());
    DWORD attributes = FILE_ATTRIBUTE_HIDDEN;
    if (existing != INVALID_FILE_ATTRIBUTES) attributes |= existing & FILE_ATTRIBUTE_SYSTEM;
    UniqueFile file(CreateFileA(ini.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr));
    if (!file) return;
    DWORD written = 0;
    if (!WriteFile(file.get(), text.data(), (DWORD)text.size(), &written, nullptr) || written != text.size()) return;
    PathMakeSystemFolderA(folder.c_str());
}

void OnReset(HWND dialog) {
    std::string folder;
    if (!SelectedFolder(dialog, &folder)) return;
    std::string ini = DesktopIniPath(folder);
    SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_ARCHIVE);
    DeleteFileA(ini.c_str());
    InvalidateRect(Tree(dialog), nullptr, TRUE);
}

void OnBrowse(HWND dialog) { BrowseIconFile(dialog, &g_picked, &State(dialog)->listedFile); }

void CreateFolderTree(HWND dialog) {
    RECT list;
    GetWindowRect(GetDlgItem(dialog, IDC_ICONLIST), &list);
    MapWindowPoints(nullptr, dialog, (POINT *)&list, 2);
    RECT caption;
    GetWindowRect(GetDlgItem(dialog, IDC_DESK_CAPTION), &caption);
    MapWindowPoints(nullptr, dialog, (POINT *)&caption, 2);
    RECT client;
    GetClientRect(dialog, &client);
    HWND tree = CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT |
                                    TVS_SHOWSELALWAYS,
                                caption.left, list.top, list.left - 2 - caption.left, client.bottom - list.top, dialog,
                                (HMENU)(INT_PTR)kFolderTreeId, GetModuleHandleA(nullptr), nullptr);
    // The system's small-icon list, as the shell gives it for drive C.
    SHFILEINFOA info = {};
    HIMAGELIST system =
        (HIMAGELIST)SHGetFileInfoA("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    SendMessageA(tree, TVM_SETIMAGELIST, TVSIL_NORMAL, (LPARAM)system);
    // Tab order: the tree comes after its caption.
    SetWindowPos(tree, GetDlgItem(dialog, IDC_DESK_CAPTION), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

BOOL OnInitDialog(HWND dialog, LPARAM helpFile) {
    FolderDialogState *state = AttachDialogState<FolderDialogState>(dialog);  // freed when the dialog is destroyed
    state->helpFile = helpFile ? (const char *)helpFile : "";
    BeginIconListDialog(dialog);
    CreateFolderTree(dialog);
    SendDlgItemMessageA(dialog, IDC_FOLDER_TIP, EM_LIMITTEXT, kMaxInfoTip, 0);
    HWND tree = Tree(dialog);
    ComRef<IShellFolder> desktop;
    LPITEMIDLIST root = nullptr;
    if (SUCCEEDED(SHGetDesktopFolder(desktop.out())) && desktop.get() &&
        SUCCEEDED(SHGetSpecialFolderLocation(dialog, CSIDL_DESKTOP, &root))) {
        ItemIdList rootId(root);
        FillChildren(dialog, tree, TVI_ROOT, desktop.get(), rootId.p);
    }
    HTREEITEM first = (HTREEITEM)SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
    if (first) SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)first);
    state->listedFile = ListSystemShellIcons(dialog);
    CentreOnScreen(dialog);
    return TRUE;
}

void OnDestroy(HWND dialog) {
    // Deleting the nodes releases what they hold (TVN_DELETEITEM).
    SendMessageA(Tree(dialog), TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT);
    EndIconListDialog(dialog);
    FreeDialogState<FolderDialogState>(dialog);
}

BOOL OnNotify(HWND dialog, const NMHDR *header) {
    if (header->idFrom != (UINT_PTR)kFolderTreeId) return FALSE;
    const NMTREEVIEWA *change = (const NMTREEVIEWA *)header;
    switch (header->code) {
    case TVN_ITEMEXPANDINGA:
    case TVN_ITEMEXPANDINGW:
        OnExpanding(dialog, change);
        return FALSE;
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW:
        OnSelectionChanged(dialog, change->itemNew.hItem);
        return TRUE;
    case TVN_DELETEITEMA:
    case TVN_DELETEITEMW:
        delete (FolderNode *)change->itemOld.lParam;
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
    case IDC_DESK_APPLY_BUTTON:
        OnApply(dialog);
        return TRUE;
    case IDC_DESK_RESET:
        OnReset(dialog);
        return TRUE;
    case IDC_DESK_HELP:
        ShowHelpTopic(dialog, State(dialog)->helpFile.c_str(), HELP_FOLDERICONS);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK FolderIconsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
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

bool FolderNodePath(HWND tree, HTREEITEM node, std::string *path) {
    FolderNode *data = NodeData(tree, node);
    if (!data) return false;
    char shellPath[MAX_PATH] = {0};
    if (SHGetPathFromIDListA(data->absolute.p, shellPath) && shellPath[0]) {
        *path = shellPath;
        return true;
    }
    std::vector<std::string> names;
    for (HTREEITEM item = node; item;
         item = (HTREEITEM)SendMessageA(tree, TVM_GETNEXTITEM, TVGN_PARENT, (LPARAM)item)) {
        char text[256] = {0};
        TVITEMA tv = {};
        tv.mask = TVIF_HANDLE | TVIF_TEXT;
        tv.hItem = item;
        tv.pszText = text;
        tv.cchTextMax = sizeof text;
        SendMessageA(tree, TVM_GETITEMA, 0, (LPARAM)&tv);
        names.insert(names.begin(), text);
    }
    return FileSystemPathOf(JoinFolderPath(names), path);
}

void BrowseIconFile(HWND dialog, PickedFile *picked, std::string *listed) {
    if (!PickIconFile(dialog, kIconFileFilter, "*.ico", ListIconsInFile, picked)) return;
    *listed = picked->path;
    SetDlgItemTextA(dialog, IDC_DESK_STATUS, picked->path);
}

std::string ListSystemShellIcons(HWND dialog) {
    char system[MAX_PATH] = {0};
    UINT n = GetSystemDirectoryA(system, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) system[0] = 0;
    std::string path = CollapseBackslashes(std::string(system) + "\\Shell32.dll");
    ResetIconList(dialog);
    ListIconsInFile(dialog, path.c_str());
    SetDlgItemTextA(dialog, IDC_DESK_STATUS, path.c_str());
    return path;
}

INT_PTR ShowFolderIconsDialog(HWND owner, const char *helpFile) {
    HRESULT com = CoInitialize(nullptr);
    INT_PTR result = RunDesktopDialog(owner, IDD_FOLDERICONS, FolderIconsProc, helpFile);
    if (SUCCEEDED(com)) CoUninitialize();
    return result;
}
