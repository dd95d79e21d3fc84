// The display window end to end: two pictures converted from the real
// Glyphery.exe with the result shown in the display window, which the test
// drives (lists, effects, Redo, the original, Replace a color, Save) before
// reading the rewritten files back.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "common/handles.h"
#include "display/effects_resource.h"
#include "display/resource.h"
#include "shell/resource.h"
#include "tests/common/printer_win.h"
#include "tests/common/testutil_win.h"
#include "tests/e2e/driver.h"

namespace {

const DWORD kConvertMs = 120000;
const COLORREF kTop = RGB(200, 40, 40), kBottom = RGB(30, 90, 200);
// "Invert colors" negates grey pixels only (the image library's "+negate").
const COLORREF kGreyTop = RGB(200, 200, 200), kGreyBottom = RGB(30, 30, 30);

// A real click (press and release) where the cursor is, and a real key
// stroke: input the system routes as a user's, hot keys included.
void ClickHere() {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof(INPUT));
}
void PressKey(WORD key) {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = key;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
}

// Moves the cursor and waits until the system has it there (the display
// server takes a move some time after the call).
void MoveCursor(POINT to) {
    SetCursorPos(to.x, to.y);
    POINT at = {};
    for (int i = 0; i < 50 && GetCursorPos(&at) && (at.x != to.x || at.y != to.y); ++i) Sleep(20);
    Sleep(100);
}

// The program's magnifier window (GYzoom.dll's), visible or not; null when
// none comes or, with `gone`, once none is left, within five seconds.
HWND WaitForMagnifier(bool gone = false) {
    HWND zoom = nullptr;
    for (int i = 0; i < 50; ++i, Sleep(100)) {
        zoom = FindWindowA("GlypheryZoom", nullptr);
        if (gone ? !zoom : zoom && IsWindowVisible(zoom)) break;
    }
    return zoom;
}

// Top half one colour, bottom half another: a flip or an inversion shows in
// any pixel.
COLORREF Halves(int x, int y) { return y < 16 ? kTop : kBottom; }
// The same with a black bottom row, which a cancelled pick must leave black.
COLORREF HalvesOnBlack(int x, int y) { return y == 31 ? RGB(0, 0, 0) : Halves(x, y); }
COLORREF GreyHalves(int x, int y) { return y < 16 ? kGreyTop : kGreyBottom; }
COLORREF Inverse(COLORREF c) { return RGB(255 - GetRValue(c), 255 - GetGValue(c), 255 - GetBValue(c)); }

