// GlypheryConvert end to end: started as a process with a command line,
// one case per option and per error; its files read back by our reader and
// Wine's loaders (and kept for icotool and identify).
#include <gtest/gtest.h>

#include <cstdio>

#include "common/codepage_win.h"
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
RunResult ConvertWide(const std::wstring &args, const std::string &cwd = "") {
    return RunProgramWide(SiblingProgram("GlypheryConvert.exe"), args, cwd);
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
    EXPECT_TRUE(r.Says("clip.MPG: no frame of the MPEG clip could be decoded")) << r.output;
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

// Files with names outside ASCII, made and read with the wide calls.
std::wstring W(const std::string &ansi) { return AnsiToWide(ansi); }
bool CopyAs(const std::string &from, const std::wstring &to) {
    return CopyFileW(W(from).c_str(), to.c_str(), FALSE) != FALSE;
}
bool ExistsW(const std::wstring &path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
std::wstring QW(const std::wstring &path) { return L"\"" + path + L"\""; }

class CliNamesTest : public CliTest {
protected:
    void SetUp() override {
        // The names below are written for the Western code page every test
        // machine here runs with: é is in it, Cyrillic and ł are not.
        if (GetACP() != 1252) GTEST_SKIP() << "ANSI code page " << GetACP();
    }
    std::wstring OutW(const wchar_t *name) const { return W(out_.path()) + L"\\" + name; }
};

TEST_F(CliNamesTest, AccentsSpacesAndPercentsKeepTheirNames) {
    // "%d" and "[1]" are patterns to the image library, not to a file name.
    for (const wchar_t *name : {L"\u00e9t\u00e9 caf\u00e9", L"three word name", L"50%d off [1]"}) {
        std::wstring picture = OutW(name) + L".png";
        ASSERT_TRUE(CopyAs(Input("alpha.png"), picture));
        RunResult r = ConvertWide(L"--formats 16x4,32x24 --out " + QW(W(out_.path())) + L" " + QW(picture));
        EXPECT_EQ(r.exitCode, 0u) << r.output;
        EXPECT_TRUE(ExistsW(OutW(name) + L".ico")) << r.output;
        std::string ansi;
        ASSERT_TRUE(WideToAnsiExactly(OutW(name) + L".ico", &ansi));
        EXPECT_TRUE(r.Says("-> " + ansi)) << r.output;
        EXPECT_EQ(Parse(ansi).images.size(), 2u);
        CopyFileW((OutW(name) + L".ico").c_str(), (W(TestOutputDir("conversion")) + L"\\cli_" + name + L".ico").c_str(),
                  FALSE);
    }
}

// A name the code page cannot write reaches the program as '?' (which names
// nothing) or as a look-alike (which may name another file): refused either
// way, and no file is written, neither from it nor from the look-alike.
TEST_F(CliNamesTest, NamesTheCodePageCannotWriteAreRefused) {
    std::wstring cyrillic = OutW(L"\u0411\u0443\u043a.png"), polish = OutW(L"\u0142\u00f3d\u017a.png");
    ASSERT_TRUE(CopyAs(Input("alpha.png"), cyrillic));
    ASSERT_TRUE(CopyAs(Input("alpha.png"), polish));
    ASSERT_TRUE(CopyAs(Input("few.gif"), OutW(L"l\u00f3dz.png")));  // what "łódź" looks like in the code page
    RunResult r = ConvertWide(L"--formats 16x4 --out " + QW(W(out_.path())) + L" " + QW(cyrillic) + L" " + QW(polish));
    EXPECT_EQ(r.exitCode, 1u) << r.output;
    size_t first = r.output.find("the system's ANSI code page cannot write");
    ASSERT_NE(first, std::string::npos) << r.output;
    EXPECT_NE(r.output.find("the system's ANSI code page cannot write", first + 1), std::string::npos) << r.output;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW(OutW(L"*.ico").c_str(), &found);
    EXPECT_EQ(find, INVALID_HANDLE_VALUE) << "an icon was written";
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
    // The output folder too.
    r = ConvertWide(L"--formats 16x4 --out " + QW(OutW(L"\u0411")) + L" " + QW(W(Input("few.gif"))));
    EXPECT_EQ(r.exitCode, 3u) << r.output;
    EXPECT_TRUE(r.Says("code page")) << r.output;
    EXPECT_FALSE(ExistsW(OutW(L"\u0411")));
}

// A conversion never writes over one of its pictures, however the path is
// spelt, nor over what it wrote from an earlier picture: that picture is
// reported and the others converted.
TEST_F(CliTest, NothingIsWrittenOverASourceOrAnEarlierOutput) {
    // A profile image of a bitmap in the target folder is the bitmap's own name.
    ASSERT_TRUE(CopyFileA(Input("photo.bmp").c_str(), out_.File("pic.bmp").c_str(), FALSE));
    std::vector<uint8_t> bitmap = ReadFileBytes(out_.File("pic.bmp"));
    RunResult r = Convert("--as profile" + Out() + Q(out_.File("pic.bmp")) + " " + Q(Input("few.gif")));
    EXPECT_EQ(r.exitCode, 1u) << r.output;
    EXPECT_TRUE(r.Says("pic.bmp: not converted: it would write over")) << r.output;
    EXPECT_EQ(ReadFileBytes(out_.File("pic.bmp")), bitmap);
    EXPECT_TRUE(FileExists(out_.File("few.bmp")));

    // An icon converted again into the folder it is in, named in another case
    // and through another folder.
    ASSERT_EQ(Convert("--formats 16x4" + Out() + Q(Input("few.gif"))).exitCode, 0u);
    ASSERT_TRUE(CreateDirectoryA(out_.File("sub").c_str(), nullptr));
    std::vector<uint8_t> icon = ReadFileBytes(out_.File("few.ico"));
    r = Convert("--formats 32x24" + Out() + Q(out_.File("sub\\..\\FEW.ICO")));
    EXPECT_EQ(r.exitCode, 1u) << r.output;
    EXPECT_TRUE(r.Says("not converted: it would write over")) << r.output;
    EXPECT_EQ(ReadFileBytes(out_.File("few.ico")), icon);

    // Two pictures of one name: the first one's icon is kept.
    ScratchDir in("cli-in");
    ASSERT_TRUE(CopyFileA(Input("alpha.png").c_str(), in.File("a.png").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(Input("photo.jpg").c_str(), in.File("a.jpg").c_str(), FALSE));
    ASSERT_EQ(Convert("--formats 16x4,32x24 --out " + Q(in.path()) + " " + Q(in.File("a.png"))).exitCode, 0u);
    std::vector<uint8_t> fromPng = ReadFileBytes(in.File("a.ico"));
    r = Convert("--formats 16x4,32x24" + Out() + Q(in.File("a.png")) + " " + Q(in.File("a.jpg")));
    EXPECT_EQ(r.exitCode, 1u) << r.output;
    EXPECT_TRUE(r.Says("a.jpg: not converted: " + out_.File("a.ico") + " was already written from another picture"))
        << r.output;
    EXPECT_EQ(ReadFileBytes(out_.File("a.ico")), fromPng);
}

// The processor time and peak working set a run reports under GLYPHERY_REPORT_USAGE.
static bool ReportedUsage(const RunResult &r, double &seconds, unsigned long &workingSet) {
    size_t at = r.output.find("usage: ");
    return at != std::string::npos &&
           sscanf(r.output.c_str() + at, "usage: %lf s processor time, peak working set %lu", &seconds, &workingSet) ==
               2;
}

// A few bytes declaring a huge picture are refused at once, with a reason;
// the other pictures are converted. "At once" is counted in the run's own
// processor time, which a busy machine does not stretch: a whole run takes
// well under a second of it, where decoding the declared 16000 x 16000
// picture would take many.
TEST_F(CliTest, DecompressionBombsAreRefusedQuickly) {
    SetEnvironmentVariableA("GLYPHERY_REPORT_USAGE", "1");
    struct Case {
        const char *name, *says;
    } cases[] = {
        {"bomb.pgm", "cannot read the picture: insufficient image data"},
        {"bomb.png", "cannot read the picture"},
        {"bomb16k.png", "cannot read the picture: the picture is too large (16000 x 16000 pixels"},
    };
    for (const Case &c : cases) {
        RunResult r = Convert("--xp" + Out() + Q(Input(c.name)) + " " + Q(Input("few.gif")));
        EXPECT_EQ(r.exitCode, 1u) << c.name << "\n" << r.output;
        EXPECT_TRUE(r.Says(std::string(c.name) + ": " + c.says)) << r.output;
        double seconds = 0;
        unsigned long workingSet = 0;
        EXPECT_TRUE(ReportedUsage(r, seconds, workingSet)) << r.output;
        EXPECT_LT(seconds, 2.0) << c.name;
        EXPECT_LT(r.ms, 60000u) << c.name;  // elapsed: the machine may be busy with other tests
        EXPECT_TRUE(FileExists(out_.File("few.ico"))) << c.name;
        EXPECT_FALSE(FileExists(out_.File(BaseName(c.name) + ".ico"))) << c.name;
        DeleteFileA(out_.File("few.ico").c_str());
    }
    SetEnvironmentVariableA("GLYPHERY_REPORT_USAGE", nullptr);
}

// A 42-megapixel camera photo: read at a reduced size, it converts to the XP
// set plus 48 x 48 at 32 bits in seconds and within a bounded memory (it
// took minutes and failed in a 32-bit process when read whole).
TEST_F(CliTest, CameraPhotoConvertsQuicklyWithBoundedMemory) {
    SetEnvironmentVariableA("GLYPHERY_REPORT_USAGE", "1");
    RunResult r = Convert("--xp --formats 48x32" + Out() + Q(Input("camera42mp.jpg")));
    SetEnvironmentVariableA("GLYPHERY_REPORT_USAGE", nullptr);
    ASSERT_EQ(r.exitCode, 0u) << r.output;
    double seconds = 0;
    unsigned long workingSet = 0;
    ASSERT_TRUE(ReportedUsage(r, seconds, workingSet)) << r.output;
    printf("camera42mp.jpg: %.1f s elapsed, %.2f s processor time, peak working set %lu MiB\n", r.ms / 1000.0,
           seconds, workingSet);
    EXPECT_LT(seconds, 15.0);
    EXPECT_LT(r.ms, 60000u);  // elapsed: the machine may be busy with other tests
    EXPECT_GT(workingSet, 0u);
    EXPECT_LT(workingSet, 400u);
    ParsedIcon p = Parse(out_.File("camera42mp.ico"));
    EXPECT_EQ(Formats(p), (std::vector<std::pair<int, int>>{{16, 4}, {16, 8}, {16, 24}, {32, 4}, {32, 8}, {32, 24},
                                                            {48, 4}, {48, 8}, {48, 24}, {48, 32}}));
    CopyFileA(out_.File("camera42mp.ico").c_str(), (TestOutputDir("conversion") + "\\cli_camera42mp.ico").c_str(),
              FALSE);
}

}  // namespace
