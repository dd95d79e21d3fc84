// The drive icon dialog (435) from its real template against an isolated
// registry: the drive rows, the double click that writes a drive's own icon
// at once, the refusal without an icon, and Reset.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>

#include "common/seams.h"
#include "desktop/desktop.h"
#include "desktop/driveicons.h"
#include "desktop/resource.h"
#include "iconres/iconlist.h"
#include "tests/common/testutil_win.h"
#include "tests/desktop/desk_driver.h"

using namespace deskdrv;

namespace {

const char kExplorer[] = "Software\\Microsoft\\Windows\\CurrentVersion\\explorer";

std::string DriveKey(char letter) {
    char key[MAX_PATH];
    snprintf(key, sizeof key, kDriveIconKeyFormat, letter);
    return key;
}

bool KeyExists(HKEY root, const std::string &key) {
    HKEY k = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
    RegCloseKey(k);
    return true;
}

std::string RowText(HWND list, int row) {
    char buf[MAX_PATH] = {0};
    LVITEMA item = {};
    item.iSubItem = 0;
    item.pszText = buf;
    item.cchTextMax = sizeof buf;
    SendMessageA(list, LVM_GETITEMTEXTA, (WPARAM)row, (LPARAM)&item);
    return buf;
}

int RowImage(HWND list, int row) {
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    SendMessageA(list, LVM_GETITEMA, 0, (LPARAM)&item);
    return item.iImage;
}

int RowOf(HWND list, char letter) {
    int n = (int)SendMessageA(list, LVM_GETITEMCOUNT, 0, 0);
    for (int i = 0; i < n; ++i)
        if (RowText(list, i)[0] == letter) return i;
    return -1;
}

// A real double click on a row's label: the cursor is put there, as the
// dialog reads it.
void DoubleClickRow(HWND list, int row) {
    RECT r = {LVIR_LABEL, 0, 0, 0};
    SendMessageA(list, LVM_GETITEMRECT, (WPARAM)row, (LPARAM)&r);
    POINT at = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    POINT screen = at;
    ClientToScreen(list, &screen);
    SetCursorPos(screen.x, screen.y);
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    SendMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    SendMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

class DriveIconsTest : public ::testing::Test {
protected:
    DriveIconsTest() : registry_("GlypheryTest\\drives") {
        InitCommonControls();
        // The generic drive icon, and the key the assignment is written below.
        SetString(HKEY_CLASSES_ROOT, "drive\\DefaultIcon", "", "%SystemRoot%\\system32\\shell32.dll,8");
        SetString(HKEY_LOCAL_MACHINE, kExplorer, "probe", "x");
    }
    INT_PTR Run(std::function<void(HWND)> script) {
        return RunModal([] { return ShowDriveIconsDialog(nullptr, "C:\\glyphery\\Glypherye.hlp"); }, std::move(script));
    }
    IsolatedRegistry registry_;
};

TEST_F(DriveIconsTest, ListsTheDrivesFromCWithTheirLabelsAndTheGenericIcon) {
    HelpRecorder help;
    INT_PTR result = Run([&](HWND d) {
        ExpectDialogUnits(d, 400, 204);
        HWND list = GetDlgItem(d, IDC_DESK_OBJECTS);
        LONG_PTR style = GetWindowLongPtrA(list, GWL_STYLE);
        EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
        EXPECT_TRUE(style & LVS_SINGLESEL);
        EXPECT_TRUE(style & LVS_SORTASCENDING);
        EXPECT_TRUE(style & LVS_SHOWSELALWAYS);
        DWORD ex = (DWORD)SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
        EXPECT_EQ(ex & (LVS_EX_FULLROWSELECT | LVS_EX_ONECLICKACTIVATE),
                  (DWORD)(LVS_EX_FULLROWSELECT | LVS_EX_ONECLICKACTIVATE));
        char heading[32] = {0};
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = heading;
        column.cchTextMax = sizeof heading;
        SendMessageA(list, LVM_GETCOLUMNA, 0, (LPARAM)&column);
        EXPECT_STREQ(heading, "Drives");
        EXPECT_EQ(column.cx, 220);
        HIMAGELIST images = (HIMAGELIST)SendMessageA(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0);
        ASSERT_NE(images, nullptr);
        int cx = 0, cy = 0;
        ImageList_GetIconSize(images, &cx, &cy);
        EXPECT_EQ(cx, 16);

        // One row per present drive from C:, none for A: or B:.
        DWORD drives = GetLogicalDrives();
        int expected = 0;
        for (char c = 'C'; c <= 'Z'; ++c) expected += (drives >> (c - 'A')) & 1;
        ASSERT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), expected);
        int c = RowOf(list, 'C');
        ASSERT_GE(c, 0);
        char label[128] = {0};
        GetVolumeInformationA("C:\\", label, sizeof label, nullptr, nullptr, nullptr, nullptr, 0);
        EXPECT_EQ(RowText(list, c), std::string("C:\\") + label);
        EXPECT_EQ(RowOf(list, 'A'), -1);
        EXPECT_EQ(RowOf(list, 'B'), -1);
        // Without an own icon every drive shows the generic one, image 0.
        EXPECT_EQ(RowImage(list, c), 0);
        EXPECT_EQ(ControlText(d, IDC_DESK_CAPTION), "Choose a disk:");
        EXPECT_GT(IconListEntries(d), 8);
        LVITEMA state = {};
        state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(list, LVM_SETITEMSTATE, (WPARAM)c, (LPARAM)&state);
        SendDlgItemMessageA(d, IDC_DESK_ICONS, LB_SETCURSEL, 4, 0);
        Shoot(d, "driveicons");
        Click(d, IDC_DESK_HELP);
        EXPECT_EQ(help.last().data, 204u);
        Click(d, IDC_DESK_APPLY_BUTTON);  // no action of its own
        EXPECT_TRUE(IsWindowVisible(d));
        Click(d, IDOK);
    });
    EXPECT_EQ(result, 1);
}