class DisplayE2eTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CreateDirectoryA(in_.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA(out_.c_str(), nullptr));
        ASSERT_TRUE(WriteBmp24(In("first.bmp"), 32, 32, HalvesOnBlack));
        ASSERT_TRUE(WriteBmp24(In("second.bmp"), 32, 32, GreyHalves));
        PutSetting("installPath", BinFolder());
        PutSetting("pathLaunch", in_);
        PutSetting("pathSave", out_);
        PutSetting("current_format", 1);
        PutSetting("display_icon", 1);
        PutSetting("display_type", (DWORD)0);
        PutSetting("apply_to_all", (DWORD)0);
        ASSERT_TRUE(program_.Start());
        ASSERT_NE(program_.WaitForMainWindow(), nullptr) << "no main window";
    }
    void TearDown() override {
        raised_.reset();
        if (window_) PostMessageA(window_, WM_COMMAND, IDM_DISPLAY_CLOSE, 0);
        if (convert_) convert_->Wait(20000);
        std::unique_ptr<Pending> close = program_.Command(IDM_CLOSE);
        program_.WaitForExit(20000);
    }

    // Converts both pictures at 16 x 16 x 4 bits and 32 x 32 x 24 bits and
    // waits for the display window.
    HWND ConvertAndWaitForWindow() {
        program_.Check(1041);
        program_.Check(1357);
        program_.TypeFileName("\"first.bmp\" \"second.bmp\"");
        convert_ = program_.Click(IDC_CONVERT);
        for (DWORD waited = 0; waited < kConvertMs && !window_; waited += 100) {
            window_ = FindWindowA("#32770", "GlypheryDisplay");
            if (!window_) Sleep(100);
        }
        if (!window_) return nullptr;
        // Snapshots take the picture from the screen: nothing may cover it.
        raised_.reset(new RaisedWindow(window_));
        Sleep(300);
        return window_;
    }
    std::string Text(int id) const {
        char text[512] = "";
        GetDlgItemTextA(window_, id, text, sizeof(text));
        return text;
    }
    std::vector<std::string> Lines(int id) const {
        HWND list = GetDlgItem(window_, id);
        std::vector<std::string> lines;
        LRESULT n = SendMessageA(list, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < n; ++i) {
            // Across processes the system hands the text over in UTF-16.
            wchar_t wide[512] = L"";
            SendMessageW(list, CB_GETLBTEXT, i, (LPARAM)wide);
            char line[512] = "";
            WideCharToMultiByte(CP_ACP, 0, wide, -1, line, sizeof(line), nullptr, nullptr);
            lines.push_back(line);
        }
        return lines;
    }
    void Select(int list, int index) const {
        SendDlgItemMessageA(window_, list, CB_SETCURSEL, index, 0);
        SendMessageA(window_, WM_COMMAND, MAKEWPARAM(list, CBN_SELCHANGE), (LPARAM)GetDlgItem(window_, list));
    }
    void Command(int id) const { SendMessageA(window_, WM_COMMAND, id, 0); }
    // Saves, closes the window and waits for the conversion command to end.
    void SaveAndClose() {
        Command(IDM_DISPLAY_SAVE);
        PostMessageA(window_, WM_COMMAND, IDM_DISPLAY_CLOSE, 0);
        window_ = nullptr;
        raised_.reset();
        EXPECT_TRUE(convert_->Wait(20000));
    }
    // Image `index` of a written icon file, as our reader and the system's see it.
    COLORREF Pixel(const std::string &icon, size_t index, int x, int y) {
        DecodedIconFile file;
        std::string error;
        EXPECT_TRUE(ReadDecodedIcon(icon, &file, &error)) << error;
        if (file.images.size() <= index) return CLR_INVALID;
        return file.images[index].Pixel(x, y);
    }
    // The bytes of image `index` of an icon file.
    static std::vector<uint8_t> ImageBytes(const std::string &icon, size_t index) {
        DecodedIconFile file;
        std::string error;
        if (!ReadDecodedIcon(icon, &file, &error) || file.dir.entries.size() <= index) return {};
        const IconDirEntry &e = file.dir.entries[index];
        return std::vector<uint8_t>(file.bytes.begin() + e.offset, file.bytes.begin() + e.offset + e.bytes);
    }
    // A copy kept for the readers that run after the Windows tests.
    static void Keep(const std::string &icon, const std::string &name) {
        std::string kept = TestOutputDir("e2e") + "\\" + name;
        ASSERT_TRUE(CopyFileA(icon.c_str(), kept.c_str(), FALSE));
        WriteReadbackExpect(kept);
    }
    std::string In(const std::string &name) const { return in_ + "\\" + name; }
    std::string Out(const std::string &name) const { return out_ + "\\" + name; }

    SettingsKeyScope settings_;
    ScratchDir scratch_{"e2e-display"};
    std::string in_ = scratch_.File("in"), out_ = scratch_.File("out");
    MainProgram program_;
    std::unique_ptr<Pending> convert_;
    HWND window_ = nullptr;
    std::unique_ptr<RaisedWindow> raised_;
};

