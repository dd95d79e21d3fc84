// The conversion driver on real pictures made by the native image tools
// (make_inputs.sh): rendered bitmaps and their names, argument effects,
// kinds, failures, progress, and the single read per source proven to give
// the same bytes as a read per format. Outputs are read back by our reader,
// by Wine's loaders, and (after this test) by icotool and identify.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <new>

#include "common/handles.h"
#include "common/paths.h"
#include "common/seams.h"
#include "conversion/bmpreader_win.h"
#include "conversion/driver_win.h"
#include "conversion/formatpanel_win.h"
#include "conversion/imageowners.h"
#include "conversion/progress_win.h"
#include "conversion/resource.h"
#include "iconlib/icofile.h"
#include "shell/settings.h"
#include "tests/common/testutil_win.h"

namespace {

std::string Input(const std::string &name) { return TestOutputDir("conversion-inputs") + "\\" + name; }

std::vector<std::string> FilesIn(const std::string &dir) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(fd.cFileName);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    std::sort(names.begin(), names.end());
    return names;
}

// Pixel size of a bitmap file as Wine's loader sees it.
SIZE LoadedSize(const std::string &path) {
    UniqueBitmap bmp((HBITMAP)LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    BITMAP bm = {};
    if (bmp) GetObjectA(bmp.get(), sizeof bm, &bm);
    return SIZE{bm.bmWidth, bm.bmHeight};
}

IconFileDirectory Directory(const std::string &path) {
    std::vector<uint8_t> bytes = ReadFileBytes(path);
    IconFileDirectory dir;
    std::string error;
    EXPECT_TRUE(ParseIconDirectory(bytes.data(), bytes.size(), &dir, &error)) << path << ": " << error;
    return dir;
}

// Records what the driver reports, passes it on to a real progress window,
// and notes the rendered bitmaps present when saveICON is about to run.
class Recorder : public ProgressWindowSink {
public:
    Recorder(HWND window, std::string temp) : ProgressWindowSink(window), temp_(std::move(temp)) {}
    void SourceStarted(const std::string &path) override {
        events.push_back("source " + BaseName(path));
        ProgressWindowSink::SourceStarted(path);
    }
    void ShowStatusLine() override {
        events.push_back("show status");
        ProgressWindowSink::ShowStatusLine();
    }
    void Status(const std::string &text) override {
        events.push_back("status " + text);
        if (text.find("Icon") != std::string::npos) {
            rendered = FilesIn(temp_);
            for (const std::string &f : rendered) {
                renderedSizes.push_back(LoadedSize(temp_ + "\\" + f));
                std::vector<uint8_t> bytes = ReadFileBytes(temp_ + "\\" + f);
                renderedHeaderSizes.push_back(bytes.size() >= 18 ? bytes[14] | bytes[15] << 8 : 0);
            }
        }
        ProgressWindowSink::Status(text);
    }
    void FrameDone(int frame) override {
        events.push_back("frame " + std::to_string(frame));
        ProgressWindowSink::FrameDone(frame);
    }
    void Beep() override { events.push_back("beep"); }
    void SourceFinished(const std::string &path, const SourceResult &r) override {
        events.push_back("finished " + BaseName(path));
        ProgressWindowSink::SourceFinished(path, r);
    }
    std::vector<std::string> events, rendered;
    std::vector<SIZE> renderedSizes;
    std::vector<int> renderedHeaderSizes;

private:
    std::string temp_;
};

class DriverTest : public ::testing::Test {
protected:
    DriverTest() : temp_("driver-temp"), out_("driver-out"), tempScope_(temp_.path() + "\\") {}

    ConversionRequest Request(std::vector<std::string> names, std::vector<FormatEntry> formats, int kind = 1) {
        ConversionRequest r;
        for (const std::string &n : names) r.sources.push_back(Input(n));
        r.formats = formats;
        r.kind = kind;
        r.targetFolder = out_.path();
        return r;
    }
    std::vector<SourceResult> Run(const ConversionRequest &r, Recorder **recorder = nullptr) {
        recorder_.reset(new Recorder(nullptr, temp_.path()));
        std::vector<SourceResult> results;
        EXPECT_EQ(RunConversion(r, recorder_.get(), &results), 1);
        if (recorder) *recorder = recorder_.get();
        return results;
    }
    // Keeps a copy for the readers that run after this program.
    void Keep(const std::string &file, const std::string &as) {
        std::string kept = TestOutputDir("conversion") + "\\" + as;
        CopyFileA(out_.File(file).c_str(), kept.c_str(), FALSE);
        if (Extension(as) != ".bmp") WriteReadbackExpect(kept);
    }

    ScratchDir temp_, out_;
    TempFolderScope tempScope_;
    std::unique_ptr<Recorder> recorder_;
    MessageRecorder messages_;
};

const std::vector<FormatEntry> kXp = {{16, 4}, {16, 8}, {16, 24}, {32, 4}, {32, 8}, {32, 24}, {48, 4}, {48, 8}, {48, 24}};

TEST_F(DriverTest, StillPictureRendersOneBitmapPerFormatThenOneIcon) {
    CopyFileA(Input("alpha.png").c_str(), out_.File("pic.png").c_str(), FALSE);
    ConversionRequest r = Request({}, {{16, 4}, {32, 24}});
    r.sources = {out_.File("pic.png")};
    Recorder *rec;
    std::vector<SourceResult> results = Run(r, &rec);
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].outcome, kSourceConverted) << results[0].detail;
    EXPECT_EQ(rec->rendered, (std::vector<std::string>{"pic_16_4.bmp", "pic_32_24.bmp"}));
    ASSERT_EQ(rec->renderedSizes.size(), 2u);
    EXPECT_EQ(rec->renderedSizes[0].cx, 16);
    EXPECT_EQ(rec->renderedSizes[1].cy, 32);
    EXPECT_TRUE(FilesIn(temp_.path()).empty());  // saveICON removed them
    EXPECT_EQ(results[0].outputs, (std::vector<std::string>{out_.File("pic.ico")}));
    IconFileDirectory dir = Directory(out_.File("pic.ico"));
    EXPECT_EQ(dir.type, 1);
    ASSERT_EQ(dir.entries.size(), 2u);
    EXPECT_EQ(dir.entries[0].width, 16);
    EXPECT_EQ(dir.entries[0].bitCount, 4);
    EXPECT_EQ(dir.entries[1].width, 32);
    EXPECT_EQ(dir.entries[1].bitCount, 24);
    EXPECT_EQ(rec->events, (std::vector<std::string>{"source pic", "show status", "status Frame #0 / 1",
                                                      "status Frame #0 / 1  Icon 0", "frame 0", "finished pic"}));
    EXPECT_TRUE(messages_.calls().empty());
}

