// The conversion driver on MPEG clips and camera raw files made at test time
// (make_media.sh): one icon or cursor per frame, numbered, of the frame's
// colour; clips without frames skipped; animated cursors whose frames Wine's
// loader steps through; raw pictures through the raw decoder's entry for
// their extension. Pixels are read back through Wine's loaders.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "common/handles.h"
#include "common/paths.h"
#include "conversion/driver_win.h"
#include "conversion/imageowners.h"
#include "iconres/anifile.h"
#include "tests/common/testutil_win.h"
#include "tests/media/media_fixtures.h"

namespace {

std::string Input(const std::string &name) { return MediaInput(name); }

// The colour an icon or cursor (loaded by Wine from the file) draws at (x, y)
// on white; `step` picks the frame of an animated cursor.
COLORREF DrawnPixel(HICON icon, int size, int x, int y, UINT step = 0) {
    WindowDC screen(nullptr);
    UniqueMemDC dc(CreateCompatibleDC(screen.get()));
    UniqueBitmap canvas(CreateCompatibleBitmap(screen.get(), size, size));
    COLORREF colour;
    {
        SelectObjectScope keep(dc.get(), canvas.get());
        RECT all = {0, 0, size, size};
        FillRect(dc.get(), &all, (HBRUSH)GetStockObject(WHITE_BRUSH));
        DrawIconEx(dc.get(), 0, 0, icon, size, size, step, nullptr, DI_NORMAL);
        colour = GetPixel(dc.get(), x, y);
    }
    return colour;
}

class Recorder : public ConversionProgress {
public:
    void SourceStarted(const std::string &path) override { events.push_back("source " + BaseName(path)); }
    void Status(const std::string &text) override { events.push_back("status " + text); }
    void FrameDone(int frame) override { events.push_back("frame " + std::to_string(frame)); }
    void Beep() override { events.push_back("beep"); }
    void SourceFinished(const std::string &path, const SourceResult &) override {
        events.push_back("finished " + BaseName(path));
    }
    void AnimatedCursorFramesReady() override { events.push_back("frames ready"); }
    std::vector<std::string> events;
};

class MediaDriverTest : public ::testing::Test {
protected:
    MediaDriverTest() : temp_("media-temp"), out_("media-out"), tempScope_(temp_.path() + "\\") {}
    ConversionRequest Request(std::vector<std::string> names, std::vector<FormatEntry> formats, int kind = 1) {
        ConversionRequest r;
        for (const std::string &n : names) r.sources.push_back(Input(n));
        r.formats = formats;
        r.kind = kind;
        r.targetFolder = out_.path();
        r.beep = true;
        return r;
    }
    std::vector<SourceResult> Run(const ConversionRequest &r) {
        std::vector<SourceResult> results;
        EXPECT_EQ(RunConversion(r, &recorder_, &results), 1);
        return results;
    }
    bool InTemp(const std::string &name) const { return FileExists(temp_.File(name)); }
    ScratchDir temp_, out_;
    TempFolderScope tempScope_;
    Recorder recorder_;
    MessageRecorder messages_;
};

// Four frames give four numbered icons (kind 1) or cursors (kind 2), each of
// its frame's colour, with the frame status lines in order.
TEST_F(MediaDriverTest, EveryFrameBecomesANumberedIconOfItsColour) {
    const struct {
        const char *clip, *base;
        int kind;
    } cases[] = {{"clip1.mpg", "clip1", kCreateIcon}, {"clip3.m2v", "clip3", kCreateCursor},
                 {"UPPER.MPG", "UPPER", kCreateIcon}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.clip);
        recorder_.events.clear();
        std::vector<SourceResult> results = Run(Request({c.clip}, {{16, 8}, {32, 24}}, c.kind));
        ASSERT_EQ(results.size(), 1u);
        EXPECT_EQ(results[0].outcome, kSourceConverted) << results[0].detail;
        ASSERT_EQ(results[0].outputs.size(), 4u);
        for (int i = 0; i < 4; ++i) {
            char name[64];
            snprintf(name, sizeof name, "%s_%04d.%s", c.base, i, c.kind == kCreateCursor ? "cur" : "ico");
            EXPECT_EQ(results[0].outputs[i], out_.File(name));
            UniqueIcon icon((HICON)LoadImageA(nullptr, out_.File(name).c_str(),
                                              c.kind == kCreateCursor ? IMAGE_CURSOR : IMAGE_ICON, 32, 32,
                                              LR_LOADFROMFILE));
            ASSERT_TRUE(icon) << name;
            EXPECT_TRUE(Near(DrawnPixel(icon.get(), 32, 16, 16), kFrameColours[i], 40)) << name;
            std::string frameBitmap = std::string("GY") + c.base + "_000" + std::to_string(i) + ".bmp";
            EXPECT_TRUE(InTemp(frameBitmap)) << "the frame bitmaps stay";
            EXPECT_FALSE(InTemp("GY_000" + std::to_string(i) + ".bmp")) << "the animated cursor's names go";
        }
        std::vector<std::string> want = {"source " + std::string(c.base)};
        for (int i = 0; i < 4; ++i) {
            want.push_back("status Frame #" + std::to_string(i) + " / 4");
            want.push_back("status Frame #" + std::to_string(i) + " / 4  Icon " + std::to_string(i));
            want.push_back("frame " + std::to_string(i));
        }
        want.push_back("beep");
        want.push_back("finished " + std::string(c.base));
        EXPECT_EQ(recorder_.events, want);
    }
    EXPECT_TRUE(messages_.calls().empty());
}

