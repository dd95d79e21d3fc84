#include "common/windowutil.h"
#include "desktop/pickers.h"

#include <gtest/gtest.h>

#include "common/seams.h"
#include "desktop/resource.h"
#include "iconres/iconlist.h"
#include "iconres/loaders.h"
#include "tests/desktop/desk_test.h"
#include "tests/iconres/fixtures.h"

namespace {

// A dialog from the system icons template whose procedure only forwards the
// IconList's requests to the shared pieces.
INT_PTR CALLBACK HostProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    INT_PTR result = FALSE;
    if (HandleIconListMessage(dialog, message, wParam, lParam, nullptr, &result)) return result;
    switch (message) {
    case WM_INITDIALOG: BeginIconListDialog(dialog); return TRUE;
    case WM_DESTROY: EndIconListDialog(dialog); return FALSE;
    }
    return FALSE;
}

class Host {
public:
    Host() {
        dialog_ = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SYSICONS), nullptr, HostProc, 0);
    }
    ~Host() { DestroyWindow(dialog_); }
    HWND get() const { return dialog_; }
    HWND objects() const { return GetDlgItem(dialog_, IDC_DESK_OBJECTS); }

private:
    HWND dialog_;
};

void ListIcons(HWND dialog, const char *path) { ListIconsInFile(dialog, path); }

}  // namespace

TEST(PickIconFile, AsksWithTheFilterAndKeepsTheFileOnlyOnOk) {
    Host host;
    ASSERT_TRUE(host.get());
    ChooserScope chooser("");
    PickedFile picked;
    lstrcpyA(picked.path, "C:\\before.ico");
    lstrcpyA(picked.title, "before.ico");
    EXPECT_FALSE(PickIconFile(host.get(), kIconFileFilter, "*.ico", ListIcons, &picked));
    EXPECT_STREQ(picked.path, "C:\\before.ico");
    const ChooserCall &c = LastChooserCall();
    EXPECT_EQ(c.calls, 1);
    EXPECT_EQ(c.title, "Select the file");
    EXPECT_EQ(c.firstFilter, "ANI - Windows animated cursor");
    EXPECT_EQ(c.defExt, "ico");
    EXPECT_EQ(c.maxFile, (DWORD)MAX_PATH);
    EXPECT_EQ(c.flags & (OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY),
              (DWORD)(OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY));

    chooser.Pick(SevenIconsDll());
    ASSERT_TRUE(PickIconFile(host.get(), kIconFileFilter, "*.ico", ListIcons, &picked));
    EXPECT_EQ(std::string(picked.path), SevenIconsDll());
    EXPECT_STREQ(picked.title, "desk_seven_icons.dll");
    EXPECT_EQ(IconListCount, 7);
    EXPECT_EQ(IconListEntries(host.get()), 7);
    EXPECT_EQ(DrawnCentreColour((HICON)IconListValue(host.get(), 5)), kFixtureColours[5]);
}

TEST(PickIconFile, AnAnimatedCursorListsOneEntryPerStep) {
    Host host;
    ScratchDir dir("desk_pick_ani");
    TempFolderScope temp(dir.path());
    std::vector<uint8_t> a = MakeIconFile({{32, 32, 0x00FF0000}}, true);
    std::vector<uint8_t> b = MakeIconFile({{32, 32, 0x0000FF00}}, true);
    std::string ani = dir.File("walk.ANI");
    ASSERT_TRUE(WriteBytes(ani, AniAssembler().Header(IconFlagHeader(2, 3, 6)).Chunk("seq ", Table({1, 0, 1}))
                                    .Frames({a, b}).Finish()));
    ChooserScope chooser(ani);
    PickedFile picked = {};
    // The lister is not used for .ani files.
    ASSERT_TRUE(PickIconFile(host.get(), kCursorFileFilter, "*.cur", nullptr, &picked));
    EXPECT_EQ(IconListCount, 3);
    ASSERT_EQ(IconListEntries(host.get()), 3);
    EXPECT_EQ(IconListValue(host.get(), 0), IconListValue(host.get(), 2));
    EXPECT_NE(IconListValue(host.get(), 0), IconListValue(host.get(), 1));
    EXPECT_EQ(LastChooserCall().firstFilter, "ANI - animated cursor");
    EXPECT_EQ(LastChooserCall().defExt, "cur");
}

