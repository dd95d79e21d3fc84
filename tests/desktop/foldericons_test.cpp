// The folder icon dialog (433) from its real template: the shell namespace
// tree, the desktop.ini it writes into a folder of the prefix's drive C, what
// selecting a folder shows, Reset, and the refusals.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "common/paths.h"
#include "common/seams.h"
#include "desktop/desktop.h"
#include "desktop/foldericons.h"
#include "desktop/pickers.h"
#include "desktop/resource.h"
#include "iconres/iconlist.h"
#include "tests/common/testutil_win.h"
#include "tests/desktop/desk_driver.h"
#include "tests/iconres/fixtures.h"

using namespace deskdrv;

namespace {

const char kRoot[] = "C:\\GlypheryFolderTest";

std::string Lower(std::string s) {
    for (char &c : s) c = (char)tolower((unsigned char)c);
    return s;
}

HTREEITEM Child(HWND tree, HTREEITEM node) {
    return (HTREEITEM)SendMessageA(tree, TVM_GETNEXTITEM, node ? TVGN_CHILD : TVGN_ROOT, (LPARAM)node);
}
HTREEITEM Next(HWND tree, HTREEITEM node) { return (HTREEITEM)SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, (LPARAM)node); }

// Walks down the tree to the node of a file-system folder, expanding the
// nodes on the way (and the top-level nodes without a path, such as My
// Computer, to look inside them).
HTREEITEM FindFolder(HWND tree, const std::string &target, HTREEITEM parent = nullptr, int depth = 0) {
    std::string want = Lower(target);
    for (HTREEITEM n = Child(tree, parent); n; n = Next(tree, n)) {
        std::string path;
        bool has = FolderNodePath(tree, n, &path);
        std::string p = Lower(path);
        if (has && !p.empty() && p.back() == '\\') p.pop_back();
        if (has && p == want) return n;
        bool inside = has ? want.compare(0, p.size() + 1, p + "\\") == 0 : depth == 0;
        if (!inside) continue;
        SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)n);
        if (HTREEITEM found = FindFolder(tree, target, n, depth + 1)) return found;
    }
    return nullptr;
}

std::string IniOf(const std::string &folder) { return folder + "\\desktop.ini"; }

std::string Contents(const std::string &path) {
    std::vector<uint8_t> b = ReadFileBytes(path);
    return std::string(b.begin(), b.end());
}

class FolderIconsTest : public ::testing::Test {
protected:
    FolderIconsTest() {
        InitCommonControls();
        RemoveAll();
        CreateDirectoryA(kRoot, nullptr);
        CreateDirectoryA(Folder("alpha").c_str(), nullptr);
        CreateDirectoryA(Folder("beta").c_str(), nullptr);
        CreateDirectoryA(Folder("beta\\inner").c_str(), nullptr);
    }
    ~FolderIconsTest() override { RemoveAll(); }
    static std::string Folder(const char *name) { return std::string(kRoot) + "\\" + name; }
    static void RemoveAll() {
        for (const char *f : {"alpha", "beta\\inner", "beta"}) {
            SetFileAttributesA(IniOf(Folder(f)).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(IniOf(Folder(f)).c_str());
            SetFileAttributesA(Folder(f).c_str(), FILE_ATTRIBUTE_NORMAL);
            RemoveDirectoryA(Folder(f).c_str());
        }
        RemoveDirectoryA(kRoot);
    }
    INT_PTR Run(std::function<void(HWND)> script) {
        return RunModal([] { return ShowFolderIconsDialog(nullptr, "C:\\glyphery\\Glypherye.hlp"); }, std::move(script));
    }
    // Selects the folder's node; false when it cannot be found.
    bool Select(HWND d, const std::string &folder) {
        HWND tree = GetDlgItem(d, kFolderTreeId);
        HTREEITEM node = FindFolder(tree, folder);
        if (!node) return false;
        SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)node);
        return true;
    }
    void ChooseEntry(HWND d, int entry) { SendDlgItemMessageA(d, IDC_DESK_ICONS, LB_SETCURSEL, entry, 0); }
};

