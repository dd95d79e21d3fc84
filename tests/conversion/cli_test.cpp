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

struct RunResult {
    DWORD exitCode = 0xFFFFFFFF;
    DWORD ms = 0;        // from the start of the process to its end
    std::string output;  // stdout and stderr together
    bool Says(const std::string &text) const { return output.find(text) != std::string::npos; }
};

std::string ConverterPath() {
    char buf[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, buf, MAX_PATH);
    std::string self(buf, n);
    return self.substr(0, self.find_last_of('\\')) + "\\GlypheryConvert.exe";
}

// Runs the converter with its output going to a file (a pipe could be held
// open by a helper process the system starts), waits for it, reads the file.
// The command line goes in UTF-16, as a shell hands it over.
RunResult ConvertWide(const std::wstring &args, const std::string &cwd = "") {
    RunResult run;
    static int serial = 0;
    std::string log = TestOutputDir("scratch") + "\\cli-" + std::to_string(GetCurrentProcessId()) + "-" +
                      std::to_string(++serial) + ".log";
    SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
    {
        UniqueFile out(CreateFileA(log.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!out) return run;
        STARTUPINFOW si = {};
        si.cb = sizeof(si);
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdOutput = si.hStdError = out.get();
        si.hStdInput = nullptr;
        std::wstring line = L"\"" + AnsiToWide(ConverterPath()) + L"\" " + args;
        std::vector<wchar_t> cmd(line.begin(), line.end());
        cmd.push_back(L'\0');
        PROCESS_INFORMATION pi;
        if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                            cwd.empty() ? nullptr : AnsiToWide(cwd).c_str(), &si, &pi))
            return run;
        UniqueKernelHandle process(pi.hProcess), thread(pi.hThread);
        DWORD started = GetTickCount();
        DWORD waited = WaitForSingleObject(process.get(), 120000);
        run.ms = GetTickCount() - started;
        GetExitCodeProcess(process.get(), &run.exitCode);
        if (waited != WAIT_OBJECT_0) run.exitCode = 0xFFFFFFFF;
    }
    // The output file is complete once nothing holds it open any more.
    for (int i = 0; i < 200; ++i) {
        UniqueFile whole(CreateFileA(log.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        if (whole) break;
        Sleep(25);
    }
    std::vector<uint8_t> bytes = ReadFileBytes(log);
    run.output.assign(bytes.begin(), bytes.end());
    DeleteFileA(log.c_str());
    return run;
}

RunResult Convert(const std::string &args, const std::string &cwd = "") { return ConvertWide(AnsiToWide(args), cwd); }

struct ParsedIcon {
    std::vector<uint8_t> bytes;
    IconFileDirectory dir;
    std::vector<IconImageInfo> images;
    int Masked(size_t i) const {
        const IconImageInfo &info = images[i];
        const uint8_t *mask = bytes.data() + dir.entries[i].offset + info.maskOffset;
        int n = 0;
        for (int y = 0; y < info.height; ++y)
            for (int x = 0; x < info.width; ++x) n += (mask[MaskByteIndex(info.width, info.height, x, y)] & MaskBitValue(x)) != 0;
        return n;
    }
    // Colour of pixel (x, y), y from the top, of a 24-bit image.
    COLORREF Pixel24(size_t i, int x, int y) const {
        const IconImageInfo &info = images[i];
        const uint8_t *row = bytes.data() + dir.entries[i].offset + info.colorOffset + info.colorRowBytes * (info.height - 1 - y);
        return RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
    }
};

ParsedIcon Parse(const std::string &path) {
    ParsedIcon p;
    p.bytes = ReadFileBytes(path);
    std::string error;
    EXPECT_TRUE(ParseIconDirectory(p.bytes.data(), p.bytes.size(), &p.dir, &error)) << path << ": " << error;
    for (const IconDirEntry &e : p.dir.entries) {
        IconImageInfo info;
        EXPECT_TRUE(ParseIconImage(p.bytes.data() + e.offset, e.bytes, &info, &error)) << error;
        p.images.push_back(info);
    }
    return p;
}

std::vector<std::pair<int, int>> Formats(const ParsedIcon &p) {
    std::vector<std::pair<int, int>> out;
    for (const IconImageInfo &i : p.images) out.push_back({i.width, i.bitCount});
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
    // alpha.png: a blue disc with a white square, on a transparent ground.
    RunResult r = Convert("--formats 48x24" + Out() + Q(Input("alpha.png")));
    ASSERT_EQ(r.exitCode, 0u) << r.output;
    EXPECT_EQ(Parse(out_.File("alpha.ico")).Masked(0), 0);
    r = Convert("--transparent --formats 48x24" + Out() + Q(Input("alpha.png")));
    ASSERT_EQ(r.exitCode, 0u) << r.output;
    int white = Parse(out_.File("alpha.ico")).Masked(0);
    EXPECT_GT(white, 50);  // the 13 x 13 square, scaled by 3/4
    r = Convert("--transparent=#2060C0 --formats 48x24" + Out() + Q(Input("alpha.png")));
    ASSERT_EQ(r.exitCode, 0u) << r.output;
    int blue = Parse(out_.File("alpha.ico")).Masked(0);
    EXPECT_GT(blue, 500);  // most of the disc
}

TEST_F(CliTest, KeepProportionsBordersInWhite) {
    RunResult r = Convert("--keep-proportions --formats 32x24" + Out() + Q(Input("wide.png")));
    ASSERT_EQ(r.exitCode, 0u) << r.output;
    ParsedIcon kept = Parse(out_.File("wide.ico"));
    EXPECT_EQ(kept.Pixel24(0, 16, 2), RGB(255, 255, 255));
    EXPECT_NE(kept.Pixel24(0, 16, 16), RGB(255, 255, 255));
    r = Convert("--formats 32x24" + Out() + Q(Input("wide.png")));
    ASSERT_EQ(r.exitCode, 0u) << r.output;
    EXPECT_NE(Parse(out_.File("wide.ico")).Pixel24(0, 16, 2), RGB(255, 255, 255));
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

// A few bytes declaring a huge picture are refused at once, with a reason;
// the other pictures are converted.
TEST_F(CliTest, DecompressionBombsAreRefusedQuickly) {
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
        EXPECT_LT(r.ms, 2000u) << c.name;
        EXPECT_TRUE(FileExists(out_.File("few.ico"))) << c.name;
        EXPECT_FALSE(FileExists(out_.File(BaseName(c.name) + ".ico"))) << c.name;
        DeleteFileA(out_.File("few.ico").c_str());
    }
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
    size_t at = r.output.find("usage: ");
    ASSERT_NE(at, std::string::npos) << r.output;
    ASSERT_EQ(sscanf(r.output.c_str() + at, "usage: %lf s processor time, peak working set %lu", &seconds, &workingSet), 2)
        << r.output;
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