// A clip without a frame is skipped without beep or status; the pictures
// around it are converted.
TEST_F(MediaDriverTest, AnUnreadableClipIsSkipped) {
    std::vector<SourceResult> results = Run(Request({"broken.mpg", "cut.mpg", "quad.dng"}, {{32, 24}}));
    ASSERT_EQ(results.size(), 3u);
    EXPECT_EQ(results[0].outcome, kSourceNoFrames);
    EXPECT_EQ(results[1].outcome, kSourceNoFrames);
    EXPECT_EQ(results[2].outcome, kSourceConverted) << results[2].detail;
    EXPECT_EQ(std::count(recorder_.events.begin(), recorder_.events.end(), "beep"), 1);
    EXPECT_FALSE(FileExists(out_.File("broken.ico")));
    EXPECT_FALSE(FileExists(out_.File("broken_0000.ico")));
    EXPECT_TRUE(FileExists(out_.File("quad.ico")));
}

// Kind 3: the frame icons go to the maker, which writes the animated cursor;
// its frames, as Wine's loader steps through them, are the clip's colours.
TEST_F(MediaDriverTest, AnAnimatedCursorWhoseFramesTheLoaderStepsThrough) {
    ConversionRequest r = Request({"clip2.mpeg"}, {{32, 24}}, kCreateAnimatedCursor);
    std::vector<SourceResult> results = Run(r);
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].outcome, kSourceConverted) << results[0].detail;
    std::string ani = out_.File("clip2.ani");
    EXPECT_EQ(results[0].outputs, std::vector<std::string>{ani});
    std::vector<uint8_t> bytes = ReadFileBytes(ani);
    AniContents contents;
    std::string error;
    ASSERT_TRUE(ParseAniFile(bytes.data(), bytes.size(), &contents, &error)) << error;
    EXPECT_EQ(contents.frames.size(), 4u);
    EXPECT_EQ(contents.header.rate, 5u);
    UniqueIcon cursor((HICON)LoadCursorFromFileA(ani.c_str()));
    ASSERT_TRUE(cursor);
    for (UINT step = 0; step < 4; ++step)
        EXPECT_TRUE(Near(DrawnPixel(cursor.get(), 32, 16, 16, step), kFrameColours[step], 40)) << "step " << step;
    // The frame icons and the frame bitmaps of the animated cursor's names are gone.
    for (const char *name : {"GY0000.ico", "GY0003.ico", "GY_0000.bmp", "GY_0003.bmp"}) EXPECT_FALSE(InTemp(name)) << name;
    EXPECT_NE(std::find(recorder_.events.begin(), recorder_.events.end(), "frames ready"), recorder_.events.end());
    CopyFileA(ani.c_str(), (TestOutputDir("media") + "\\clip2.ani").c_str(), FALSE);
}