TEST(IconListPresentation, MeasureAndTheLightGreyBackground) {
    Host host;
    MEASUREITEMSTRUCT mis = {};
    mis.CtlType = ODT_LISTBOX;
    mis.CtlID = IDC_DESK_ICONS;
    MeasureIconListItem(host.get(), &mis);
    TEXTMETRICA tm;
    {
        WindowDC dc(host.get());
        GetTextMetricsA(dc.get(), &tm);
    }
    EXPECT_EQ(mis.itemWidth, 58u);
    EXPECT_EQ(mis.itemHeight, (UINT)(GetSystemMetrics(SM_CYICON) + tm.tmHeight * 3 / 2));
    // Other controls are left alone.
    MEASUREITEMSTRUCT other = {};
    other.CtlType = ODT_LISTBOX;
    other.CtlID = 1398;
    MeasureIconListItem(host.get(), &other);
    EXPECT_EQ(other.itemWidth, 0u);
    INT_PTR result = 5;
    EXPECT_FALSE(HandleIconListMessage(host.get(), WM_MEASUREITEM, 1398, (LPARAM)&other, nullptr, &result));
    EXPECT_EQ(result, 5);
    EXPECT_TRUE(HandleIconListMessage(host.get(), WM_MEASUREITEM, IDC_DESK_ICONS, (LPARAM)&mis, nullptr, &result));
    EXPECT_EQ(result, TRUE);

    LOGBRUSH lb = {};
    ASSERT_TRUE(IconListBrush());
    ASSERT_EQ(GetObjectA(IconListBrush(), sizeof lb, &lb), (int)sizeof lb);
    EXPECT_EQ(lb.lbColor, RGB(0xC0, 0xC0, 0xC0));
    WindowDC dc(host.get());
    EXPECT_EQ(AnswerIconListColour(dc.get(), GetDlgItem(host.get(), IDC_DESK_ICONS)), (INT_PTR)IconListBrush());
    EXPECT_EQ(AnswerIconListColour(dc.get(), host.objects()), 0);
    // The list's columns are as wide as an entry.
    ListIconsInFile(host.get(), SevenIconsDll().c_str());
    RECT first = {}, second = {};
    SendDlgItemMessageA(host.get(), IDC_DESK_ICONS, LB_GETITEMRECT, 0, (LPARAM)&first);
    SendDlgItemMessageA(host.get(), IDC_DESK_ICONS, LB_GETITEMRECT, 1, (LPARAM)&second);
    EXPECT_EQ(first.right - first.left, 58);
    EXPECT_EQ(first.bottom - first.top, (LONG)mis.itemHeight);
}

TEST(IconListPresentation, TheBrushLivesWhileTheDialogIsOpen) {
    {
        Host host;
        EXPECT_TRUE(IconListBrush());
    }
    EXPECT_EQ(IconListBrush(), nullptr);
}

