// GlypheryConvert end to end: started as a process with a command line,
// one case per option and per error; its files read back by our reader and
// Wine's loaders (and kept for icotool and identify).
#include <gtest/gtest.h>

#include "common/handles.h"
#include "common/paths.h"
#include "iconlib/icofile.h"
#include "tests/common/testutil_win.h"

namespace {

std::string Input(const std::string &name) { return TestOutputDir("conversion-inputs") + "\\" + name; }

typedef ProgramRun RunResult;

// Runs the converter as a user starts it, with its output going to a file.
RunResult Convert(const std::string &args, const std::string &cwd = "") {
    return RunProgram(SiblingProgram("GlypheryConvert.exe"), args, cwd);
}

typedef DecodedIconFile ParsedIcon;

ParsedIcon Parse(const std::string &path) {
    ParsedIcon p;
    std::string error;
    EXPECT_TRUE(ReadDecodedIcon(path, &p, &error)) << path << ": " << error;
    return p;
}

std::vector<std::pair<int, int>> Formats(const ParsedIcon &p) {
    std::vector<std::pair<int, int>> out;
    for (const DecodedImage &i : p.images) out.push_back({i.info.width, i.info.bitCount});
    return out;
}

class CliTest : public ::testing::Test {
protected:
    // Under Wine the first console program a test process starts is reported
    // finished before its output is written (found by trying); one start
    // before the tests keeps that out of them.
    static void SetUpTestSuite() { Convert("--help"); }
    CliTest() : out_("cli-out") {}
    std::string Out() const { return " --out \"" + out_.path() + "\" "; }
    static std::string Q(const std::string &path) { return "\"" + path + "\""; }
    ScratchDir out_;
};

TEST_F(CliTest, HelpListsTheOptions) {
    RunResult r = Convert("--help");
    EXPECT_EQ(r.exitCode, 0u);
    for (const char *option : {"--formats", "--xp", "--custom", "--as", "--transparent", "--keep-proportions", "--out"})
        EXPECT_TRUE(r.Says(option)) << option << "\n" << r.output;
}

TEST_F(CliTest, FormatsAreWrittenInPanelOrder) {
    RunResult r = Convert("--formats 48x24,16x4,32x8" + Out() + Q(Input("photo.jpg")));
    EXPECT_EQ(r.exitCode, 0u) << r.output;
    EXPECT_TRUE(r.Says("-> " + out_.File("photo.ico"))) << r.output;
    ParsedIcon p = Parse(out_.File("photo.ico"));
    EXPECT_EQ(p.dir.type, 1);
    EXPECT_EQ(Formats(p), (std::vector<std::pair<int, int>>{{16, 4}, {32, 8}, {48, 24}}));
}

TEST_F(CliTest, XpSetWithMoreFormatsAndTheCustomSize) {
    RunResult r = Convert("--xp --formats 96x32,x8 --custom 128" + Out() + Q(Input("few.gif")));
    EXPECT_EQ(r.exitCode, 0u) << r.output;
    ParsedIcon p = Parse(out_.File("few.ico"));
    EXPECT_EQ(Formats(p), (std::vector<std::pair<int, int>>{{16, 4}, {16, 8}, {16, 24}, {32, 4}, {32, 8}, {32, 24},
                                                            {48, 4}, {48, 8}, {48, 24}, {96, 32}, {128, 8}}));
    CopyFileA(out_.File("few.ico").c_str(), (TestOutputDir("conversion") + "\\cli_xp_custom.ico").c_str(), FALSE);
}

TEST_F(CliTest, AsCursorAndAsProfile) {
    RunResult r = Convert("--as cursor --formats 32x4" + Out() + Q(Input("alpha.png")));
    EXPECT_EQ(r.exitCode, 0u) << r.output;
    EXPECT_EQ(Parse(out_.File("alpha.cur")).dir.type, 2);
    HCURSOR cursor = LoadCursorFromFileA(out_.File("alpha.cur").c_str());
    EXPECT_NE(cursor, nullptr);
    if (cursor) DestroyCursor(cursor);
    r = Convert("--as=profile" + Out() + Q(Input("photo.jpg")));
    EXPECT_EQ(r.exitCode, 0u) << r.output;
    UniqueBitmap bmp((HBITMAP)LoadImageA(nullptr, out_.File("photo.bmp").c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    ASSERT_TRUE(bmp);
    BITMAP bm;
    GetObjectA(bmp.get(), sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 48);
    EXPECT_EQ(bm.bmHeight, 48);
    CopyFileA(out_.File("photo.bmp").c_str(), (TestOutputDir("conversion") + "\\cli_profile.bmp").c_str(), FALSE);
}

TEST_F(CliTest, TransparencyWhiteByDefaultOrTheGivenColour) {
    // alpha.png: a blue disc with a white square, on a transparent ground,
    // which is masked whatever the options.
    RunResult r = Convert("--formats 48x24" + Out() + Q(Input("alpha.png")));
    ASSERT_EQ(r.exitCode, 0u) << r.output;
    int ground = Parse(out_.File("alpha.ico")).images[0].MaskedCount();
    EXPECT_GT(ground, 48 * 48 / 3);
    r = Convert("--transparent --formats 48x24" + Out() + Q(Input("alpha.png")));
    ASSERT_EQ(r.exitCode, 0u) << r.output;
    int white = Parse(out_.File("alpha.ico")).images[0].MaskedCount() - ground;
    EXPECT_GT(white, 50);  // the 13 x 13 square, scaled by 3/4
    EXPECT_LT(white, 13 * 13);
    r = Convert("--transparent=#2060C0 --formats 48x24" + Out() + Q(Input("alpha.png")));
    ASSERT_EQ(r.exitCode, 0u) << r.output;
    int blue = Parse(out_.File("alpha.ico")).images[0].MaskedCount() - ground;
    EXPECT_GT(blue, 500);  // most of the disc
}

TEST_F(CliTest, KeepProportionsBordersInWhite) {
    RunResult r = Convert("--keep-proportions --formats 32x24" + Out() + Q(Input("wide.png")));
    ASSERT_EQ(r.exitCode, 0u) << r.output;
    ParsedIcon kept = Parse(out_.File("wide.ico"));
    EXPECT_EQ(kept.images[0].Pixel(16, 2), RGB(255, 255, 255));
    EXPECT_NE(kept.images[0].Pixel(16, 16), RGB(255, 255, 255));
    r = Convert("--formats 32x24" + Out() + Q(Input("wide.png")));
    ASSERT_EQ(r.exitCode, 0u) << r.output;
    EXPECT_NE(Parse(out_.File("wide.ico")).images[0].Pixel(16, 2), RGB(255, 255, 255));
}

TEST_F(CliTest, OutputFolderDefaultsToTheCurrentOneAndIsCreated) {
    RunResult r = Convert("--formats 16x4 " + Q(Input("few.gif")), out_.path());
    EXPECT_EQ(r.exitCode, 0u) << r.output;
    EXPECT_TRUE(FileExists(out_.File("few.ico")));
    r = Convert("--formats 16x4 --out " + Q(out_.File("new")) + " " + Q(Input("few.gif")));
    EXPECT_EQ(r.exitCode, 0u) << r.output;
    EXPECT_TRUE(FileExists(out_.File("new\\few.ico")));
}

TEST_F(CliTest, MissingAndUnreadableSourcesFailButOthersConvert) {
    RunResult r = Convert("--formats 16x4" + Out() + Q(Input("nothere.png")) + " " + Q(Input("broken.png")) + " " +
                    Q(Input("few.gif")) + " " + Q(Input("clip.MPG")));
    EXPECT_EQ(r.exitCode, 1u);
    EXPECT_TRUE(r.Says("nothere.png: no such picture file")) << r.output;
    EXPECT_TRUE(r.Says("broken.png: cannot read the picture")) << r.output;
    EXPECT_TRUE(r.Says("clip.MPG: MPEG clips and camera raw pictures are not converted yet")) << r.output;
    EXPECT_TRUE(FileExists(out_.File("few.ico")));
    EXPECT_FALSE(FileExists(out_.File("broken.ico")));
}

TEST_F(CliTest, CommandLineErrors) {
    struct Case {
        std::string args;
        DWORD code;
        const char *says;
    } cases[] = {
        {"--formats 16x3 x.png", 2, "bad format \"16x3\""},
        {"--formats 16x4", 2, "no picture given"},
        {"--frobnicate x.png", 2, "unknown option --frobnicate"},
        {"--as animated x.png", 2, "bad kind"},
        {"--transparent=red x.png", 2, "bad colour"},
        {"--formats 16x4 --hotspot 1,2 x.png", 2, "--hotspot is for cursors"},
        {"--as cursor --formats 16x4 --hotspot 16,2 x.png", 2, "lies outside the largest image (16x16)"},
        {"--custom 0 --formats x8" + Out() + Q(Input("few.gif")), 2,
         "You did not select the formats to be included in the icon..."},
        {"--as cursor" + Out() + Q(Input("few.gif")), 2, "You did not select the formats to be included in the cursor..."},
    };
    for (const Case &c : cases) {
        RunResult r = Convert(c.args);
        EXPECT_EQ(r.exitCode, c.code) << c.args << "\n" << r.output;
        EXPECT_TRUE(r.Says(c.says)) << c.args << "\n" << r.output;
    }
}

TEST_F(CliTest, UnwritableOutputFolder) {
    // A folder cannot be made under a file.
    HANDLE f = CreateFileA(out_.File("afile").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(f);
    RunResult r = Convert("--formats 16x4 --out " + Q(out_.File("afile\\sub")) + " " + Q(Input("few.gif")));
    EXPECT_EQ(r.exitCode, 3u) << r.output;
    EXPECT_TRUE(r.Says("cannot create the output folder")) << r.output;
    EXPECT_FALSE(FileExists(out_.File("afile\\sub\\few.ico")));
}

}  // namespace
