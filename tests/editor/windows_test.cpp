// The editor's frame and its windows, made from the real resources against an
// isolated registry: the two toolbars and their tooltips, the owner-drawn menu
// items, the status bar, the palette window, the brush size, the tools, the
// settings sheet and About.
#include <gtest/gtest.h>
#include <windows.h>
#include <colordlg.h>
#include <commctrl.h>
#include <prsht.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "common/handles.h"
#include "common/seams.h"
#include "editor/frame.h"
#include "editor/resource.h"
#include "editor/startup_win.h"
#include "shell/winversion_win.h"
#include "tests/common/testutil_win.h"
#include "tests/iconres/fixtures.h"
#include "tests/shell/dialog_driver.h"

namespace {

const char kScratchKey[] = "Software\\GlypheryTests\\editor_windows";

HKEY CreateKey(const char *path) {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    return key;
}
void PutNumber(const char *name, DWORD value) {
    UniqueRegKey key(CreateKey(kEditorSettingsKey));
    RegSetValueExA(key.get(), name, 0, REG_DWORD, (const BYTE *)&value, 4);
}
DWORD GetNumber(const char *name) {
    UniqueRegKey key(CreateKey(kEditorSettingsKey));
    DWORD value = 0xDEADBEEF, size = 4;
    RegQueryValueExA(key.get(), name, nullptr, nullptr, (BYTE *)&value, &size);
    return value;
}

// A frame on a one-image icon, as the program makes it.
class Editor {
public:
    Editor() : dir_("editor_windows") {
        WriteBytes(dir_.File("one.ico"), MakeIconFile({{32, 32, 0x336699}}));
        instance_ = GetModuleHandleA(nullptr);
        ok_ = PrepareSession(instance_, ("|" + dir_.File("one.ico")).c_str(), &session_);
        RegisterFrameClass(instance_, session_);
        frame_ = ok_ ? CreateFrame(instance_, &session_) : nullptr;
    }
    ~Editor() {
        if (IsWindow(frame_)) DestroyWindow(frame_);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {}  // the quit message
        UnregisterClassA(kFrameClass, instance_);
    }
    HWND frame() const { return frame_; }
    HWND Item(int id) const { return GetDlgItem(frame_, id); }
    HWND ToolBox() const { return GetDlgItem(Item(IDC_TOOL_REBAR), IDC_TOOLBOX); }
    HWND Palette() const { return FindOwnWindow("#32770", "Palette"); }
    EditorSession &session() { return session_; }
    void Command(UINT id) { SendMessageA(frame_, WM_COMMAND, id, 0); }
    UINT MenuState(UINT id) {
        SendMessageA(frame_, WM_INITMENU, (WPARAM)GetMenu(frame_), 0);
        return GetMenuState(GetMenu(frame_), id, MF_BYCOMMAND);
    }
    // Answers the closing question with Yes; true when the frame is gone.
    bool CloseYes() {
        MessageRecorder recorder(IDYES);
        Command(CMD_CLOSE);
        return !IsWindow(frame_);
    }
    std::string StatusText(int part) {
        char text[128] = {0};
        SendMessageA(Item(IDC_STATUS), SB_GETTEXTA, part, (LPARAM)text);
        return text;
    }

private:
    ScratchDir dir_;
    HINSTANCE instance_;
    EditorSession session_;
    bool ok_ = false;
    HWND frame_ = nullptr;
};

class EditorWindowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        RestoreRegistry(kScratchKey);
        ASSERT_TRUE(IsolateRegistry(kScratchKey));
        PutNumber("first_time", 0);
    }
    void TearDown() override { RestoreRegistry(kScratchKey); }
};

BYTE ButtonState(HWND bar, UINT command) { return (BYTE)SendMessageA(bar, TB_GETSTATE, command, 0); }