TEST(IconListPresentation, DrawsTheIconAt13_13OnGreyOrHighlight) {
    Host host;
    ListIconsInFile(host.get(), SevenIconsDll().c_str());
    ASSERT_EQ(IconListCount, 7);
    WindowDC screen(nullptr);
    UniqueMemDC dc(CreateCompatibleDC(screen.get()));
    UniqueBitmap bmp(CreateCompatibleBitmap(screen.get(), 58, 60));
    SelectObjectScope sel(dc.get(), bmp.get());
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_LISTBOX;
    dis.CtlID = IDC_DESK_ICONS;
    dis.itemID = 2;
    dis.hDC = dc.get();
    dis.rcItem = {0, 0, 58, 60};
    dis.itemData = (ULONG_PTR)IconListValue(host.get(), 2);
    DrawIconListItem(&dis, nullptr);
    EXPECT_EQ(GetPixel(dc.get(), 5, 5), RGB(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(GetPixel(dc.get(), 12, 12), RGB(0xC0, 0xC0, 0xC0));
    COLORREF c = GetPixel(dc.get(), 13, 13);
    EXPECT_EQ((uint32_t)((GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c)), kFixtureColours[2]);
    EXPECT_EQ(GetPixel(dc.get(), 45, 45), RGB(0xC0, 0xC0, 0xC0));

    dis.itemState = ODS_SELECTED;
    DrawIconListItem(&dis, nullptr);
    EXPECT_EQ(GetPixel(dc.get(), 5, 5), GetNearestColor(dc.get(), GetSysColor(COLOR_HIGHLIGHT)));

    // An empty list draws no icon.
    dis.itemID = (UINT)-1;
    dis.itemState = 0;
    DrawIconListItem(&dis, nullptr);
    EXPECT_EQ(GetPixel(dc.get(), 20, 20), RGB(0xC0, 0xC0, 0xC0));
}

TEST(ObjectList, RowsImagesViewAndTheAssignmentGesture) {
    Host host;
    HWND list = host.objects();
    HIMAGELIST images = SetUpObjectList(list);
    ASSERT_TRUE(images);
    EXPECT_EQ((HIMAGELIST)SendMessageA(list, LVM_GETIMAGELIST, LVSIL_NORMAL, 0), images);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(images, &cx, &cy);
    EXPECT_EQ(cx, 32);
    EXPECT_EQ(cy, 32);
    DWORD ex = (DWORD)SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
    EXPECT_EQ(ex & (LVS_EX_FULLROWSELECT | LVS_EX_ONECLICKACTIVATE),
              (DWORD)(LVS_EX_FULLROWSELECT | LVS_EX_ONECLICKACTIVATE));
    char heading[32] = "";
    LVCOLUMNA column = {};
    column.mask = LVCF_WIDTH | LVCF_TEXT | LVCF_FMT;
    column.pszText = heading;
    column.cchTextMax = sizeof heading;
    ASSERT_TRUE(SendMessageA(list, LVM_GETCOLUMNA, 0, (LPARAM)&column));
    EXPECT_STREQ(heading, "File name");
    EXPECT_EQ(column.cx, 300);
    column.mask = LVCF_WIDTH;
    ASSERT_TRUE(SendMessageA(list, LVM_GETCOLUMNA, 1, (LPARAM)&column));
    EXPECT_EQ(column.cx, 0);

    ListIconsInFile(host.get(), SevenIconsDll().c_str());
    HICON first = (HICON)IconListValue(host.get(), 0);
    HICON second = (HICON)IconListValue(host.get(), 1);
    EXPECT_EQ(AddObjectRow(list, images, first, "One"), 0);
    EXPECT_EQ(AddObjectRow(list, images, second, "Two"), 1);
    char text[64] = "";
    LVITEMA item = {};
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, 1, (LPARAM)&item);
    EXPECT_STREQ(text, "Two");
    EXPECT_EQ(ImageCentreColour(images, 1), kFixtureColours[1]);

    SetObjectListView(list, LVS_REPORT);
    EXPECT_EQ(GetWindowLongPtrA(list, GWL_STYLE) & LVS_TYPEMASK, LVS_REPORT);
    SetObjectListView(list, LVS_ICON);
    EXPECT_EQ(GetWindowLongPtrA(list, GWL_STYLE) & LVS_TYPEMASK, LVS_ICON);

    // Nothing selected in the IconList: nothing happens.
    LVITEMA focus = {};
    focus.stateMask = focus.state = LVIS_FOCUSED | LVIS_SELECTED;
    SendMessageA(list, LVM_SETITEMSTATE, 1, (LPARAM)&focus);
    int entry = 77;
    EXPECT_EQ(AssignSelectedIcon(host.get(), list, images, nullptr, &entry), -1);
    EXPECT_EQ(entry, 77);
    EXPECT_EQ(ImageCentreColour(images, 1), kFixtureColours[1]);

    SendDlgItemMessageA(host.get(), IDC_DESK_ICONS, LB_SETCURSEL, 5, 0);
    EXPECT_EQ(AssignSelectedIcon(host.get(), list, images, nullptr, &entry), 1);
    EXPECT_EQ(entry, 5);
    EXPECT_EQ(ImageCentreColour(images, 1), kFixtureColours[5]);
    EXPECT_EQ(ImageCentreColour(images, 0), kFixtureColours[0]);

    // No focused row: nothing happens.
    focus.state = 0;
    SendMessageA(list, LVM_SETITEMSTATE, 1, (LPARAM)&focus);
    SendDlgItemMessageA(host.get(), IDC_DESK_ICONS, LB_SETCURSEL, 3, 0);
    EXPECT_EQ(AssignSelectedIcon(host.get(), list, images, nullptr, &entry), -1);
    EXPECT_EQ(ImageCentreColour(images, 1), kFixtureColours[5]);
}

TEST(LoadIconFromLocation, TheRegistrysFormsOfALocation) {
    ScratchDir dir("desk_locations");
    SetWindowsFolderOverride(BinFolder().c_str());
    UniqueIcon noIcon(CreateIcon(nullptr, 32, 32, 1, 1, std::vector<uint8_t>(128, 0xFF).data(),
                                 std::vector<uint8_t>(128, 0x00).data()));
    PendingLocation pending = {"untouched", 42};
    char location[MAX_PATH];

    // %SystemRoot%, a relative path, a comma and an index.
    lstrcpyA(location, "%SystemRoot%\\desk_seven_icons.dll,3");
    UniqueIcon icon(LoadIconFromLocation(location, sizeof location, &pending, noIcon.get()));
    ASSERT_NE(icon.get(), noIcon.get());
    EXPECT_EQ(std::string(pending.path), SevenIconsDll());
    EXPECT_EQ(pending.index, 3);
    EXPECT_EQ(std::string(location), SevenIconsDll());
    EXPECT_EQ(DrawnCentreColour(icon.get()), kFixtureColours[3]);

    // An .ico file with ",0" is loaded from the file, whatever the index says.
    std::string ico = dir.File("red.ico");
    ASSERT_TRUE(WriteBytes(ico, SolidIcon(0x00C02030)));
    lstrcpyA(location, (ico + ",4").c_str());
    icon.reset(LoadIconFromLocation(location, sizeof location, &pending, noIcon.get()));
    ASSERT_NE(icon.get(), noIcon.get());
    EXPECT_EQ(DrawnCentreColour(icon.get()), 0xC02030u);
    EXPECT_EQ(pending.index, 4);
    icon.release();

    // No comma: the row keeps the path with index -1, the placeholder shows.
    lstrcpyA(location, ico.c_str());
    EXPECT_EQ(LoadIconFromLocation(location, sizeof location, &pending, noIcon.get()), noIcon.get());
    EXPECT_EQ(std::string(pending.path), ico);
    EXPECT_EQ(pending.index, -1);

    // A file that holds no icons, and a missing one.
    std::string text = dir.File("notes.txt");
    ASSERT_TRUE(WriteBytes(text, {'h', 'i'}));
    lstrcpyA(location, (text + ",0").c_str());
    EXPECT_EQ(LoadIconFromLocation(location, sizeof location, &pending, noIcon.get()), noIcon.get());
    lstrcpyA(location, (dir.File("gone.dll") + ",2").c_str());
    EXPECT_EQ(LoadIconFromLocation(location, sizeof location, &pending, noIcon.get()), noIcon.get());
    EXPECT_EQ(pending.index, 2);

    // Empty and lone-percent locations leave the row and the text alone.
    PendingLocation kept = {"kept", 9};
    location[0] = 0;
    EXPECT_EQ(LoadIconFromLocation(location, sizeof location, &kept, noIcon.get()), noIcon.get());
    lstrcpyA(location, "%SystemRoot\\shell32.dll,3");
    EXPECT_EQ(LoadIconFromLocation(location, sizeof location, &kept, noIcon.get()), noIcon.get());
    EXPECT_STREQ(location, "%SystemRoot\\shell32.dll,3");
    EXPECT_STREQ(kept.path, "kept");
    EXPECT_EQ(kept.index, 9);
    SetWindowsFolderOverride(nullptr);
}

TEST(CentreOnScreen, PutsTheDialogInTheMiddleOfTheWorkArea) {
    Host host;
    CentreOnScreen(host.get());
    RECT rc, work;
    GetWindowRect(host.get(), &rc);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR((rc.left + rc.right) / 2, (work.left + work.right) / 2, 1);
    EXPECT_NEAR((rc.top + rc.bottom) / 2, (work.top + work.bottom) / 2, 1);
}
