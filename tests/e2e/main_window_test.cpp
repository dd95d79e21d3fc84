// Glyphery.exe end to end: the real program under Wine with its settings in
// the prefix's registry, driven through its windows as a user drives it, and
// judged by the files, registry values and message boxes it leaves.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <algorithm>
#include <string>
#include <vector>

#include "desktop/resource.h"
#include "shell/resource.h"
#include "tests/common/testutil_win.h"
#include "tests/e2e/driver.h"

namespace {

const char kNotInstalled[] = "Glyphery is not correctly installed...\nPlease run the install programm.";
const DWORD kConvertMs = 120000;

COLORREF Shade(int seed, int x, int y) { return RGB((seed * 70 + x * 8) & 255, (y * 12) & 255, (seed * 40) & 255); }

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CreateDirectoryA(in_.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA(out_.c_str(), nullptr));
        const char *names[] = {"alpha", "mid", "zeta"};
        for (int i = 0; i < 3; ++i)
            ASSERT_TRUE(WriteBmp24(In(std::string(names[i]) + ".bmp"), 40, 30,
                                   [i](int x, int y) { return Shade(i + 1, x, y); }));
        PutSetting("installPath", BinFolder());
        PutSetting("pathLaunch", in_);
        PutSetting("pathSave", out_);
        PutSetting("current_format", 1);
        PutSetting("tooltips", 1);
    }

    // Starts the program and waits for its main window.
    void Launch() {
        ASSERT_TRUE(program_.Start());
        ASSERT_NE(program_.WaitForMainWindow(), nullptr) << "no main window";
    }

    // Presses Convert and answers nothing: returns the box shown, if any.
    MessageBoxSeen Convert() {
        std::unique_ptr<Pending> click = program_.Click(IDC_CONVERT);
        MessageBoxSeen box = program_.WaitForMessageBox(click.get(), kConvertMs);
        if (box.box) program_.Answer(box, IDOK);
        EXPECT_TRUE(click->Wait(kConvertMs));
        return box;
    }

    void CloseProgram() {
        std::unique_ptr<Pending> close = program_.Command(IDM_CLOSE);
        DWORD code = 99;
        ASSERT_TRUE(program_.WaitForExit(20000, &code));
        EXPECT_EQ(code, 0u);
    }

    std::string In(const std::string &name) const { return in_ + "\\" + name; }
    std::string Out(const std::string &name) const { return out_ + "\\" + name; }

    SettingsKeyScope settings_;
    ScratchDir scratch_{"e2e-main"};
    std::string in_ = scratch_.File("in"), out_ = scratch_.File("out");
    MainProgram program_;
};

// The image count and the first two sizes of an icon file.
struct IconHeader {
    int count = -1;
    int firstSize = 0, secondSize = 0;
};
IconHeader ReadIconHeader(const std::string &path) {
    IconHeader h;
    std::vector<uint8_t> b = ReadFileBytes(path);
    if (b.size() < 6 + 32) return h;
    h.count = b[4] | b[5] << 8;
    h.firstSize = b[6] ? b[6] : 256;
    h.secondSize = b[22] ? b[22] : 256;
    return h;
}

TEST_F(MainWindowTest, ConvertsTheSelectedFilesInTheirOrderAndCloseSavesTheSettings) {
    Launch();
    EXPECT_EQ(program_.Text(IDC_TARGET), out_);
    EXPECT_EQ(program_.Text(IDC_TARGET_LABEL), "Target folder:");
    EXPECT_EQ(program_.Text(IDC_TEST), "Test");
    EXPECT_FALSE(IsWindowEnabled(program_.Control(IDC_TEST)));
    ASSERT_NE(program_.Control(IDC_TOOLBAR), nullptr);
    EXPECT_TRUE(SaveShot(program_.browser(), "main_window_en.bmp"));

    program_.Check(1041);  // 16 x 16 at 4 bits
    program_.Check(1356);  // 32 x 32 at 8 bits
    program_.TypeFileName("\"zeta.bmp\" \"alpha.bmp\" \"mid.bmp\"");
    MessageBoxSeen box = Convert();
    EXPECT_EQ(box.box, nullptr) << box.text;
    for (const char *name : {"zeta.ico", "alpha.ico", "mid.ico"}) {
        IconHeader h = ReadIconHeader(Out(name));
        EXPECT_EQ(h.count, 2) << name;
        EXPECT_EQ(h.firstSize, 16) << name;
        EXPECT_EQ(h.secondSize, 32) << name;
    }
    // Converted in the order the selection names them, not sorted.
    EXPECT_LT(WriteTime(Out("zeta.ico")), WriteTime(Out("alpha.ico")));
    EXPECT_LT(WriteTime(Out("alpha.ico")), WriteTime(Out("mid.ico")));

    program_.Check(IDC_TRANSPARENT);
    CloseProgram();
    DWORD transparent = 0, kind = 0;
    std::string saved;
    EXPECT_TRUE(GetSetting("transparent", &transparent));
    EXPECT_EQ(transparent, 1u);
    EXPECT_TRUE(GetSetting("current_format", &kind));
    EXPECT_EQ(kind, 1u);
    EXPECT_TRUE(GetSetting("pathSave", &saved));
    EXPECT_EQ(saved, out_);
}

