#include "desktop/syscursors.h"

#include <gtest/gtest.h>

#include "common/seams.h"
#include "desktop/desktop.h"
#include "desktop/location.h"
#include "desktop/resource.h"
#include "iconres/iconlist.h"
#include "tests/desktop/desk_test.h"
#include "tests/iconres/fixtures.h"

namespace {


struct Installed {
    DWORD id;
    uint32_t centre;
    POINT hotspot;
    bool isCursor;
};
std::vector<Installed> g_installed;

BOOL WINAPI RecordInstall(HCURSOR cursor, DWORD id) {
    Installed rec = {id, DrawnCentreColour((HICON)cursor), {-1, -1}, false};
    ICONINFO info;
    if (GetIconInfo((HICON)cursor, &info)) {
        rec.hotspot = {(LONG)info.xHotspot, (LONG)info.yHotspot};
        rec.isCursor = !info.fIcon;
        DeleteObject(info.hbmMask);
        if (info.hbmColor) DeleteObject(info.hbmColor);
    }
    g_installed.push_back(rec);
    DestroyCursor(cursor);  // the installer owns what it is given
    return TRUE;
}

class SystemCursors : public DeskDialogTest {
protected:
    void SetUp() override {
        DeskDialogTest::SetUp();
        g_installed.clear();
        previousInstaller_ = SetSystemCursorInstaller(RecordInstall);
    }
    void TearDown() override {
        DeskDialogTest::TearDown();
        SetSystemCursorInstaller(previousInstaller_);
    }
    HWND Open() { return OpenDialog(IDD_SYSCURSORS, SystemCursorsDialogProc); }
    // Draws entry i of the IconList through the dialog; 58 x 60 pixels.
    void DrawEntry(int i, HDC dc) {
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_LISTBOX;
        dis.CtlID = IDC_DESK_ICONS;
        dis.hwndItem = GetDlgItem(dialog_, IDC_DESK_ICONS);
        dis.itemID = (UINT)i;
        dis.hDC = dc;
        dis.rcItem = {0, 0, 58, 60};
        dis.itemData = (ULONG_PTR)IconListValue(dialog_, i);
        SendMessageA(dialog_, WM_DRAWITEM, IDC_DESK_ICONS, (LPARAM)&dis);
    }

    SystemCursorInstaller previousInstaller_ = nullptr;
};

TEST_F(SystemCursors, OpensWithTheThirteenCurrentCursors) {
    ASSERT_TRUE(Open());
    char title[64];
    GetWindowTextA(dialog_, title, sizeof title);
    EXPECT_STREQ(title, "Glyphery");
    ExpectDialogUnits(dialog_, 338, 215);
    EXPECT_EQ(ControlText(dialog_, IDC_DESK_CAPTION), "Current cursors");
    EXPECT_EQ(ControlText(dialog_, IDC_DESK_STATUS), "no cursor");
    EXPECT_EQ(ControlText(dialog_, IDOK), "&Apply");
    EXPECT_EQ(ControlText(dialog_, IDC_DESK_FILE), "&File");
    ASSERT_EQ(RowCount(dialog_), 13);
    const char *labels[13] = {"App starting", "Arrow",     "Cross",    "Help",    "IBeam",   "No",     "Size all",
                              "Size NESW",    "Size ENS",  "Size NWSE", "Size WE", "Up arrow", "Waiting"};
    for (int i = 0; i < 13; ++i) EXPECT_EQ(RowLabel(dialog_, i), labels[i]);
    EXPECT_EQ(ImageList_GetImageCount(SystemCursorImages()), 13);
    // The arrow keeps its own hotspot for Apply.
    ICONINFO info;
    ASSERT_TRUE(GetIconInfo(LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)), &info));
    DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    EXPECT_EQ(SystemCursorHotspot(1).x, (LONG)info.xHotspot);
    EXPECT_EQ(SystemCursorHotspot(1).y, (LONG)info.yHotspot);

    Command(IDC_DESK_HELP);
    ASSERT_EQ(HelpCalls().size(), 1u);
    EXPECT_EQ(HelpCalls()[0].file, kHelpFile);
    EXPECT_EQ(HelpCalls()[0].data, (ULONG_PTR)201);
}

TEST_F(SystemCursors, ApplyWithoutAPickedFileIsRefused) {
    ASSERT_TRUE(Open());
    MessageRecorder messages(IDYES);
    Command(IDOK);
    ASSERT_EQ(messages.calls().size(), 1u);
    EXPECT_EQ(messages.calls()[0].text, "You did not select an image...");
    EXPECT_EQ(messages.calls()[0].caption, "Glyphery");
    EXPECT_EQ(messages.calls()[0].flags, (UINT)(MB_OK | MB_ICONSTOP));
    EXPECT_TRUE(g_installed.empty());
    // A picked file that is cancelled later does not count either.
    ChooserScope cancel("");
    Command(IDC_DESK_FILE);
    Command(IDOK);
    EXPECT_EQ(messages.calls().size(), 2u);
    EXPECT_TRUE(g_installed.empty());
}

