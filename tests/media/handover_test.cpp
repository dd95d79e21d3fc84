// The main window's hand-over to the video tool, end to end: Glyphery.exe
// converts a single selected video through the frame grabbed in the real
// GlypheryMedia.exe, refuses when the tool cannot start, and sends two
// videos to the conversion driver instead.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "common/handles.h"
#include "media/resource.h"
#include "shell/resource.h"
#include "tests/common/testutil_win.h"
#include "tests/e2e/driver.h"

namespace {

const DWORD kConvertMs = 180000;

std::string Clip(const std::string &name) { return TestOutputDir("media-clips") + "\\" + name; }

// The tool's window, whichever process shows it.
HWND WaitForToolWindow(DWORD ms) {
    for (DWORD waited = 0; waited < ms; waited += 100) {
        HWND w = FindWindowA("#32770", "GlypheryMedia");
        if (w && GetDlgItem(w, IDC_PLAY) && IsWindowVisible(w)) return w;
        Sleep(100);
    }
    return nullptr;
}

std::string WindowText(HWND w) {
    char buf[256] = "";
    SendMessageA(w, WM_GETTEXT, sizeof buf, (LPARAM)buf);
    return buf;
}

// Waits until the tool has rendered its clip and stopped on the first frame.
bool WaitUntilReady(HWND tool) {
    for (int i = 0; i < 400; ++i) {
        if (WindowText(GetDlgItem(tool, IDC_STATUS)) == "Stopped") return true;
        Sleep(50);
    }
    return false;
}

class HandoverTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const std::string &d : {in_, out_, temp_}) ASSERT_TRUE(CreateDirectoryA(d.c_str(), nullptr));
        for (const char *clip : {"clip_mjpeg.avi", "clip_raw.avi"})
            ASSERT_TRUE(CopyFileA(Clip(clip).c_str(), (in_ + "\\" + clip).c_str(), FALSE));
        PutSetting("installPath", BinFolder());
        PutSetting("pathLaunch", in_);
        PutSetting("pathSave", out_);
        PutSetting("current_format", 1);
    }
    void TearDown() override {
        if (program_.Running()) {
            std::unique_ptr<Pending> close = program_.Command(IDM_CLOSE);
            program_.WaitForExit(20000);
        }
    }
    void Launch() {
        ASSERT_TRUE(program_.Start());
        ASSERT_NE(program_.WaitForMainWindow(), nullptr) << "no main window";
        program_.Check(1352);  // 16 x 16 at 24 bits
    }

    SettingsKeyScope settings_;
    ScratchDir scratch_{"media-handover"};
    std::string in_ = scratch_.File("in"), out_ = scratch_.File("out"), temp_ = scratch_.File("temp");
    // The main program and the tool it starts take this as their temporary folder.
    TempFolderScope tempScope_{temp_};
    MainProgram program_;
};