// The maker sees every frame icon; when it cancels, the icons stay, and
// when it writes a file elsewhere, that file is the source's output.
TEST_F(MediaDriverTest, TheAnimatedCursorMakerDecides) {
    ConversionRequest r = Request({"clip4.m1v"}, {{32, 24}}, kCreateAnimatedCursor);
    AnimatedCursorFrames seen;
    r.makeAnimatedCursor = [&](const AnimatedCursorFrames &frames) {
        seen = frames;
        AnimatedCursorResult result;
        result.cancelled = true;
        return result;
    };
    std::vector<SourceResult> results = Run(r);
    EXPECT_EQ(seen.frameCount, 4);
    EXPECT_EQ(seen.frameSize, 32);
    EXPECT_EQ(seen.source, Input("clip4.m1v"));
    ASSERT_EQ(seen.icons.size(), 4u);
    EXPECT_EQ(seen.icons[3], temp_.File("GY0003.ico"));
    for (int i = 0; i < 4; ++i) {
        UniqueIcon icon((HICON)LoadImageA(nullptr, seen.icons[i].c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE));
        ASSERT_TRUE(icon) << seen.icons[i];
        EXPECT_TRUE(Near(DrawnPixel(icon.get(), 32, 16, 16), kFrameColours[i], 40)) << seen.icons[i];
    }
    EXPECT_TRUE(results[0].outputs.empty());
    EXPECT_TRUE(InTemp("GY0000.ico"));  // cancelled: the frame icons stay

    std::string elsewhere = out_.File("named.ani");
    r.makeAnimatedCursor = [&](const AnimatedCursorFrames &frames) {
        AnimatedCursorResult result;
        if (WriteBytes(elsewhere, {'R', 'I', 'F', 'F'})) result.written = elsewhere;
        return result;
    };
    results = Run(r);
    EXPECT_EQ(results[0].outputs, std::vector<std::string>{elsewhere});
    EXPECT_FALSE(InTemp("GY0000.ico"));
    EXPECT_FALSE(FileExists(out_.File("clip4.ani")));
}

// The raw decoder's entry follows the extension: ".wbz" and ".wb1" are
// decoded whole (entries 2 and 3), the others at half size with "-h" (entry
// 1), whatever the case of the extension.
TEST_F(MediaDriverTest, RawExtensionsChooseTheDecodersEntry) {
    const struct {
        const char *name;
        size_t width, height;
    } cases[] = {{"quad.wbz", 64, 48}, {"quad.wb1", 64, 48}, {"quad.CRW", 32, 24}, {"quad.dng", 32, 24},
                 {"quad.nef", 32, 24}, {"quad.arw", 32, 24}, {"quad.srw", 32, 24}};
    for (const auto &c : cases) {
        std::string reason;
        ImagePtr picture(ReadPicture(Input(c.name), 0, &reason));
        ASSERT_TRUE(picture) << c.name << ": " << reason;
        EXPECT_EQ(picture->columns, c.width) << c.name;
        EXPECT_EQ(picture->rows, c.height) << c.name;
    }
    for (const char *name : {"broken.nef", "cut.dng"}) {
        std::string reason;
        ImagePtr picture(ReadPicture(Input(name), 0, &reason));
        EXPECT_FALSE(picture) << name;
        EXPECT_FALSE(reason.empty()) << name;
    }
}