TEST_F(DriverTest, RenderedBitmapsAreVersion3AtTheRequestedColours) {
    ConversionRequest r = Request({"photo.jpg"}, {{16, 1}, {32, 4}, {48, 8}});
    Recorder *rec;
    Run(r, &rec);
    EXPECT_EQ(rec->rendered, (std::vector<std::string>{"photo_16_1.bmp", "photo_32_4.bmp", "photo_48_8.bmp"}));
    EXPECT_EQ(rec->renderedHeaderSizes, (std::vector<int>{40, 40, 40}));
    IconFileDirectory dir = Directory(out_.File("photo.ico"));
    ASSERT_EQ(dir.entries.size(), 3u);
    EXPECT_EQ(dir.entries[0].colorCount, 2);
    EXPECT_EQ(dir.entries[1].colorCount, 16);
    EXPECT_EQ(dir.entries[2].bitCount, 8);
}

TEST_F(DriverTest, KeepProportionsAddsAWhiteBorder) {
    ConversionRequest r = Request({"wide.png", "odd.png"}, {{32, 24}});
    r.keepProportions = true;
    Recorder *rec;
    recorder_.reset(new Recorder(nullptr, temp_.path()));
    rec = recorder_.get();
    std::vector<SIZE> sizes;
    for (const std::string &name : r.sources) {
        ConversionRequest one = r;
        one.sources = {name};
        std::vector<SourceResult> results;
        RunConversion(one, rec, &results);
        ASSERT_EQ(rec->renderedSizes.size(), 1u);
        sizes.push_back(rec->renderedSizes[0]);
        rec->renderedSizes.clear();
    }
    // 100 x 50 -> 32 x 16, border 0x8 -> 32 x 32; 100 x 47 -> 32 x 15, border 0x8 -> 32 x 31.
    EXPECT_EQ(sizes[0].cx, 32);
    EXPECT_EQ(sizes[0].cy, 32);
    EXPECT_EQ(sizes[1].cx, 32);
    EXPECT_EQ(sizes[1].cy, 31);
    // The icon is still 32 x 32, white above and below the picture.
    UniqueIcon icon((HICON)LoadImageA(nullptr, out_.File("odd.ico").c_str(), IMAGE_ICON, 32, 32, LR_LOADFROMFILE));
    ASSERT_TRUE(icon);
    ICONINFO info;
    ASSERT_TRUE(GetIconInfo(icon.get(), &info));
    UniqueBitmap color(info.hbmColor), mask(info.hbmMask);
    UniqueMemDC dc(CreateCompatibleDC(nullptr));
    SelectObjectScope select(dc.get(), color.get());
    EXPECT_EQ(GetPixel(dc.get(), 16, 1), RGB(255, 255, 255));
    EXPECT_NE(GetPixel(dc.get(), 16, 16), RGB(255, 255, 255));
    Keep("odd.ico", "keep_proportions_odd.ico");
}

TEST_F(DriverTest, EveryReaderFormatBecomesAnIconWineLoads) {
    std::vector<FormatEntry> formats = kXp;
    formats.push_back({96, 32});
    for (const char *name : {"photo.jpg", "photo.bmp", "photo.tif", "photo.tga", "photo.pcx", "photo.psd",
                             "alpha.png", "few.gif"}) {
        ConversionRequest r = Request({name}, formats);
        r.transparent = true;
        std::vector<SourceResult> results = Run(r);
        ASSERT_EQ(results.size(), 1u);
        EXPECT_EQ(results[0].outcome, kSourceConverted) << name << ": " << results[0].detail;
        std::string base = BaseName(name), ico = out_.File(base + ".ico");
        IconFileDirectory dir = Directory(ico);
        ASSERT_EQ(dir.entries.size(), 10u) << name;
        for (int size : {16, 32, 48, 96}) {
            UniqueIcon icon((HICON)LoadImageA(nullptr, ico.c_str(), IMAGE_ICON, size, size, LR_LOADFROMFILE));
            EXPECT_TRUE(icon) << name << " at " << size;
        }
        Keep(base + ".ico", "from_" + Extension(name).substr(1) + ".ico");
        EXPECT_TRUE(FilesIn(temp_.path()).empty());
    }
}

