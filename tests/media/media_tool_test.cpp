// GlypheryMedia.exe end to end: the real tool under Wine on clips made by
// ffmpeg (each second one solid colour), driven through its window as a user
// drives it, and judged by its controls, the screen and the frame it writes.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "common/handles.h"
#include "media/resource.h"
#include "tests/common/testutil_win.h"
#include "tests/e2e/driver.h"

namespace {

const char kTitle[] = "GlypheryMedia";
const DWORD kOpenMs = 60000;
const LONGLONG kSecond = 10000000;

std::string Clip(const std::string &name) { return TestOutputDir("media-clips") + "\\" + name; }

bool HasPlayButton(HWND w) { return GetDlgItem(w, IDC_PLAY) != nullptr; }

// The colour of each second of the clips.
COLORREF SecondColour(LONGLONG position) {
    static const COLORREF colours[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 0)};
    int second = (int)(position / kSecond);
    return colours[second < 0 ? 0 : second > 3 ? 3 : second];
}

// Within a codec's rounding of a solid colour.
::testing::AssertionResult Near(COLORREF got, COLORREF want) {
    int dr = abs((int)GetRValue(got) - GetRValue(want)), dg = abs((int)GetGValue(got) - GetGValue(want)),
        db = abs((int)GetBValue(got) - GetBValue(want));
    if (dr <= 40 && dg <= 40 && db <= 40) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "colour " << (int)GetRValue(got) << "," << (int)GetGValue(got) << ","
                                         << (int)GetBValue(got) << " is not near " << (int)GetRValue(want) << ","
                                         << (int)GetGValue(want) << "," << (int)GetBValue(want);
}

// The bitmap files of a folder.
std::vector<std::string> Bitmaps(const std::string &folder) { return FilesMatching(folder + "\\*.bmp"); }

// One run of the tool on a command line.
class MediaTool {
public:
    bool Start(const std::string &arguments) {
        return program_.Start(BinFolder() + "\\GlypheryMedia.exe", arguments);
    }
    HWND WaitForWindow(DWORD ms = kOpenMs) {
        window_ = WaitForProcessDialog(program_.pid(), kTitle, HasPlayButton, nullptr, ms).box;
        return window_;
    }
    HWND window() const { return window_; }
    HWND Control(int id) const { return GetDlgItem(window_, id); }
    std::string Text(int id) const {
        char buf[1024] = "";
        SendMessageA(Control(id), WM_GETTEXT, sizeof buf, (LPARAM)buf);
        return buf;
    }
    long Number() const { return atol(Text(IDC_POSITION_NUMBER).c_str()); }
    int Slider() const { return (int)SendMessageA(Control(IDC_SLIDER), TBM_GETPOS, 0, 0); }
    void Click(int id) const { SendMessageA(Control(id), BM_CLICK, 0, 0); }
    std::unique_ptr<Pending> ClickLater(int id) const {
        return std::unique_ptr<Pending>(new Pending(Control(id), BM_CLICK, 0, 0));
    }
    // A drag of the slider's thumb to `place`, as the trackbar reports it.
    void Seek(int place) const {
        HWND slider = Control(IDC_SLIDER);
        SendMessageA(slider, TBM_SETPOS, TRUE, place);
        SendMessageA(window_, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, place), (LPARAM)slider);
        SendMessageA(window_, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), (LPARAM)slider);
    }
    // Waits until the status line says `status`.
    bool WaitForStatus(const std::string &status, DWORD ms) const {
        for (DWORD waited = 0; waited < ms; waited += 50) {
            if (Text(IDC_STATUS) == status) return true;
            Sleep(50);
        }
        return false;
    }
    bool WaitForExit(DWORD ms, DWORD *code) { return program_.WaitForExit(ms, code); }
    MainProgram &program() { return program_; }

private:
    MainProgram program_;
    HWND window_ = nullptr;
};

