// The favorites icon dialog. The tree is filled once per opening from the
// Favorites folder; icon choices are kept in the nodes' data and written into
// the shortcut files only by Apply.
#include "common/help_win.h"
#include "common/windowutil.h"
#include "desktop/favorites.h"

#include <shellapi.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "common/handles.h"
#include "common/paths.h"
#include "common/seams.h"
#include "desktop/desktop.h"
#include "desktop/location.h"
#include "desktop/pickers.h"
#include "desktop/resource.h"

namespace {

const char kTitle[] = "Glyphery";
const char kSection[] = "InternetShortcut";
const char kNoSelection[] = "Please select a Favorite.";
const char kDefaultIconFile[] = "url.dll";

// State of one opening.
std::string g_helpFile;
HIMAGELIST g_images = nullptr;
int g_folderClosed = -1, g_folderOpen = -1;  // the folder bitmaps' images, -1 until added
// Every data block handed to a node, replaced ones included; freed when the
// dialog ends.
std::vector<std::unique_ptr<FavoriteData>> g_blocks;

bool IsDotName(const char *name) { return name[0] == '.'; }

bool IsChannelsFolder(const char *name) { return CompareNoCase(name, "Channels", 8) == 0; }

// An Internet shortcut: the whole extension is ".url", in any case (".urlx"
// is another kind of file). The tree and the count both go by this.
bool IsShortcutName(const char *name) { return CompareNoCase(Extension(name).c_str(), ".url", 5) == 0; }

// Joins folder and name; false when the result would not fit a path buffer.
bool JoinPath(const std::string &folder, const char *name, std::string *out) {
    *out = CollapseBackslashes(folder + "\\" + name);
    return out->size() < MAX_PATH;
}

FavoriteData *NewBlock() {
    g_blocks.push_back(std::make_unique<FavoriteData>());
    FavoriteData *data = g_blocks.back().get();
    memset(data, 0, sizeof *data);
    return data;
}

// An icon-library name without a folder is looked up the way the system
// finds a library (the system folder among others).
std::string ResolveIconFile(const char *file) {
    if (strchr(file, '\\') || strchr(file, '/')) return file;
    char found[MAX_PATH] = {0};
    DWORD n = SearchPathA(nullptr, file, nullptr, MAX_PATH, found, nullptr);
    return n > 0 && n < MAX_PATH ? std::string(found) : std::string(file);
}

// Appends the small icon of file at index to the image list, copies times;
// returns the first image. A file without that icon, or no file (""), shows
// the system's generic program icon instead.
int AddSmallIcon(const char *file, int index, int copies = 1) {
    char expanded[MAX_PATH] = {0};
    DWORD n = ExpandEnvironmentStringsA(file, expanded, MAX_PATH);
    std::string path = ResolveIconFile(n > 0 && n <= MAX_PATH ? expanded : file);
    HICON small = nullptr;
    if (!file[0] || ExtractIconExA(path.c_str(), index, nullptr, &small, 1) == 0) small = nullptr;
    UniqueIcon owned(small);
    HICON icon = small ? small : (HICON)LoadImageA(nullptr, IDI_APPLICATION, IMAGE_ICON, 16, 16, LR_SHARED);
    int first = ImageList_ReplaceIcon(g_images, -1, icon);
    for (int i = 1; i < copies; ++i) ImageList_ReplaceIcon(g_images, -1, icon);
    return first;
}

void AddFolderImages() {
    if (g_folderClosed >= 0) return;
    HINSTANCE module = GetModuleHandleA(nullptr);
    UniqueBitmap closed((HBITMAP)LoadImageA(module, MAKEINTRESOURCEA(IDB_FOLDER_CLOSED), IMAGE_BITMAP, 0, 0, 0));
    UniqueBitmap open((HBITMAP)LoadImageA(module, MAKEINTRESOURCEA(IDB_FOLDER_OPEN), IMAGE_BITMAP, 0, 0, 0));
    // The bitmaps are drawn on magenta, which is taken as transparent.
    g_folderClosed = closed ? ImageList_AddMasked(g_images, closed.get(), RGB(255, 0, 255)) : -1;
    g_folderOpen = open ? ImageList_AddMasked(g_images, open.get(), RGB(255, 0, 255)) : g_folderClosed;
}

HTREEITEM InsertNode(HWND tree, HTREEITEM parent, const char *text, int image, int selected, LPARAM data) {
    TVINSERTSTRUCTA ins = {};
    ins.hParent = parent;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    ins.item.pszText = const_cast<char *>(text);
    ins.item.iImage = image;
    ins.item.iSelectedImage = selected;
    ins.item.lParam = data;
    return (HTREEITEM)SendMessageA(tree, TVM_INSERTITEMA, 0, (LPARAM)&ins);
}

// The node's data shows the shortcut's icon; the file itself is written only
// when the user gives the node another icon.
void AddShortcutNode(HWND tree, HTREEITEM parent, const std::string &path, const char *fileName) {
    FavoriteData *data = NewBlock();
    CopyBounded(data->shortcutPath, sizeof data->shortcutPath, path);
    // One character more than a path holds: a longer IconFile is seen as such
    // rather than cut into the name of another file.
    char iconFile[MAX_PATH + 1] = {0};
    DWORD length = GetPrivateProfileStringA(kSection, "IconFile", "", iconFile, sizeof iconFile, path.c_str());
    char index[32] = {0};
    GetPrivateProfileStringA(kSection, "IconIndex", "0", index, sizeof index, path.c_str());
    int image;
    if (length >= MAX_PATH) {
        data->iconIndex = ParseLocationIndex(index);
        image = AddSmallIcon("", 0);  // the generic icon: no file of that name can be opened
    } else {
        CopyBounded(data->iconFile, sizeof data->iconFile, iconFile[0] ? iconFile : kDefaultIconFile);
        // Negative indexes name an icon by its resource number.
        data->iconIndex = iconFile[0] ? ParseLocationIndex(index) : 0;
        image = AddSmallIcon(data->iconFile, data->iconIndex);
    }
    GetPrivateProfileStringA(kSection, "URL", "", data->url, MAX_PATH, path.c_str());
    InsertNode(tree, parent, BaseName(fileName).c_str(), image, image, (LPARAM)data);
}

void FillFolder(HWND tree, HTREEITEM node, const std::string &folder) {
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(CollapseBackslashes(folder + "\\*.*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        if (IsDotName(found.cFileName)) continue;
        std::string path;
        if (!JoinPath(folder, found.cFileName, &path)) continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (IsChannelsFolder(found.cFileName)) continue;
            AddFolderImages();
            HTREEITEM child = InsertNode(tree, node, found.cFileName, g_folderClosed, g_folderOpen, 0);
            if (child) FillFolder(tree, child, path);
        } else if (IsShortcutName(found.cFileName)) {
            AddShortcutNode(tree, node, path, found.cFileName);
        }
    } while (FindNextFileA(find, &found));
    FindClose(find);
}

HWND Tree(HWND dialog) { return GetDlgItem(dialog, IDC_FAV_TREE); }

HTREEITEM Selected(HWND dialog) { return (HTREEITEM)SendMessageA(Tree(dialog), TVM_GETNEXTITEM, TVGN_CARET, 0); }

BOOL OnInitDialog(HWND dialog, LPARAM helpFile) {
    g_helpFile = helpFile ? (const char *)helpFile : "";
    g_folderClosed = g_folderOpen = -1;
    HWND tree = Tree(dialog);
    g_images = ImageList_Create(16, 16, ILC_COLOR16 | ILC_MASK, 50, 100);
    SendMessageA(tree, TVM_SETIMAGELIST, TVSIL_NORMAL, (LPARAM)g_images);

    std::string folder = FavoritesFolder();
    char status[MAX_PATH + 32];
    snprintf(status, sizeof status, "%s: %d items", folder.c_str(), CountFavorites(folder.c_str()));
    SetDlgItemTextA(dialog, IDC_DESK_STATUS, status);

    // The root shows the folder images from the start, like every folder node.
    AddFolderImages();
    std::string rootText = "Favorites (" + folder + ")";
    HTREEITEM root = InsertNode(tree, TVI_ROOT, rootText.c_str(), g_folderClosed, g_folderOpen, 0);
    if (root && !folder.empty()) FillFolder(tree, root, folder);
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)root);
    CentreOnScreen(dialog);
    return TRUE;
}