TEST_F(DriverTest, CursorsAreWrittenAsCur) {
    Recorder *rec;
    std::vector<SourceResult> results = Run(Request({"alpha.png"}, {{32, 4}, {32, 24}}, kCreateCursor), &rec);
    EXPECT_EQ(results[0].outputs, (std::vector<std::string>{out_.File("alpha.cur")}));
    EXPECT_EQ(Directory(out_.File("alpha.cur")).type, 2);
    EXPECT_FALSE(FileExists(out_.File("alpha.ico")));
    HCURSOR cursor = LoadCursorFromFileA(out_.File("alpha.cur").c_str());
    EXPECT_NE(cursor, nullptr);
    if (cursor) DestroyCursor(cursor);
    Keep("alpha.cur", "cursor_alpha.cur");
}

TEST_F(DriverTest, AnimatedCursorFromAStillPictureMakesNothingButBeeps) {
    ConversionRequest r = Request({"photo.jpg"}, kXp, kCreateAnimatedCursor);
    r.beep = true;
    Recorder *rec;
    std::vector<SourceResult> results = Run(r, &rec);
    EXPECT_EQ(results[0].outcome, kSourceNothingToMake);
    EXPECT_TRUE(FilesIn(out_.path()).empty());
    EXPECT_EQ(rec->events, (std::vector<std::string>{"source photo", "beep", "finished photo"}));
}

TEST_F(DriverTest, ProfileImageIsA48PixelBitmapNamedAfterTheSource) {
    std::vector<SourceResult> results = Run(Request({"few.gif", "photo.jpg"}, {{48, 24}}, kCreateProfile));
    for (const char *base : {"few", "photo"}) {
        std::string bmp = out_.File(std::string(base) + ".bmp");
        SIZE size = LoadedSize(bmp);
        EXPECT_EQ(size.cx, 48) << base;
        EXPECT_EQ(size.cy, 48) << base;
        // 24 bits, version 3: the program's own reader takes it.
        UniqueGlobal dib(ReadBMPFile(bmp.c_str()));
        ASSERT_TRUE(dib) << base;
        const BITMAPINFOHEADER *h = (const BITMAPINFOHEADER *)GlobalLock(dib.get());
        EXPECT_EQ(h->biBitCount, 24) << base;
        GlobalUnlock(dib.get());
        Keep(std::string(base) + ".bmp", std::string("profile_") + base + ".bmp");
    }
    EXPECT_FALSE(FileExists(out_.File("few.ico")));
    EXPECT_EQ(results[0].outputs, (std::vector<std::string>{out_.File("few.bmp")}));
}

TEST_F(DriverTest, UpperCaseExtensionsAndMpegClips) {
    ConversionRequest r = Request({"UPPER.PNG", "clip.MPG"}, {{16, 24}});
    r.beep = true;
    Recorder *rec;
    std::vector<SourceResult> results = Run(r, &rec);
    EXPECT_EQ(results[0].outcome, kSourceConverted);
    EXPECT_TRUE(FileExists(out_.File("UPPER.ico")));
    // The MPEG clip is recognised; the frame extractor finds no frame in it
    // (it is no clip), so it is skipped without beep or status.
    EXPECT_EQ(results[1].outcome, kSourceNoFrames);
    EXPECT_FALSE(FileExists(out_.File("clip.ico")));
    EXPECT_EQ(std::count(rec->events.begin(), rec->events.end(), "beep"), 1);
    EXPECT_EQ(rec->events.back(), "source clip");
}

TEST_F(DriverTest, UnreadableSourcesAreSkippedAndTheOthersConverted) {
    ConversionRequest r = Request({"broken.png", "missing.png", "few.gif"}, kXp);
    r.beep = true;
    Recorder *rec;
    std::vector<SourceResult> results = Run(r, &rec);
    ASSERT_EQ(results.size(), 3u);
    EXPECT_EQ(results[0].outcome, kSourceUnreadable);
    EXPECT_FALSE(results[0].detail.empty());
    EXPECT_EQ(results[1].outcome, kSourceUnreadable);
    EXPECT_EQ(results[2].outcome, kSourceConverted);
    EXPECT_EQ(FilesIn(out_.path()), (std::vector<std::string>{"few.ico"}));
    EXPECT_TRUE(FilesIn(temp_.path()).empty());
    EXPECT_TRUE(messages_.calls().empty());  // saveICON was not called for them
    EXPECT_EQ(std::count(rec->events.begin(), rec->events.end(), "beep"), 3);
    EXPECT_EQ(std::count(rec->events.begin(), rec->events.end(), "status Frame #0 / 1  Icon 0"), 1);
}

TEST_F(DriverTest, UnwritableTargetIsReported) {
    ConversionRequest r = Request({"few.gif"}, {{16, 4}});
    r.targetFolder = out_.File("no\\such\\folder");
    std::vector<SourceResult> results = Run(r);
    EXPECT_EQ(results[0].outcome, kSourceNotWritten);
    EXPECT_TRUE(FilesIn(temp_.path()).empty());
}

TEST_F(DriverTest, EmptyFormatListDoesNothing) {
    std::vector<SourceResult> results;
    Recorder rec(nullptr, temp_.path());
    EXPECT_EQ(RunConversion(Request({"few.gif"}, {}), &rec, &results), 0);
    EXPECT_TRUE(results.empty());
    EXPECT_TRUE(rec.events.empty());
}

DecodedIconFile Decode(const std::string &path) {
    DecodedIconFile f;
    std::string error;
    EXPECT_TRUE(ReadDecodedIcon(path, &f, &error)) << path << ": " << error;
    return f;
}