TEST_F(DisplayE2eTest, OpensOnTheConversionWithItsFilesAndImages) {
    if (PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_FRENCH) GTEST_SKIP() << "English texts";
    ASSERT_NE(ConvertAndWaitForWindow(), nullptr) << "no display window after the conversion";
    EXPECT_TRUE(SaveShot(window_, "display_window_en.bmp"));
    std::vector<std::string> files = Lines(IDC_FILE_LIST);
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0], Out("first.ico"));
    EXPECT_EQ(files[1], Out("second.ico"));
    EXPECT_EQ(Text(IDC_FILE_COUNT), "2 icons in first.ico");
    EXPECT_EQ(Lines(IDC_IMAGE_LIST), (std::vector<std::string>{"16 x 16  16 colors", "32 x 32  True color 24 bits"}));
    EXPECT_EQ(Text(IDC_FILE_LABEL), "Icon file:");
    EXPECT_EQ(Text(IDC_APPLY_TO_ALL), "Apply to all the formats");

    // A tool tip of each toolbar.
    const struct {
        int bar, command;
        const char *tip;
    } tips[] = {{IDC_DISPLAY_TOOLBAR, IDM_DISPLAY_ORIGINAL, "Display the original image"},
                {IDC_EFFECT_TOOLBAR, IDM_FX_FLIP, "Flip"}};
    for (const auto &t : tips) {
        HWND bar = GetDlgItem(window_, t.bar);
        RECT r;
        ASSERT_TRUE(program_.ToolbarButtonRect(bar, t.command, &r)) << t.tip;
        EXPECT_EQ(program_.HoverTip(bar, POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}), t.tip);
    }

    Select(IDC_FILE_LIST, 1);
    EXPECT_EQ(Text(IDC_FILE_COUNT), "2 icons in second.ico");
    Select(IDC_IMAGE_LIST, 1);
    EXPECT_EQ(SendDlgItemMessageA(window_, IDC_IMAGE_LIST, CB_GETCURSEL, 0, 0), 1);
}

// Invert colors, Redo (which inverts the inverted picture back), then the
// original: the picture before the last effect, the inverted one, is what
// Save writes. The other file is rewritten unchanged.
TEST_F(DisplayE2eTest, EffectRedoAndOriginalThenSaveRewritesBothFiles) {
    ASSERT_NE(ConvertAndWaitForWindow(), nullptr) << "no display window after the conversion";
    std::vector<uint8_t> firstBefore = ReadFileBytes(Out("first.ico"));
    std::vector<uint8_t> smallBefore = ImageBytes(Out("second.ico"), 0);
    ULONGLONG firstTime = WriteTime(Out("first.ico"));
    Select(IDC_FILE_LIST, 1);
    Select(IDC_IMAGE_LIST, 1);
    Select(IDC_SPECIAL_LIST, 4);  // "Invert colors"
    Command(IDC_SPECIAL_APPLY);
    Command(IDM_DISPLAY_REDO);
    Command(IDM_DISPLAY_ORIGINAL);
    Sleep(1100);  // a later write time than the conversion's
    SaveAndClose();

    EXPECT_EQ(Pixel(Out("second.ico"), 1, 5, 3), Inverse(kGreyTop));
    EXPECT_EQ(Pixel(Out("second.ico"), 1, 20, 30), Inverse(kGreyBottom));
    EXPECT_EQ(ImageBytes(Out("second.ico"), 0), smallBefore) << "the 16 x 16 image changed";
    EXPECT_NE(WriteTime(Out("first.ico")), firstTime) << "first.ico was not rewritten";
    EXPECT_EQ(ReadFileBytes(Out("first.ico")), firstBefore);
    EXPECT_FALSE(FileExists(Out("second.ico.gynew")));
    Keep(Out("second.ico"), "display_inverted.ico");
}

// The border dialog, opened from its tool, takes no width beyond a quarter of
// the picture: 100 typed on the 32 x 32 image draws a border of 8, which the
// picture's own size brings back to 32 x 32 with the middle still the
// picture's, where a border of 100 would leave only border there.
TEST_F(DisplayE2eTest, TheBorderDialogRefusesAWidthBeyondAQuarterOfThePicture) {
    if (PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_FRENCH) GTEST_SKIP() << "English texts";
    ASSERT_NE(ConvertAndWaitForWindow(), nullptr) << "no display window after the conversion";
    Select(IDC_IMAGE_LIST, 1);
    PostMessageA(window_, WM_COMMAND, IDM_FX_BORDER, 0);
    HWND dialog = nullptr;
    for (int i = 0; i < 100 && !dialog; ++i, Sleep(100)) dialog = FindWindowA("#32770", "GlypheryEffect");
    ASSERT_NE(dialog, nullptr) << "no border dialog";
    SetDlgItemTextA(dialog, IDC_FX_VALUE, "100");
    Sleep(200);
    EXPECT_TRUE(SaveShot(dialog, "display_border_dialog.bmp"));
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    for (int i = 0; i < 100 && IsWindow(dialog); ++i) Sleep(100);
    ASSERT_FALSE(IsWindow(dialog));
    SaveAndClose();

    COLORREF corner = Pixel(Out("first.ico"), 1, 0, 0), middle = Pixel(Out("first.ico"), 1, 16, 10);
    EXPECT_EQ(corner, RGB(255, 255, 255)) << "no white border";
    EXPECT_GT(GetRValue(middle), 150) << "the middle is not the picture's red half";
    EXPECT_LT(GetGValue(middle), 100) << "the middle is not the picture's red half";
}