void OnDestroy(HWND dialog) {
    // The nodes go first, while the data they point to is still there (a
    // node's deletion may notify a selection change); then the image list
    // and the data blocks, which are ours.
    SendMessageA(Tree(dialog), TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT);
    SendMessageA(Tree(dialog), TVM_SETIMAGELIST, TVSIL_NORMAL, 0);
    if (g_images) ImageList_Destroy(g_images);
    g_images = nullptr;
    g_blocks.clear();
}

IconPicker g_picker = nullptr;

}  // namespace

// The shell's icon-picking dialog (shell32 ordinal 62). NT platforms take the
// path as UTF-16, the others as ANSI. Only 1 means OK: 0 is Cancel, and a
// stub of the dialog answers -1.
bool PickIconWithShell(HWND owner, char *file, size_t fileSize, int *index) {
    UniqueModule shell(LoadLibraryA("shell32.dll"));
    if (!shell) return false;
    FARPROC proc = GetProcAddress(shell.get(), MAKEINTRESOURCEA(62));
    if (!proc) return false;
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    int chosen = *index;
    INT_PTR ok;
    if (version.dwPlatformId == VER_PLATFORM_WIN32_NT) {
        typedef int(WINAPI * PickW)(HWND, WCHAR *, UINT, int *);
        WCHAR wide[MAX_PATH] = {0};
        MultiByteToWideChar(CP_ACP, 0, file, -1, wide, MAX_PATH - 1);
        ok = ((PickW)(void *)proc)(owner, wide, MAX_PATH, &chosen);
        if (ok > 0 && !WideCharToMultiByte(CP_ACP, 0, wide, -1, file, (int)fileSize, nullptr, nullptr)) ok = 0;
    } else {
        typedef int(WINAPI * PickA)(HWND, char *, UINT, int *);
        ok = ((PickA)(void *)proc)(owner, file, (UINT)fileSize, &chosen);
    }
    file[fileSize - 1] = 0;
    if (ok <= 0) return false;
    *index = chosen;
    return true;
}