std::string SystemShell32() {
    char dir[MAX_PATH];
    GetSystemDirectoryA(dir, MAX_PATH);
    return std::string(dir) + "\\Shell32.dll";
}

TEST_F(FolderIconsTest, OpensWithTheShellTreeBesideTheSystemIcons) {
    HelpRecorder help;
    INT_PTR result = Run([&](HWND d) {
        ExpectDialogUnits(d, 400, 223);
        HWND tree = GetDlgItem(d, kFolderTreeId);
        ASSERT_NE(tree, nullptr);
        EXPECT_EQ(ClassOf(tree), "SysTreeView32");
        EXPECT_TRUE(GetWindowLongPtrA(tree, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
        LONG_PTR style = GetWindowLongPtrA(tree, GWL_STYLE);
        EXPECT_EQ(style & (TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS),
                  TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS);
        // Left of the icon list, from its top to the bottom of the client area, 2 pixels short of it.
        RECT t, l, c;
        GetWindowRect(tree, &t);
        GetWindowRect(GetDlgItem(d, IDC_DESK_ICONS), &l);
        MapWindowPoints(nullptr, d, (POINT *)&t, 2);
        MapWindowPoints(nullptr, d, (POINT *)&l, 2);
        GetClientRect(d, &c);
        EXPECT_EQ(t.right, l.left - 2);
        EXPECT_EQ(t.top, l.top);
        EXPECT_EQ(t.bottom, c.bottom);
        EXPECT_NE(SendMessageA(tree, TVM_GETIMAGELIST, TVSIL_NORMAL, 0), 0);
        // The desktop's folders, the first one expanded.
        HTREEITEM first = Child(tree, nullptr);
        ASSERT_NE(first, nullptr);
        EXPECT_TRUE(SendMessageA(tree, TVM_GETITEMSTATE, (WPARAM)first, TVIS_EXPANDED) & TVIS_EXPANDED);
        EXPECT_EQ(Lower(ControlText(d, IDC_DESK_STATUS)), Lower(SystemShell32()));
        EXPECT_GT(IconListEntries(d), 8);
        EXPECT_EQ(ControlText(d, IDC_DESK_CAPTION), "Choose a folder:");
        EXPECT_EQ(ControlText(d, IDC_FOLDER_TIP_LABEL), "Tooltip:");

        ASSERT_TRUE(Select(d, Folder("beta\\inner")));
        // A folder's children are sorted; one with subfolders has a button.
        HTREEITEM root = FindFolder(tree, kRoot);
        ASSERT_NE(root, nullptr);
        HTREEITEM alpha = Child(tree, root), beta = Next(tree, alpha);
        std::string p;
        ASSERT_TRUE(FolderNodePath(tree, alpha, &p));
        EXPECT_EQ(Lower(p), Lower(Folder("alpha")));
        TVITEMA item = {};
        item.mask = TVIF_HANDLE | TVIF_CHILDREN;
        item.hItem = beta;
        SendMessageA(tree, TVM_GETITEMA, 0, (LPARAM)&item);
        EXPECT_EQ(item.cChildren, 1);
        ChooseEntry(d, 3);
        SetDlgItemTextA(d, IDC_FOLDER_TIP, "Work in progress");
        Shoot(d, "foldericons");
        Click(d, IDC_DESK_HELP);
        EXPECT_EQ(help.last().data, 203u);
        Click(d, IDOK);
    });
    EXPECT_EQ(result, 1);
}

TEST_F(FolderIconsTest, ApplyWritesThreeLinesOrFiveWithATooltipAnewEachTimeHidden) {
    std::string ini = IniOf(Folder("alpha"));
    Run([&](HWND d) {
        ASSERT_TRUE(Select(d, Folder("alpha")));
        ChooseEntry(d, 2);
        SetDlgItemTextA(d, IDC_FOLDER_TIP, "");
        Click(d, IDC_DESK_APPLY_BUTTON);
        std::string shell = ControlText(d, IDC_DESK_STATUS);
        EXPECT_EQ(Contents(ini), "[.ShellClassInfo]\r\nIconFile=" + shell + "\r\nIconIndex=2\r\n");
        DWORD attributes = GetFileAttributesA(ini.c_str());
        EXPECT_TRUE(attributes & FILE_ATTRIBUTE_HIDDEN);
        // The folder is marked so the shell reads its desktop.ini.
        EXPECT_TRUE(GetFileAttributesA(Folder("alpha").c_str()) & (FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY));

        ChooseEntry(d, 5);
        SetDlgItemTextA(d, IDC_FOLDER_TIP, "Photos of 2024");
        Click(d, IDC_DESK_APPLY_BUTTON);
        EXPECT_EQ(Contents(ini), "[.ShellClassInfo]\r\nIconFile=" + shell +
                                     "\r\nIconIndex=5\r\nConfirmFileOp=0\r\nInfoTip=Photos of 2024\r\n");
        // Again, shorter: nothing of the previous content is left.
        ChooseEntry(d, 1);
        SetDlgItemTextA(d, IDC_FOLDER_TIP, "");
        Click(d, IDC_DESK_APPLY_BUTTON);
        EXPECT_EQ(Contents(ini), "[.ShellClassInfo]\r\nIconFile=" + shell + "\r\nIconIndex=1\r\n");
        EXPECT_TRUE(GetFileAttributesA(ini.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    });
}

TEST_F(FolderIconsTest, SelectingAFolderShowsItsIconEntryAndTooltipAndAShellMadeIniIsReplaced) {
    std::string ini = IniOf(Folder("beta"));
    std::string text = "[.ShellClassInfo]\r\nIconFile=C:\\elsewhere\\x.dll\r\nIconIndex=7\r\nInfoTip=Old notes\r\n";
    ASSERT_TRUE(WriteBytes(ini, std::vector<uint8_t>(text.begin(), text.end())));
    SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    Run([&](HWND d) {
        ASSERT_TRUE(Select(d, Folder("beta")));
        EXPECT_EQ(SendDlgItemMessageA(d, IDC_DESK_ICONS, LB_GETCURSEL, 0, 0), 7);
        EXPECT_EQ(ControlText(d, IDC_FOLDER_TIP), "Old notes");
        // The file named there is not loaded: the list keeps the browsed one.
        EXPECT_EQ(Lower(ControlText(d, IDC_DESK_STATUS)), Lower(SystemShell32()));
        // A folder without desktop.ini: entry 0 and an empty tooltip.
        ASSERT_TRUE(Select(d, Folder("alpha")));
        EXPECT_EQ(SendDlgItemMessageA(d, IDC_DESK_ICONS, LB_GETCURSEL, 0, 0), 0);
        EXPECT_EQ(ControlText(d, IDC_FOLDER_TIP), "");

        ASSERT_TRUE(Select(d, Folder("beta")));
        Click(d, IDC_DESK_APPLY_BUTTON);
        EXPECT_EQ(Contents(ini), "[.ShellClassInfo]\r\nIconFile=" + ControlText(d, IDC_DESK_STATUS) +
                                     "\r\nIconIndex=7\r\nConfirmFileOp=0\r\nInfoTip=Old notes\r\n");
    });
}

TEST_F(FolderIconsTest, ResetDeletesTheIniAndKeepsTheFolderMarked) {
    std::string ini = IniOf(Folder("alpha"));
    Run([&](HWND d) {
        ASSERT_TRUE(Select(d, Folder("alpha")));
        Click(d, IDC_DESK_APPLY_BUTTON);
        ASSERT_TRUE(FileExists(ini));
        DWORD marked = GetFileAttributesA(Folder("alpha").c_str()) & (FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY);
        Click(d, IDC_DESK_RESET);
        EXPECT_FALSE(FileExists(ini));
        EXPECT_EQ(GetFileAttributesA(Folder("alpha").c_str()) & (FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY),
                  marked);
        EXPECT_NE(marked, 0u);
    });
}

TEST_F(FolderIconsTest, RefusalsNoFolderNoPathNoIconEntry) {
    std::string ini = IniOf(Folder("alpha"));
    std::string old = "[.ShellClassInfo]\r\nIconFile=C:\\keep.ico\r\nIconIndex=0\r\n";
    ASSERT_TRUE(WriteBytes(ini, std::vector<uint8_t>(old.begin(), old.end())));
    MessageRecorder recorder;
    Run([&](HWND d) {
        HWND tree = GetDlgItem(d, kFolderTreeId);
        // A tree view that takes the focus with nothing selected selects its
        // first node; the focus goes to the button first, so that the dialog
        // cannot hand it back to the tree when another window's activation ends.
        SetFocus(GetDlgItem(d, IDC_DESK_APPLY_BUTTON));
        SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, 0);
        Click(d, IDC_DESK_APPLY_BUTTON);
        Click(d, IDC_DESK_RESET);
        ASSERT_EQ(recorder.calls().size(), 2u);
        for (auto &c : recorder.calls()) {
            EXPECT_EQ(c.text, "Please select the folder whose icon is to be modified.");
            EXPECT_EQ(c.caption, "Glyphery");
            EXPECT_EQ(c.flags & MB_ICONMASK, (UINT)MB_ICONSTOP);
        }
        // A node without a file-system path (a virtual folder at the top,
        // such as My Computer): nothing happens, silently.
        HTREEITEM virtualNode = nullptr;
        for (HTREEITEM n = Child(tree, nullptr); n && !virtualNode; n = Next(tree, n)) {
            std::string p;
            if (!FolderNodePath(tree, n, &p)) virtualNode = n;
        }
        ASSERT_NE(virtualNode, nullptr);
        SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)virtualNode);
        Click(d, IDC_DESK_APPLY_BUTTON);
        Click(d, IDC_DESK_RESET);
        EXPECT_EQ(recorder.calls().size(), 2u);

        // No icon entry chosen: nothing is written, the present file stays.
        ASSERT_TRUE(Select(d, Folder("alpha")));
        ChooseEntry(d, -1);
        Click(d, IDC_DESK_APPLY_BUTTON);
        ASSERT_EQ(recorder.calls().size(), 3u);
        EXPECT_EQ(recorder.calls()[2].text, "Please select the icon file.");
        EXPECT_EQ(Contents(ini), old);
        // Nor is the folder marked as a system folder.
        EXPECT_EQ(GetFileAttributesA(Folder("alpha").c_str()) & (FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY), 0u);
        Click(d, IDCANCEL);
    });
}

TEST_F(FolderIconsTest, BrowseListsTheChosenFileAndApplyNamesIt) {
    ScratchDir icons("folder-icons");
    std::string ico = icons.File("blue.ico");
    ASSERT_TRUE(WriteBytes(ico, SolidIcon(0x2040C0)));
    ChooserScope chooser(ico);
    Run([&](HWND d) {
        Click(d, IDC_DESK_BROWSE);
        EXPECT_EQ(ControlText(d, IDC_DESK_STATUS), ico);
        EXPECT_EQ(IconListEntries(d), 1);
        ASSERT_TRUE(Select(d, Folder("alpha")));
        // The status line only shows the listed file: Apply names the file itself.
        SetDlgItemTextA(d, IDC_DESK_STATUS, "C:\\elsewhere.ico");
        Click(d, IDC_DESK_APPLY_BUTTON);
        EXPECT_EQ(Contents(IniOf(Folder("alpha"))), "[.ShellClassInfo]\r\nIconFile=" + ico + "\r\nIconIndex=0\r\n");
    });
}

}  // namespace