TEST_F(EditorWindowsTest, ToolbarsStartFromTheSettings) {
    struct Case {
        DWORD grid, palette;
    } cases[] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    for (const Case &c : cases) {
        PutNumber("Grid", c.grid);
        PutNumber("Palette", c.palette);
        Editor editor;
        HWND bar = editor.Item(IDC_MAIN_TOOLBAR);
        ASSERT_TRUE(bar != nullptr);
        const BYTE down = TBSTATE_PRESSED | TBSTATE_CHECKED | TBSTATE_ENABLED;
        EXPECT_EQ(ButtonState(bar, CMD_GRID), c.grid ? down : TBSTATE_ENABLED) << c.grid;
        EXPECT_EQ(ButtonState(bar, CMD_PALETTE), c.palette ? down : TBSTATE_ENABLED) << c.palette;
        EXPECT_TRUE(ButtonState(bar, CMD_UNDO) & TBSTATE_INDETERMINATE);
        EXPECT_EQ(IsWindowVisible(editor.Palette()) != FALSE, c.palette != 0);
    }
    Editor editor;
    HWND bar = editor.Item(IDC_MAIN_TOOLBAR);
    // The order, the images and the drop-down; separators have command 0.
    const struct {
        int command, image;
    } kButtons[] = {{CMD_SAVE, 2},  {CMD_SAVE_AS, 46},      {CMD_PRINT, 45}, {0, -1},      {CMD_GRID, 39},
                    {CMD_PALETTE, 10}, {0, -1},             {CMD_BRUSH_WIDTH, 40}, {0, -1}, {CMD_UNDO, 5},
                    {0, -1},        {0, -1},                {CMD_SETUP_DISPLAY, 18}, {0, -1}, {CMD_HELP_INDEX, 33},
                    {CMD_CLOSE, 21}};
    ASSERT_EQ(SendMessageA(bar, TB_BUTTONCOUNT, 0, 0), (LRESULT)(sizeof kButtons / sizeof kButtons[0]));
    for (int i = 0; i < (int)(sizeof kButtons / sizeof kButtons[0]); ++i) {
        TBBUTTON b = {};
        SendMessageA(bar, TB_GETBUTTON, i, (LPARAM)&b);
        EXPECT_EQ(b.idCommand, kButtons[i].command) << i;
        if (kButtons[i].command) {
            EXPECT_EQ(b.iBitmap, kButtons[i].image) << i;
        }
        EXPECT_EQ((b.fsStyle & BTNS_DROPDOWN) != 0, kButtons[i].command == CMD_BRUSH_WIDTH) << i;
    }
    // Images up to index 46 exist although the toolbar is told of 43.
    HIMAGELIST images = (HIMAGELIST)SendMessageA(bar, TB_GETIMAGELIST, 0, 0);
    EXPECT_GE(ImageList_GetImageCount(images), 47);

    // The ToolBox: 13 buttons at (0, 56) in the frame, one check group with
    // the Pen down, Choose a color a push button.
    HWND box = editor.ToolBox();
    ASSERT_TRUE(box != nullptr);
    EXPECT_EQ(SendMessageA(box, TB_BUTTONCOUNT, 0, 0), 13);
    RECT r;
    GetWindowRect(editor.Item(IDC_TOOL_REBAR), &r);
    MapWindowPoints(nullptr, editor.frame(), (POINT *)&r, 2);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 56);
    EXPECT_TRUE(ButtonState(box, CMD_PEN) & TBSTATE_CHECKED);
    TBBUTTON last = {};
    SendMessageA(box, TB_GETBUTTON, 12, (LPARAM)&last);
    EXPECT_EQ(last.idCommand, CMD_CHOOSE_COLOR);
    EXPECT_EQ(last.fsStyle & BTNS_CHECK, 0);
    // (The maximized frame reaches past the screen's edges: pictures of its parts.)
    SaveShot(bar, "editor_toolbar");
    SaveShot(editor.Item(IDC_TOOL_REBAR), "editor_toolbox");
}

// Asks `to` (the frame, or the rebar that passes its ToolBox's requests on).
std::string TooltipA(HWND to, UINT id) {
    NMTTDISPINFOA info = {};
    info.hdr.hwndFrom = to;
    info.hdr.idFrom = id;
    info.hdr.code = TTN_GETDISPINFOA;
    SendMessageA(to, WM_NOTIFY, 0, (LPARAM)&info);
    if (!IS_INTRESOURCE(info.lpszText)) return info.lpszText;
    char text[128] = {0};
    LoadStringA(info.hinst, (UINT)(UINT_PTR)info.lpszText, text, sizeof text);
    return text;
}