// A blue disc (#2060C0) on a transparent ground, whatever the colour of the
// hidden pixels (red in hidden_red.png), from PNG, GIF and TGA.
TEST_F(DriverTest, TransparentPixelsOfThePictureAreMaskedAtEveryDepth) {
    const COLORREF kDisc = RGB(32, 96, 192), kTeal = RGB(0, 128, 128);  // teal: the disc's nearest standard colour
    const std::vector<FormatEntry> formats = {{16, 1}, {16, 4}, {16, 8},  {16, 24}, {16, 32},
                                              {48, 1}, {48, 4}, {48, 8}, {48, 24}, {48, 32}};
    for (const char *name : {"alpha.png", "hidden_red.png", "transparent.gif", "alpha.tga"}) {
        SCOPED_TRACE(name);
        std::vector<SourceResult> results = Run(Request({name}, formats));
        ASSERT_EQ(results[0].outcome, kSourceConverted) << results[0].detail;
        std::string base = BaseName(name);
        DecodedIconFile f = Decode(out_.File(base + ".ico"));
        ASSERT_EQ(f.images.size(), formats.size());
        for (const DecodedImage &img : f.images) {
            const int bits = img.info.bitCount, size = img.info.width, last = size - 1;
            SCOPED_TRACE(size * 100 + bits);
            for (POINT p : {POINT{0, 0}, POINT{last, 0}, POINT{0, last}, POINT{last, last}}) {
                EXPECT_TRUE(img.Masked(p.x, p.y));
                EXPECT_EQ(img.Pixel(p.x, p.y), RGB(0, 0, 0));
                if (bits == 32) {
                    EXPECT_EQ(img.Alpha(p.x, p.y), 0);
                }
            }
            // Inside the disc, away from the white square of alpha.png.
            const int x = size / 2, y = size / 4;
            EXPECT_FALSE(img.Masked(x, y));
            if (bits == 4) {
                EXPECT_EQ(img.Pixel(x, y), kTeal);
            }
            if (bits >= 24) {
                EXPECT_EQ(img.Pixel(x, y), kDisc);
            }
            if (bits == 32) {
                EXPECT_EQ(img.Alpha(x, y), 255);
            }
            // No colour of the hidden pixels shows anywhere (everything that
            // shows is blue, teal, white or grey).
            for (int py = 0; py < size; ++py)
                for (int px = 0; px < size; ++px)
                    if (!img.Masked(px, py)) {
                        ASSERT_LE(GetRValue(img.Pixel(px, py)), GetBValue(img.Pixel(px, py))) << px << "," << py;
                    }
        }
        Keep(base + ".ico", "alpha_" + Extension(name).substr(1) + "_" + base + ".ico");
        EXPECT_TRUE(FilesIn(temp_.path()).empty());
    }
}

// ramp.png: #2060C0 under an alpha of 255 on the top row down to 0 on the
// bottom one; at its own size the 32-bit image keeps that alpha and colour.
TEST_F(DriverTest, ThirtyTwoBitImagesCarryThePicturesOwnAlpha) {
    std::vector<SourceResult> results = Run(Request({"ramp.png"}, {{64, 24}, {64, 32}}));
    ASSERT_EQ(results[0].outcome, kSourceConverted) << results[0].detail;
    DecodedIconFile f = Decode(out_.File("ramp.ico"));
    ASSERT_EQ(f.images.size(), 2u);
    const DecodedImage &flat = f.images[0], &deep = f.images[1];
    for (int y = 0; y < 64; ++y) {
        const int want = (255 * (63 - y) + 31) / 63;
        for (int x : {0, 31, 63}) {
            SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y));
            EXPECT_NEAR(deep.Alpha(x, y), want, 1);
            EXPECT_EQ(deep.Masked(x, y), want < 128);
            EXPECT_EQ(flat.Masked(x, y), want < 128);
            if (want > 0) {
                EXPECT_EQ(deep.Pixel(x, y), RGB(32, 96, 192));  // straight, not darkened
            }
        }
    }
    Keep("ramp.ico", "alpha_ramp.ico");
}

// A JPEG has no alpha: 32-bit images are opaque where the mask shows the
// pixel and clear where it hides it, so every reader shows the same picture.
TEST_F(DriverTest, PicturesWithoutAlphaGive32BitImagesThatAgreeWithTheMask) {
    for (bool transparent : {false, true}) {
        SCOPED_TRACE(transparent);
        ConversionRequest r = Request({"logo.jpg"}, {{16, 32}, {48, 32}});
        r.transparent = transparent;
        Run(r);
        DecodedIconFile f = Decode(out_.File("logo.ico"));
        ASSERT_EQ(f.images.size(), 2u);
        for (const DecodedImage &img : f.images) {
            for (int y = 0; y < img.info.height; ++y)
                for (int x = 0; x < img.info.width; ++x) ASSERT_EQ(img.Alpha(x, y), img.Masked(x, y) ? 0 : 255);
            EXPECT_EQ(img.MaskedCount() > 0, transparent);
            EXPECT_FALSE(img.Masked(img.info.width / 2, img.info.height / 2));  // the red disc
        }
        Keep("logo.ico", transparent ? "jpeg_white_clear.ico" : "jpeg_opaque.ico");
    }
}

// Kept in proportion, a transparent picture keeps its transparency inside the
// white border.
TEST_F(DriverTest, KeptProportionsBorderATransparentPictureInWhite) {
    ConversionRequest r = Request({"wide_alpha.png"}, {{32, 24}, {32, 32}});
    r.keepProportions = true;
    Run(r);
    DecodedIconFile f = Decode(out_.File("wide_alpha.ico"));
    ASSERT_EQ(f.images.size(), 2u);
    for (const DecodedImage &img : f.images) {
        SCOPED_TRACE(img.info.bitCount);
        // 80 x 40 -> 32 x 16, then a border of 8 rows above and below.
        EXPECT_FALSE(img.Masked(0, 2));
        EXPECT_EQ(img.Pixel(0, 2), RGB(255, 255, 255));
        EXPECT_FALSE(img.Masked(31, 29));
        EXPECT_TRUE(img.Masked(0, 8));  // the picture's own transparent corner
        EXPECT_FALSE(img.Masked(16, 16));
    }
}