TEST_F(DisplayE2eTest, ReplaceAColorPaintsThePickedColourDarkRed) {
    ASSERT_NE(ConvertAndWaitForWindow(), nullptr) << "no display window after the conversion";
    Select(IDC_IMAGE_LIST, 1);
    // Escape ends a pick with nothing replaced.
    PostMessageA(window_, WM_COMMAND, IDM_REPLACE_COLOR, 0);
    Sleep(300);
    PostMessageA(window_, WM_KEYDOWN, VK_ESCAPE, 0);
    Sleep(300);
    PostMessageA(window_, WM_COMMAND, IDM_REPLACE_COLOR, 0);
    Sleep(500);
    const POINT red = {5 + 10, 5 + 4};  // client point in the red half
    PostMessageA(window_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(red.x, red.y));
    PostMessageA(window_, WM_LBUTTONUP, 0, MAKELPARAM(red.x, red.y));
    Sleep(500);
    EXPECT_TRUE(SaveShot(window_, "display_replace_color.bmp"));
    SaveAndClose();

    EXPECT_EQ(Pixel(Out("first.ico"), 1, 0, 0), RGB(120, 0, 0));
    EXPECT_EQ(Pixel(Out("first.ico"), 1, 31, 15), RGB(120, 0, 0));
    EXPECT_EQ(Pixel(Out("first.ico"), 1, 31, 16), kBottom);
    EXPECT_EQ(Pixel(Out("first.ico"), 1, 7, 31), RGB(0, 0, 0)) << "the cancelled pick replaced black";
    Keep(Out("first.ico"), "display_replaced.ico");
}

// A window of the program titled `title`, or null after `ms`.
HWND WaitForProgramWindow(DWORD pid, const char *title, DWORD ms = 20000) {
    for (DWORD waited = 0; waited < ms; waited += 100) {
        for (HWND w = FindWindowExA(nullptr, nullptr, "#32770", title); w;
             w = FindWindowExA(nullptr, w, "#32770", title)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner == pid && IsWindowVisible(w)) return w;
        }
        Sleep(100);
    }
    return nullptr;
}

// A filter of the Plugins menu: the registry names the test filters' folder,
// the window builds its menu from it when it opens, and plugins.ini of the
// installation folder tells which command is the invert.
TEST_F(DisplayE2eTest, PluginFromThePluginsMenuChangesTheSavedImage) {
    if (PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_FRENCH) GTEST_SKIP() << "English run only";
    std::string filters = BinFolder() + "\\test-plugins";
    HKEY raw = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Glyphery\\Plugins", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &raw, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(raw, "plugin_0", 0, REG_SZ, (const BYTE *)filters.c_str(), (DWORD)filters.size() + 1);
    RegCloseKey(raw);
    ASSERT_NE(ConvertAndWaitForWindow(), nullptr) << "no display window after the conversion";
    int invert = 0;
    for (int id = 710; id <= 750 && !invert; ++id) {
        char path[MAX_PATH] = "";
        GetPrivateProfileStringA("PLUGINS", std::to_string(id).c_str(), "", path, sizeof path,
                                 (BinFolder() + "\\plugins.ini").c_str());
        if (std::string(path) == filters + "\\invert.8bf") invert = id;
    }
    ASSERT_NE(invert, 0) << "no command for the invert in plugins.ini";
    Select(IDC_IMAGE_LIST, 1);
    Command(invert);
    SaveAndClose();
    EXPECT_EQ(Pixel(Out("first.ico"), 1, 5, 3), Inverse(kTop));
    EXPECT_EQ(Pixel(Out("first.ico"), 1, 20, 20), Inverse(kBottom));
    EXPECT_EQ(Pixel(Out("first.ico"), 1, 7, 31), RGB(255, 255, 255));
}