TEST_F(EditorWindowsTest, TooltipsComeFromTheTableByCommand) {
    Editor editor;
    const struct {
        UINT id;
        const char *text;
    } kTips[] = {
        {40025, "Save"}, {190, "Save As..."}, {1092, "Print"}, {40076, "Display/Hide grid"},
        {40071, "Display/Hide palette"}, {1027, "Brush width"}, {40053, "Undo"}, {40013, "Setup"},
        {40024, "GlypheryEdit help"}, {40001, "Close GlypheryEdit"}, {437, "Pen"}, {40011, "Brush"}, {53, "Line"},
        {40061, "Extract color"}, {40012, "Fill"}, {40060, "Spray"}, {40005, "Rectangle"},
        {40006, "Filled rectangle"}, {40007, "Bicolored filled rectangle"}, {40008, "Circle"},
        {40009, "Filled circle"}, {40062, "Select a region"}, {102, "Choose the transparent color"},
        {108, "Select transparent pixels"}, {101, "Choose a color"},
        {40097, ""}, {1013, ""}, {0, ""},  // not in the table: the empty text
    };
    for (const auto &tip : kTips) EXPECT_EQ(TooltipA(editor.frame(), tip.id), tip.text) << tip.id;
    EXPECT_EQ(TooltipA(editor.Item(IDC_TOOL_REBAR), CMD_FILLED_CIRCLE), "Filled circle");
    // The wide request gives the same string.
    NMTTDISPINFOW wide = {};
    wide.hdr.idFrom = CMD_PEN;
    wide.hdr.code = TTN_GETDISPINFOW;
    SendMessageA(editor.frame(), WM_NOTIFY, 0, (LPARAM)&wide);
    wchar_t text[32] = {0};
    LoadStringW(wide.hinst, (UINT)(UINT_PTR)wide.lpszText, text, 32);
    EXPECT_STREQ(text, L"Pen");
}

// Sees a popup menu open (a timer inside the menu's modal loop), keeps a
// picture of `g_shotOf` (or of the menu) and closes the menu.
HWND g_popup = nullptr;
HWND g_shotOf = nullptr;
const char *g_shotName = "";
void CALLBACK SeeThePopup(HWND, UINT, UINT_PTR id, DWORD) {
    HWND popup = FindWindowA("#32768", nullptr);
    if (!popup || !IsWindowVisible(popup)) return;
    KillTimer(nullptr, id);
    g_popup = popup;
    SaveShot(g_shotOf ? g_shotOf : popup, g_shotName);
    EndMenu();
}
HWND WatchPopup(const std::function<void()> &open, HWND shotOf, const char *name) {
    g_popup = nullptr;
    g_shotOf = shotOf;
    g_shotName = name;
    UINT_PTR timer = SetTimer(nullptr, 0, 50, SeeThePopup);
    open();
    KillTimer(nullptr, timer);
    return g_popup;
}