TEST_F(MainWindowTest, FilesSelectedInTheListAreConvertedInTheListsOrder) {
    Launch();
    program_.Check(1354);  // 32 x 32 at 1 bit
    ASSERT_TRUE(program_.SelectAllListedFiles());
    Sleep(300);
    std::string selection(1024, '\0');
    selection.resize(SendMessageA(program_.FileNameField(), WM_GETTEXT, selection.size(), (LPARAM)&selection[0]));
    selection.erase(selection.find_last_not_of(' ') + 1);  // the browser may end the list with a blank
    EXPECT_EQ(selection, "\"alpha.bmp\" \"mid.bmp\" \"zeta.bmp\"");
    EXPECT_TRUE(SaveShot(program_.browser(), "main_window_selection.bmp"));
    EXPECT_EQ(Convert().box, nullptr);
    for (const char *name : {"alpha.ico", "mid.ico", "zeta.ico"}) EXPECT_EQ(ReadIconHeader(Out(name)).count, 1) << name;
    EXPECT_LT(WriteTime(Out("alpha.ico")), WriteTime(Out("mid.ico")));
    EXPECT_LT(WriteTime(Out("mid.ico")), WriteTime(Out("zeta.ico")));
}

TEST_F(MainWindowTest, MissingTargetFolderIsCreatedOnYesOnly) {
    Launch();
    std::string target = out_ + "\\new\\deeper";
    program_.Check(1041);
    program_.TypeFileName("alpha.bmp");
    program_.SetTarget(target);

    std::unique_ptr<Pending> click = program_.Click(IDC_CONVERT);
    MessageBoxSeen box = program_.WaitForMessageBox(click.get());
    EXPECT_EQ(box.text, target + " does not exists.\nDo you want to create it?");
    ASSERT_TRUE(program_.Answer(box, IDNO));
    ASSERT_TRUE(click->Wait(kConvertMs));
    EXPECT_FALSE(FileExists(out_ + "\\new"));

    click = program_.Click(IDC_CONVERT);
    box = program_.WaitForMessageBox(click.get());
    EXPECT_EQ(box.text, target + " does not exists.\nDo you want to create it?");
    ASSERT_TRUE(program_.Answer(box, IDYES));
    ASSERT_TRUE(click->Wait(kConvertMs));
    EXPECT_EQ(ReadIconHeader(target + "\\alpha.ico").count, 1);
}

TEST_F(MainWindowTest, DoubledBackslashesAreCollapsedAndSavedCollapsed) {
    ASSERT_TRUE(CreateDirectoryA(Out("sub").c_str(), nullptr));
    Launch();
    program_.Check(1041);
    program_.TypeFileName("mid.bmp");
    program_.SetTarget(out_ + "\\\\\\sub\\\\");
    MessageBoxSeen box = Convert();
    EXPECT_EQ(box.box, nullptr) << box.text;
    EXPECT_EQ(ReadIconHeader(Out("sub\\mid.ico")).count, 1);
    EXPECT_EQ(program_.Text(IDC_TARGET), out_ + "\\sub\\");
    CloseProgram();
    std::string saved;
    EXPECT_TRUE(GetSetting("pathSave", &saved));
    EXPECT_EQ(saved, out_ + "\\sub\\");
}

TEST_F(MainWindowTest, RefusalsConvertNothing) {
    Launch();
    program_.TypeFileName("alpha.bmp");
    EXPECT_EQ(Convert().text, "You did not select the formats to be included in the icon...");
    program_.SelectCreateAs("Cursor");
    EXPECT_EQ(Convert().text, "You did not select the formats to be included in the cursor...");

    program_.Check(1041);
    program_.TypeFileName("");
    EXPECT_EQ(Convert().text, "You did not select the file to convert...");
    program_.TypeFileName("ghost.bmp");
    EXPECT_EQ(Convert().text, "The file " + In("ghost.bmp") + " does not exists or cannot be reached...");
    program_.TypeFileName("alpha.bmp");
    program_.SetTarget("");
    EXPECT_EQ(Convert().text, "You did not select the target folder...");

    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(Out("*.*").c_str(), &data);
    int files = 0;
    if (find != INVALID_HANDLE_VALUE) {
        do files += !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
        while (FindNextFileA(find, &data));
        FindClose(find);
    }
    EXPECT_EQ(files, 0);
    EXPECT_TRUE(program_.Running());
}