TEST_F(HandoverTest, ASingleVideoIsConvertedThroughTheFrameGrabbedInTheTool) {
    // A frame an earlier run left behind is not this grab's.
    std::string stale = temp_ + "\\clip_mjpeg 999.bmp";
    ASSERT_TRUE(WriteBmp24(stale, 16, 16, [](int, int) { return RGB(255, 0, 0); }));
    FILETIME old = {0, 0x01C00000};  // 1997
    {
        UniqueFile f(CreateFileA(stale.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(SetFileTime(f.get(), &old, &old, &old));
    }
    Launch();
    program_.TypeFileName("clip_mjpeg.avi");
    std::unique_ptr<Pending> convert = program_.Click(IDC_CONVERT);
    HWND tool = WaitForToolWindow(60000);
    ASSERT_NE(tool, nullptr) << "Convert did not start the video tool";
    ASSERT_TRUE(WaitUntilReady(tool));
    EXPECT_EQ(WindowText(GetDlgItem(tool, IDC_MEDIA_PATH)), in_ + "\\clip_mjpeg.avi");
    // Two seconds and a half into the clip: the blue second.
    HWND slider = GetDlgItem(tool, IDC_SLIDER);
    SendMessageA(slider, TBM_SETPOS, TRUE, 62);
    SendMessageA(tool, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 62), (LPARAM)slider);
    SendMessageA(tool, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), (LPARAM)slider);
    std::string number = WindowText(GetDlgItem(tool, IDC_POSITION_NUMBER));
    EXPECT_EQ(number, "24800000");
    PostMessageA(GetDlgItem(tool, IDC_SAVE), BM_CLICK, 0, 0);
    ASSERT_TRUE(convert->Wait(kConvertMs)) << "the conversion did not end";
    EXPECT_EQ(FindWindowA("#32770", "GlypheryMedia"), nullptr);

    std::string icon = out_ + "\\clip_mjpeg " + number + ".ico";
    DecodedIconFile file;
    std::string error;
    ASSERT_TRUE(ReadDecodedIcon(icon, &file, &error)) << icon << ": " << error;
    ASSERT_EQ(file.images.size(), 1u);
    COLORREF c = file.images[0].Pixel(8, 8);
    EXPECT_TRUE(GetBValue(c) > 200 && GetRValue(c) < 60 && GetGValue(c) < 60)
        << (int)GetRValue(c) << "," << (int)GetGValue(c) << "," << (int)GetBValue(c);
    // Only that icon was made, the grabbed frame is gone and the stale one stays.
    EXPECT_EQ(FilesMatching(out_ + "\\*").size(), 1u);
    EXPECT_TRUE(FilesMatching(temp_ + "\\clip_mjpeg " + number + ".bmp").empty());
    EXPECT_TRUE(FileExists(stale));
}

TEST_F(HandoverTest, ClosingTheToolWithoutAGrabConvertsNothing) {
    Launch();
    program_.TypeFileName("clip_raw.avi");
    std::unique_ptr<Pending> convert = program_.Click(IDC_CONVERT);
    HWND tool = WaitForToolWindow(60000);
    ASSERT_NE(tool, nullptr);
    ASSERT_TRUE(WaitUntilReady(tool));
    PostMessageA(GetDlgItem(tool, IDC_CLOSEBUTTON), BM_CLICK, 0, 0);
    ASSERT_TRUE(convert->Wait(kConvertMs));
    EXPECT_TRUE(FilesMatching(out_ + "\\*").empty()) << "something was converted";
    EXPECT_EQ(program_.WaitForMessageBox(nullptr, 500).box, nullptr);
}

TEST_F(HandoverTest, AToolThatCannotStartIsNamedAndNothingIsConverted) {
    std::string install = scratch_.File("install");
    ASSERT_TRUE(CreateDirectoryA(install.c_str(), nullptr));
    PutSetting("installPath", install);
    Launch();
    program_.TypeFileName("clip_mjpeg.avi");
    std::unique_ptr<Pending> convert = program_.Click(IDC_CONVERT);
    MessageBoxSeen box = program_.WaitForMessageBox(convert.get(), 60000);
    ASSERT_NE(box.box, nullptr);
    EXPECT_EQ(box.text, "Could not start GlypheryMedia!");
    program_.Answer(box, IDOK);
    ASSERT_TRUE(convert->Wait(kConvertMs));
    EXPECT_TRUE(FilesMatching(out_ + "\\*").empty());
}

TEST_F(HandoverTest, TwoVideosGoToTheConversionDriverNotToTheTool) {
    Launch();
    program_.TypeFileName("\"clip_mjpeg.avi\" \"clip_raw.avi\"");
    std::unique_ptr<Pending> convert = program_.Click(IDC_CONVERT);
    bool toolSeen = false;
    for (DWORD waited = 0; waited < kConvertMs && !convert->Wait(0); waited += 100) {
        toolSeen = toolSeen || FindWindowA("#32770", "GlypheryMedia") != nullptr;
        // The driver may name what it could not read: answered as a user would.
        MessageBoxSeen box = program_.WaitForMessageBox(nullptr, 50);
        if (box.box) program_.Answer(box, IDOK);
        Sleep(100);
    }
    EXPECT_TRUE(convert->Wait(0)) << "the conversion did not end";
    EXPECT_FALSE(toolSeen);
}

}  // namespace
