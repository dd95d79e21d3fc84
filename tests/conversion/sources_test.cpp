// Source kinds and the names a conversion forms.
#include <gtest/gtest.h>

#include "conversion/sources.h"

namespace {

TEST(SourceKind, MpegAndRawExtensionsInAnyCase) {
    for (const char *p : {"C:\\v\\clip.mpg", "clip.MPG", "a.mpeg", "a.M1V", "a.m2v", "a.m75", "a.m1s", "a.mpgx"})
        EXPECT_EQ(ClassifySource(p), kMpegSource) << p;
    for (const char *p : {"a.CRW", "a.cr2", "a.wbz", "a.wb1", "a.nef", "a.orf", "a.bay", "a.cs1", "a.wpg", "a.DNG",
                          "a.arw", "a.raf", "a.RW2", "a.pef", "a.srw"})
        EXPECT_EQ(ClassifySource(p), kRawSource) << p;
    for (const char *p : {"a.jpg", "a.PNG", "a.mp4", "a.mp", "noext", "dir.mpg\\file.bmp"})
        EXPECT_EQ(ClassifySource(p), kStillSource) << p;
}

// The raw decoder's entry: ".wbz" 2, ".wb1" 3, every other raw extension 1, in any case.
TEST(SourceKind, RawDecoderEntryByExtension) {
    const struct {
        const char *path;
        int entry;
    } cases[] = {{"C:\\a\\p.wbz", 2}, {"p.WBZ", 2}, {"p.wb1", 3}, {"p.WB1", 3}, {"p.CRW", 1}, {"p.dng", 1},
                 {"p.nef", 1},       {"p.wpg", 1}, {"p.jpg", 0}, {"p.mpg", 0}, {"wbz", 0}};
    for (const auto &c : cases) EXPECT_EQ(RawDecoderEntry(c.path), c.entry) << c.path;
}

// The frame extractor's two names, the frame icons and the cursor test's file.
TEST(Names, ClipFramesFrameIconsAndTheCursorTestsFile) {
    EXPECT_EQ(MpegFrameBitmap("C:\\temp\\", "clip", 7), "C:\\temp\\GYclip_0007.bmp");
    EXPECT_EQ(AniFrameBitmap("C:\\temp\\", 12), "C:\\temp\\GY_0012.bmp");
    EXPECT_EQ(AniFrameIcon("C:\\temp\\", 3), "C:\\temp\\GY0003.ico");
    EXPECT_EQ(CursorTestAni("C:\\temp\\"), "C:\\temp\\GY.ani");
    EXPECT_EQ(AniOutputPath("D:\\out\\", "spin"), "D:\\out\\spin.ani");
    EXPECT_EQ(MpegFrameBitmap("C:\\temp\\", std::string(250, 'c'), 0), "");
    EXPECT_EQ(AniFrameIcon(std::string(255, 't'), 0), "");
}

TEST(Names, RenderedBitmapsAndOutputsCollapseBackslashes) {
    EXPECT_EQ(RenderedBitmapName("C:\\temp\\", "pic", -1, 16, 4), "BMP3:C:\\temp\\pic_16_4.bmp");
    EXPECT_EQ(RenderedBitmapName("C:\\temp\\", "clip", 3, 32, 24), "BMP3:C:\\temp\\clip_0003_32_24.bmp");
    EXPECT_EQ(OutputPath("D:\\out\\", "pic", -1, 1), "D:\\out\\pic.ico");
    EXPECT_EQ(OutputPath("D:\\out", "pic", -1, 2), "D:\\out\\pic.cur");
    EXPECT_EQ(OutputPath("D:\\out", "pic", -1, 4), "D:\\out\\pic.ico");
    EXPECT_EQ(OutputPath("D:\\out", "clip", 2, 2), "D:\\out\\clip_0002.cur");
    EXPECT_EQ(ProfileImagePath("D:\\out\\\\", "pic"), "D:\\out\\pic.bmp");
    // On a network folder the names stay network paths.
    EXPECT_EQ(OutputPath("\\\\srv\\share\\out\\", "pic", -1, 1), "\\\\srv\\share\\out\\pic.ico");
    EXPECT_EQ(ProfileImagePath("\\\\srv\\share", "pic"), "\\\\srv\\share\\pic.bmp");
    EXPECT_EQ(RenderedBitmapName("\\\\srv\\tmp\\", "pic", -1, 16, 4), "BMP3:\\\\srv\\tmp\\pic_16_4.bmp");
}

TEST(Names, TooLongForAPathIsRefused) {
    std::string longBase(250, 'a');
    EXPECT_EQ(OutputPath("C:\\out", longBase, -1, 1), "");
    EXPECT_EQ(RenderedBitmapName("C:\\temp\\", longBase, -1, 16, 4), "");
    EXPECT_EQ(OutputPath("C:\\out", std::string(240, 'a'), -1, 1).size(), 251u);
}

TEST(Names, StatusTexts) {
    EXPECT_EQ(FrameStatus(0, 1), "Frame #0 / 1");
    EXPECT_EQ(FrameIconStatus(0, 1), "Frame #0 / 1  Icon 0");
}

}  // namespace