// The window that has the keyboard focus in the program. Another test's
// window on the shared display may have taken the activation: the main
// window, active again, gives the focus back to the control that had it.
HWND ProgramFocus(HWND browser) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    DWORD thread = GetWindowThreadProcessId(browser, nullptr);
    if (GetGUIThreadInfo(thread, &info) && info.hwndFocus) return info.hwndFocus;
    SetForegroundWindow(browser);
    Sleep(300);
    return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

// Each target folder that cannot take the files is refused with its own
// message, owned by the main window, and the focus goes to the field.
TEST_F(MainWindowTest, UnusableTargetFoldersAreRefusedWithTheirOwnMessage) {
    std::string deep = out_;  // an existing folder of 250 characters
    while (deep.size() < 250) {
        deep += "\\" + std::string(std::min<size_t>(60, 249 - deep.size()), 'd');
        ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr)) << deep;
    }
    ASSERT_EQ(deep.size(), 250u);
    ASSERT_TRUE(WriteBytes(Out("taken"), {'x'}));  // a file where a folder is asked for
    Launch();
    program_.Check(1041);
    program_.TypeFileName("alpha.bmp");
    struct Case {
        std::string field, expected;
        bool askFirst;
    } cases[] = {
        {out_ + "\\" + std::string(270, 'l'), "The target folder is too long: a folder path has at most 259 characters...", false},
        {deep, "The target folder " + deep + " is too long to hold the converted files: choose a shorter one...", false},
        {Out("taken\\sub"), "The folder " + Out("taken\\sub") + " cannot be created...", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.field.substr(0, 80));
        program_.SetTarget(c.field);
        std::unique_ptr<Pending> click = program_.Click(IDC_CONVERT);
        MessageBoxSeen box = program_.WaitForMessageBox(click.get());
        if (c.askFirst) {
            EXPECT_EQ(box.text, c.field + " does not exists.\nDo you want to create it?");
            ASSERT_TRUE(program_.Answer(box, IDYES));
            box = program_.WaitForMessageBox(click.get());
        }
        ASSERT_NE(box.box, nullptr);
        EXPECT_EQ(box.text, c.expected);
        EXPECT_EQ(GetWindow(box.box, GW_OWNER), program_.browser());
        if (c.askFirst) EXPECT_TRUE(SaveShot(box.box, "main_target_not_created.bmp"));
        ASSERT_TRUE(program_.Answer(box, IDOK));
        ASSERT_TRUE(click->Wait(kConvertMs));
        EXPECT_EQ(ProgramFocus(program_.browser()), program_.Control(IDC_TARGET));
    }
    EXPECT_FALSE(FileExists(deep + "\\alpha.ico"));
}

// A message box shown during a conversion runs a modal loop: Convert
// arriving then is refused, not run over the first.
TEST_F(MainWindowTest, ConvertDuringAConversionIsRefused) {
    Launch();
    program_.Check(1041);
    program_.TypeFileName("alpha.bmp");
    std::string target = Out("later");
    program_.SetTarget(target);
    std::unique_ptr<Pending> first = program_.Click(IDC_CONVERT);
    MessageBoxSeen box = program_.WaitForMessageBox(first.get());
    ASSERT_NE(box.box, nullptr);
    EXPECT_FALSE(IsWindowEnabled(program_.Control(IDC_CONVERT)));
    std::unique_ptr<Pending> second = program_.Command(IDC_CONVERT);
    ASSERT_TRUE(second->Wait(10000));  // handled inside the box's modal loop, and refused
    EXPECT_TRUE(IsWindow(box.box));
    MessageBoxSeen other = program_.WaitForMessageBox(nullptr, 500);
    EXPECT_EQ(other.box, box.box) << other.text;
    ASSERT_TRUE(program_.Answer(box, IDYES));
    ASSERT_TRUE(first->Wait(kConvertMs));
    EXPECT_EQ(ReadIconHeader(target + "\\alpha.ico").count, 1);
    EXPECT_TRUE(IsWindowEnabled(program_.Control(IDC_CONVERT)));
}

// The default target folder chosen in Setup is the one the next Convert uses.
TEST_F(MainWindowTest, TargetFolderChosenInSetupIsUsedByTheNextConvert) {
    std::string chosen = Out("from-setup");
    ASSERT_TRUE(CreateDirectoryA(chosen.c_str(), nullptr));
    Launch();
    std::unique_ptr<Pending> setup = program_.Command(IDM_SETUP);
    MessageBoxSeen dialog = program_.WaitForMessageBox(setup.get());
    ASSERT_NE(dialog.box, nullptr);
    SendDlgItemMessageA(dialog.box, IDC_SET_SAVE, WM_SETTEXT, 0, (LPARAM)chosen.c_str());
    ASSERT_TRUE(program_.Answer(dialog, IDOK));
    ASSERT_TRUE(setup->Wait(10000));
    EXPECT_EQ(program_.Text(IDC_TARGET), chosen);
    program_.Check(1041);
    program_.TypeFileName("mid.bmp");
    EXPECT_EQ(Convert().box, nullptr);
    EXPECT_EQ(ReadIconHeader(chosen + "\\mid.ico").count, 1);
}