IconPicker SetIconPicker(IconPicker picker) {
    IconPicker old = g_picker;
    g_picker = picker;
    return old;
}

namespace {

void SetNode(HWND tree, HTREEITEM node, FavoriteData *data, int image) {
    TVITEMA item = {};
    item.mask = TVIF_HANDLE | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = node;
    item.lParam = (LPARAM)data;
    item.iImage = image;
    item.iSelectedImage = image + 1;  // the second copy of the same icon
    SendMessageA(tree, TVM_SETITEMA, 0, (LPARAM)&item);
}

void OnAssign(HWND dialog) {
    HWND tree = Tree(dialog);
    HTREEITEM node = Selected(dialog);
    if (!node) {
        ShowMessage(dialog, kNoSelection, kTitle, MB_OK | MB_ICONSTOP);
        return;
    }
    const FavoriteData *old = FavoriteOfNode(tree, node);
    if (!old) return;  // a folder has no icon of its own here
    char file[MAX_PATH] = "shell32.dll";
    int index = 0;
    IconPicker pick = g_picker ? g_picker : PickIconWithShell;
    if (!pick(dialog, file, sizeof file, &index)) return;

    int image = AddSmallIcon(file, index, 2);  // normal and selected image

    FavoriteData *data = NewBlock();
    memcpy(data->url, old->url, sizeof data->url);
    memcpy(data->shortcutPath, old->shortcutPath, sizeof data->shortcutPath);
    CopyBounded(data->iconFile, sizeof data->iconFile, file);
    data->iconIndex = index;
    data->assigned = true;
    SetNode(tree, node, data, image);
}

void OnDelete(HWND dialog) {
    HTREEITEM node = Selected(dialog);
    if (!node) {
        ShowMessage(dialog, kNoSelection, kTitle, MB_OK | MB_ICONSTOP);
        return;
    }
    const FavoriteData *data = FavoriteOfNode(Tree(dialog), node);
    if (!data) return;
    if (ShowMessage(dialog,
                    "You are about to delete the currently selected item in your Favorites folder.\nProceed anyway ?",
                    kTitle, MB_YESNO | MB_ICONQUESTION) == IDYES)
        DeleteFileA(data->shortcutPath);
}

void OnConnect(HWND dialog) {
    HTREEITEM node = Selected(dialog);
    if (!node) {
        ShowMessage(dialog, kNoSelection, kTitle, MB_OK | MB_ICONSTOP);
        return;
    }
    const FavoriteData *data = FavoriteOfNode(Tree(dialog), node);
    if (data) ShellOpen(dialog, "open", data->url, nullptr, nullptr, SW_SHOWNORMAL);
}

// Writes the icon of every shortcut the user gave a new one, in pre-order,
// then closes. The others are left as they are: what the tree read of them
// may not be what they hold (an IconFile longer than a path buffer). A
// shortcut deleted while the dialog was open is not written: writing would
// make a new file holding nothing but the icon.
void OnApply(HWND dialog) {
    HWND tree = Tree(dialog);
    HTREEITEM node = (HTREEITEM)SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
    while (node) {
        const FavoriteData *data = FavoriteOfNode(tree, node);
        if (data && data->assigned && GetFileAttributesA(data->shortcutPath) != INVALID_FILE_ATTRIBUTES) {
            char index[16];
            snprintf(index, sizeof index, "%d", data->iconIndex);
            WritePrivateProfileStringA(kSection, "IconFile", data->iconFile, data->shortcutPath);
            WritePrivateProfileStringA(kSection, "IconIndex", index, data->shortcutPath);
        }
        HTREEITEM next = (HTREEITEM)SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, (LPARAM)node);
        while (!next && node) {
            next = (HTREEITEM)SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, (LPARAM)node);
            if (!next) node = (HTREEITEM)SendMessageA(tree, TVM_GETNEXTITEM, TVGN_PARENT, (LPARAM)node);
        }
        node = next;
    }
    EndDialog(dialog, 1);
}