// A source that fails midway, one that cannot be read, and one converted:
// the temporary folder holds nothing of theirs afterwards.
TEST_F(DriverTest, TemporaryFolderHoldsNothingOfOursAfterFailures) {
    // A folder where the second format's bitmap would go: writing it fails
    // after the first bitmap was written.
    ASSERT_TRUE(CreateDirectoryA((temp_.path() + "\\photo_32_8.bmp").c_str(), nullptr));
    for (bool every : {false, true}) {
        SCOPED_TRACE(every);
        ConversionRequest r = Request({"photo.jpg", "broken.png", "hidden_red.png"}, {{16, 4}, {32, 8}, {48, 32}});
        r.readEveryFormat = every;
        std::vector<SourceResult> results = Run(r);
        ASSERT_EQ(results.size(), 3u);
        EXPECT_EQ(results[0].outcome, kSourceNotWritten);
        EXPECT_EQ(results[1].outcome, kSourceUnreadable);
        EXPECT_EQ(results[2].outcome, kSourceConverted);
        EXPECT_TRUE(FilesIn(temp_.path()).empty());
        EXPECT_FALSE(FileExists(out_.File("photo.ico")));
    }
}

// A source's output that is the source under another name (a hard link) is
// not written: the picture keeps its bytes and the next source is converted.
TEST_F(DriverTest, OutputThatIsTheSourceUnderAnotherNameIsNotWritten) {
    ScratchDir in("driver-in");
    ASSERT_TRUE(CopyFileA(Input("photo.bmp").c_str(), in.File("pic.bmp").c_str(), FALSE));
    ASSERT_TRUE(CreateHardLinkA(out_.File("pic.bmp").c_str(), in.File("pic.bmp").c_str(), nullptr));
    std::vector<uint8_t> before = ReadFileBytes(in.File("pic.bmp"));
    ConversionRequest r = Request({"few.gif"}, {{48, 24}}, kCreateProfile);
    r.sources.insert(r.sources.begin(), in.File("pic.bmp"));
    std::vector<SourceResult> results = Run(r);
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(results[0].outcome, kSourceWouldReplaceSource);
    EXPECT_EQ(results[0].detail, out_.File("pic.bmp"));
    EXPECT_TRUE(results[0].outputs.empty());
    EXPECT_EQ(ReadFileBytes(in.File("pic.bmp")), before);
    EXPECT_EQ(results[1].outcome, kSourceConverted);
}

// Whatever a source's conversion throws stays inside it, on one thread or
// on a worker (thrown on a report it made): that source is not converted and
// the next one is.
TEST_F(DriverTest, AFailureThrownInOneSourceLeavesTheOthers) {
    struct Throwing : ConversionProgress {
        int statuses = 0;
        void Status(const std::string &) override {
            if (++statuses == 1) throw std::bad_alloc();
        }
        void Beep() override {}
    };
    for (int workers : {1, 2}) {
        SCOPED_TRACE(std::to_string(workers) + " workers");
        Throwing progress;
        ScratchDir out("driver-throw-" + std::to_string(workers));
        ConversionRequest r = Request({"few.gif", "photo.jpg", "logo.jpg"}, {{16, 4}});
        r.targetFolder = out.path();
        r.workers = workers;
        std::vector<SourceResult> results;
        EXPECT_EQ(RunConversion(r, &progress, &results), 1);
        ASSERT_EQ(results.size(), 3u);
        EXPECT_EQ(results[0].outcome, kSourceNotWritten);
        EXPECT_EQ(results[0].detail, "not enough memory");
        EXPECT_EQ(results[1].outcome, kSourceConverted);
        EXPECT_EQ(results[2].outcome, kSourceConverted);
        EXPECT_FALSE(FileExists(out.File("few.ico")));
        EXPECT_TRUE(FileExists(out.File("photo.ico")));
        EXPECT_TRUE(FileExists(out.File("logo.ico")));
        EXPECT_TRUE(FilesIn(temp_.path()).empty());
    }
}

// One read per source and a copy per format gives the bytes that reading the
// source again for every format gives.
TEST_F(DriverTest, SingleReadGivesTheSameBytesAsAReadPerFormat) {
    std::vector<FormatEntry> formats = {{16, 1}, {16, 4}, {16, 8}, {16, 24}, {16, 32}, {32, 1}, {32, 4},
                                        {32, 8}, {32, 24}, {32, 32}, {48, 4}, {48, 8}, {48, 24}, {97, 8}};
    const char *names[] = {"photo.jpg", "photo.psd", "photo.tif", "alpha.png", "few.gif", "odd.png", "hidden_red.png", "wide_alpha.png"};
    for (bool keep : {false, true}) {
        ConversionRequest r = Request(std::vector<std::string>(std::begin(names), std::end(names)), formats);
        r.keepProportions = keep;
        r.transparent = true;
        r.color = keep ? 0 : RGB(255, 0, 0);
        ScratchDir once("driver-once"), every("driver-every");
        r.targetFolder = once.path();
        r.readEveryFormat = false;
        Run(r);
        r.targetFolder = every.path();
        r.readEveryFormat = true;
        Run(r);
        for (const char *name : names) {
            std::string ico = BaseName(name) + ".ico";
            std::vector<uint8_t> a = ReadFileBytes(once.File(ico)), b = ReadFileBytes(every.File(ico));
            EXPECT_FALSE(a.empty()) << ico;
            EXPECT_TRUE(a == b) << ico << (keep ? " keeping proportions" : "");
        }
    }
}

