// Glyphery.exe acquiring pictures as a user does: from the test TWAIN source
// (Convert with "Create from scanner", and the two scanner module commands)
// and from the screen (the capture dialog, the magnifier and its hot keys).
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "acquire/resource.h"
#include "display/resource.h"
#include "shell/resource.h"
#include "tests/acquire/testsource/testsource.h"
#include "tests/acquire/testwia/testwia.h"
#include "tests/acquire/twain_fixture.h"
#include "tests/common/testutil_win.h"
#include "tests/e2e/driver.h"

namespace {

const DWORD kConvertMs = 120000;
const int kBox48x24 = 1362;  // the format box of 48 x 48 at 24 bits

bool Near(COLORREF a, COLORREF b) {
    return abs(GetRValue(a) - GetRValue(b)) <= 3 && abs(GetGValue(a) - GetGValue(b)) <= 3 &&
           abs(GetBValue(a) - GetBValue(b)) <= 3;
}

class AcquireEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CreateDirectoryA(out_.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA(temp_.c_str(), nullptr));
        PutSetting("installPath", BinFolder());
        PutSetting("pathSave", out_);
        PutSetting("current_format", 1);
        PutSetting("display_icon", (DWORD)0);
        PutSetting("capture_size", 32);
        PutSetting("capture_zoom", 1);
        PutSetting("capture_zoom_size", 1);
    }
    void StartProgram() {
        ASSERT_TRUE(program_.Start());
        ASSERT_NE(program_.WaitForMainWindow(), nullptr) << "no main window";
        program_.Check(kBox48x24);
    }
    void TearDown() override {
        if (!program_.Running()) return;
        std::unique_ptr<Pending> close = program_.Command(IDM_CLOSE);
        program_.WaitForExit(20000);
    }

    SettingsKeyScope settings_;
    ScratchDir scratch_{"e2e-acquire"};
    std::string out_ = scratch_.File("out"), temp_ = scratch_.File("temp");
    TempFolderScope tempScope_{temp_};  // the program inherits it
    MainProgram program_;
};

// Each way to the scanner ends in the test source's picture converted into
// "fl1.ico" of the target folder.
TEST_F(AcquireEndToEnd, ScannedPictureIsConverted) {
    InstalledTestSource source;
    ASSERT_TRUE(source.ok());
    StartProgram();
    struct Way {
        const char *name;
        int id;
        bool button;
    } ways[] = {{"Convert with Create from scanner", IDC_CONVERT, true},
                {"Scan with the scanner module", IDM_ACQUIRE_BUTTON, false},
                {"Scan with the Glyphery module", IDM_SCAN_GLYPHERY, false}};
    for (const Way &way : ways) {
        SCOPED_TRACE(way.name);
        std::string icon = out_ + "\\fl1.ico";
        DeleteFileA(icon.c_str());
        program_.Check(IDC_FROM_SCANNER, way.button);
        SendMessageA(program_.panel(), WM_COMMAND, MAKEWPARAM(IDC_FROM_SCANNER, BN_CLICKED),
                     (LPARAM)program_.Control(IDC_FROM_SCANNER));
        std::unique_ptr<Pending> go = way.button ? program_.Click(IDC_CONVERT) : program_.Command(way.id);
        HWND ui = nullptr;
        for (int i = 0; i < 400 && !ui; ++i, Sleep(50)) ui = FindWindowA(kTestSourceClass, nullptr);
        ASSERT_NE(nullptr, ui) << "the source's interface did not open";
        if (way.id == IDC_CONVERT) SaveShot(ui, "test_source_interface.bmp");
        PostMessageA(GetDlgItem(ui, kTestSourceScanId), BM_CLICK, 0, 0);
        MessageBoxSeen box = program_.WaitForMessageBox(go.get(), kConvertMs);
        EXPECT_EQ(box.box, nullptr) << box.text;
        if (box.box) program_.Answer(box, IDOK);
        ASSERT_TRUE(go->Wait(kConvertMs));
        ASSERT_TRUE(WaitForFile(icon, 10000));
        DecodedIconFile f;
        std::string error;
        ASSERT_TRUE(ReadDecodedIcon(icon, &f, &error)) << error;
        ASSERT_EQ(1u, f.images.size());
        const DecodedImage &img = f.images[0];
        ASSERT_EQ(48, img.info.width);
        for (int q = 0; q < 4; ++q) {
            int x = q % 2 ? 36 : 12, y = q / 2 ? 36 : 12;
            int sx = x * kTestPictureWidth / 48, sy = y * kTestPictureHeight / 48;
            EXPECT_TRUE(Near(TestPicturePixel(0, sx, sy), img.Pixel(x, y))) << q << ": " << std::hex << img.Pixel(x, y);
        }
    }
    CopyFileA((out_ + "\\fl1.ico").c_str(), (TestOutputDir("e2e") + "\\scanned_fl1.ico").c_str(), FALSE);
    WriteReadbackExpect(TestOutputDir("e2e") + "\\scanned_fl1.ico");
}