// Edit > Paste > Combine with "Substract": the clipboard picture (put there
// by this test) minus the displayed picture, each channel down to 0.
TEST_F(DisplayE2eTest, SubstractCombineThroughTheClipboard) {
    if (PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_FRENCH) GTEST_SKIP() << "English run only";
    ASSERT_NE(ConvertAndWaitForWindow(), nullptr) << "no display window after the conversion";
    Select(IDC_IMAGE_LIST, 1);
    {
        WindowDC screen(nullptr);
        HBITMAP picture = CreateCompatibleBitmap(screen.get(), 32, 32);
        UniqueMemDC dc(CreateCompatibleDC(screen.get()));
        {
            SelectObjectScope select(dc.get(), picture);
            RECT all = {0, 0, 32, 32};
            HBRUSH brush = CreateSolidBrush(RGB(250, 100, 60));
            FillRect(dc.get(), &all, brush);
            DeleteObject(brush);
        }
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        SetClipboardData(CF_BITMAP, picture);  // the clipboard owns it now
        CloseClipboard();
    }
    PostMessageA(window_, WM_COMMAND, IDM_PASTE_COMBINE, 0);
    HWND dialog = WaitForProgramWindow(program_.pid(), "Combine");
    ASSERT_NE(dialog, nullptr) << "no combine dialog";
    SendDlgItemMessageA(dialog, 1162, BM_CLICK, 0, 0);  // "Combine"
    SendDlgItemMessageA(dialog, 1242, CB_SETCURSEL, 9, 0);  // "Substract"
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(1242, CBN_SELCHANGE), (LPARAM)GetDlgItem(dialog, 1242));
    EXPECT_TRUE(SaveShot(dialog, "display_combine_dialog.bmp"));
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    for (int i = 0; i < 100 && IsWindow(dialog); ++i) Sleep(50);
    Sleep(500);
    SaveAndClose();
    EXPECT_EQ(Pixel(Out("first.ico"), 1, 5, 3), RGB(50, 60, 20));
    EXPECT_EQ(Pixel(Out("first.ico"), 1, 20, 20), RGB(220, 10, 0));
}

// File > Print through the platform's print dialog of the program, on a
// PostScript printer of Wine whose output the test reads.
TEST_F(DisplayE2eTest, PrintFromTheFileMenuThroughThePrintDialog) {
    if (PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_FRENCH) GTEST_SKIP() << "English run only";
    ASSERT_TRUE(InstallTestPrinterDriver());
    std::string ps = TestOutputDir("print") + "\\print_e2e.ps";
    TestPrinter printer("Glyphery e2e printer", ps);
    ASSERT_NE(ConvertAndWaitForWindow(), nullptr) << "no display window after the conversion";
    PostMessageA(window_, WM_COMMAND, IDM_DISPLAY_PRINT, 0);
    HWND dialog = WaitForProgramWindow(program_.pid(), "Print");
    ASSERT_NE(dialog, nullptr) << "no print dialog";
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitForFile(ps, 30000)) << "nothing printed";
    // The spooler makes the file first and writes the job into it after.
    std::string text;
    for (int i = 0; i < 300 && text.find("%%EOF") == std::string::npos; ++i, Sleep(100)) {
        std::vector<uint8_t> bytes = ReadFileBytes(ps);
        text.assign(bytes.begin(), bytes.end());
    }
    EXPECT_EQ(text.rfind("%!PS-Adobe", 0), 0u);
    EXPECT_NE(text.find("%%Title: (Glyphery)"), std::string::npos);
    SaveAndClose();
}

// True once the window's thread holds the mouse (a pick has started), within
// five seconds.
bool WaitForCapture(HWND window) {
    DWORD thread = GetWindowThreadProcessId(window, nullptr);
    for (int i = 0; i < 50; ++i, Sleep(100)) {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        if (GetGUIThreadInfo(thread, &info) && info.hwndCapture == window) return true;
    }
    return false;
}