void OnContextMenu(HWND dialog) {
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDM_FAVORITES_CONTEXT));
    if (!menu) return;
    POINT at;
    GetCursorPos(&at);
    TrackPopupMenu(GetSubMenu(menu, 0), TPM_LEFTALIGN | TPM_VERTICAL | TPM_RIGHTBUTTON, at.x, at.y, 0, dialog,
                   nullptr);
    DestroyMenu(menu);
}

BOOL OnNotify(HWND dialog, const NMHDR *header) {
    if (header->idFrom != IDC_FAV_TREE) return FALSE;
    if (header->code == TVN_SELCHANGEDA || header->code == TVN_SELCHANGEDW) {
        const NMTREEVIEWA *change = (const NMTREEVIEWA *)header;
        const FavoriteData *data = (const FavoriteData *)change->itemNew.lParam;
        SetDlgItemTextA(dialog, IDC_FAV_URL, data ? data->url : "");
        return TRUE;
    }
    if (header->code == (UINT)NM_RCLICK) {
        OnContextMenu(dialog);
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
        return TRUE;
    }
    return FALSE;
}

BOOL OnCommand(HWND dialog, int id) {
    switch (id) {
    case IDOK:
        OnApply(dialog);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, 0);
        return TRUE;
    case IDM_FAV_ASSIGN:
        OnAssign(dialog);
        return TRUE;
    case IDM_FAV_DELETE:
        OnDelete(dialog);
        return TRUE;
    case IDM_FAV_CONNECT:
        OnConnect(dialog);
        return TRUE;
    case IDC_DESK_HELP:
        ShowHelpTopic(dialog, g_helpFile.c_str(), HELP_FAVORITES);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK FavoritesProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
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

int CountFavorites(const char *folder) {
    int count = 0;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(CollapseBackslashes(std::string(folder) + "\\*.*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return 0;
    do {
        if (IsDotName(found.cFileName)) continue;
        std::string path;
        if (!JoinPath(folder, found.cFileName, &path)) continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            count += CountFavorites(path.c_str());
        else if (IsShortcutName(found.cFileName))
            ++count;
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return count;
}

const FavoriteData *FavoriteOfNode(HWND tree, HTREEITEM node) {
    if (!node) return nullptr;
    TVITEMA item = {};
    item.mask = TVIF_HANDLE | TVIF_PARAM;
    item.hItem = node;
    if (!SendMessageA(tree, TVM_GETITEMA, 0, (LPARAM)&item)) return nullptr;
    return (const FavoriteData *)item.lParam;
}

INT_PTR ShowFavoritesDialog(HWND owner, const char *helpFile) {
    return RunDesktopDialog(owner, IDD_FAVORITES, FavoritesProc, helpFile);
}