TEST_F(SystemCursors, AProgramsThreeCursorResourcesAreListedAndDrawn) {
    ASSERT_TRUE(Open());
    Pick(ThreeCursorsExe());
    EXPECT_EQ(ControlText(dialog_, IDC_DESK_STATUS), "3 cursors in " + ThreeCursorsExe());
    ASSERT_EQ(IconListEntries(dialog_), 3);
    EXPECT_EQ(IconListValue(dialog_, 0), 200);
    EXPECT_EQ(IconListValue(dialog_, 2), 202);

    WindowDC screen(nullptr);
    UniqueMemDC dc(CreateCompatibleDC(screen.get()));
    UniqueBitmap bmp(CreateCompatibleBitmap(screen.get(), 58, 60));
    SelectObjectScope sel(dc.get(), bmp.get());
    DrawEntry(0, dc.get());  // top-left quarter
    EXPECT_EQ(GetPixel(dc.get(), 13 + 4, 13 + 4), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc.get(), 13 + 28, 13 + 28), RGB(0xC0, 0xC0, 0xC0));
    DrawEntry(2, dc.get());  // bar along the bottom
    EXPECT_EQ(GetPixel(dc.get(), 13 + 4, 13 + 4), RGB(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(GetPixel(dc.get(), 13 + 4, 13 + 28), RGB(0, 0, 0));
    Shoot(dialog_, "desktop_syscursors");

    // The bar goes on "Arrow" with its own hotspot.
    Assign(1, 2);
    EXPECT_EQ(SystemCursorHotspot(1).x, 31);
    EXPECT_EQ(SystemCursorHotspot(1).y, 5);
    MessageRecorder yes(IDYES);
    Command(IDOK);
    ASSERT_EQ(g_installed.size(), 13u);
    EXPECT_EQ(g_installed[1].id, 32512u);
    EXPECT_TRUE(g_installed[1].isCursor);
    EXPECT_EQ(g_installed[1].hotspot.x, 31);
    EXPECT_EQ(g_installed[1].hotspot.y, 5);
}

TEST_F(SystemCursors, AnAnimationStepOnWaitingAndTheOthersReinstalled) {
    ScratchDir dir("desk_cursors_ani");
    TempFolderScope temp(dir.path());
    std::vector<std::vector<uint8_t>> frames;
    const uint32_t colours[3] = {0x00C01010, 0x0010C010, 0x001010C0};
    for (uint32_t c : colours) frames.push_back(MakeIconFile({{32, 32, c, 3, 9}}, true));
    std::string ani = dir.File("busy.ani");
    ASSERT_TRUE(WriteBytes(ani, AniAssembler().Header(IconFlagHeader(3, 3, 8)).Frames(frames).Finish()));

    ASSERT_TRUE(Open());
    Pick(ani);
    EXPECT_EQ(ControlText(dialog_, IDC_DESK_STATUS), "3 cursors in " + ani);
    ASSERT_EQ(IconListEntries(dialog_), 3);
    Assign(12, 2);
    std::vector<uint32_t> before;
    for (int i = 0; i < 13; ++i) before.push_back(ImageCentreColour(SystemCursorImages(), i));
    EXPECT_EQ(before[12], colours[2]);

    // No at the confirmation installs nothing.
    {
        MessageRecorder no(IDNO);
        Command(IDOK);
        ASSERT_EQ(no.calls().size(), 1u);
        EXPECT_EQ(no.calls()[0].text, "Please confirm the modification.");
        EXPECT_EQ(no.calls()[0].flags, (UINT)(MB_YESNO | MB_ICONSTOP));
    }
    EXPECT_TRUE(g_installed.empty());

    MessageRecorder yes(IDYES);
    Command(IDOK);
    ASSERT_EQ(g_installed.size(), 13u);
    for (int i = 0; i < 13; ++i) {
        EXPECT_EQ(g_installed[i].id, SystemCursorCatalogue(i).id) << i;
        EXPECT_EQ(g_installed[i].centre, before[i]) << i;
    }
    EXPECT_EQ(g_installed[12].centre, colours[2]);
    EXPECT_EQ(g_installed[12].hotspot.x, 3);
    EXPECT_EQ(g_installed[12].hotspot.y, 9);
}

TEST_F(SystemCursors, FilesThatGiveNoCursors) {
    ScratchDir dir("desk_cursors_files");
    ASSERT_TRUE(Open());
    // A library's icons are not cursors.
    Pick(SevenIconsDll());
    EXPECT_EQ(ControlText(dialog_, IDC_DESK_STATUS), "0 cursors in " + SevenIconsDll());
    EXPECT_EQ(IconListEntries(dialog_), 0);

    // A cursor file lists what the platform extracts from it as cursors.
    std::string cur = dir.File("one.cur");
    ASSERT_TRUE(WriteBytes(cur, MakeIconFile({{32, 32, 0x00808000, 1, 2}}, true)));
    Pick(cur);
    std::string status = std::to_string(IconListCount) + " cursors in " + cur;
    EXPECT_EQ(ControlText(dialog_, IDC_DESK_STATUS), status);
    EXPECT_EQ(IconListEntries(dialog_), IconListCount);

    // A program that cannot be loaded is reported; the status stays.
    std::string bad = dir.File("broken.exe");
    ASSERT_TRUE(WriteBytes(bad, {'M', 'Z', 0, 0}));
    MessageRecorder messages(IDOK);
    Pick(bad);
    ASSERT_EQ(messages.calls().size(), 1u);
    EXPECT_EQ(messages.calls()[0].text, "Cannot read the file !");
    EXPECT_EQ(ControlText(dialog_, IDC_DESK_STATUS), status);

    // Cancel installs nothing.
    Command(IDCANCEL);
    EXPECT_TRUE(g_installed.empty());
}

}  // namespace
