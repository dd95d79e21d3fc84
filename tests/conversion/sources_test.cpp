// Source kinds and the names a conversion forms.
#include <gtest/gtest.h>

#include "conversion/sources.h"

namespace {

TEST(SourceKind, MpegAndRawExtensionsInAnyCase) {
    for (const char *p : {"C:\\v\\clip.mpg", "clip.MPG", "a.mpeg", "a.M1V", "a.m2v", "a.m75", "a.m1s", "a.mpgx"})
        EXPECT_EQ(ClassifySource(p), kMpegSource) << p;
    for (const char *p : {"a.CRW", "a.cr2", "a.wbz", "a.wb1", "a.nef", "a.orf", "a.bay", "a.cs1", "a.wpg"})
        EXPECT_EQ(ClassifySource(p), kRawSource) << p;
    for (const char *p : {"a.jpg", "a.PNG", "a.mp4", "a.mp", "noext", "dir.mpg\\file.bmp"})
        EXPECT_EQ(ClassifySource(p), kStillSource) << p;
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
