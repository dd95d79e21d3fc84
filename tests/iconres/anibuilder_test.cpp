// The animated cursor builder (dialog 297) run modally and driven from a
// timer of the test: defaults, frames, status, the name check, the preview
// speed, Help, Cancel and OK writing "<target>\<name>.ani".
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>

#include "common/paths.h"
#include "common/seams.h"
#include "iconres/anibuilder.h"
#include "iconres/anifile.h"
#include "iconres/resource.h"
#include "tests/common/testutil_win.h"
#include "tests/iconres/fixtures.h"
#include "tests/iconres/host_win.h"

namespace {

std::function<void(HWND)> g_script;
HWND g_seen = nullptr;

// Runs the script once the dialog is up, from inside its modal loop.
void CALLBACK RunScript(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = FindOwnWindow("#32770", "ANI");
    if (!dialog || !IsWindowVisible(dialog)) return;
    KillTimer(nullptr, id);
    g_seen = dialog;
    std::function<void(HWND)> script;
    script.swap(g_script);
    script(dialog);
}

std::string Text(HWND dialog, int id) {
    char buf[512] = {0};
    GetDlgItemTextA(dialog, id, buf, sizeof buf);
    return buf;
}

void Click(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

std::string ItemText(HWND view, int i) {
    char buf[64] = {0};
    LVITEMA item = {};
    item.iSubItem = 0;
    item.pszText = buf;
    item.cchTextMax = sizeof buf;
    SendMessageA(view, LVM_GETITEMTEXTA, (WPARAM)i, (LPARAM)&item);
    return buf;
}

BOOL WINAPI RecordHelp(HWND, LPCSTR file, UINT command, ULONG_PTR data);
std::string g_helpFile;
UINT g_helpCommand = 0;
ULONG_PTR g_helpData = 0;
BOOL WINAPI RecordHelp(HWND, LPCSTR file, UINT command, ULONG_PTR data) {
    g_helpFile = file ? file : "";
    g_helpCommand = command;
    g_helpData = data;
    return TRUE;
}

class AniBuilderTest : public ::testing::Test {
protected:
    AniBuilderTest() : temp_("anibuilder-temp"), target_("anibuilder-target"), tempScope_(temp_.path() + "\\") {
        InitCommonControls();
    }
    void MakeFrames(int n) {
        for (int i = 0; i < n; ++i) {
            char name[32];
            snprintf(name, sizeof name, "GY%04d.ico", i);
            ASSERT_TRUE(WriteBytes(temp_.File(name), SolidIcon(0x102030 * (i + 1) & 0xFFFFFF)));
        }
    }
    INT_PTR Run(int frames, std::function<void(HWND)> script) {
        request_ = {frames, 32, "C:\\videos\\clip.take2.mpg", target_.path().c_str(), "C:\\glyphery\\Glypherye.hlp", ""};
        g_script = std::move(script);
        g_seen = nullptr;
        UINT_PTR timer = SetTimer(nullptr, 0, 50, RunScript);
        INT_PTR result = RunAniBuilder(GetModuleHandleA(nullptr), nullptr, &request_);
        KillTimer(nullptr, timer);  // when the dialog never opened
        g_script = nullptr;
        return result;
    }
    ScratchDir temp_, target_;
    TempFolderScope tempScope_;
    AniBuilderRequest request_;
};

TEST_F(AniBuilderTest, OpensWithDefaultsTwelveFramesAndTheStatusText) {
    MakeFrames(12);
    INT_PTR result = Run(12, [&](HWND d) {
        EXPECT_EQ(Text(d, IDC_ANI_STATUS), "12 cursors\nClick OK to create the file.");
        EXPECT_EQ(Text(d, IDC_ANI_NAME), "clip.take2");
        EXPECT_EQ(Text(d, IDC_ANI_TITLE), "");
        EXPECT_EQ(Text(d, IDC_ANI_AUTHOR), "Glyphery");
        EXPECT_EQ(Text(d, IDC_ANI_SPEED), "0");
        EXPECT_EQ(Text(d, IDC_ANI_JIFFY_NOTE), "(One jif = 1/60th of a second)");
        EXPECT_EQ(Text(d, IDC_ANI_NAME_LABEL), "Name:");
        EXPECT_EQ(Text(d, IDC_ANI_SPEED_LABEL), "Speed:");
        EXPECT_EQ(Text(d, IDC_ANI_HELP), "&Help");
        HWND spin = GetDlgItem(d, IDC_ANI_SPIN);
        char cls[64];
        GetClassNameA(spin, cls, sizeof cls);
        EXPECT_STREQ(cls, "msctls_updown32");
        EXPECT_EQ(Text(d, IDC_ANI_SPIN), "Spin1");
        EXPECT_EQ((HWND)SendMessageA(spin, UDM_GETBUDDY, 0, 0), GetDlgItem(d, IDC_ANI_SPEED));
        int lo = 0, hi = 0;
        SendMessageA(spin, UDM_GETRANGE32, (WPARAM)&lo, (LPARAM)&hi);
        EXPECT_EQ(lo, 1);
        EXPECT_EQ(hi, 50);
        EXPECT_EQ(SendDlgItemMessageA(d, IDC_ANI_NAME, EM_GETLIMITTEXT, 0, 0), 79);

        HWND view = GetDlgItem(d, IDC_ANI_FRAMES);
        ASSERT_EQ(SendMessageA(view, LVM_GETITEMCOUNT, 0, 0), 12);
        EXPECT_EQ(ItemText(view, 0), "01");
        EXPECT_EQ(ItemText(view, 11), "12");
        HIMAGELIST images = (HIMAGELIST)SendMessageA(view, LVM_GETIMAGELIST, LVSIL_NORMAL, 0);
        EXPECT_EQ(ImageList_GetImageCount(images), 12);
        int cx = 0, cy = 0;
        ImageList_GetIconSize(images, &cx, &cy);
        EXPECT_EQ(cx, 32);
        HWND paths = GetDlgItem(d, IDC_ANI_PATHS);
        EXPECT_FALSE(IsWindowVisible(paths));
        ASSERT_EQ(SendMessageA(paths, LB_GETCOUNT, 0, 0), 12);
        char p[MAX_PATH];
        SendMessageA(paths, LB_GETTEXT, 11, (LPARAM)p);
        EXPECT_EQ(std::string(p), temp_.File("GY0011.ico"));
        HWND preview = GetDlgItem(d, IDC_ANI_PREVIEW);
        EXPECT_TRUE(IsWindowVisible(preview));
        EXPECT_EQ(GetWindowLongA(preview, GWL_STYLE) & SS_TYPEMASK, SS_ICON);
        EXPECT_NE(SendMessageA(preview, STM_GETICON, 0, 0), 0);
        EXPECT_NE(SendDlgItemMessageA(d, IDC_ANI_PLAY, BM_GETIMAGE, IMAGE_ICON, 0), 0);
        EXPECT_NE(SendDlgItemMessageA(d, IDC_ANI_STOP, BM_GETIMAGE, IMAGE_ICON, 0), 0);
        RECT r;
        GetClientRect(d, &r);
        RECT units = {0, 0, 177, 239};
        MapDialogRect(d, &units);
        EXPECT_EQ(r.right, units.right);
        EXPECT_EQ(r.bottom, units.bottom);
        EXPECT_TRUE(SaveWindowShot(d, TestOutputDir("screenshots") + "\\anibuilder.bmp"));
        Click(d, IDCANCEL);
    });
    EXPECT_NE(g_seen, nullptr);
    EXPECT_EQ(result, 0);
}

TEST_F(AniBuilderTest, EmptyNameIsRefusedAndOkWritesTheFileUnderTheTargetFolder) {
    MakeFrames(3);
    MessageRecorder recorder;
    INT_PTR result = Run(3, [&](HWND d) {
        SetDlgItemTextA(d, IDC_ANI_NAME, "");
        Click(d, IDOK);
        ASSERT_EQ(recorder.calls().size(), 1u);
        EXPECT_EQ(recorder.calls()[0].text, "Please give a name to this animated cursor...");
        EXPECT_EQ(recorder.calls()[0].caption, "Glyphery");
        EXPECT_EQ(recorder.calls()[0].flags & MB_ICONMASK, (UINT)MB_ICONINFORMATION);
        EXPECT_EQ(GetFocus(), GetDlgItem(d, IDC_ANI_NAME));
        EXPECT_TRUE(IsWindow(d));

        SetDlgItemTextA(d, IDC_ANI_NAME, "walker");
        SetDlgItemTextA(d, IDC_ANI_TITLE, "Walking man");
        SetDlgItemTextA(d, IDC_ANI_AUTHOR, "Ann");
        SetDlgItemTextA(d, IDC_ANI_SPEED, "12");
        Click(d, IDOK);
    });
    EXPECT_EQ(result, 1);
    ASSERT_EQ(recorder.calls().size(), 2u);
    EXPECT_EQ(recorder.calls()[1].text,
              "The animated cursor walker has been created under the folder " + target_.path() + ".");
    std::vector<uint8_t> file = ReadFileBytes(target_.File("walker.ani"));
    AniContents ani;
    std::string error;
    ASSERT_TRUE(ParseAniFile(file.data(), file.size(), &ani, &error)) << error;
    EXPECT_EQ(ani.frames.size(), 3u);
    EXPECT_EQ(ani.header.rate, 12u);
    EXPECT_EQ(ani.title, "Walking man");
    EXPECT_EQ(ani.author, "Ann");
}

TEST_F(AniBuilderTest, PreviewSpeedZeroOrAboveFiftyPlaysAtFiveAndTheFileKeepsWhatWasTyped) {
    MakeFrames(2);
    MessageRecorder recorder;
    INT_PTR result = Run(2, [&](HWND d) {
        Click(d, IDC_ANI_PLAY);
        EXPECT_EQ(AniPreviewPeriod(), 80u);
        SetDlgItemTextA(d, IDC_ANI_SPEED, "60");
        Click(d, IDC_ANI_PLAY);
        EXPECT_EQ(AniPreviewPeriod(), 80u);
        SetDlgItemTextA(d, IDC_ANI_SPEED, "3");
        Click(d, IDC_ANI_PLAY);
        EXPECT_EQ(AniPreviewPeriod(), 48u);
        // Ticks walk the frames and wrap to the first.
        EXPECT_EQ(AniPreviewPosition(), 1);
        SendMessageA(d, WM_TIMER, kAniPreviewTimer, 0);
        EXPECT_EQ(AniPreviewPosition(), 0);
        SendMessageA(d, WM_TIMER, kAniPreviewTimer, 0);
        EXPECT_EQ(AniPreviewPosition(), 1);
        Click(d, IDC_ANI_STOP);
        SetDlgItemTextA(d, IDC_ANI_SPEED, "60");
        SetDlgItemTextA(d, IDC_ANI_NAME, "fast");
        Click(d, IDOK);
    });
    EXPECT_EQ(result, 1);
    std::vector<uint8_t> file = ReadFileBytes(target_.File("fast.ani"));
    AniContents ani;
    std::string error;
    ASSERT_TRUE(ParseAniFile(file.data(), file.size(), &ani, &error)) << error;
    EXPECT_EQ(ani.header.rate, 60u);
}

TEST_F(AniBuilderTest, HelpOpensContext202AndAFailedWriteKeepsTheDialogOpen) {
    MakeFrames(1);
    MessageRecorder recorder;
    HelpOpener old = SetHelpOpener(RecordHelp);
    INT_PTR result = Run(1, [&](HWND d) {
        Click(d, IDC_ANI_HELP);
        EXPECT_EQ(g_helpFile, "C:\\glyphery\\Glypherye.hlp");
        EXPECT_EQ(g_helpCommand, (UINT)HELP_CONTEXT);
        EXPECT_EQ(g_helpData, 202u);
        // A name the file system refuses: no file, so no success message.
        SetDlgItemTextA(d, IDC_ANI_NAME, "no\\such\\folder");
        Click(d, IDOK);
        ASSERT_EQ(recorder.calls().size(), 1u);
        EXPECT_EQ(recorder.calls()[0].flags & MB_ICONMASK, (UINT)MB_ICONSTOP);
        EXPECT_NE(recorder.calls()[0].text.find("could not be created"), std::string::npos);
        EXPECT_TRUE(IsWindow(d));
        Click(d, IDCANCEL);
    });
    SetHelpOpener(old);
    EXPECT_EQ(result, 0);
}

// The speed's arrows, clicked as a user clicks them, step the box within 1 to 50.
TEST_F(AniBuilderTest, TheSpeedArrowsStepTheSpeed) {
    MakeFrames(1);
    INT_PTR result = Run(1, [&](HWND d) {
        HWND spin = GetDlgItem(d, IDC_ANI_SPIN);
        RECT r;
        GetClientRect(spin, &r);
        auto clickArrow = [&](bool up) {
            LPARAM at = MAKELPARAM(r.right / 2, up ? r.bottom / 4 : r.bottom * 3 / 4);
            SendMessageA(spin, WM_LBUTTONDOWN, MK_LBUTTON, at);
            SendMessageA(spin, WM_LBUTTONUP, 0, at);
        };
        SetDlgItemTextA(d, IDC_ANI_SPEED, "7");
        clickArrow(true);
        EXPECT_EQ(Text(d, IDC_ANI_SPEED), "8");
        clickArrow(false);
        clickArrow(false);
        EXPECT_EQ(Text(d, IDC_ANI_SPEED), "6");
        SetDlgItemTextA(d, IDC_ANI_SPEED, "50");
        clickArrow(true);
        EXPECT_EQ(Text(d, IDC_ANI_SPEED), "50");
        Click(d, IDCANCEL);
    });
    EXPECT_EQ(result, 0);
}

// Frame files whose names would not fit a path are not opened under a cut name.
TEST_F(AniBuilderTest, FrameNamesTooLongForAPathAreRefused) {
    std::string longTemp = "C:\\" + std::string(250, 't') + "\\";
    SetTempFolderOverride(longTemp.c_str());
    INT_PTR result = Run(1, [&](HWND d) { Click(d, IDCANCEL); });
    SetTempFolderOverride(nullptr);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(g_seen, nullptr);
}

}  // namespace
