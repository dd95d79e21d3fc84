// MPEG clips and camera raw files from the real main program: a clip becomes
// one icon per frame, a raw file an icon, "Animated Cursor" on a clip opens
// the builder on its frames and writes the .ani the user names, and the
// cursor test writes and previews the clip's animated cursor at once.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "common/handles.h"
#include "iconres/anifile.h"
#include "iconres/resource.h"
#include "shell/resource.h"
#include "tests/common/testutil_win.h"
#include "tests/e2e/driver.h"
#include "tests/media/media_fixtures.h"

namespace {

const DWORD kConvertMs = 180000;
const int kBox32x4 = 1355;  // the format box of 32 x 32 at 4 bits

std::string DialogText(HWND dialog, int id) {
    char buf[256] = "";
    GetDlgItemTextA(dialog, id, buf, sizeof buf);
    return buf;
}

class ClipsEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        for (const std::string &dir : {in_, out_, temp_}) ASSERT_TRUE(CreateDirectoryA(dir.c_str(), nullptr));
        for (const char *name : {"clip1.mpg", "clip2.mpeg", "quad.dng"})
            ASSERT_TRUE(CopyFileA(MediaInput(name).c_str(), (in_ + "\\" + name).c_str(), FALSE)) << name;
        PutSetting("installPath", BinFolder());
        PutSetting("pathLaunch", in_);
        PutSetting("pathSave", out_);
        PutSetting("current_format", 1);
        PutSetting("formatIn", (DWORD)0);  // "All formats": the list offers "Animated Cursor"
        PutSetting("display_icon", (DWORD)0);
        ASSERT_TRUE(program_.Start());
        ASSERT_NE(program_.WaitForMainWindow(), nullptr) << "no main window";
    }
    // A kind chosen in the list clears the format choice: the box comes after it.
    void ChooseKind(const char *kind) {
        program_.SelectCreateAs(kind);
        program_.Check(kBox32x4);
    }
    void TearDown() override {
        if (!program_.Running()) return;
        std::unique_ptr<Pending> close = program_.Command(IDM_CLOSE);
        program_.WaitForExit(20000);
    }
    std::string Out(const std::string &name) const { return out_ + "\\" + name; }

    SettingsKeyScope settings_;
    ScratchDir scratch_{"e2e-clips"};
    std::string in_ = scratch_.File("in"), out_ = scratch_.File("out"), temp_ = scratch_.File("temp");
    TempFolderScope tempScope_{temp_};  // the program inherits it
    MainProgram program_;
};

TEST_F(ClipsEndToEnd, AClipConvertsFrameByFrameAndARawFileToAnIcon) {
    ChooseKind("Icon");
    program_.TypeFileName("\"clip1.mpg\" \"quad.dng\"");
    std::unique_ptr<Pending> click = program_.Click(IDC_CONVERT);
    MessageBoxSeen box = program_.WaitForMessageBox(click.get(), kConvertMs);
    EXPECT_EQ(box.box, nullptr) << box.text;
    ASSERT_TRUE(click->Wait(kConvertMs));
    for (const char *name : {"clip1_0000.ico", "clip1_0001.ico", "clip1_0002.ico", "clip1_0003.ico", "quad.ico"}) {
        UniqueIcon icon((HICON)LoadImageA(nullptr, Out(name).c_str(), IMAGE_ICON, 32, 32, LR_LOADFROMFILE));
        EXPECT_TRUE(icon) << name;
    }
    EXPECT_FALSE(FileExists(Out("clip1_0004.ico")));
}

TEST_F(ClipsEndToEnd, AnimatedCursorFromAClipThroughTheBuilder) {
    ChooseKind("Animated Cursor");
    program_.TypeFileName("clip2.mpeg");
    std::unique_ptr<Pending> click = program_.Click(IDC_CONVERT);
    MessageBoxSeen builder = WaitForProcessDialog(program_.pid(), "ANI", {}, click.get(), kConvertMs);
    ASSERT_NE(builder.box, nullptr) << "the builder did not open";
    EXPECT_EQ(DialogText(builder.box, IDC_ANI_STATUS), "4 cursors\nClick OK to create the file.");
    EXPECT_EQ(DialogText(builder.box, IDC_ANI_NAME), "clip2");
    EXPECT_EQ(SendDlgItemMessageA(builder.box, IDC_ANI_FRAMES, LVM_GETITEMCOUNT, 0, 0), 4);
    EXPECT_TRUE(SaveShot(builder.box, "anibuilder_from_clip.bmp"));
    SetDlgItemTextA(builder.box, IDC_ANI_NAME, "spinner");
    SetDlgItemTextA(builder.box, IDC_ANI_SPEED, "8");
    PostMessageA(builder.box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(builder.box, IDOK));
    MessageBoxSeen done = program_.WaitForMessageBox(click.get(), 30000);
    EXPECT_EQ(done.text, "The animated cursor spinner has been created under the folder " + out_ + ".");
    program_.Answer(done, IDOK);
    ASSERT_TRUE(click->Wait(kConvertMs));
    UniqueIcon cursor((HICON)LoadCursorFromFileA(Out("spinner.ani").c_str()));
    EXPECT_TRUE(cursor);
    std::vector<uint8_t> bytes = ReadFileBytes(Out("spinner.ani"));
    AniContents contents;
    std::string error;
    ASSERT_TRUE(ParseAniFile(bytes.data(), bytes.size(), &contents, &error)) << error;
    EXPECT_EQ(contents.frames.size(), 4u);
    EXPECT_EQ(contents.header.rate, 8u);  // the speed typed
    EXPECT_EQ(contents.author, "Glyphery");
    EXPECT_FALSE(FileExists(temp_ + "\\GY0000.ico"));  // the frame icons are gone
}

TEST_F(ClipsEndToEnd, TheCursorTestPlaysTheClipsAnimatedCursor) {
    ChooseKind("Animated Cursor");
    program_.TypeFileName("clip2.mpeg");
    std::unique_ptr<Pending> click = program_.Click(IDC_TEST);
    MessageBoxSeen box = program_.WaitForMessageBox(click.get(), kConvertMs);
    EXPECT_EQ(box.box, nullptr) << box.text;
    ASSERT_TRUE(click->Wait(kConvertMs));
    EXPECT_TRUE(FileExists(temp_ + "\\GY.ani"));
    EXPECT_EQ(program_.Text(IDC_TEST), "Stop Test");
    // The window's class cursor is the animated one: four frames.
    HCURSOR shown = (HCURSOR)GetClassLongPtrA(program_.browser(), GCLP_HCURSOR);
    EXPECT_NE(shown, LoadCursor(nullptr, IDC_ARROW));
    program_.Click(IDC_TEST)->Wait(10000);
    EXPECT_EQ(program_.Text(IDC_TEST), "Test");
}

}  // namespace
