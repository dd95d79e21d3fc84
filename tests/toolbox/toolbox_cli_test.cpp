// GlypheryConvert list, extract and check, started as a user starts them:
// on the platform's own libraries (counts against ExtractIconExA and the
// resource enumeration), on files made in code, and on the converter's own
// output. What extract wrote from the platform's libraries stays in
// test-output/toolbox for the readback against an outside extractor.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include "common/handles.h"
#include "tests/common/testutil_win.h"
#include "tests/iconres/host_win.h"
#include "tests/iconres/fixtures.h"
#include "toolbox/animation.h"

namespace {

ProgramRun Tool(const std::string &args) { return RunProgram(SiblingProgram("GlypheryConvert.exe"), args); }
std::string Q(const std::string &path) { return "\"" + path + "\""; }

// The first program a test process starts under Wine may lose its output
// (the converter's own test starts one the same way before its cases).
class WarmUp : public ::testing::Environment {
public:
    void SetUp() override { Tool("list --help"); }
};
::testing::Environment *const kWarmUp = ::testing::AddGlobalTestEnvironment(new WarmUp);

std::string SystemFile(const char *name) {
    char buf[MAX_PATH];
    UINT n = GetSystemDirectoryA(buf, MAX_PATH);
    return std::string(buf, n) + "\\" + name;
}

size_t Count(const std::string &text, const std::string &what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

BOOL CALLBACK CountName(HMODULE, LPCSTR, LPSTR, LONG_PTR count) {
    ++*(int *)count;
    return TRUE;
}

int CursorGroups(const std::string &path) {
    UniqueModule module(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    int n = 0;
    if (module) EnumResourceNamesA(module.get(), MAKEINTRESOURCEA(12), CountName, (LONG_PTR)&n);
    return n;
}

std::vector<std::string> FilesIn(const std::string &folder, const char *pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "\\" + pattern).c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return names;
    do names.push_back(folder + "\\" + fd.cFileName);
    while (FindNextFileA(h, &fd));
    FindClose(h);
    return names;
}

// Every group of the platform's libraries is listed and extracted: as many
// icon groups as ExtractIconExA counts, as many cursor groups as the
// resource enumeration; every extracted file loads in the platform's loader.
TEST(ToolboxCli, PlatformLibrariesListAndExtractEveryGroup) {
    for (const char *name : {"user32", "shell32"}) {
        SCOPED_TRACE(name);
        std::string path = SystemFile((std::string(name) + ".dll").c_str());
        UINT icons = ExtractIconExA(path.c_str(), -1, nullptr, nullptr, 0);
        int cursors = CursorGroups(path);
        ASSERT_GT(icons, 0u);

        ProgramRun list = Tool("list --json " + Q(path));
        EXPECT_EQ(0u, list.exitCode) << list.output;
        EXPECT_EQ(icons, Count(list.output, "\"type\":\"icon\",\"images\"")) << list.output.substr(0, 300);
        EXPECT_EQ((size_t)cursors, Count(list.output, "\"type\":\"cursor\",\"images\""));
        EXPECT_EQ(0u, Count(list.output, "\"error\":\"")) << list.output.substr(0, 2000);

        std::string out = TestOutputDir("toolbox") + "\\extract-" + name;
        for (const std::string &old : FilesIn(out, "*.*")) DeleteFileA(old.c_str());
        ProgramRun extract = Tool("extract --out " + Q(out) + " " + Q(path));
        EXPECT_EQ(0u, extract.exitCode) << extract.output;
        std::vector<std::string> ico = FilesIn(out, "*.ico"), cur = FilesIn(out, "*.cur");
        EXPECT_EQ(icons, ico.size());
        EXPECT_EQ((size_t)cursors, cur.size());
        for (const std::string &f : ico) {
            UniqueIcon loaded((HICON)LoadImageA(nullptr, f.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE | LR_DEFAULTSIZE));
            EXPECT_TRUE(loaded) << f;
        }
        for (const std::string &f : cur) {
            HCURSOR loaded = LoadCursorFromFileA(f.c_str());
            EXPECT_TRUE(loaded != nullptr) << f;
            if (loaded) DestroyCursor(loaded);
        }
    }
}

class ToolboxFiles : public ::testing::Test {
protected:
    ToolboxFiles() : dir_("toolbox-files") {}
    ScratchDir dir_;
};

// An icon, a cursor and an animated cursor made in code: list shows their
// images, hot spots, frames, steps and rates; extract writes the .ani's
// frames byte for byte.
TEST_F(ToolboxFiles, ListAndExtractFilesMadeInCode) {
    std::vector<uint8_t> a = MakeIconFile({{32, 4, 0x112233, 3, 9}}, true);
    std::vector<uint8_t> b = MakeIconFile({{32, 4, 0x445566, 3, 9}}, true);
    ASSERT_TRUE(WriteBytes(dir_.File("pic.ico"), MakeIconFile({{16, 4, 1}, {48, 32, 2}})));
    ASSERT_TRUE(WriteBytes(dir_.File("arrow.cur"), MakeIconFile({{32, 8, 3, 30, 2}}, true)));
    ASSERT_TRUE(WriteBytes(dir_.File("spin.ani"), BuildAniFile(BuildAnimation({a, b, b, a}, {6, 12, 12, 6}, "Spin", "Me"))));

    ProgramRun list = Tool("list " + Q(dir_.File("pic.ico")) + " " + Q(dir_.File("arrow.cur")) + " " +
                           Q(dir_.File("spin.ani")));
    EXPECT_EQ(0u, list.exitCode) << list.output;
    EXPECT_TRUE(list.Says("16x16  4     BMP     296")) << list.output;
    EXPECT_TRUE(list.Says("30,2")) << list.output;
    EXPECT_TRUE(list.Says("2 frames, 4 steps, default rate 6 jiffies, title \"Spin\", author \"Me\"")) << list.output;

    ProgramRun json = Tool("list --json " + Q(dir_.File("spin.ani")));
    EXPECT_TRUE(json.Says("\"hotspot\":{\"x\":3,\"y\":9}")) << json.output;

    ProgramRun extract = Tool("extract --out " + Q(dir_.File("out")) + " " + Q(dir_.File("spin.ani")));
    EXPECT_EQ(0u, extract.exitCode) << extract.output;
    EXPECT_EQ(a, ReadFileBytes(dir_.File("out\\spin_0.cur")));
    EXPECT_EQ(b, ReadFileBytes(dir_.File("out\\spin_1.cur")));
    EXPECT_FALSE(FileExists(dir_.File("out\\spin_2.cur")));
}

// Exit codes: clean 0 (notes allowed), warnings 1, errors 2; the same in
// the JSON; a file that cannot be read is an error.
TEST_F(ToolboxFiles, CheckExitCodes) {
    std::vector<uint8_t> png = MakeIconFile({{16, 4, 1}, {32, 4, 2}, {48, 4, 3}});
    png.resize(png.size() - 4);  // the last image's mask is cut short
    const struct {
        const char *name;
        std::vector<uint8_t> bytes;
        DWORD exitCode;
        const char *says;
    } cases[] = {
        {"clean.ico", MakeIconFile({{16, 4, 1}, {32, 8, 2}, {48, 24, 3}}), 0, "no image of the usual sizes 256"},
        {"dup.ico", MakeIconFile({{16, 4, 1}, {16, 4, 2}, {32, 8, 2}, {48, 24, 3}}), 1,
         "same size and depth as image 0"},
        {"cut.ico", png, 2, "past the end of the file"},
        {"text.ico", {'t', 'e', 'x', 't'}, 2, "not an icon, cursor, animated cursor, program or library"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(WriteBytes(dir_.File(c.name), c.bytes));
        ProgramRun run = Tool("check " + Q(dir_.File(c.name)));
        EXPECT_EQ(c.exitCode, run.exitCode) << run.output;
        EXPECT_TRUE(run.Says(c.says)) << run.output;
        ProgramRun json = Tool("check --json " + Q(dir_.File(c.name)));
        EXPECT_EQ(c.exitCode, json.exitCode);
        EXPECT_TRUE(json.Says("\"exit\":" + std::to_string(c.exitCode) + "}]")) << json.output;
    }
    ProgramRun missing = Tool("check " + Q(dir_.File("clean.ico")) + " " + Q(dir_.File("nothere.ico")));
    EXPECT_EQ(2u, missing.exitCode) << missing.output;
    EXPECT_TRUE(missing.Says("cannot open the file")) << missing.output;
}

// The platform's chooser, asked through check, takes the image of each size
// when the file has it.
TEST_F(ToolboxFiles, CheckReportsThePlatformsPicks) {
    ASSERT_TRUE(WriteBytes(dir_.File("three.ico"), MakeIconFile({{16, 8, 1}, {32, 8, 2}, {48, 8, 3}})));
    ProgramRun run = Tool("check --json " + Q(dir_.File("three.ico")));
    EXPECT_TRUE(run.Says("{\"size\":16,\"image\":0}")) << run.output;
    EXPECT_TRUE(run.Says("{\"size\":32,\"image\":1}")) << run.output;
    EXPECT_TRUE(run.Says("{\"size\":48,\"image\":2}")) << run.output;
}

// What the converter writes passes its own check (notes only).
TEST_F(ToolboxFiles, ConvertersOwnOutputIsClean) {
    std::string inputs = TestOutputDir("conversion-inputs");
    ProgramRun icons = Tool("convert --xp --formats 96x32 --out " + Q(dir_.File("icons")) + " " +
                            Q(inputs + "\\photo.jpg") + " " + Q(inputs + "\\alpha.png"));
    ASSERT_EQ(0u, icons.exitCode) << icons.output;
    ProgramRun cursors = Tool("--as cursor --formats 32x4,32x24 --transparent --out " + Q(dir_.File("cursors")) + " " +
                              Q(inputs + "\\few.gif"));
    ASSERT_EQ(0u, cursors.exitCode) << cursors.output;
    ProgramRun check = Tool("check " + Q(dir_.File("icons\\photo.ico")) + " " + Q(dir_.File("icons\\alpha.ico")) +
                            " " + Q(dir_.File("cursors\\few.cur")));
    EXPECT_EQ(0u, check.exitCode) << check.output;
    EXPECT_EQ(0u, Count(check.output, "  warning  ")) << check.output;
}

typedef HCURSOR(WINAPI *FrameInfoFn)(HCURSOR, DWORD, DWORD, DWORD *, DWORD *);

std::string AniInput(const char *name) { return TestOutputDir("toolbox-inputs") + "\\" + name; }

AniContents ReadAni(const std::string &path) {
    std::vector<uint8_t> file = ReadFileBytes(path);
    AniContents ani;
    std::string error;
    EXPECT_TRUE(ParseAniFile(file.data(), file.size(), &ani, &error)) << path << ": " << error;
    return ani;
}

// The five-frame GIF (two identical, 100 and 200 ms) becomes four stored
// frames, five steps of 6 and 12 jiffies; Wine's loader reads the same
// steps and rates and draws each step's colour.
TEST_F(ToolboxFiles, AnimatedGifBecomesAnAnimatedCursor) {
    ProgramRun run = Tool("convert --as ani --formats 32x24,16x4 --title Spin --author Me --hotspot 3,20 --out " +
                          Q(dir_.path()) + " " + Q(AniInput("anim.gif")));
    ASSERT_EQ(0u, run.exitCode) << run.output;
    std::string path = dir_.File("anim.ani");
    AniContents ani = ReadAni(path);
    EXPECT_EQ(4u, ani.frames.size());
    EXPECT_EQ(5u, ani.header.steps);
    EXPECT_EQ((std::vector<uint32_t>{6, 12, 12, 6, 12}), ani.rates);
    EXPECT_EQ((std::vector<uint32_t>{0, 1, 1, 2, 3}), ani.sequence);
    EXPECT_EQ("Spin", ani.title);
    EXPECT_EQ("Me", ani.author);
    std::vector<uint8_t> file = ReadFileBytes(path);
    IconFileDirectory frame;
    std::string error;
    ASSERT_TRUE(ParseIconDirectory(file.data() + ani.frames[0].offset, ani.frames[0].size, &frame, &error)) << error;
    ASSERT_EQ(2u, frame.entries.size());
    EXPECT_EQ(kCursorType, frame.type);
    EXPECT_EQ(3, frame.entries[0].planes);     // hot spot x
    EXPECT_EQ(15, frame.entries[0].bitCount);  // y, kept inside the 16 x 16 image
    EXPECT_EQ(20, frame.entries[1].bitCount);

    HCURSOR cursor = LoadCursorFromFileA(path.c_str());
    ASSERT_NE(cursor, nullptr);
    FrameInfoFn frameInfo = (FrameInfoFn)GetProcAddress(GetModuleHandleA("user32.dll"), "GetCursorFrameInfo");
    ASSERT_NE(frameInfo, nullptr);
    const uint32_t colours[] = {0xFF0000, 0x0000FF, 0x0000FF, 0x00FF00, 0xFFFF00};
    const DWORD rates[] = {6, 12, 12, 6, 12};
    for (DWORD s = 0; s < 5; ++s) {
        DWORD rate = 0, steps = 0;
        EXPECT_NE(frameInfo(cursor, 0, s, &rate, &steps), nullptr);
        EXPECT_EQ(5u, steps);
        EXPECT_EQ(rates[s], rate) << s;
        EXPECT_EQ(colours[s], DrawnCentreColour(cursor, s)) << s;
    }
    DestroyCursor(cursor);
    CopyFileA(path.c_str(), (TestOutputDir("toolbox") + "\\anim.ani").c_str(), FALSE);

    ProgramRun check = Tool("check " + Q(path));
    EXPECT_EQ(0u, check.exitCode) << check.output;
}

// Pages of a TIFF and pictures of a sequence are frames too; pictures
// without a delay show for --rate jiffies.
TEST_F(ToolboxFiles, PagesAndSequencesBecomeAnimatedCursors) {
    ProgramRun run = Tool("--as=ani --formats 32x8 --out " + Q(dir_.path()) + " " + Q(AniInput("pages.tif")));
    ASSERT_EQ(0u, run.exitCode) << run.output;
    AniContents pages = ReadAni(dir_.File("pages.ani"));
    EXPECT_EQ(3u, pages.frames.size());
    EXPECT_EQ(3u, pages.header.steps);

    run = Tool("--as ani --rate 9 --formats 32x8 --out " + Q(dir_.path()) + " " + Q(AniInput("red.png")) + " " +
               Q(AniInput("blue.png")) + " " + Q(AniInput("red.png")));
    ASSERT_EQ(0u, run.exitCode) << run.output;
    AniContents seq = ReadAni(dir_.File("red.ani"));
    EXPECT_EQ(2u, seq.frames.size());
    EXPECT_EQ((std::vector<uint32_t>{0, 1, 0}), seq.sequence);
    EXPECT_EQ((std::vector<uint32_t>{9, 9, 9}), seq.rates);
    EXPECT_FALSE(seq.hasRate);  // one rate for all: the header's
}

// A picture that cannot be read writes nothing; bad values are refused.
TEST_F(ToolboxFiles, AnimatedCursorRefusals) {
    const struct {
        std::string args;
        DWORD exitCode;
        const char *says;
    } cases[] = {
        {"--as ani --formats 32x8 " + Q(AniInput("red.png")) + " " + Q(AniInput("broken.gif")), 1,
         "broken.gif: cannot read the picture"},
        {"--as ani --hotspot 3 " + Q(AniInput("red.png")), 2, "bad value for --hotspot"},
        {"--as ani --formats 32x8", 2, "no file given"},
    };
    for (const auto &c : cases) {
        ProgramRun run = RunProgram(SiblingProgram("GlypheryConvert.exe"), c.args, dir_.path());
        EXPECT_EQ(c.exitCode, run.exitCode) << c.args << "\n" << run.output;
        EXPECT_TRUE(run.Says(c.says)) << c.args << "\n" << run.output;
    }
    EXPECT_FALSE(FileExists(dir_.File("red.ani")));
}

TEST(ToolboxCli, CommandLines) {
    const struct {
        const char *args;
        DWORD exitCode;
        const char *says;
    } cases[] = {
        {"list --help", 0, "Usage: GlypheryConvert list"},
        {"extract --help", 0, "Usage: GlypheryConvert extract"},
        {"check --help", 0, "Usage: GlypheryConvert check"},
        {"convert --help", 0, "Usage: GlypheryConvert [options] PICTURE"},
        {"list --verbose x.ico", 2, "unknown option --verbose"},
        {"check --out d x.ico", 2, "--out is not an option of this command"},
        {"extract --out", 2, "--out needs a value"},
        {"list", 2, "no file given"},
        {"--as ani --help", 0, "Usage: GlypheryConvert [convert] --as ani"},
    };
    for (const auto &c : cases) {
        ProgramRun run = Tool(c.args);
        EXPECT_EQ(c.exitCode, run.exitCode) << c.args << "\n" << run.output;
        EXPECT_TRUE(run.Says(c.says)) << c.args << "\n" << run.output;
    }
}

}  // namespace