class MediaToolTest : public ::testing::Test {
protected:
    std::string Arguments(const std::string &clip) const { return Clip(clip) + "|" + out_.path(); }
    // Starts the tool on a clip and waits for its window.
    void Open(MediaTool &tool, const std::string &clip) {
        ASSERT_TRUE(tool.Start(Arguments(clip)));
        ASSERT_NE(tool.WaitForWindow(), nullptr) << "no window for " << clip;
        ASSERT_TRUE(tool.WaitForStatus("Stopped", 20000)) << tool.Text(IDC_STATUS);
    }
    ScratchDir out_{"media-frames"};
};

TEST_F(MediaToolTest, CommandLinesNotFromTheSuiteAreRefusedWithTheirMessage) {
    struct Case {
        std::string arguments;
        const char *message;
    } cases[] = {
        {Clip("clip_mjpeg.avi"), "This program cannot be used outside Glyphery"},
        {"", "This program cannot be used outside Glyphery"},
        {"|" + out_.path(), "This program cannot be used without Glyphery"},
    };
    for (const Case &c : cases) {
        MediaTool tool;
        ASSERT_TRUE(tool.Start(c.arguments));
        MessageBoxSeen box =
            WaitForProcessDialog(tool.program().pid(), kTitle, [](HWND w) { return !HasPlayButton(w); }, nullptr, kOpenMs);
        ASSERT_NE(box.box, nullptr) << c.arguments;
        EXPECT_EQ(box.text, c.message) << c.arguments;
        // The warning icon beside the text.
        EXPECT_NE(FindWindowExA(box.box, nullptr, "Static", nullptr), nullptr);
        EXPECT_TRUE(AnswerDialog(box, IDOK));
        DWORD code = 0;
        ASSERT_TRUE(tool.WaitForExit(20000, &code)) << c.arguments;
        EXPECT_EQ(code, 1u);
        EXPECT_EQ(tool.window(), nullptr);
    }
    EXPECT_TRUE(Bitmaps(out_.path()).empty());
}

TEST_F(MediaToolTest, MediaThatCannotBePlayedEndsTheToolWithoutAWindow) {
    for (const char *clip : {"notvideo.avi", "missing.avi"}) {
        MediaTool tool;
        ASSERT_TRUE(tool.Start(Arguments(clip)));
        DWORD code = 0;
        ASSERT_TRUE(tool.WaitForExit(kOpenMs, &code)) << clip;
        EXPECT_EQ(code, 1u) << clip;
    }
    EXPECT_TRUE(Bitmaps(out_.path()).empty());
}