// Measured in the system font with room for the check mark and 8 pixels, and
// drawn: the highlight behind a selected item, its image at the left.
TEST_F(EditorWindowsTest, OwnerDrawnItemsAreMeasuredAndDrawn) {
    Editor editor;
    HMENU file = GetSubMenu(GetMenu(editor.frame()), 0);
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    ASSERT_TRUE(GetMenuItemInfoA(file, CMD_SAVE_AS, FALSE, &info));
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
    ASSERT_NE(info.dwItemData, 0u);

    MEASUREITEMSTRUCT measure = {};
    measure.CtlType = ODT_MENU;
    measure.itemID = CMD_SAVE_AS;
    measure.itemData = info.dwItemData;
    EXPECT_TRUE(SendMessageA(editor.frame(), WM_MEASUREITEM, 0, (LPARAM)&measure));
    RECT text = {0, 0, 0, 0};
    {
        WindowDC dc(editor.frame());
        SelectObjectScope font(dc.get(), GetStockObject(SYSTEM_FONT));
        DrawTextA(dc.get(), "&Save as...", -1, &text, DT_SINGLELINE | DT_CALCRECT);
    }
    EXPECT_EQ((int)measure.itemWidth, text.right + GetSystemMetrics(SM_CXMENUCHECK) + 8);
    EXPECT_EQ((int)measure.itemHeight, text.bottom + 6);

    // Drawn selected into a bitmap of our own.
    WindowDC screen(nullptr);
    UniqueMemDC dc(CreateCompatibleDC(screen.get()));
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), 120, 24));
    SelectObjectScope select(dc.get(), bitmap.get());
    DRAWITEMSTRUCT draw = {};
    draw.CtlType = ODT_MENU;
    draw.itemID = CMD_SAVE_AS;
    draw.itemState = ODS_SELECTED;
    draw.hDC = dc.get();
    draw.rcItem = {0, 0, 120, 24};
    draw.itemData = info.dwItemData;
    EXPECT_TRUE(SendMessageA(editor.frame(), WM_DRAWITEM, 0, (LPARAM)&draw));
    EXPECT_EQ(GetPixel(dc.get(), 118, 1), GetSysColor(COLOR_HIGHLIGHT));
    // Save as's image (46): a blue disk with a white sheet.
    int blue = 0;
    for (int x = 2; x < 18; ++x)
        for (int y = 4; y < 20; ++y) blue += GetPixel(dc.get(), x, y) == RGB(30, 70, 200);
    EXPECT_GT(blue, 20);
    // Their mnemonics: one item executes, two with the same letter take turns.
    const struct {
        char key;
        LRESULT result;
    } kKeys[] = {{'p', MAKELRESULT(3, MNC_EXECUTE)}, {'C', MAKELRESULT(5, MNC_EXECUTE)},
                 {'s', MAKELRESULT(0, MNC_SELECT)},  {'x', MNC_IGNORE}};
    for (const auto &k : kKeys)
        EXPECT_EQ(SendMessageA(editor.frame(), WM_MENUCHAR, MAKEWPARAM(k.key, MF_POPUP), (LPARAM)file), k.result) << k.key;
    // And the File menu as a user opens it.
    EXPECT_TRUE(WatchPopup([&] { SendMessageA(editor.frame(), WM_SYSCOMMAND, SC_KEYMENU, 'f'); }, nullptr,
                           "editor_file_menu"));
}

TEST_F(EditorWindowsTest, StatusPartsFollowEveryResize) {
    Editor editor;
    ShowWindow(editor.frame(), SW_RESTORE);
    for (int width : {900, 631, 400}) {
        MoveWindow(editor.frame(), 0, 0, width, 500, TRUE);
        RECT client;
        GetClientRect(editor.frame(), &client);
        int edges[3] = {0};
        ASSERT_EQ(SendMessageA(editor.Item(IDC_STATUS), SB_GETPARTS, 3, (LPARAM)edges), 3);
        EXPECT_EQ(edges[0], client.right * 5 / 9) << width;
        EXPECT_EQ(edges[1], client.right * 5 / 7) << width;
        EXPECT_EQ(edges[2], -1) << width;
    }
}