// The progress window as the program shows it.
TEST(ProgressWindow, TemplateCaptionControlsAndCommands) {
    HWND window = CreateProgressWindow(GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    char caption[64];
    GetWindowTextA(window, caption, sizeof caption);
    EXPECT_STREQ(caption, " Glyphery");
    EXPECT_TRUE(IsWindowVisible(window));
    HWND status = GetDlgItem(window, IDC_PROGRESS_STATUS), bar = GetDlgItem(window, IDC_PROGRESS_BAR);
    ASSERT_TRUE(status && bar && GetDlgItem(window, IDC_PROGRESS_SOURCE) && GetDlgItem(window, IDC_PROGRESS_NOTE));
    EXPECT_FALSE(IsWindowVisible(status));
    PBRANGE range;
    SendMessageA(bar, PBM_GETRANGE, FALSE, (LPARAM)&range);
    EXPECT_EQ(range.iLow, 0);
    EXPECT_EQ(range.iHigh, 100);
    // Centred on the screen.
    RECT r;
    GetWindowRect(window, &r);
    EXPECT_NEAR((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((r.top + r.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
    SendMessageA(window, WM_COMMAND, IDM_PROGRESS_POSITION, 37);
    EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 37);
    SendMessageA(window, WM_COMMAND, IDM_PROGRESS_SHOW_STATUS, 0);
    EXPECT_TRUE(IsWindowVisible(status));

    // A conversion leaves the source path in both lines.
    ScratchDir temp("progress-temp"), out("progress-out");
    TempFolderScope scope(temp.path() + "\\");
    ProgressWindowSink sink(window);
    ConversionRequest request;
    request.sources = {Input("few.gif")};
    request.formats = {{16, 4}};
    request.targetFolder = out.path();
    RunConversion(request, &sink, nullptr);
    char text[MAX_PATH];
    GetDlgItemTextA(window, IDC_PROGRESS_SOURCE, text, sizeof text);
    EXPECT_EQ(std::string(text), Input("few.gif"));
    GetDlgItemTextA(window, IDC_PROGRESS_STATUS, text, sizeof text);
    EXPECT_EQ(std::string(text), Input("few.gif"));
    EXPECT_TRUE(SaveWindowShot(window, TestOutputDir("screenshots") + "\\progress.bmp"));
    DestroyWindow(window);
}

// The main window's form reads the boxes and settings.
class PanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&icc);
        panel_ = CreateWindowExA(0, "STATIC", "panel", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(panel_, nullptr);
        for (const FormatBox &box : kFormatBoxes)
            CreateWindowExA(0, "BUTTON", box.label, WS_CHILD | BS_AUTOCHECKBOX, 0, 0, 60, 16, panel_,
                            (HMENU)(INT_PTR)box.controlId, nullptr, nullptr);
        CreateWindowExA(0, "EDIT", "", WS_CHILD | ES_NUMBER, 0, 0, 40, 16, panel_, (HMENU)(INT_PTR)kIdCustomSize,
                        nullptr, nullptr);
        CreateWindowExA(0, UPDOWN_CLASSA, "", WS_CHILD | UDS_WRAP | UDS_ARROWKEYS, 0, 0, 10, 16, panel_,
                        (HMENU)(INT_PTR)kIdCustomSpin, nullptr, nullptr);
        CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | CBS_DROPDOWNLIST, 0, 0, 100, 100, panel_,
                        (HMENU)(INT_PTR)kIdCreateAsList, nullptr, nullptr);
        CreateWindowExA(0, "BUTTON", "Test", WS_CHILD, 0, 0, 40, 16, panel_, (HMENU)(INT_PTR)kIdTestButton, nullptr,
                        nullptr);
    }
    void TearDown() override { DestroyWindow(panel_); }
    void Check(int id) { CheckDlgButton(panel_, id, BST_CHECKED); }
    bool Enabled(int id) { return IsWindowEnabled(GetDlgItem(panel_, id)) != FALSE; }
    bool Checked(int id) { return IsDlgButtonChecked(panel_, id) == BST_CHECKED; }
    HWND panel_ = nullptr;
};

TEST_F(PanelTest, FormatListFromTheBoxesAndTheCustomField) {
    InitCustomSize(panel_);
    EXPECT_EQ(CustomSizeFromWindow(panel_), 97u);
    EXPECT_EQ(SendDlgItemMessageA(panel_, kIdCustomSpin, UDM_GETPOS32, 0, 0), 97);
    Check(1362);
    Check(1041);
    Check(1380);
    std::vector<FormatEntry> list;
    MessageRecorder messages;
    ASSERT_EQ(BuildFormatListFromWindow(panel_, panel_, kCreateIcon, &list), 3);
    EXPECT_EQ(list[0].size, 16);
    EXPECT_EQ(list[1].size, 48);
    EXPECT_EQ(list[2].size, 97);
    EXPECT_EQ(list[2].bits, 24);
    // Text that is not a number makes the custom boxes count nothing.
    ClearFormatChoice(panel_);
    Check(1380);
    SetDlgItemTextA(panel_, kIdCustomSize, "");
    EXPECT_TRUE(AnyFormatChecked(panel_));
    EXPECT_EQ(BuildFormatListFromWindow(panel_, panel_, kCreateCursor, &list), 0);
    ASSERT_EQ(messages.calls().size(), 1u);
    EXPECT_EQ(messages.calls()[0].owner, panel_);
    EXPECT_EQ(messages.calls()[0].text, "You did not select the formats to be included in the cursor...");
    EXPECT_EQ(messages.calls()[0].caption, "Glyphery");
    EXPECT_EQ(messages.calls()[0].flags & MB_ICONMASK, (UINT)MB_ICONEXCLAMATION);
}

TEST_F(PanelTest, PresetsAndCreateAsSelection) {
    ChooseFormatPreset(panel_, kXpSetIds, 9);
    int enabled = 0;
    for (const FormatBox &box : kFormatBoxes) enabled += Enabled(box.controlId);
    EXPECT_EQ(enabled, 9);
    EXPECT_TRUE(Checked(1041) && Checked(1362) && !Checked(1039) && !Enabled(1039));

    FillCreateAsList(panel_, 6);
    EXPECT_EQ(SendDlgItemMessageA(panel_, kIdCreateAsList, CB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(KindFromCreateAsList(panel_), kCreateAnimatedCursor);
    CreateAsEffects effects = OnCreateAsSelected(panel_);
    EXPECT_EQ(effects.kind, kCreateAnimatedCursor);
    EXPECT_TRUE(Enabled(kIdTestButton));
    EXPECT_FALSE(AnyFormatChecked(panel_));  // cleared, all enabled
    EXPECT_TRUE(Enabled(1039));

    FillCreateAsList(panel_, 3);
    EXPECT_EQ(SendDlgItemMessageA(panel_, kIdCreateAsList, CB_GETCOUNT, 0, 0), 3);
    SendDlgItemMessageA(panel_, kIdCreateAsList, CB_SETCURSEL, 2, 0);
    effects = OnCreateAsSelected(panel_);
    EXPECT_EQ(effects.kind, kCreateProfile);
    EXPECT_EQ(effects.xpButton, kXpIndeterminate);
    EXPECT_FALSE(Enabled(kIdTestButton));
    EXPECT_TRUE(Checked(1362) && Enabled(1362) && !Enabled(1361));
}

TEST_F(PanelTest, ConvertFromPanelUsesTheSettings) {
    ScratchDir temp("panel-temp"), out("panel-out");
    TempFolderScope scope(temp.path() + "\\");
    Settings settings;
    memset(&settings, 0, sizeof settings);
    settings.current_format = kCreateCursor;
    CopyBounded(settings.pathSave, MAX_PATH, out.path());
    MessageRecorder messages;
    HWND progress = (HWND)1;
    EXPECT_EQ(ConvertFromPanel(panel_, GetModuleHandleA(nullptr), settings, {Input("few.gif")}, &progress), 0);
    EXPECT_EQ(progress, nullptr);
    EXPECT_EQ(messages.calls().size(), 1u);
    Check(1355);
    EXPECT_EQ(ConvertFromPanel(panel_, GetModuleHandleA(nullptr), settings, {Input("few.gif")}, &progress), 1);
    EXPECT_NE(progress, nullptr);
    DestroyWindow(progress);
    EXPECT_EQ(Directory(out.File("few.cur")).entries.size(), 1u);
}

}  // namespace

namespace {

// The outputs of a run, by file name.
std::map<std::string, std::vector<uint8_t>> OutputBytes(const std::string &dir) {
    std::map<std::string, std::vector<uint8_t>> bytes;
    for (const std::string &name : FilesIn(dir)) bytes[name] = ReadFileBytes(dir + "\\" + name);
    return bytes;
}

}  // namespace

// Worker threads write the bytes one thread writes, and report the same
// events in the same order (beeps included), for a mixed batch with an
// unreadable picture in the middle and two sources of one output name.
TEST_F(DriverTest, WorkersGiveTheBytesAndEventsOfOneThread) {
    std::vector<FormatEntry> formats = kXp;
    formats.push_back({48, 32});
    formats.push_back({16, 1});
    std::sort(formats.begin(), formats.end(),
              [](const FormatEntry &a, const FormatEntry &b) { return a.size != b.size ? a.size < b.size : a.bits < b.bits; });
    const char *names[] = {"photo.jpg", "alpha.png", "broken.png", "few.gif", "photo.psd", "transparent.gif",
                           "clip.MPG",  "logo.jpg",  "photo.tif"};
    ConversionRequest r = Request(std::vector<std::string>(std::begin(names), std::end(names)), formats);
    r.transparent = true;
    r.beep = true;
    std::vector<std::vector<std::string>> events;
    std::vector<std::map<std::string, std::vector<uint8_t>>> outputs;
    std::vector<std::vector<std::string>> outcomes;
    for (int workers : {1, 2, 3}) {
        ScratchDir out("driver-workers-" + std::to_string(workers));
        r.targetFolder = out.path();
        r.workers = workers;
        Recorder *rec;
        std::vector<SourceResult> results = Run(r, &rec);
        events.push_back(rec->events);
        outputs.push_back(OutputBytes(out.path()));
        std::vector<std::string> outcome;
        for (const SourceResult &result : results)
            outcome.push_back(BaseName(result.source) + " " + std::to_string(result.outcome) + " " +
                              (result.detail.find(out.path()) == 0 ? BaseName(result.detail) : result.detail));
        outcomes.push_back(outcome);
        EXPECT_TRUE(FilesIn(temp_.path()).empty()) << workers;
    }
    // The photo's PSD and TIFF share its output name: the first converted wins.
    EXPECT_EQ(outputs[0].size(), 5u);
    EXPECT_EQ(std::count(events[0].begin(), events[0].end(), "beep"), 6);  // none for the two not converted and the clip
    for (size_t i = 1; i < events.size(); ++i) {
        EXPECT_EQ(events[i], events[0]) << i + 1 << " workers";
        EXPECT_EQ(outcomes[i], outcomes[0]) << i + 1 << " workers";
        EXPECT_TRUE(outputs[i] == outputs[0]) << i + 1 << " workers";
    }
}

// The fast path: every size and depth asked for, the masks and alpha of the
// exact path (the alpha is resized alike; only the colours are reduced
// another way), colours of 1, 4 and 8 bits from saveICON's own tables, and
// pictures of odd sizes.
TEST_F(DriverTest, FastPathKeepsSizesDepthsMasksAndAlpha) {
    const std::vector<FormatEntry> formats = {{16, 1}, {16, 4}, {16, 8}, {32, 4}, {32, 24}, {32, 32}, {48, 8}, {48, 32}};
    const char *names[] = {"alpha.png", "hidden_red.png", "transparent.gif", "wide_alpha.png",
                           "photo.jpg", "tiny.png",       "strip.jpg"};
    for (bool keep : {false, true}) {
        SCOPED_TRACE(keep ? "keeping proportions" : "stretched");
        ConversionRequest r = Request(std::vector<std::string>(std::begin(names), std::end(names)), formats);
        r.keepProportions = keep;
        r.workers = 2;
        ScratchDir exact("driver-exact"), fast("driver-fast");
        r.targetFolder = exact.path();
        Run(r);
        r.targetFolder = fast.path();
        r.fast = true;
        std::vector<SourceResult> results = Run(r);
        for (const SourceResult &result : results) EXPECT_EQ(result.outcome, kSourceConverted) << result.detail;
        for (const char *name : names) {
            SCOPED_TRACE(name);
            std::string ico = BaseName(name) + ".ico";
            DecodedIconFile e = Decode(exact.File(ico)), f = Decode(fast.File(ico));
            ASSERT_EQ(f.images.size(), formats.size());
            ASSERT_EQ(e.images.size(), formats.size());
            for (size_t i = 0; i < formats.size(); ++i) {
                const DecodedImage &fi = f.images[i], &ei = e.images[i];
                int size = formats[i].size;
                SCOPED_TRACE(std::to_string(size) + "x" + std::to_string(formats[i].bits));
                EXPECT_EQ((int)fi.info.width, size);
                EXPECT_EQ(fi.info.bitCount, formats[i].bits);
                // A JPEG decoded at another scale may differ at the edge of the white border.
                if (Extension(name) != ".jpg") { EXPECT_EQ(fi.MaskedCount(), ei.MaskedCount()); }
                int differ = 0;
                for (int y = 0; y < size; ++y)
                    for (int x = 0; x < size; ++x) {
                        differ += fi.Masked(x, y) != ei.Masked(x, y);
                        if (formats[i].bits == 32) differ += fi.Alpha(x, y) != ei.Alpha(x, y);
                    }
                if (Extension(name) != ".jpg") { EXPECT_EQ(differ, 0); }
            }
        }
        // Kept for icotool, identify and PIL, which run after this program.
        for (const char *name : {"alpha.ico", "photo.ico"}) {
            std::string kept = TestOutputDir("conversion") + "\\fast_" + (keep ? "kept_" : "") + name;
            ASSERT_TRUE(CopyFileA(fast.File(name).c_str(), kept.c_str(), FALSE));
            WriteReadbackExpect(kept);
        }
        // The 4-bit image of the photo takes its colours from the 16 standard ones.
        DecodedIconFile photo = Decode(fast.File("photo.ico"));
        const DecodedImage &four = photo.images[1];
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                COLORREF c = four.Pixel(x, y);
                bool standard = false;
                for (COLORREF s : {RGB(0, 0, 0), RGB(128, 0, 0), RGB(0, 128, 0), RGB(128, 128, 0), RGB(0, 0, 128),
                                   RGB(128, 0, 128), RGB(0, 128, 128), RGB(192, 192, 192), RGB(128, 128, 128),
                                   RGB(255, 0, 0), RGB(0, 255, 0), RGB(255, 255, 0), RGB(0, 0, 255), RGB(255, 0, 255),
                                   RGB(0, 255, 255), RGB(255, 255, 255)})
                    standard = standard || c == s;
                EXPECT_TRUE(standard) << x << "," << y;
            }
    }
}

// The fast path decodes a JPEG at a scale that still holds twice the
// largest image on both sides (or whole, when no scale does); other
// pictures whole.
TEST(ReadPicture, FastDecodeNeverBelowTwiceTheLargestImage) {
    struct Case {
        const char *name;
        int largest;
        unsigned columns, rows;  // as decoded
    } cases[] = {
        {"camera42mp.jpg", 48, 1000, 663},   // 1/8
        {"camera42mp.jpg", 256, 1000, 663},  // 8000 / 512 and 5300 / 512: divided by 10, so 1/8
        {"photo.jpg", 16, 60, 45},           // 120 x 90 at 1/2
        {"photo.jpg", 48, 120, 90},          // 90 < 4 x 48: whole
        {"strip.jpg", 48, 3000, 20},         // too thin to scale
        {"alpha.png", 16, 64, 64},           // no scaled decoding
        {"camera42mp.jpg", 0, 2000, 1325},   // the exact path: the read bound's 1/4
    };
    for (const Case &c : cases) {
        std::string reason;
        ImagePtr picture(ReadPicture(Input(c.name), c.largest, &reason));
        ASSERT_TRUE(picture) << c.name << ": " << reason;
        EXPECT_EQ(picture->columns, c.columns) << c.name << " " << c.largest;
        EXPECT_EQ(picture->rows, c.rows) << c.name << " " << c.largest;
        if (c.largest) {
            EXPECT_GE(std::min(picture->columns, picture->rows),
                      std::min<size_t>(2 * c.largest, std::min(c.columns, c.rows)));
        }
    }
}