// Refusals before any acquisition: no format chosen, then no TWAIN device.
TEST_F(AcquireEndToEnd, AcquisitionsAreRefusedWithTheirMessages) {
    NoSourcesScope none;
    ASSERT_TRUE(none.ok());
    StartProgram();
    program_.Check(kBox48x24, false);
    struct Case {
        int id;
        const char *message;
    } cases[] = {
        {IDM_CAMERA, "You did not select the formats to be included in the icon..."},
        {IDM_SCAN_GLYPHERY, "You did not select the formats to be included in the icon..."},
        {IDM_ACQUIRE_BUTTON, "You did not select the formats to be included in the icon..."},
        {IDM_CAPTURE, "You did not select the formats to be included in the icon..."},
        {IDM_SELECT_SOURCE, "Cannot find a TWAIN-compatible device!"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.id);
        std::unique_ptr<Pending> go = program_.Command(c.id);
        MessageBoxSeen box = program_.WaitForMessageBox(go.get(), 20000);
        EXPECT_EQ(c.message, box.text);
        program_.Answer(box, IDOK);
        EXPECT_TRUE(go->Wait(20000));
    }
    // The hand-over message is the dialog's DM_GETDEFID too: without a
    // picture the browser still names its default button.
    LRESULT def = SendMessageA(program_.browser(), DM_GETDEFID, 0, 0);
    EXPECT_EQ(DC_HASDEFID, HIWORD(def));
    EXPECT_EQ(IDOK, LOWORD(def));
    program_.Check(kBox48x24);
    std::unique_ptr<Pending> go = program_.Command(IDM_SCAN_GLYPHERY);
    MessageBoxSeen box = program_.WaitForMessageBox(go.get(), 20000);
    EXPECT_EQ("Cannot find a TWAIN-compatible device!", box.text);
    program_.Answer(box, IDOK);
    EXPECT_TRUE(go->Wait(20000));
}

// The camera command with the test device manager as the platform's: the
// photo lands in the target folder and is converted beside it.
TEST_F(AcquireEndToEnd, CameraPhotoIsConverted) {
    RegisteredTestDeviceManager manager;
    ASSERT_TRUE(manager.ok());
    StartProgram();
    std::unique_ptr<Pending> camera = program_.Command(IDM_CAMERA);
    MessageBoxSeen box = program_.WaitForMessageBox(camera.get(), kConvertMs);
    EXPECT_EQ(box.box, nullptr) << box.text;
    if (box.box) program_.Answer(box, IDOK);
    ASSERT_TRUE(camera->Wait(kConvertMs));
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((out_ + "\\photo_*.ico").c_str(), &found);
    ASSERT_NE(INVALID_HANDLE_VALUE, h) << "no icon of the photo";
    FindClose(h);
    std::string icon = out_ + "\\" + found.cFileName;
    std::string photo = icon.substr(0, icon.size() - 4) + ".bmp";
    EXPECT_TRUE(FileExists(photo));
    DecodedIconFile f;
    std::string error;
    ASSERT_TRUE(ReadDecodedIcon(icon, &f, &error)) << error;
    ASSERT_EQ(1u, f.images.size());
    EXPECT_TRUE(Near(TestPhotoPixel(0, 0), f.images[0].Pixel(24, 8)));
    EXPECT_TRUE(Near(TestPhotoPixel(0, kTestPhotoSide - 1), f.images[0].Pixel(24, 40)));
}

