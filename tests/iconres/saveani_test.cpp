// SaveANI of GYdib: the animated cursor it writes from the frame paths in a
// window's list 1398, read back by our reader and animated by Wine's own
// loader (frames counted with GetCursorFrameInfo, steps drawn with DrawIconEx).
#include <gtest/gtest.h>

#include <string>

#include "contracts/gydib.h"
#include "iconres/iconlist.h"
#include "iconres/loaders.h"
#include "tests/common/testutil_win.h"
#include "tests/iconres/fixtures.h"
#include "tests/iconres/host_win.h"

namespace {

const uint32_t kColours[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF};

void KeepCopy(const std::string &path) {
    std::string dir = TestOutputDir("iconres");
    CopyFileA(path.c_str(), (dir + "\\" + path.substr(path.find_last_of('\\') + 1)).c_str(), FALSE);
}

class SaveAniTest : public ::testing::Test {
protected:
    SaveAniTest() : dir_("saveani"), temp_("saveani-temp"), tempScope_(temp_.path() + "\\") {}
    std::vector<std::string> MakeFrames(int n) {
        std::vector<std::string> paths;
        for (int i = 0; i < n; ++i) {
            char name[32];
            snprintf(name, sizeof name, "GY%04d.ico", i);
            paths.push_back(dir_.File(name));
            EXPECT_TRUE(WriteBytes(paths.back(), SolidIcon(kColours[i % 5])));
        }
        host_.SetFramePaths(paths);
        return paths;
    }
    HostWindow host_;
    ScratchDir dir_, temp_;
    TempFolderScope tempScope_;
};

// user32's frame query: the rate of a step in jiffies and the step count.
typedef HCURSOR(WINAPI *FrameInfoFn)(HCURSOR, DWORD, DWORD, DWORD *, DWORD *);

TEST_F(SaveAniTest, RoundTripThroughOurReaderAndWinesLoader) {
    std::vector<std::string> frames = MakeFrames(5);
    std::string path = dir_.File("globe.ani");
    ASSERT_TRUE(SaveANI(host_.get(), path.c_str(), 5, 7, "Spinning globe", "Glyphery"));

    std::vector<uint8_t> file = ReadFileBytes(path);
    AniContents ani;
    std::string error;
    ASSERT_TRUE(ParseAniFile(file.data(), file.size(), &ani, &error)) << error;
    EXPECT_EQ(ani.header.frames, 5u);
    EXPECT_EQ(ani.header.steps, 5u);
    EXPECT_EQ(ani.header.rate, 7u);
    EXPECT_EQ(ani.header.flags & kAniFlagIcon, kAniFlagIcon);
    EXPECT_EQ(ani.title, "Spinning globe");
    EXPECT_EQ(ani.author, "Glyphery");
    ASSERT_EQ(ani.frames.size(), 5u);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(std::vector<uint8_t>(file.begin() + ani.frames[i].offset,
                                       file.begin() + ani.frames[i].offset + ani.frames[i].size),
                  ReadFileBytes(frames[i]));
    KeepCopy(path);

    // Our loader lists the five steps with their frames' colours.
    ResetIconList(host_.get());
    ASSERT_EQ(LoadAnimatedCursor(host_.get(), path.c_str()), 1);
    ASSERT_EQ(IconListCount, 5);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(DrawnCentreColour((HICON)IconListValue(host_.get(), i)), kColours[i]);
    EXPECT_STREQ(LastAniTitle(), "Spinning globe");
    EXPECT_STREQ(LastAniAuthor(), "Glyphery");
    for (const AnimationStep &s : LastAnimationSteps()) EXPECT_EQ(s.rate, 7u);

    // Wine's loader animates it: five steps of 7 jiffies, each drawing its frame.
    HCURSOR cursor = LoadCursorFromFileA(path.c_str());
    ASSERT_NE(cursor, nullptr);
    FrameInfoFn frameInfo = (FrameInfoFn)GetProcAddress(GetModuleHandleA("user32.dll"), "GetCursorFrameInfo");
    ASSERT_NE(frameInfo, nullptr);
    DWORD rate = 0, steps = 0;
    ASSERT_NE(frameInfo(cursor, 0, 0, &rate, &steps), nullptr);
    EXPECT_EQ(steps, 5u);
    EXPECT_EQ(rate, 7u);
    for (UINT s = 0; s < 5; ++s) EXPECT_EQ(DrawnCentreColour(cursor, s), kColours[s]) << s;
    DestroyCursor(cursor);
    HANDLE image = LoadImageA(nullptr, path.c_str(), IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE);
    EXPECT_NE(image, nullptr);
    if (image) DestroyCursor((HCURSOR)image);
}

TEST_F(SaveAniTest, SpeedZeroIsStoredAsFiveJiffies) {
    MakeFrames(2);
    std::string path = dir_.File("zero.ani");
    ASSERT_TRUE(SaveANI(host_.get(), path.c_str(), 2, 0, "", ""));
    std::vector<uint8_t> file = ReadFileBytes(path);
    AniContents ani;
    std::string error;
    ASSERT_TRUE(ParseAniFile(file.data(), file.size(), &ani, &error)) << error;
    EXPECT_EQ(ani.header.rate, kAniDefaultSpeed);
    EXPECT_TRUE(ani.title.empty());
    // A speed above the spin's range is kept as given.
    ASSERT_TRUE(SaveANI(host_.get(), path.c_str(), 2, 60, "t", "a"));
    file = ReadFileBytes(path);
    ASSERT_TRUE(ParseAniFile(file.data(), file.size(), &ani, &error)) << error;
    EXPECT_EQ(ani.header.rate, 60u);
}

TEST_F(SaveAniTest, UnreadableFramesAreLeftOutAndNoFramesWriteNothing) {
    std::vector<std::string> frames = MakeFrames(3);
    DeleteFileA(frames[1].c_str());
    std::string path = dir_.File("gap.ani");
    ASSERT_TRUE(SaveANI(host_.get(), path.c_str(), 3, 4, "gap", ""));
    std::vector<uint8_t> file = ReadFileBytes(path);
    AniContents ani;
    std::string error;
    ASSERT_TRUE(ParseAniFile(file.data(), file.size(), &ani, &error)) << error;
    EXPECT_EQ(ani.frames.size(), 2u);
    EXPECT_EQ(ani.header.steps, 2u);

    // Only the first `frames` paths are used.
    ASSERT_TRUE(SaveANI(host_.get(), path.c_str(), 1, 4, "", ""));
    file = ReadFileBytes(path);
    ASSERT_TRUE(ParseAniFile(file.data(), file.size(), &ani, &error)) << error;
    EXPECT_EQ(ani.frames.size(), 1u);

    host_.SetFramePaths({dir_.File("none0.ico"), dir_.File("none1.ico")});
    std::string none = dir_.File("none.ani");
    EXPECT_FALSE(SaveANI(host_.get(), none.c_str(), 2, 4, "", ""));
    EXPECT_FALSE(FileExists(none));
    MakeFrames(2);
    EXPECT_FALSE(SaveANI(host_.get(), dir_.File("no-such-folder\\x.ani").c_str(), 2, 4, "", ""));
}

}  // namespace