// A raw picture converts like any other: the icon shows the mosaic's
// quarters in their colours; a broken raw file is refused and writes nothing.
TEST_F(MediaDriverTest, ARawPictureBecomesAnIconOfItsColours) {
    std::vector<SourceResult> results = Run(Request({"quad.dng", "broken.nef", "magenta.dng"}, {{32, 24}, {16, 8}}));
    ASSERT_EQ(results.size(), 3u);
    EXPECT_EQ(results[0].outcome, kSourceConverted) << results[0].detail;
    EXPECT_EQ(results[1].outcome, kSourceUnreadable);
    EXPECT_FALSE(FileExists(out_.File("broken.ico")));
    EXPECT_EQ(results[2].outcome, kSourceConverted) << results[2].detail;
    UniqueIcon icon((HICON)LoadImageA(nullptr, out_.File("quad.ico").c_str(), IMAGE_ICON, 32, 32, LR_LOADFROMFILE));
    ASSERT_TRUE(icon);
    const struct {
        int x, y;
        COLORREF colour;
    } quarters[] = {{8, 8, RGB(255, 0, 0)}, {24, 8, RGB(0, 255, 0)}, {8, 24, RGB(0, 0, 255)}, {24, 24, RGB(255, 255, 255)}};
    for (const auto &q : quarters) EXPECT_TRUE(Near(DrawnPixel(icon.get(), 32, q.x, q.y), q.colour, 48)) << q.x << "," << q.y;
    UniqueIcon magenta((HICON)LoadImageA(nullptr, out_.File("magenta.ico").c_str(), IMAGE_ICON, 16, 16, LR_LOADFROMFILE));
    ASSERT_TRUE(magenta);
    EXPECT_TRUE(Near(DrawnPixel(magenta.get(), 16, 8, 8), RGB(255, 0, 255), 48));
    CopyFileA(out_.File("quad.ico").c_str(), (TestOutputDir("media") + "\\quad.ico").c_str(), FALSE);
    WriteReadbackExpect(TestOutputDir("media") + "\\quad.ico");
}

// GlypheryConvert --as ani takes a clip's frames from the frame extractor:
// one animated cursor of its four frames, nothing left in the temporary folder.
TEST_F(MediaDriverTest, TheCommandLineMakesAnAnimatedCursorOfAClip) {
    ProgramRun run = RunProgram(SiblingProgram("GlypheryConvert.exe"),
                                "--as ani --formats 32x24 --rate 7 --out \"" + out_.path() + "\" \"" + Input("clip1.mpg") + "\"");
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    std::string ani = out_.File("clip1.ani");
    std::vector<uint8_t> bytes = ReadFileBytes(ani);
    AniContents contents;
    std::string error;
    ASSERT_TRUE(ParseAniFile(bytes.data(), bytes.size(), &contents, &error)) << error << "\n" << run.output;
    EXPECT_EQ(contents.frames.size(), 4u);
    UniqueIcon cursor((HICON)LoadCursorFromFileA(ani.c_str()));
    ASSERT_TRUE(cursor);
    for (UINT step = 0; step < 4; ++step)
        EXPECT_TRUE(Near(DrawnPixel(cursor.get(), 32, 16, 16, step), kFrameColours[step], 40)) << "step " << step;
    for (const char *name : {"GYclip1_0000.bmp", "GY_0000.bmp"}) EXPECT_FALSE(InTemp(name)) << name;
    ProgramRun broken = RunProgram(SiblingProgram("GlypheryConvert.exe"),
                                   "--as ani --formats 32x24 --out \"" + out_.path() + "\" \"" + Input("broken.mpg") + "\"");
    EXPECT_EQ(broken.exitCode, 1u) << broken.output;
    EXPECT_FALSE(FileExists(out_.File("broken.ani")));
}

}  // namespace