// A window of one known colour, top-most, for the magnifier to look at.
class ColourWindow {
public:
    ColourWindow(COLORREF colour, RECT r) : brush_(CreateSolidBrush(colour)) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = brush_;
        wc.lpszClassName = "GlypheryCaptureTarget";
        RegisterClassA(&wc);
        hwnd_ = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, r.left, r.top,
                                r.right - r.left, r.bottom - r.top, nullptr, nullptr, wc.hInstance, nullptr);
        UpdateWindow(hwnd_);
    }
    // The class goes with the window: the next one registers its own brush.
    ~ColourWindow() {
        DestroyWindow(hwnd_);
        UnregisterClassA("GlypheryCaptureTarget", GetModuleHandleA(nullptr));
        DeleteObject(brush_);
    }
    HWND hwnd() const { return hwnd_; }

private:
    HBRUSH brush_;
    HWND hwnd_;
};

void Pump(DWORD ms) {
    DWORD end = GetTickCount() + ms;
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(20);
    } while ((LONG)(end - GetTickCount()) > 0);
}

void Keys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> in;
    for (WORD k : keys) {
        INPUT i = {};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = k;
        in.push_back(i);
    }
    for (auto it = keys.end(); it != keys.begin();) {
        INPUT i = {};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = *--it;
        i.ki.dwFlags = KEYEVENTF_KEYUP;
        in.push_back(i);
    }
    SendInput((UINT)in.size(), in.data(), sizeof(INPUT));
}

// True once the magnifier is shown (or gone, for shown false).
bool WaitForMagnifier(bool shown, DWORD ms) {
    for (DWORD waited = 0; waited < ms; waited += 50) {
        HWND zoom = FindWindowA("GlypheryZoom", nullptr);
        if (shown == (zoom && IsWindowVisible(zoom))) return true;
        Pump(50);
    }
    return false;
}

// Opens the capture dialog from the menu, names the icon and presses OK.
void StartCapture(MainProgram &program, const char *name) {
    std::unique_ptr<Pending> capture = program.Command(IDM_CAPTURE);
    MessageBoxSeen dialog = program.WaitForDialog(capture.get(), 20000);
    ASSERT_NE(nullptr, dialog.box) << "no capture dialog";
    SetDlgItemTextA(dialog.box, IDC_CAP_NAME, name);
    SaveShot(dialog.box, "capture_dialog_e2e.bmp");
    program.Answer(dialog, IDOK);
    ASSERT_TRUE(capture->Wait(20000));
}