TEST_F(MediaToolTest, OpensStoppedWithTheFilesFactsAndPlaysPausesAndStops) {
    MediaTool tool;
    Open(tool, "clip_mjpeg.avi");
    std::string clip = Clip("clip_mjpeg.avi");
    EXPECT_EQ(tool.Text(IDC_MEDIA_PATH), clip);
    WIN32_FILE_ATTRIBUTE_DATA facts;
    ASSERT_TRUE(GetFileAttributesExA(clip.c_str(), GetFileExInfoStandard, &facts));
    EXPECT_EQ(tool.Text(IDC_FILE_SIZE), "Size: " + std::to_string(facts.nFileSizeLow) + " bytes");
    FILETIME local;
    SYSTEMTIME t;
    ASSERT_TRUE(FileTimeToLocalFileTime(&facts.ftLastWriteTime, &local) && FileTimeToSystemTime(&local, &t));
    char date[64];
    snprintf(date, sizeof date, "File date: %02d/%02d/%d", t.wMonth, t.wDay, t.wYear);
    EXPECT_EQ(tool.Text(IDC_FILE_DATE), date);
    EXPECT_EQ(tool.Text(IDC_IMAGE_SIZE), "Image size: 160 x 120");
    EXPECT_EQ(tool.Text(IDC_DURATION), "00m:04.000s");
    EXPECT_EQ(tool.Text(IDC_POSITION), "Position: 00m:00s");
    EXPECT_EQ(tool.Text(IDC_POSITION_NUMBER), "0");
    EXPECT_EQ(tool.Text(IDC_FORMAT), "ICO - Windows icon");
    EXPECT_EQ(SendMessageA(tool.Control(IDC_SLIDER), TBM_GETRANGEMAX, 0, 0), 100);
    for (int id : {IDC_PLAY, IDC_PAUSE, IDC_STOP, IDC_SAVE, IDC_SLIDER, IDC_POSITION_NUMBER, IDC_FORMAT})
        EXPECT_TRUE(IsWindowEnabled(tool.Control(id))) << id;
    EXPECT_EQ(tool.Slider(), 0);

    tool.Click(IDC_PLAY);
    EXPECT_EQ(tool.Text(IDC_STATUS), "Running...");
    for (int i = 0; i < 100 && tool.Number() < 5000000; ++i) Sleep(50);
    EXPECT_GE(tool.Number(), 5000000) << "the position does not move while playing";
    EXPECT_GT(tool.Slider(), 0);

    tool.Click(IDC_PAUSE);
    EXPECT_EQ(tool.Text(IDC_STATUS), "PAUSED");
    long paused = tool.Number();
    Sleep(500);
    EXPECT_EQ(tool.Number(), paused) << "the position moves while paused";
    tool.Click(IDC_PAUSE);  // paused: runs again
    EXPECT_EQ(tool.Text(IDC_STATUS), "Running...");

    tool.Click(IDC_STOP);
    EXPECT_EQ(tool.Text(IDC_STATUS), "Stopped");
    EXPECT_EQ(tool.Text(IDC_POSITION_NUMBER), "0");
    EXPECT_EQ(tool.Text(IDC_POSITION), "Position: 00m:00s");
    EXPECT_EQ(tool.Slider(), 0);
    Sleep(400);
    EXPECT_EQ(tool.Text(IDC_POSITION_NUMBER), "0") << "the timer runs on after Stop";

    tool.Click(IDC_CLOSEBUTTON);
    DWORD code = 99;
    ASSERT_TRUE(tool.WaitForExit(20000, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(Bitmaps(out_.path()).empty()) << "closing grabs nothing";
}

TEST_F(MediaToolTest, TheSliderSeeksAndTheVideoShowsTheFrameThere) {
    MediaTool tool;
    Open(tool, "clip_mjpeg.avi");
    tool.Seek(62);  // 2.48 s: the blue second
    EXPECT_EQ(tool.Text(IDC_POSITION_NUMBER), "24800000");
    EXPECT_EQ(tool.Text(IDC_POSITION), "Position: 00m:02s");
    EXPECT_EQ(tool.Slider(), 62);
    EXPECT_EQ(tool.Text(IDC_STATUS), "Stopped") << "a seek keeps the player's state";
    // Played from 2.2 s a moment and paused, the video shows the blue second
    // (Wine's renderer shows black while stopped); the window as a user sees
    // it is the help page's picture.
    tool.Seek(55);
    tool.Click(IDC_PLAY);
    Sleep(300);
    tool.Click(IDC_PAUSE);
    EXPECT_EQ(tool.Text(IDC_STATUS), "PAUSED");
    EXPECT_LT(tool.Number(), 30000000L) << "played past the blue second";
    // What the screen shows in the middle of the video area.
    RECT area;
    GetWindowRect(tool.Control(IDC_VIDEO_AREA), &area);
    RaisedWindow raised(tool.window());
    COLORREF shown = 0;
    for (int i = 0; i < 40; ++i) {
        Sleep(100);
        RECT middle = {(area.left + area.right) / 2, (area.top + area.bottom) / 2, 0, 0};
        middle.right = middle.left + 1;
        middle.bottom = middle.top + 1;
        shown = GrabScreen(middle).At(0, 0);
        if (Near(shown, RGB(0, 0, 255))) break;
    }
    EXPECT_TRUE(Near(shown, RGB(0, 0, 255)));
    EXPECT_TRUE(SaveShot(tool.window(), "media_tool.bmp"));
    // The video window, a child of the area, at the picture's own size in its middle.
    HWND video = GetWindow(tool.Control(IDC_VIDEO_AREA), GW_CHILD);
    ASSERT_NE(video, nullptr);
    RECT inside, areaClient;
    GetWindowRect(video, &inside);
    GetClientRect(tool.Control(IDC_VIDEO_AREA), &areaClient);
    EXPECT_EQ(inside.right - inside.left, 160);
    EXPECT_EQ(inside.bottom - inside.top, 120);
    POINT corner = {inside.left, inside.top};
    ScreenToClient(tool.Control(IDC_VIDEO_AREA), &corner);
    EXPECT_EQ(corner.x, (areaClient.right - 160) / 2);
    EXPECT_EQ(corner.y, (areaClient.bottom - 120) / 2);

    // A drag during play pauses the player and lets it run on after.
    tool.Click(IDC_PLAY);
    tool.Seek(12);
    EXPECT_EQ(tool.Text(IDC_STATUS), "Running...");
    for (int i = 0; i < 100 && tool.Number() <= 4800000; ++i) Sleep(50);
    EXPECT_GT(tool.Number(), 4800000);
    tool.Click(IDC_CLOSEBUTTON);
    ASSERT_TRUE(tool.WaitForExit(20000, nullptr));
}

TEST_F(MediaToolTest, SaveWritesTheFrameAtThePositionNumberedByItAndCloses) {
    struct Case {
        const char *clip;
        int place;
    } cases[] = {
        {"clip_mjpeg.avi", 62},  // 2.48 s: blue
        {"clip_raw.avi", 37},    // 1.48 s: green
        {"clip_wmv.wmv", 87},    // 3.48 s: yellow, through the ASF reader
        {"sound.avi", 12},       // 0.48 s: red; the sound track is passed over without a sound device
        {"sound.wmv", 62},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.clip);
        MediaTool tool;
        Open(tool, c.clip);
        EXPECT_EQ(tool.Text(IDC_IMAGE_SIZE), "Image size: 160 x 120");
        tool.Seek(c.place);
        long number = tool.Number();
        EXPECT_NEAR(number, c.place * 400000L, 400000L);
        std::unique_ptr<Pending> save = tool.ClickLater(IDC_SAVE);
        DWORD code = 99;
        ASSERT_TRUE(tool.WaitForExit(60000, &code)) << "Save does not close the tool";
        EXPECT_EQ(code, 0u);
        std::string base = std::string(c.clip).substr(0, std::string(c.clip).find('.'));
        std::string frame = out_.File(base + " " + std::to_string(number) + ".bmp");
        std::vector<std::string> written = Bitmaps(out_.path());
        ASSERT_EQ(written.size(), 1u);
        EXPECT_EQ(out_.File(written[0]), frame);
        // Read back by the platform's own loader.
        UniqueBitmap picture((HBITMAP)LoadImageA(nullptr, frame.c_str(), IMAGE_BITMAP, 0, 0,
                                                 LR_LOADFROMFILE | LR_CREATEDIBSECTION));
        ASSERT_TRUE(picture) << frame;
        BITMAP info;
        ASSERT_TRUE(GetObjectA(picture.get(), sizeof info, &info));
        EXPECT_EQ(info.bmWidth, 160);
        EXPECT_EQ(info.bmHeight, 120);
        EXPECT_EQ(info.bmBitsPixel, 24);
        for (POINT p : {POINT{5, 5}, POINT{80, 60}, POINT{150, 110}})
            EXPECT_TRUE(Near(BitmapPixel(picture.get(), p.x, p.y), SecondColour(number))) << p.x << "," << p.y;
        picture.reset();
        CopyFileA(frame.c_str(), (TestOutputDir("media") + "\\" + written[0]).c_str(), FALSE);
        DeleteFileA(frame.c_str());
    }
}

TEST_F(MediaToolTest, AClipShorterThanASecondGivesItsFirstFrameWhereverTheSliderIs) {
    MediaTool tool;
    Open(tool, "short.avi");
    tool.Seek(80);  // 0.48 s: a green frame
    long number = tool.Number();
    EXPECT_NEAR(number, 4800000L, 400000L);
    std::unique_ptr<Pending> save = tool.ClickLater(IDC_SAVE);
    ASSERT_TRUE(tool.WaitForExit(60000, nullptr));
    std::string frame = out_.File("short " + std::to_string(number) + ".bmp");
    UniqueBitmap picture(
        (HBITMAP)LoadImageA(nullptr, frame.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    ASSERT_TRUE(picture) << frame;
    EXPECT_TRUE(Near(BitmapPixel(picture.get(), 80, 60), RGB(255, 0, 0)));
}

TEST_F(MediaToolTest, SaveWithAnEmptyNumberFieldAsksForANameAndKeepsTheWindow) {
    MediaTool tool;
    Open(tool, "clip_mjpeg.avi");
    SendMessageA(tool.Control(IDC_POSITION_NUMBER), WM_SETTEXT, 0, (LPARAM)"");
    std::unique_ptr<Pending> save = tool.ClickLater(IDC_SAVE);
    MessageBoxSeen box = WaitForProcessDialog(tool.program().pid(), kTitle, [](HWND w) { return !HasPlayButton(w); },
                                              save.get(), 20000);
    ASSERT_NE(box.box, nullptr);
    EXPECT_EQ(box.text, "Please enter a name for the file.");
    EXPECT_TRUE(AnswerDialog(box, IDOK));
    EXPECT_TRUE(save->Wait(10000));
    EXPECT_TRUE(IsWindowVisible(tool.window()));
    EXPECT_EQ(tool.Text(IDC_STATUS), "PAUSED") << "Save pauses first";
    EXPECT_TRUE(Bitmaps(out_.path()).empty());
    tool.Click(IDC_CLOSEBUTTON);
    ASSERT_TRUE(tool.WaitForExit(20000, nullptr));
}

TEST_F(MediaToolTest, TheEndStopsUnlessLoopIsOn) {
    MediaTool tool;
    Open(tool, "short.avi");
    EXPECT_EQ(tool.Text(IDC_DURATION), "00m:00.600s");
    tool.Click(IDC_PLAY);
    EXPECT_TRUE(tool.WaitForStatus("Stopped", 10000)) << "the end of the clip does not stop it";
    EXPECT_EQ(tool.Text(IDC_POSITION_NUMBER), "0");

    tool.Click(IDC_LOOP);
    EXPECT_EQ(SendMessageA(tool.Control(IDC_LOOP), BM_GETCHECK, 0, 0), BST_CHECKED);
    tool.Click(IDC_PLAY);
    // Three rounds of the clip: still playing, the position back under its end.
    Sleep(2000);
    EXPECT_EQ(tool.Text(IDC_STATUS), "Running...");
    long seen[6];
    for (long &n : seen) {
        n = tool.Number();
        Sleep(120);
    }
    bool moved = false;
    for (int i = 1; i < 6; ++i) moved = moved || seen[i] != seen[0];
    EXPECT_TRUE(moved) << "the timer stopped at the end: " << seen[0] << " " << seen[5];
    // A reading may come a little after the end, before the round begins again.
    for (long n : seen) EXPECT_LT(n, kSecond);
    tool.Click(IDC_CLOSEBUTTON);
    ASSERT_TRUE(tool.WaitForExit(20000, nullptr));
}

TEST_F(MediaToolTest, ButtonsShowTheirIconsAndTips) {
    MediaTool tool;
    Open(tool, "clip_raw.avi");
    for (int id : {IDC_PLAY, IDC_PAUSE, IDC_STOP, IDC_FRAMESTEP, IDC_HELPBUTTON, IDC_CLOSEBUTTON})
        EXPECT_NE(SendMessageA(tool.Control(id), BM_GETIMAGE, IMAGE_ICON, 0), 0) << id;
    struct Tip {
        int id;
        const char *text;
    } tips[] = {{IDC_PLAY, "Play"}, {IDC_STOP, "Stop"}, {IDC_CLOSEBUTTON, "Close"}};
    for (const Tip &t : tips) {
        RECT r;
        GetClientRect(tool.Control(t.id), &r);
        EXPECT_EQ(tool.program().HoverTip(tool.Control(t.id), POINT{r.right / 2, r.bottom / 2}), t.text);
    }
    tool.Click(IDC_CLOSEBUTTON);
    ASSERT_TRUE(tool.WaitForExit(20000, nullptr));
}

}  // namespace