TEST_F(EditorWindowsTest, PaletteTogglesAndItsCrossedPlaceRoundTrips) {
    PutNumber("x_palette", 100);  // its top
    PutNumber("y_palette", 30);   // its left
    Editor editor;
    HWND palette = FindWindowExA(nullptr, nullptr, "#32770", "Palette");
    ASSERT_TRUE(palette != nullptr);
    EXPECT_FALSE(IsWindowVisible(palette));
    RECT r;
    GetWindowRect(palette, &r);
    EXPECT_EQ(r.left, 30);
    EXPECT_EQ(r.top, 100);
    EXPECT_EQ(editor.MenuState(CMD_PALETTE) & MF_CHECKED, 0u);

    editor.Command(CMD_PALETTE);
    EXPECT_TRUE(IsWindowVisible(palette));
    EXPECT_TRUE(GetForegroundWindow() != palette);  // shown without taking the activation
    EXPECT_EQ(editor.MenuState(CMD_PALETTE) & MF_CHECKED, (UINT)MF_CHECKED);
    EXPECT_TRUE(ButtonState(editor.Item(IDC_MAIN_TOOLBAR), CMD_PALETTE) & TBSTATE_CHECKED);
    // Its cells are painted in their colours: row 1, column 6 is 64,0,0.
    HBRUSH cell = (HBRUSH)SendMessageA(palette, WM_CTLCOLORSTATIC, 0, (LPARAM)GetDlgItem(palette, 1110));
    LOGBRUSH brush = {};
    ASSERT_TRUE(GetObjectA(cell, sizeof brush, &brush));
    EXPECT_EQ(brush.lbColor, RGB(64, 0, 0));
    SaveShot(palette, "editor_palette");

    SetWindowPos(palette, nullptr, 70, 140, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(editor.CloseYes());
    EXPECT_EQ(GetNumber("x_palette"), 140u);
    EXPECT_EQ(GetNumber("y_palette"), 70u);
    EXPECT_EQ(GetNumber("Palette"), 1u);
}

TEST_F(EditorWindowsTest, GridToggleChecksTheMenuAndTheButton) {
    Editor editor;
    for (UINT expected : {1u, 0u, 1u}) {
        editor.Command(CMD_GRID);
        EXPECT_EQ(editor.session().settings.Grid, expected);
        EXPECT_EQ(editor.MenuState(CMD_GRID) & MF_CHECKED, expected ? (UINT)MF_CHECKED : 0u);
        BYTE state = ButtonState(editor.Item(IDC_MAIN_TOOLBAR), CMD_GRID);
        EXPECT_EQ(state, expected ? TBSTATE_PRESSED | TBSTATE_CHECKED | TBSTATE_ENABLED : TBSTATE_ENABLED);
    }
}

TEST_F(EditorWindowsTest, BrushSizeIsMarkedChosenAndSaved) {
    PutNumber("brush_size", 4);
    Editor editor;
    const UINT kSizes[] = {CMD_BRUSH_1, CMD_BRUSH_2, CMD_BRUSH_3, CMD_BRUSH_4, CMD_BRUSH_5};
    for (UINT id : kSizes) EXPECT_EQ(editor.MenuState(id) & MF_CHECKED, id == CMD_BRUSH_4 ? (UINT)MF_CHECKED : 0u);
    editor.Command(CMD_BRUSH_1);
    EXPECT_EQ(editor.session().settings.brush_size, 1u);
    for (UINT id : kSizes) EXPECT_EQ(editor.MenuState(id) & MF_CHECKED, id == CMD_BRUSH_1 ? (UINT)MF_CHECKED : 0u);
    editor.Command(CMD_BRUSH_5);

    HWND bar = editor.Item(IDC_MAIN_TOOLBAR);
    NMTOOLBARA drop = {};
    drop.hdr.hwndFrom = bar;
    drop.hdr.idFrom = IDC_MAIN_TOOLBAR;
    drop.hdr.code = TBN_DROPDOWN;
    drop.iItem = CMD_BRUSH_WIDTH;
    SendMessageA(bar, TB_GETRECT, CMD_BRUSH_WIDTH, (LPARAM)&drop.rcButton);
    LRESULT result = 0;
    EXPECT_TRUE(WatchPopup([&] { result = SendMessageA(editor.frame(), WM_NOTIFY, IDC_MAIN_TOOLBAR, (LPARAM)&drop); },
                           nullptr, "editor_brush_menu"));
    EXPECT_EQ(result, TBDDRET_DEFAULT);

    ASSERT_TRUE(editor.CloseYes());
    EXPECT_EQ(GetNumber("brush_size"), 5u);
}

TEST_F(EditorWindowsTest, ToolsAreRecordedAndNamedInTheStatusBar) {
    Editor editor;
    const struct {
        UINT command;
        const char *status;  // null: the text stays as it was
        bool inToolBox;
    } kTools[] = {
        {CMD_BRUSH, "Brush", true},        {CMD_FILLED_RECTANGLE, nullptr, true}, {CMD_LINE, "Straight Line", true},
        {CMD_RECTANGLE, "Rectangle", true}, {CMD_FILL, "Flood", true},            {CMD_SELECT, "Selection frame", true},
        {CMD_SPRAY, nullptr, true},         {CMD_EXTRACT_COLOR, "Color selector", true},
        {CMD_TRANSPARENT_COLOR, "Transparent color selection", false},
        {CMD_TRANSPARENT_PIXELS, "Select transparent pixels", false},      {CMD_PEN, "Pencil", true},
    };
    for (const auto &tool : kTools) {
        std::string before = editor.StatusText(0);
        editor.Command(tool.command);
        EXPECT_EQ(editor.StatusText(0), tool.status ? tool.status : before) << tool.command;
        if (tool.inToolBox) {
            EXPECT_TRUE(ButtonState(editor.ToolBox(), tool.command) & TBSTATE_CHECKED) << tool.command;
        }
    }
    EXPECT_FALSE(ButtonState(editor.ToolBox(), CMD_EXTRACT_COLOR) & TBSTATE_CHECKED);  // one of the group at a time

    // A click on the ToolBox's Line button reaches the frame through the rebar.
    RECT r;
    SendMessageA(editor.ToolBox(), TB_GETRECT, CMD_LINE, (LPARAM)&r);
    LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageA(editor.ToolBox(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(editor.ToolBox(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(editor.StatusText(0), "Straight Line");
    EXPECT_TRUE(ButtonState(editor.ToolBox(), CMD_LINE) & TBSTATE_CHECKED);
}

std::vector<std::pair<std::string, ULONG_PTR>> g_help;
BOOL WINAPI RecordHelp(HWND, LPCSTR file, UINT command, ULONG_PTR data) {
    if (command == HELP_CONTEXT) g_help.push_back({file ? file : "", data});
    return TRUE;
}

// Every page stores its fields when it is left; the Display page's are
// applied to the frame at once.
TEST_F(EditorWindowsTest, SettingsSheetPagesStoreTheirFields) {
    {
        UniqueRegKey suite(CreateKey("Software\\Glyphery"));
        RegSetValueExA(suite.get(), "installPath", 0, REG_SZ, (const BYTE *)"C:\\Suite", 9);
    }
    PutNumber("Palette", 1);
    PutNumber("open_size", 99);  // outside the list: kept until a size is chosen
    Editor editor;
    g_help.clear();
    HelpOpener oldHelp = SetHelpOpener(RecordHelp);
    std::vector<std::string> titles;
    RunDialog([&] { return (INT_PTR)SendMessageA(editor.frame(), WM_COMMAND, CMD_SETUP_CONVERT, 0); },
              [&](HWND sheet) {
                  HWND page = PropSheet_GetCurrentPageHwnd(sheet);
                  titles.push_back(ItemText(sheet, 0));
                  EXPECT_EQ(SendDlgItemMessageA(page, IDC_EXPORT_TYPE, CB_GETCOUNT, 0, 0), 1);
                  SetDlgItemTextA(page, IDC_TARGET_FOLDER, "C:\\Icons\\Out");
                  SendDlgItemMessageA(page, IDC_EXPORT_TYPE, CB_SETCURSEL, 0, 0);
                  PropSheet_PressButton(sheet, PSBTN_HELP);
                  SaveShot(sheet, "editor_sheet_convert");

                  PropSheet_SetCurSel(sheet, nullptr, 1);
                  page = PropSheet_GetCurrentPageHwnd(sheet);
                  EXPECT_EQ(IsDlgButtonChecked(page, IDC_SHOW_PALETTE), (UINT)BST_CHECKED);
                  Click(page, IDC_SHOW_GRID);
                  Click(page, IDC_SHOW_PALETTE);
                  SaveShot(sheet, "editor_sheet_display");

                  PropSheet_SetCurSel(sheet, nullptr, 2);
                  page = PropSheet_GetCurrentPageHwnd(sheet);
                  EXPECT_EQ(SendDlgItemMessageA(page, IDC_LAUNCH_FORMAT, CB_GETCURSEL, 0, 0), CB_ERR);
                  SendDlgItemMessageA(page, IDC_LAUNCH_COLORS, CB_SETCURSEL, 2, 0);
                  SaveShot(sheet, "editor_sheet_launch");
                  PropSheet_PressButton(sheet, PSBTN_OK);
              },
              "GlypheryEdit");
    // The toolbar's help button (Help > Index) and Help > Find: the same topic.
    for (UINT command : {CMD_HELP_INDEX, CMD_HELP_FIND}) SendMessageA(editor.frame(), WM_COMMAND, command, 0);
    SetHelpOpener(oldHelp);
    const EditorSettings &s = editor.session().settings;
    EXPECT_STREQ(s.save_path, "C:\\Icons\\Out");
    EXPECT_EQ(s.save_type, 0u);
    EXPECT_EQ(s.Grid, 1u);
    EXPECT_EQ(s.Palette, 0u);
    EXPECT_EQ(s.open_size, 99u);
    EXPECT_EQ(s.open_colors, 2u);
    ASSERT_EQ(g_help.size(), 3u);  // the sheet's Help, then the two commands
    for (const auto &request : g_help) {
        EXPECT_EQ(request.first, "C:\\Suite\\GlypheryEdite.chm");
        EXPECT_EQ(request.second, 115u);
    }
    // Applied: the grid button down, the palette hidden.
    EXPECT_TRUE(ButtonState(editor.Item(IDC_MAIN_TOOLBAR), CMD_GRID) & TBSTATE_CHECKED);
    EXPECT_FALSE(ButtonState(editor.Item(IDC_MAIN_TOOLBAR), CMD_PALETTE) & TBSTATE_CHECKED);
    EXPECT_FALSE(IsWindowVisible(FindWindowExA(nullptr, nullptr, "#32770", "Palette")));
    ASSERT_TRUE(editor.CloseYes());
    EXPECT_EQ(GetNumber("open_colors"), 2u);
    EXPECT_EQ(GetNumber("Grid"), 1u);
}

// "Changer..." takes the colour chooser's choice; leaving the page makes it
// the frame class's background brush.
TEST_F(EditorWindowsTest, DisplayPageColourBecomesTheClassBrush) {
    Editor editor;
    RunDialog([&] { return (INT_PTR)SendMessageA(editor.frame(), WM_COMMAND, CMD_SETUP_DISPLAY, 0); },
              [&](HWND sheet) {
                  HWND page = PropSheet_GetCurrentPageHwnd(sheet);
                  OnNextOwnedDialog(sheet, [](HWND chooser) {  // a top-level window is owned by the sheet
                      SetDlgItemInt(chooser, COLOR_RED, 12, FALSE);
                      SetDlgItemInt(chooser, COLOR_GREEN, 34, FALSE);
                      SetDlgItemInt(chooser, COLOR_BLUE, 56, FALSE);
                      SendMessageA(chooser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                  });
                  Click(page, IDC_FOND_CHANGE);
                  PropSheet_PressButton(sheet, PSBTN_OK);
              },
              "GlypheryEdit");
    EXPECT_EQ(editor.session().settings.fond, RGB(12, 34, 56));
    LOGBRUSH brush = {};
    ASSERT_TRUE(GetObjectA((HBRUSH)GetClassLongPtrA(editor.frame(), GCLP_HBRBACKGROUND), sizeof brush, &brush));
    EXPECT_EQ(brush.lbColor, RGB(12, 34, 56));
}

std::vector<std::string> g_opened;
HINSTANCE RecordOpen(HWND, const char *verb, const char *file, const char *, const char *, int) {
    g_opened.push_back(std::string(verb ? verb : "") + " " + (file ? file : ""));
    return (HINSTANCE)42;
}

TEST_F(EditorWindowsTest, AboutShowsTheSystemAndOpensTheLink) {
    Editor editor;
    g_opened.clear();
    ShellOpener oldOpener = SetShellOpener(RecordOpen);
    RunDialog([&] { return (INT_PTR)SendMessageA(editor.frame(), WM_COMMAND, CMD_ABOUT, 0); },
              [&](HWND about) {
                  EXPECT_EQ(ItemText(about, IDC_ABOUT_SYSTEM), CurrentWindowsVersionText());
                  EXPECT_EQ(ItemText(about, IDC_ABOUT_LINK), "http://www.glyphery.example/");
                  HWND link = GetDlgItem(about, IDC_ABOUT_LINK);
                  // Underlined, in 51,0,204 on the button face.
                  LOGFONTA font = {};
                  GetObjectA((HFONT)SendMessageA(link, WM_GETFONT, 0, 0), sizeof font, &font);
                  EXPECT_TRUE(font.lfUnderline);
                  WindowDC dc(link);
                  HBRUSH back = (HBRUSH)SendMessageA(about, WM_CTLCOLORSTATIC, (WPARAM)dc.get(), (LPARAM)link);
                  EXPECT_EQ(GetTextColor(dc.get()), RGB(51, 0, 204));
                  EXPECT_EQ(back, GetSysColorBrush(COLOR_BTNFACE));
                  SendMessageA(about, WM_SETCURSOR, (WPARAM)link, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
                  EXPECT_EQ(GetCursor(), LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_HAND_CURSOR)));
                  SaveShot(about, "editor_about");
                  SendMessageA(about, WM_COMMAND, MAKEWPARAM(IDC_ABOUT_LINK, STN_CLICKED), (LPARAM)link);
                  Click(about, IDOK);
              },
              "About GlypheryEdit");
    SetShellOpener(oldOpener);
    ASSERT_EQ(g_opened.size(), 1u);
    EXPECT_EQ(g_opened[0], "open http://www.glyphery.example/");
}

}  // namespace