TEST_F(AcquireEndToEnd, ShiftF1CapturesTheScreenUnderTheMagnifier) {
    const COLORREF colour = RGB(10, 200, 120);
    ColourWindow target(colour, RECT{800, 300, 1100, 600});  // beside the main window
    Pump(300);
    StartProgram();
    struct Kind {
        const char *label, *name, *file;
    } kinds[] = {{"Icon", "shotA", "\\shotA.ico"}, {"XP profile image", "shotB", nullptr}};
    for (const Kind &k : kinds) {
        SCOPED_TRACE(k.label);
        program_.SelectCreateAs(k.label);
        program_.Check(kBox48x24);  // a new kind resets the formats
        StartCapture(program_, k.name);
        SetCursorPos(950, 450);
        ASSERT_TRUE(WaitForMagnifier(true, 10000)) << "no magnifier";
        Pump(500);
        SaveShot(FindWindowA("GlypheryZoom", nullptr), "capture_magnifier.bmp");
        // The window under it, with the magnifier on top (not raised over it).
        SaveWindowShot(target.hwnd(), TestOutputDir("screenshots") + "\\capture_magnifier_over_window.bmp");
        SetWindowPos(target.hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        Keys({VK_SHIFT, VK_F1});
        EXPECT_TRUE(WaitForMagnifier(false, 10000)) << "the magnifier stayed";
        if (k.file) {
            std::string icon = out_ + k.file;
            ASSERT_TRUE(WaitForFile(icon, 60000));
            DecodedIconFile f;
            std::string error;
            ASSERT_TRUE(ReadDecodedIcon(icon, &f, &error)) << error;
            ASSERT_EQ(1u, f.images.size());
            for (int y = 4; y < 48; y += 10)
                for (int x = 4; x < 48; x += 10) EXPECT_TRUE(Near(colour, f.images[0].Pixel(x, y))) << x << "," << y;
            // The saved capture is deleted once the conversion has ended.
            for (int i = 0; i < 200 && FileExists(temp_ + "\\shotA.bmp"); ++i) Pump(50);
            EXPECT_FALSE(FileExists(temp_ + "\\shotA.bmp"));
        } else {
            std::string copy = temp_ + "\\captemp.bmp";
            ASSERT_TRUE(WaitForFile(copy, 60000));
            std::vector<uint8_t> bmp = ReadFileBytes(copy);
            ASSERT_GE(bmp.size(), 54u);
            BITMAPINFOHEADER h;
            memcpy(&h, bmp.data() + 14, sizeof h);
            EXPECT_EQ(48, h.biWidth);
            EXPECT_EQ(48, h.biHeight);
            CopyFileA(copy.c_str(), (TestOutputDir("e2e") + "\\captemp.bmp").c_str(), FALSE);
        }
    }
}

// With the result shown after a conversion, a capture taken as a profile
// picture opens in the display window as the 48 x 48 icon of its name.
TEST_F(AcquireEndToEnd, CapturedProfilePictureOpensInTheDisplayWindow) {
    PutSetting("display_icon", 1);
    PutSetting("display_type", (DWORD)0);
    const COLORREF colour = RGB(220, 60, 140);
    ColourWindow target(colour, RECT{800, 300, 1100, 600});
    Pump(300);
    StartProgram();
    program_.SelectCreateAs("XP profile image");
    program_.Check(kBox48x24);
    StartCapture(program_, "shotC");
    SetCursorPos(950, 450);
    ASSERT_TRUE(WaitForMagnifier(true, 10000)) << "no magnifier";
    // Until the magnifier shows the window under the pointer.
    HWND zoom = FindWindowA("GlypheryZoom", nullptr);
    RECT client;
    GetClientRect(zoom, &client);
    POINT middle = {client.right / 2, client.bottom / 2};
    ClientToScreen(zoom, &middle);
    HDC screen = GetDC(nullptr);
    for (int i = 0; i < 100 && !Near(colour, GetPixel(screen, middle.x, middle.y)); ++i) Pump(50);
    ReleaseDC(nullptr, screen);
    Keys({VK_SHIFT, VK_F1});
    HWND display = nullptr;
    for (int i = 0; i < 600 && !display; ++i, Pump(100)) display = FindWindowA("#32770", "GlypheryDisplay");
    ASSERT_NE(nullptr, display) << "no display window";
    std::string icon = out_ + "\\shotC.ico";
    EXPECT_TRUE(FileExists(icon));
    PostMessageA(display, WM_COMMAND, IDM_DISPLAY_CLOSE, 0);
    for (int i = 0; i < 200 && IsWindow(display); ++i) Pump(50);
    EXPECT_FALSE(IsWindow(display));
    CopyFileA(icon.c_str(), (TestOutputDir("e2e") + "\\captured_shotC.ico").c_str(), FALSE);
    DecodedIconFile f;
    std::string error;
    ASSERT_TRUE(ReadDecodedIcon(icon, &f, &error)) << error;
    ASSERT_EQ(1u, f.images.size());
    EXPECT_EQ(48, f.images[0].info.width);
    EXPECT_TRUE(Near(colour, f.images[0].Pixel(24, 24))) << std::hex << f.images[0].Pixel(24, 24);
}

TEST_F(AcquireEndToEnd, EscapeCapturesNothingAndLeavesNoHotKey) {
    StartProgram();
    StartCapture(program_, "never");
    ASSERT_TRUE(WaitForMagnifier(true, 10000)) << "no magnifier";
    Keys({VK_ESCAPE});
    EXPECT_TRUE(WaitForMagnifier(false, 10000)) << "the magnifier stayed";
    Keys({VK_SHIFT, VK_F1});
    Pump(3000);
    EXPECT_FALSE(FileExists(out_ + "\\never.ico"));
    EXPECT_FALSE(FileExists(temp_ + "\\never.bmp"));
}

}  // namespace
