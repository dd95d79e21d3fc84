// Glyphery.exe converting a picture with transparency, as a user does it:
// the icon it writes is clear wherever the picture is, at every depth.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "shell/resource.h"
#include "tests/common/testutil_win.h"
#include "tests/e2e/driver.h"

namespace {

const DWORD kConvertMs = 120000;

class AlphaEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CreateDirectoryA(in_.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA(out_.c_str(), nullptr));
        // A blue disc with a white square on a transparent ground (made by
        // the conversion tests' input script).
        std::string picture = TestOutputDir("conversion-inputs") + "\\alpha.png";
        ASSERT_TRUE(CopyFileA(picture.c_str(), (in_ + "\\logo.png").c_str(), FALSE)) << picture;
        PutSetting("installPath", BinFolder());
        PutSetting("pathLaunch", in_);
        PutSetting("pathSave", out_);
        PutSetting("current_format", 1);
        PutSetting("transparent", (DWORD)0);
    }

    SettingsKeyScope settings_;
    ScratchDir scratch_{"e2e-alpha"};
    std::string in_ = scratch_.File("in"), out_ = scratch_.File("out");
    MainProgram program_;
};

TEST_F(AlphaEndToEndTest, TransparentPngBecomesAnIconWithClearCorners) {
    ASSERT_TRUE(program_.Start());
    ASSERT_NE(program_.WaitForMainWindow(), nullptr) << "no main window";
    const int boxes[] = {1039, 1041, 1356, 1362, 1363};  // 16 x 16 at 1 and 4 bits, 32 at 8, 48 at 24 and 32
    for (int id : boxes) program_.Check(id);
    program_.TypeFileName("logo.png");
    std::unique_ptr<Pending> click = program_.Click(IDC_CONVERT);
    MessageBoxSeen box = program_.WaitForMessageBox(click.get(), kConvertMs);
    EXPECT_EQ(box.box, nullptr) << box.text;
    if (box.box) program_.Answer(box, IDOK);
    ASSERT_TRUE(click->Wait(kConvertMs));
    EXPECT_TRUE(SaveShot(program_.browser(), "alpha_e2e_after_convert.bmp"));

    std::string icon = out_ + "\\logo.ico";
    ASSERT_TRUE(WaitForFile(icon, 10000));
    DecodedIconFile f;
    std::string error;
    ASSERT_TRUE(ReadDecodedIcon(icon, &f, &error)) << error;
    ASSERT_EQ(f.images.size(), 5u);
    for (const DecodedImage &img : f.images) {
        const int size = img.info.width, last = size - 1;
        SCOPED_TRACE(size * 100 + img.info.bitCount);
        for (POINT p : {POINT{0, 0}, POINT{last, 0}, POINT{0, last}, POINT{last, last}}) {
            EXPECT_TRUE(img.Masked(p.x, p.y));
            if (img.info.bitCount == 32) {
                EXPECT_EQ(img.Alpha(p.x, p.y), 0);
            }
        }
        EXPECT_FALSE(img.Masked(size / 2, size / 4));  // the disc
        EXPECT_FALSE(img.Masked(size / 2, size / 2));  // the white square: no transparent colour asked
    }
    // Kept with what the readers nobody here wrote must see.
    std::string kept = TestOutputDir("e2e") + "\\alpha_logo.ico";
    CopyFileA(icon.c_str(), kept.c_str(), FALSE);
    WriteReadbackExpect(kept);

    std::unique_ptr<Pending> close = program_.Command(IDM_CLOSE);
    DWORD code = 99;
    ASSERT_TRUE(program_.WaitForExit(20000, &code));
    EXPECT_EQ(code, 0u);
}

}  // namespace