TEST_F(DriveIconsTest, ADoubleClickWritesTheListedFileAndEntryAtOnceAndTheRowShowsIt) {
    Run([&](HWND d) {
        HWND list = GetDlgItem(d, IDC_DESK_OBJECTS);
        HIMAGELIST images = (HIMAGELIST)SendMessageA(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0);
        std::string shell = ControlText(d, IDC_DESK_STATUS);
        SendDlgItemMessageA(d, IDC_DESK_ICONS, LB_SETCURSEL, 4, 0);
        // The row's label and the status line only show the drive and the
        // file: the assignment goes by what the dialog listed.
        int row = RowOf(list, 'C');
        LVITEMA relabel = {};
        relabel.pszText = const_cast<char *>("Y:\\relabelled");
        SendMessageA(list, LVM_SETITEMTEXTA, (WPARAM)row, (LPARAM)&relabel);
        SetDlgItemTextA(d, IDC_DESK_STATUS, "C:\\elsewhere.dll");
        DoubleClickRow(list, row);
        StoredValue v = Read(HKEY_LOCAL_MACHINE, DriveKey('C').c_str(), nullptr);
        EXPECT_EQ(v.type, (DWORD)REG_SZ);
        EXPECT_EQ(v.text(), shell + ",4");
        // The list was filled again: C: now has an image of its own, entry 4
        // of the listed file as the image list holds it.
        int c = RowOf(list, 'C');
        ASSERT_GE(c, 0);
        EXPECT_NE(RowImage(list, c), 0);
        HICON expected = ExtractIconA(GetModuleHandleA(nullptr), shell.c_str(), 4);
        ASSERT_NE(expected, nullptr);
        EXPECT_EQ(SmallImagePixels(images, RowImage(list, c)), SmallIconPixels(expected, ILC_MASK | ILC_COLOR32));
        EXPECT_NE(SmallImagePixels(images, RowImage(list, c)), SmallImagePixels(images, 0));
        DestroyIcon(expected);
        Click(d, IDCANCEL);
    });
}

TEST_F(DriveIconsTest, WithoutAnIconChosenTheDoubleClickExplainsAndWritesNothing) {
    MessageRecorder recorder;
    Run([&](HWND d) {
        HWND list = GetDlgItem(d, IDC_DESK_OBJECTS);
        SendDlgItemMessageA(d, IDC_DESK_ICONS, LB_SETCURSEL, (WPARAM)-1, 0);
        DoubleClickRow(list, RowOf(list, 'C'));
        ASSERT_EQ(recorder.calls().size(), 1u);
        EXPECT_EQ(recorder.calls()[0].text,
                  "You did not select the icon to use\n\nTo moify a drive icon first select the icon then "
                  "double-click the drive.");
        EXPECT_EQ(recorder.calls()[0].caption, "Glyphery");
        EXPECT_EQ(recorder.calls()[0].flags & MB_ICONMASK, (UINT)MB_ICONINFORMATION);
        // A double click beside the rows does nothing at all.
        SendDlgItemMessageA(d, IDC_DESK_ICONS, LB_SETCURSEL, 2, 0);
        RECT client;
        GetClientRect(list, &client);
        POINT below = {client.right / 2, client.bottom - 3};
        ClientToScreen(list, &below);
        SetCursorPos(below.x, below.y);
        NMHDR hdr = {list, IDC_DESK_OBJECTS, (UINT)NM_DBLCLK};
        SendMessageA(d, WM_NOTIFY, IDC_DESK_OBJECTS, (LPARAM)&hdr);
        EXPECT_EQ(recorder.calls().size(), 1u);
    });
    EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, DriveKey('C').c_str(), nullptr).type, (DWORD)REG_NONE);
}

TEST_F(DriveIconsTest, ResetRemovesEveryDrivesOwnIconWithoutAskingAndKeepsTheLetterKeys) {
    SetString(HKEY_LOCAL_MACHINE, DriveKey('C').c_str(), "", "%SystemRoot%\\system32\\shell32.dll,12");
    SetString(HKEY_LOCAL_MACHINE, (DriveKey('C') + "\\Deeper").c_str(), "", "x");
    SetString(HKEY_LOCAL_MACHINE, DriveKey('Z').c_str(), "", "C:\\nowhere.ico,0");
    MessageRecorder recorder;
    Run([&](HWND d) {
        HWND list = GetDlgItem(d, IDC_DESK_OBJECTS);
        EXPECT_NE(RowImage(list, RowOf(list, 'C')), 0);
        Click(d, IDC_DESK_RESET);
        EXPECT_TRUE(recorder.calls().empty());
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, DriveKey('C')));
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, DriveKey('Z')));
        EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, std::string(kExplorer) + "\\DriveIcons\\C"));
        EXPECT_EQ(RowImage(list, RowOf(list, 'C')), 0);
    });
}

}  // namespace