// Pick a colour (274) shows the colour under the click in dialog 432, in
// either half of the picture: the point is the button-down's own. A real
// click; then a click read after the pointer has moved on (posted, with the
// pointer left on the other half).
TEST_F(DisplayE2eTest, PickedColourShowsInTheColourDialog) {
    if (PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_FRENCH) GTEST_SKIP() << "English texts";
    ASSERT_NE(ConvertAndWaitForWindow(), nullptr) << "no display window after the conversion";
    Select(IDC_IMAGE_LIST, 1);
    const struct {
        POINT at;  // client point
        bool real;
        const char *red, *green, *blue, *html;
    } picks[] = {
        {{5 + 12, 5 + 24}, true, "30", "90", "200", "#1E5AC8"},  // kBottom
        {{5 + 20, 5 + 3}, false, "200", "40", "40", "#C82828"},  // kTop
    };
    for (const auto &pick : picks) {
        SCOPED_TRACE(pick.html);
        PostMessageA(window_, WM_COMMAND, IDM_PICK_COLOR, 0);
        ASSERT_TRUE(WaitForCapture(window_)) << "the pick did not take the mouse";
        if (pick.real) {
            POINT at = pick.at;
            ClientToScreen(window_, &at);
            MoveCursor(at);
            Sleep(300);  // the pointer's last move well before the click
            ClickHere();
        } else {
            PostMessageA(window_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pick.at.x, pick.at.y));
            Sleep(300);
            PostMessageA(window_, WM_LBUTTONUP, 0, MAKELPARAM(pick.at.x, pick.at.y));
        }
        HWND colour = nullptr;
        // Found only once shown: the dialog exists, with its template's texts,
        // before its initialisation has written the colour into them.
        for (int i = 0; i < 100 && !(colour && IsWindowVisible(colour)); ++i, Sleep(100))
            colour = FindWindowA("#32770", "Color");
        ASSERT_NE(colour, nullptr) << "no colour dialog";
        ASSERT_TRUE(IsWindowVisible(colour)) << "the colour dialog never showed";
        if (pick.at.y > 16) {
            EXPECT_TRUE(SaveShot(colour, "display_colour_dialog.bmp"));
        }
        const struct {
            int id;
            const char *want;
        } fields[] = {{IDC_COLOR_RED, pick.red},
                      {IDC_COLOR_GREEN, pick.green},
                      {IDC_COLOR_BLUE, pick.blue},
                      {IDC_COLOR_HTML, pick.html}};
        for (const auto &f : fields) {
            char text[32] = "";
            GetDlgItemTextA(colour, f.id, text, sizeof(text));
            EXPECT_STREQ(text, f.want) << f.id;
        }
        PostMessageA(colour, WM_COMMAND, IDOK, 0);
        for (int i = 0; i < 50 && IsWindow(colour); ++i) Sleep(100);
        ASSERT_FALSE(IsWindow(colour));
    }
}

// Copy puts the displayed picture on the clipboard, drawn as the window
// shows it.
TEST_F(DisplayE2eTest, CopyTakesThePicture) {
    ASSERT_NE(ConvertAndWaitForWindow(), nullptr) << "no display window after the conversion";
    Select(IDC_IMAGE_LIST, 1);
    Command(IDM_DISPLAY_COPY);
    ASSERT_TRUE(OpenClipboard(nullptr));
    HBITMAP copied = (HBITMAP)GetClipboardData(CF_BITMAP);
    BITMAP info = {};
    COLORREF top = CLR_INVALID, bottom = CLR_INVALID;
    if (copied && GetObjectA(copied, sizeof(info), &info)) {
        UniqueMemDC dc(CreateCompatibleDC(nullptr));
        SelectObjectScope select(dc.get(), copied);
        top = GetPixel(dc.get(), 5, 3);
        bottom = GetPixel(dc.get(), 20, 30);
    }
    CloseClipboard();
    EXPECT_EQ(info.bmWidth, 32);
    EXPECT_EQ(info.bmHeight, 32);
    EXPECT_EQ(top, kTop);
    EXPECT_EQ(bottom, kBottom);
}