TEST_F(MainWindowTest, CreateAsListFormatSetsAndTheCursorTest) {
    Launch();
    HWND test = program_.Control(IDC_TEST);
    program_.SelectCreateAs("Cursor");
    EXPECT_TRUE(IsWindowEnabled(test));
    program_.SelectCreateAs("Icon");
    EXPECT_FALSE(IsWindowEnabled(test));
    program_.SelectCreateAs("XP profile image");
    EXPECT_FALSE(IsWindowEnabled(test));
    EXPECT_EQ(SendMessageA(program_.Control(1362), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_FALSE(IsWindowEnabled(program_.Control(1041)));

    // XP format: nine boxes on, then off again; Unselect clears.
    program_.Command(IDM_XP_FORMAT)->Wait(10000);
    const int xp[] = {1041, 1335, 1352, 1355, 1356, 1357, 1360, 1361, 1362};
    for (int id : xp) EXPECT_EQ(SendMessageA(program_.Control(id), BM_GETCHECK, 0, 0), BST_CHECKED) << id;
    EXPECT_EQ(SendMessageA(program_.Control(1039), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_FALSE(IsWindowEnabled(program_.Control(1039)));
    program_.Command(IDM_XP_FORMAT)->Wait(10000);
    EXPECT_EQ(SendMessageA(program_.Control(1041), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_TRUE(IsWindowEnabled(program_.Control(1039)));
    program_.Command(IDM_XP_FORMAT)->Wait(10000);
    program_.Command(IDM_UNSELECT)->Wait(10000);
    EXPECT_EQ(SendMessageA(program_.Control(1041), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_TRUE(IsWindowEnabled(program_.Control(1039)));

    // The cursor test converts the selection into a cursor and previews it.
    program_.SelectCreateAs("Cursor");
    program_.Check(1355);  // 32 x 32 at 4 bits
    program_.TypeFileName("alpha.bmp");
    std::unique_ptr<Pending> click = program_.Click(IDC_TEST);
    MessageBoxSeen box = program_.WaitForMessageBox(click.get(), kConvertMs);
    EXPECT_EQ(box.box, nullptr) << box.text;
    ASSERT_TRUE(click->Wait(kConvertMs));
    EXPECT_EQ(ReadIconHeader(Out("alpha.cur")).count, 1);
    EXPECT_EQ(program_.Text(IDC_TEST), "Stop Test");
    program_.Click(IDC_TEST)->Wait(10000);
    EXPECT_EQ(program_.Text(IDC_TEST), "Test");

    // A picture that can no longer be read: nothing is written, and the
    // cursor the earlier run left is not previewed.
    ASSERT_TRUE(WriteBytes(In("alpha.bmp"), {'B', 'M', 0, 0}));
    ULONGLONG stale = WriteTime(Out("alpha.cur"));
    click = program_.Click(IDC_TEST);
    while ((box = program_.WaitForMessageBox(click.get(), kConvertMs)).box) program_.Answer(box, IDOK);
    ASSERT_TRUE(click->Wait(kConvertMs));
    EXPECT_EQ(WriteTime(Out("alpha.cur")), stale);
    EXPECT_EQ(program_.Text(IDC_TEST), "Test");

    // Without a selection it asks for one and stays off.
    program_.TypeFileName("");
    click = program_.Click(IDC_TEST);
    box = program_.WaitForMessageBox(click.get());
    EXPECT_EQ(box.text, "Please select a file...");
    program_.Answer(box, IDOK);
    click->Wait(10000);
    EXPECT_EQ(program_.Text(IDC_TEST), "Test");
}

TEST_F(MainWindowTest, StoredFilterAndKindChooseTheListAndTheFilterIsStored) {
    PutSetting("formatIn", 3);  // "AVS - AVS X image": no animated cursor
    PutSetting("current_format", 2);
    Launch();  // with tool tips (set up by the fixture)
    HWND list = program_.Control(IDC_CREATE_AS), types = GetDlgItem(program_.browser(), cmb1);
    EXPECT_EQ(SendMessageA(types, CB_GETCURSEL, 0, 0), 3);
    EXPECT_EQ(SendMessageA(list, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageA(list, CB_GETCURSEL, 0, 0), 1);  // "Cursor"
    EXPECT_TRUE(IsWindowEnabled(program_.Control(IDC_TEST)));

    // The user picks the BMP filter (the list box's choice ends with
    // CBN_SELENDOK): the list offers animated cursors again and selects it.
    SendMessageA(types, CB_SETCURSEL, 5, 0);
    SendMessageA(program_.browser(), WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE), (LPARAM)types);
    SendMessageA(program_.browser(), WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELENDOK), (LPARAM)types);
    EXPECT_EQ(SendMessageA(list, CB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(SendMessageA(list, CB_GETCURSEL, 0, 0), 2);  // "Animated Cursor"

    // The toolbar: its buttons without the help button of one platform only.
    HWND toolbar = program_.Control(IDC_TOOLBAR);
    EXPECT_EQ(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0), 10);
    EXPECT_NE(SendMessageA(toolbar, TB_COMMANDTOINDEX, IDM_ACQUIRE_BUTTON, 0), -1);
    program_.Command(IDM_XP_FORMAT)->Wait(10000);
    EXPECT_TRUE(SendMessageA(toolbar, TB_ISBUTTONCHECKED, IDM_XP_BUTTON, 0));

    // Tool tips: the panel's and the toolbar's.
    EXPECT_EQ(program_.HoverTip(program_.Control(IDC_CONVERT), POINT{10, 10}), "Convert the selected file(s)");
    RECT setupButton;
    ASSERT_TRUE(program_.ToolbarButtonRect(IDM_SETUP, &setupButton));
    EXPECT_EQ(program_.HoverTip(toolbar, POINT{(setupButton.left + setupButton.right) / 2, 8}), "Setup");
    SetCursorPos(0, 0);

    // The Acquire button's arrow drops menu 401 down under the button.
    RECT button;
    ASSERT_TRUE(program_.ToolbarButtonRect(IDM_ACQUIRE_BUTTON, &button));
    LPARAM arrow = MAKELPARAM(button.right - 4, (button.top + button.bottom) / 2);
    PostMessageA(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, arrow);
    HWND menu = program_.WaitForPopupMenu();
    ASSERT_NE(menu, nullptr);
    RECT menuRect, toolbarRect;
    GetWindowRect(menu, &menuRect);
    GetWindowRect(toolbar, &toolbarRect);
    EXPECT_NEAR(menuRect.top, toolbarRect.top + button.bottom, 4);
    EXPECT_NEAR(menuRect.left, toolbarRect.left + button.left, 4);
    Sleep(200);
    EXPECT_TRUE(SaveShot(menu, "main_acquire_menu.bmp"));
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    for (int i = 0; i < 100 && IsWindowVisible(menu); ++i) Sleep(50);
    EXPECT_FALSE(IsWindowVisible(menu));
    PostMessageA(toolbar, WM_LBUTTONUP, 0, arrow);

    // Favorites stores the current filter; Close saves it with the scanner box.
    program_.Click(IDC_FROM_SCANNER)->Wait(10000);
    SendMessageA(program_.panel(), WM_COMMAND, MAKEWPARAM(IDM_FILTER_A, BN_CLICKED), (LPARAM)toolbar);
    CloseProgram();
    DWORD formatIn = 0, scanner = 0;
    EXPECT_TRUE(GetSetting("formatIn", &formatIn));
    EXPECT_EQ(formatIn, 5u);
    EXPECT_TRUE(GetSetting("scanner", &scanner));
    EXPECT_EQ(scanner, 1u);
}

TEST_F(MainWindowTest, SetupAndAboutOpenFromTheMenuAndSetupChangesTheSettings) {
    Launch();
    std::unique_ptr<Pending> setup = program_.Command(IDM_SETUP);
    MessageBoxSeen dialog = program_.WaitForMessageBox(setup.get());
    ASSERT_NE(dialog.box, nullptr);
    char text[MAX_PATH] = "";
    SendDlgItemMessageA(dialog.box, IDC_SET_LAUNCH, WM_GETTEXT, sizeof text, (LPARAM)text);
    EXPECT_EQ(std::string(text), in_);
    EXPECT_TRUE(SaveShot(dialog.box, "main_setup_dialog.bmp"));
    EXPECT_EQ(SendDlgItemMessageA(dialog.box, IDC_SET_TOOLTIPS, BM_GETCHECK, 0, 0), BST_CHECKED);
    SendDlgItemMessageA(dialog.box, IDC_SET_TOOLTIPS, BM_SETCHECK, BST_UNCHECKED, 0);
    ASSERT_TRUE(program_.Answer(dialog, IDOK));
    ASSERT_TRUE(setup->Wait(10000));
    // The panel's tool tips are off from now on.
    EXPECT_EQ(program_.HoverTip(program_.Control(IDC_CONVERT), POINT{10, 10}, 1500), "");
    SetCursorPos(0, 0);

    std::unique_ptr<Pending> about = program_.Command(IDM_ABOUT);
    dialog = program_.WaitForMessageBox(about.get());
    ASSERT_NE(dialog.box, nullptr);
    EXPECT_NE(GetDlgItem(dialog.box, IDC_ABOUT_TEXT), nullptr);
    EXPECT_TRUE(SaveShot(dialog.box, "main_about_dialog.bmp"));
    ASSERT_TRUE(program_.Answer(dialog, IDOK));
    ASSERT_TRUE(about->Wait(10000));

    CloseProgram();
    DWORD tooltips = 1;
    EXPECT_TRUE(GetSetting("tooltips", &tooltips));
    EXPECT_EQ(tooltips, 0u);
}

TEST_F(MainWindowTest, TransparentColourFromTheColourChooserAndTheFolderBrowser) {
    Launch();
    EXPECT_FALSE(IsWindowEnabled(program_.Control(IDC_COLOR)));
    program_.Click(IDC_TRANSPARENT)->Wait(10000);
    EXPECT_TRUE(IsWindowEnabled(program_.Control(IDC_COLOR)));

    // The colour chooser, fully open: the user types red 10, green 20, blue 30.
    std::unique_ptr<Pending> choose = program_.Click(IDC_COLOR);
    MessageBoxSeen dialog = program_.WaitForDialog(choose.get());
    ASSERT_NE(dialog.box, nullptr);
    const int channels[] = {706, 707, 708};  // the chooser's red, green and blue fields
    const char *values[] = {"10", "20", "30"};
    for (int i = 0; i < 3; ++i) {
        HWND field = GetDlgItem(dialog.box, channels[i]);
        ASSERT_NE(field, nullptr);
        SendMessageA(field, WM_SETTEXT, 0, (LPARAM)values[i]);
        SendMessageA(dialog.box, WM_COMMAND, MAKEWPARAM(channels[i], EN_UPDATE), (LPARAM)field);
    }
    EXPECT_TRUE(SaveShot(dialog.box, "main_colour_chooser.bmp"));
    ASSERT_TRUE(program_.Answer(dialog, IDOK));
    ASSERT_TRUE(choose->Wait(10000));

    // The folder browser asks for the target folder; cancelling keeps the field.
    std::unique_ptr<Pending> browse = program_.Click(IDC_TARGET_BROWSE);
    dialog = program_.WaitForDialog(browse.get());
    ASSERT_NE(dialog.box, nullptr);
    EXPECT_EQ(dialog.text, "Target folder:");
    EXPECT_TRUE(SaveShot(dialog.box, "main_folder_browser.bmp"));
    ASSERT_TRUE(program_.Answer(dialog, IDCANCEL));
    ASSERT_TRUE(browse->Wait(10000));
    EXPECT_EQ(program_.Text(IDC_TARGET), out_);

    // A conversion takes the chosen colour into the settings; Close saves it.
    program_.Check(1041);
    program_.TypeFileName("alpha.bmp");
    EXPECT_EQ(Convert().box, nullptr);
    EXPECT_EQ(ReadIconHeader(Out("alpha.ico")).count, 1);
    CloseProgram();
    DWORD colour = 0, transparent = 0;
    EXPECT_TRUE(GetSetting("color", &colour));
    EXPECT_EQ(colour, (DWORD)RGB(10, 20, 30));
    EXPECT_TRUE(GetSetting("transparent", &transparent));
    EXPECT_EQ(transparent, 1u);
}

TEST_F(MainWindowTest, TheBrowsersOwnOpenButtonLeavesTheWindowOpen) {
    Launch();
    program_.TypeFileName("alpha.bmp");
    Pending open(GetDlgItem(program_.browser(), IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(open.Wait(10000));
    Sleep(500);
    EXPECT_TRUE(program_.Running());
    EXPECT_TRUE(IsWindowVisible(program_.browser()));
    EXPECT_EQ(program_.WaitForMessageBox(nullptr, 500).box, nullptr);
}

TEST_F(MainWindowTest, TheEditorOpensTheResult) {
    // An installation folder whose editor records how it was started.
    std::string install = scratch_.File("install"), editor = install + "\\GlypheryEdit.exe";
    ASSERT_TRUE(CreateDirectoryA(install.c_str(), nullptr));
    ASSERT_TRUE(CopyFileA((BinFolder() + "\\e2e_viewer_recorder.exe").c_str(), editor.c_str(), FALSE));
    PutSetting("installPath", install);
    PutSetting("display_icon", 1);
    PutSetting("display_type", 1);
    Launch();
    program_.Check(1041);
    program_.TypeFileName("mid.bmp");
    EXPECT_EQ(Convert().box, nullptr);
    std::string log = editor + ".log";
    for (int i = 0; i < 200 && !FileExists(log); ++i) Sleep(50);
    Sleep(200);
    std::vector<uint8_t> line = ReadFileBytes(log);
    EXPECT_NE(std::string(line.begin(), line.end()).find("|" + Out("mid.ico")), std::string::npos);
}

TEST_F(MainWindowTest, ViewerShowsTheResultButNotForAnimatedCursors) {
    std::string viewer = BinFolder() + "\\e2e_viewer_recorder.exe", log = viewer + ".log";
    DeleteFileA(log.c_str());
    PutSetting("display_icon", 1);
    PutSetting("display_type", 2);
    PutSetting("pathDisplay", viewer);
    Launch();
    program_.Check(1041);
    program_.TypeFileName("alpha.bmp");
    EXPECT_EQ(Convert().box, nullptr);
    for (int i = 0; i < 200 && !FileExists(log); ++i) Sleep(50);
    Sleep(200);
    std::vector<uint8_t> line = ReadFileBytes(log);
    EXPECT_NE(std::string(line.begin(), line.end()).find(Out("alpha.ico")), std::string::npos);

    // An animated cursor from a still picture: nothing is made, nothing shown.
    DeleteFileA(log.c_str());
    DeleteFileA(Out("alpha.ico").c_str());
    program_.SelectCreateAs("Animated Cursor");
    program_.Check(1041);
    EXPECT_EQ(Convert().box, nullptr);
    Sleep(1500);
    EXPECT_FALSE(FileExists(log));
    EXPECT_FALSE(FileExists(Out("alpha.ico")));
    EXPECT_FALSE(FileExists(Out("alpha.cur")));
}

TEST_F(MainWindowTest, ASecondInstanceEndsSilently) {
    Launch();
    MainProgram second;
    ASSERT_TRUE(second.Start());
    DWORD code = 99;
    ASSERT_TRUE(second.WaitForExit(20000, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(program_.Running());
}

TEST_F(MainWindowTest, WithoutInstallPathTheInstallationMessageEndsTheProgram) {
    DeleteSettings();
    PutSetting("pathSave", out_);
    ASSERT_TRUE(program_.Start());
    MessageBoxSeen box = program_.WaitForMessageBox();
    EXPECT_EQ(box.text, kNotInstalled);
    ASSERT_TRUE(program_.Answer(box, IDOK));
    DWORD code = 99;
    ASSERT_TRUE(program_.WaitForExit(20000, &code));
    EXPECT_EQ(code, 1u);
}

// Every command of the Enhancements menu opens its dialog on the main window,
// filled from the machine; Cancel closes it and the program carries on.
TEST_F(MainWindowTest, EnhancementsCommandsOpenTheirDialogs) {
    Launch();
    struct Case {
        int command;
        const char *shot;
        int control;     // a control the dialog's template holds
        UINT countMsg;   // how that control counts its rows (0: not counted)
        int minRows;
    };
    const Case cases[] = {
        {IDM_SYSICONS, "main_sysicons.bmp", IDC_DESK_OBJECTS, LVM_GETITEMCOUNT, 1},
        {IDM_SYSCURSORS, "main_syscursors.bmp", IDC_DESK_OBJECTS, LVM_GETITEMCOUNT, 13},
        {IDM_FOLDERICONS, "main_foldericons.bmp", IDC_FOLDER_TREE, TVM_GETCOUNT, 1},
        {IDM_METRICS, "main_metrics.bmp", IDC_MET_COLORS, CB_GETCOUNT, 3},
        {IDM_DRIVEICONS, "main_driveicons.bmp", IDC_DESK_OBJECTS, LVM_GETITEMCOUNT, 1},
        {IDM_FAVORITES, "main_favorites.bmp", IDC_FAV_TREE, TVM_GETCOUNT, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.shot);
        std::unique_ptr<Pending> open = program_.Command(c.command);
        MessageBoxSeen dialog = program_.WaitForDialog(open.get());
        ASSERT_NE(dialog.box, nullptr) << "no dialog for command " << c.command;
        EXPECT_EQ(GetWindow(dialog.box, GW_OWNER), program_.browser());
        HWND control = GetDlgItem(dialog.box, c.control);
        ASSERT_NE(control, nullptr);
        EXPECT_GE(SendMessageA(control, c.countMsg, 0, 0), c.minRows);
        EXPECT_TRUE(SaveShot(dialog.box, c.shot));
        ASSERT_TRUE(program_.Answer(dialog, IDCANCEL));
        ASSERT_TRUE(open->Wait(10000));
    }
    CloseProgram();
}

// The colour pixels of an icon resource of a module, drawn at 32 x 32.
std::vector<uint8_t> IconPixels(HMODULE module, int id) {
    std::vector<uint8_t> pixels;
    HICON icon = (HICON)LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_ICON, 32, 32, 0);
    if (!icon) return pixels;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, 32, 32);
    HGDIOBJ old = SelectObject(dc, canvas);
    RECT all = {0, 0, 32, 32};
    FillRect(dc, &all, (HBRUSH)GetStockObject(WHITE_BRUSH));
    DrawIconEx(dc, 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL);
    SelectObject(dc, old);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 32;
    info.bmiHeader.biHeight = 32;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    pixels.resize(32 * 32 * 4);
    GetDIBits(dc, canvas, 0, 32, pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(canvas);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    DestroyIcon(icon);
    return pixels;
}

// The program's icons come from several scripts; each must keep its own
// images (the program icon, the browse icon, the "no icon" placeholder).
TEST(MainProgramResources, EveryIconKeepsItsOwnImages) {
    std::string exe = BinFolder() + "\\Glyphery.exe";
    HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    const int ids[] = {IDI_GLYPHERY, IDI_BROWSE, IDI_NOICON};
    std::vector<std::vector<uint8_t>> drawn;
    for (int id : ids) {
        drawn.push_back(IconPixels(module, id));
        EXPECT_FALSE(drawn.back().empty()) << "icon " << id;
    }
    for (size_t a = 0; a < drawn.size(); ++a)
        for (size_t b = a + 1; b < drawn.size(); ++b)
            EXPECT_NE(drawn[a], drawn[b]) << "icons " << ids[a] << " and " << ids[b] << " draw the same";
    FreeLibrary(module);
}

// The program takes its user interface language from the system, as this
// test does: ctest runs it apart with LANG=fr_FR.UTF-8 (and fails a skip).
TEST_F(MainWindowTest, FrenchUserInterfaceShowsFrenchPanelAndMenus) {
    if (PRIMARYLANGID(GetUserDefaultUILanguage()) != LANG_FRENCH)
        GTEST_SKIP() << "needs a French user interface language (LANG=fr_FR.UTF-8)";
    Launch();
    EXPECT_EQ(program_.Text(IDC_TARGET_LABEL), "Dossier cible :");
    EXPECT_EQ(program_.Text(IDC_TEST), "Tester");
    EXPECT_EQ(program_.Text(IDC_TRANSPARENT), "Fond transparent -->");
    // The create-as entries in French; each still chooses its kind.
    HWND createAs = program_.Control(IDC_CREATE_AS);
    WCHAR entry[64] = L"";
    SendMessageW(createAs, CB_GETLBTEXT, 0, (LPARAM)entry);
    EXPECT_STREQ(entry, L"Ic\u00f4ne");
    SendMessageW(createAs, CB_GETLBTEXT, 1, (LPARAM)entry);
    EXPECT_STREQ(entry, L"Curseur");
    SendMessageA(createAs, CB_SETCURSEL, 1, 0);
    SendMessageA(program_.panel(), WM_COMMAND, MAKEWPARAM(IDC_CREATE_AS, CBN_SELCHANGE), (LPARAM)createAs);
    EXPECT_TRUE(IsWindowEnabled(program_.Control(IDC_TEST)));
    EXPECT_TRUE(SaveShot(program_.browser(), "main_window_fr.bmp"));

    // Its messages in French too: Convert with no format ticked, for a cursor.
    program_.TypeFileName("alpha.bmp");
    std::unique_ptr<Pending> click = program_.Click(IDC_CONVERT);
    MessageBoxSeen box = program_.WaitForMessageBox(click.get());
    ASSERT_NE(box.box, nullptr);
    EXPECT_TRUE(SaveShot(box.box, "main_message_fr.bmp"));
    char expected[256];
    WideCharToMultiByte(CP_ACP, 0, L"Vous n'avez pas s\u00e9lectionn\u00e9 les formats \u00e0 inclure dans le curseur...",
                        -1, expected, sizeof expected, nullptr, nullptr);
    EXPECT_EQ(box.text, expected);
    program_.Answer(box, IDOK);
    EXPECT_TRUE(click->Wait(10000));

    // The program's French menu, as the resource loader finds it.
    std::string exe = BinFolder() + "\\Glyphery.exe";
    HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    HRSRC found = FindResourceExA(module, (LPCSTR)RT_MENU, MAKEINTRESOURCEA(IDM_MAIN),
                                  MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH));
    ASSERT_NE(found, nullptr);
    HMENU menu = LoadMenuIndirectA(LockResource(LoadResource(module, found)));
    ASSERT_NE(menu, nullptr);
    WCHAR text[128];
    GetMenuStringW(menu, 1, text, 128, MF_BYPOSITION);
    EXPECT_STREQ(text, L"&Ic\u00f4nes");
    GetMenuStringW(GetSubMenu(menu, 0), IDM_CLOSE, text, 128, MF_BYCOMMAND);
    EXPECT_STREQ(text, L"&Fermer");
    DestroyMenu(menu);
    FreeLibrary(module);
}

}  // namespace