// Zoom from its toolbar button starts the magnifier beside the cursor;
// Escape (the window's hot key) ends it, and so does a left-button release,
// which shows the colour under the cursor in dialog 432. Each time no
// magnifier window is left and the button is up again.
TEST_F(DisplayE2eTest, ZoomStartsFromItsButtonAndEndsOnEscapeOrAButtonRelease) {
    if (PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_FRENCH) GTEST_SKIP() << "English texts";
    ASSERT_NE(ConvertAndWaitForWindow(), nullptr) << "no display window after the conversion";
    Select(IDC_IMAGE_LIST, 1);
    HWND bar = GetDlgItem(window_, IDC_DISPLAY_TOOLBAR);
    RECT r;
    ASSERT_TRUE(program_.ToolbarButtonRect(bar, IDM_DISPLAY_ZOOM, &r));
    POINT button = {(r.left + r.right) / 2, (r.top + r.bottom) / 2}, red = {5 + 10, 5 + 4};
    ClientToScreen(bar, &button);
    ClientToScreen(window_, &red);
    for (bool byEscape : {true, false}) {
        MoveCursor(button);
        ClickHere();
        HWND zoom = WaitForMagnifier();
        ASSERT_TRUE(zoom && IsWindowVisible(zoom)) << "no magnifier after Zoom";
        EXPECT_TRUE(GetWindowLongA(zoom, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_TRUE(SendMessageA(bar, TB_ISBUTTONCHECKED, IDM_DISPLAY_ZOOM, 0));
        MoveCursor(red);
        // The magnifier follows on its timer, late on a loaded machine.
        for (int i = 0; i < 50 && GetWindowRect(zoom, &r) && r.left != red.x + 80; ++i) Sleep(100);
        EXPECT_EQ(r.left, red.x + 80);
        if (byEscape) {
            EXPECT_TRUE(SaveShot(zoom, "display_magnifier.bmp"));
            PressKey(VK_ESCAPE);
        } else {
            ClickHere();
        }
        EXPECT_EQ(WaitForMagnifier(true), nullptr) << (byEscape ? "Escape" : "button release");
        EXPECT_FALSE(IsWindow(zoom));
        EXPECT_EQ(SendMessageA(bar, TB_GETSTATE, IDM_DISPLAY_ZOOM, 0), TBSTATE_ENABLED);
        HWND colour = nullptr;
        for (int i = 0; i < (byEscape ? 10 : 50) && !colour; ++i, Sleep(100)) colour = FindWindowA("#32770", "Color");
        if (byEscape) {
            EXPECT_EQ(colour, nullptr) << "Escape picked a colour";
            continue;
        }
        ASSERT_NE(colour, nullptr) << "no colour dialog after the release";
        char text[32] = "";
        GetDlgItemTextA(colour, IDC_COLOR_HTML, text, sizeof(text));
        EXPECT_STREQ(text, "#C82828");  // kTop
        PostMessageA(colour, WM_COMMAND, IDOK, 0);
        for (int i = 0; i < 50 && IsWindow(colour); ++i) Sleep(100);
    }
}

TEST_F(DisplayE2eTest, FrenchWindowShowsFrenchTexts) {
    if (PRIMARYLANGID(GetUserDefaultUILanguage()) != LANG_FRENCH)
        GTEST_SKIP() << "needs a French user interface language (LANG=fr_FR.UTF-8)";
    ASSERT_NE(ConvertAndWaitForWindow(), nullptr) << "no display window after the conversion";
    EXPECT_TRUE(SaveShot(window_, "display_window_fr.bmp"));
    EXPECT_EQ(Text(IDC_FILE_COUNT), "2 ic\xf4nes dans first.ico");
    EXPECT_EQ(Lines(IDC_IMAGE_LIST),
              (std::vector<std::string>{"16 x 16  16 couleurs", "32 x 32  Couleurs vraies 24 bits"}));
    EXPECT_EQ(Text(IDC_APPLY_TO_ALL), "Appliquer \xe0 tous les formats");
}

}  // namespace
