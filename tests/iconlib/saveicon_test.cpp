// saveICON from rendered bitmaps to icon files: palettes, resampling, masks,
// failures; the files are read back by our reader and by Wine's loaders, and
// left in test-output for the readers nobody here wrote.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/bytereader.h"
#include "common/handles.h"
#include "common/paths.h"
#include "iconlib/icofile.h"
#include "iconlib/iconlib.h"
#include "tests/common/testutil_win.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255), kNearWhite = RGB(254, 254, 254), kBlack = 0;
const COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255), kYellow = RGB(255, 255, 0);

typedef DecodedImage Image;
typedef DecodedIconFile IconFile;

IconFile ReadIconFile(const std::string &path) {
    IconFile f;
    std::string error;
    EXPECT_TRUE(ReadDecodedIcon(path, &f, &error)) << path << ": " << error;
    return f;
}

class SaveIconTest : public ::testing::Test {
protected:
    SaveIconTest() : temp_("saveicon-temp"), out_("saveicon-out"), tempScope_(temp_.path() + "\\") {}

    // Renders the temporary bitmap of every format as the driver would.
    void Render(const std::string &base, const std::vector<FormatEntry> &formats, int w, int h,
                const std::function<COLORREF(int, int)> &pixel) {
        for (const FormatEntry &f : formats)
            ASSERT_TRUE(WriteBmp24(TempName(base, f), w, h, pixel));
    }
    // The same with alpha in the fourth byte, as a picture with transparency is rendered.
    void RenderWithAlpha(const std::string &base, const std::vector<FormatEntry> &formats, int w, int h,
                         const std::function<COLORREF(int, int)> &pixel, const std::function<uint8_t(int, int)> &alpha) {
        for (const FormatEntry &f : formats) ASSERT_TRUE(WriteBmp32(TempName(base, f), w, h, pixel, alpha));
    }
    std::string TempName(const std::string &base, const FormatEntry &f) const {
        return temp_.File(base + "_" + std::to_string(f.size) + "_" + std::to_string(f.bits) + ".bmp");
    }
    IconFile Save(const std::string &path, const std::vector<FormatEntry> &formats, int transparent, COLORREF color) {
        EXPECT_EQ(saveICON(nullptr, transparent, color, "unused", path.c_str(), (int)formats.size(), formats.data()), 1);
        return ReadIconFile(path);
    }
    // Keeps a copy of a written file for the readback step, with what it must show.
    void KeepForReadback(const std::string &path, const std::string &name) {
        std::string kept = TestOutputDir("iconlib") + "\\" + name;
        CopyFileA(path.c_str(), kept.c_str(), FALSE);
        WriteReadbackExpect(kept);
    }

    ScratchDir temp_, out_;
    TempFolderScope tempScope_;
};

TEST_F(SaveIconTest, ColourTablesPerDepth) {
    std::vector<FormatEntry> formats = {{16, 1}, {16, 4}, {16, 8}, {16, 24}, {16, 32}};
    Render("tables", formats, 16, 16, [](int x, int y) { return RGB(x * 16, y * 16, 128); });
    IconFile f = Save(out_.File("tables.ico"), formats, 0, 0);
    ASSERT_EQ(f.images.size(), 5u);
    EXPECT_EQ(f.dir.type, 1);

    const Image &mono = f.images[0];
    EXPECT_EQ(mono.info.colorEntries, 2u);
    EXPECT_EQ(mono.Table(0).rgbRed + mono.Table(0).rgbGreen + mono.Table(0).rgbBlue, 0);
    EXPECT_EQ(mono.Table(1).rgbRed & mono.Table(1).rgbGreen & mono.Table(1).rgbBlue, 255);

    // The standard 16 colours, in the default palette's order.
    const COLORREF standard[16] = {RGB(0, 0, 0),     RGB(128, 0, 0),     RGB(0, 128, 0),   RGB(128, 128, 0),
                                   RGB(0, 0, 128),   RGB(128, 0, 128),   RGB(0, 128, 128), RGB(192, 192, 192),
                                   RGB(128, 128, 128), RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(255, 255, 0),
                                   RGB(0, 0, 255),   RGB(255, 0, 255),   RGB(0, 255, 255), RGB(255, 255, 255)};
    const Image &four = f.images[1];
    ASSERT_EQ(four.info.colorEntries, 16u);
    for (int i = 0; i < 16; ++i) {
        RGBQUAD q = four.Table(i);
        EXPECT_EQ(RGB(q.rgbRed, q.rgbGreen, q.rgbBlue), standard[i]) << "entry " << i;
    }

    const Image &eight = f.images[2];
    ASSERT_EQ(eight.info.colorEntries, 256u);
    HDC screen = GetDC(nullptr);
    HPALETTE halftone = CreateHalftonePalette(screen);
    PALETTEENTRY pe[256];
    ASSERT_EQ(GetPaletteEntries(halftone, 0, 256, pe), 256u);
    for (int i = 0; i < 256; ++i) {
        RGBQUAD q = eight.Table(i);
        EXPECT_EQ(RGB(q.rgbRed, q.rgbGreen, q.rgbBlue), RGB(pe[i].peRed, pe[i].peGreen, pe[i].peBlue)) << i;
    }
    DeleteObject(halftone);
    ReleaseDC(nullptr, screen);

    EXPECT_EQ(f.images[3].info.colorEntries, 0u);
    EXPECT_EQ(f.images[3].info.colorOffset, 40u);
    EXPECT_EQ(f.images[4].info.colorOffset, 40u);
    // At 24 bits the picture comes through unchanged.
    EXPECT_EQ(f.images[3].Pixel(5, 9), RGB(80, 144, 128));
    // Directory colour counts: 2, 16, then 0.
    EXPECT_EQ(f.dir.entries[0].colorCount, 2);
    EXPECT_EQ(f.dir.entries[1].colorCount, 16);
    EXPECT_EQ(f.dir.entries[2].colorCount, 0);
    KeepForReadback(out_.File("tables.ico"), "tables.ico");
}

TEST_F(SaveIconTest, SameSizeIsCopiedOtherSizesStretchedWithoutBlending) {
    // Copy: 32 x 32 quadrants come through pixel for pixel.
    std::vector<FormatEntry> copy = {{32, 24}};
    auto quadrants = [](int x, int y) { return x < 16 ? (y < 16 ? kRed : kGreen) : (y < 16 ? kBlue : kYellow); };
    Render("copy", copy, 32, 32, quadrants);
    IconFile c = Save(out_.File("copy.ico"), copy, 0, 0);
    ASSERT_EQ(c.images.size(), 1u);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) ASSERT_EQ(c.images[0].Pixel(x, y), quadrants(x, y)) << x << "," << y;

    // Stretch: 64 x 16 columns in pairs of yellow and blue onto 32 x 32;
    // every target column takes one pair, so columns alternate and no pixel
    // is a blend of the two.
    std::vector<FormatEntry> stretch = {{32, 24}, {48, 8}};
    Render("stretch", stretch, 64, 16, [](int x, int) { return (x / 2) % 2 ? kBlue : kYellow; });
    IconFile s = Save(out_.File("stretch.ico"), stretch, 0, 0);
    ASSERT_EQ(s.images.size(), 2u);
    const Image &img = s.images[0];
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) ASSERT_EQ(img.Pixel(x, y), x % 2 ? kBlue : kYellow) << x << "," << y;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x) {
            COLORREF p = s.images[1].Pixel(x, y);
            ASSERT_TRUE(p == kBlue || p == kYellow) << std::hex << p;
        }
}

TEST_F(SaveIconTest, WhiteAndNearWhiteBecomeTransparentWithColourZero) {
    std::vector<FormatEntry> formats = {{32, 1}, {32, 4}, {32, 8}, {32, 24}, {32, 32}};
    // White background, a black square, one near-white and one red pixel.
    auto picture = [](int x, int y) {
        if (x == 3 && y == 5) return kNearWhite;
        if (x == 30 && y == 2) return kRed;
        return (x >= 8 && x < 24 && y >= 8 && y < 24) ? kBlack : kWhite;
    };
    Render("mask", formats, 32, 32, picture);
    IconFile f = Save(out_.File("mask.ico"), formats, 1, 0);
    ASSERT_EQ(f.images.size(), 5u);
    for (const Image &img : f.images) {
        SCOPED_TRACE(img.info.bitCount);
        EXPECT_TRUE(img.Masked(3, 5));
        EXPECT_TRUE(img.Masked(0, 0));
        EXPECT_TRUE(img.Masked(31, 31));
        EXPECT_FALSE(img.Masked(10, 10));
        // The bit of (3, 5): row 31 - 5 from the bottom, byte 0, bit 4.
        EXPECT_EQ(img.block[img.info.maskOffset + 26 * 4] & 0x10, 0x10);
        // Transparent pixels are black in the colour bitmap.
        EXPECT_EQ(img.Pixel(3, 5), kBlack);
        EXPECT_EQ(img.Pixel(0, 0), kBlack);
        if (img.info.bitCount != 1) {
            EXPECT_FALSE(img.Masked(30, 2));
            EXPECT_EQ(img.Pixel(30, 2), kRed);
            EXPECT_EQ(img.MaskedCount(), 32 * 32 - 16 * 16 - 1);
        }
    }
    KeepForReadback(out_.File("mask.ico"), "mask.ico");
}

TEST_F(SaveIconTest, AGivenColourIsTheOnlyTransparentOne) {
    std::vector<FormatEntry> formats = {{16, 4}, {16, 24}, {16, 32}};
    Render("green", formats, 16, 16, [](int x, int y) { return x < 8 ? kGreen : (y < 8 ? kWhite : kBlue); });
    IconFile f = Save(out_.File("green.cur"), formats, 1, kGreen);
    EXPECT_EQ(f.dir.type, 2);
    ASSERT_EQ(f.images.size(), 3u);
    for (const Image &img : f.images) {
        SCOPED_TRACE(img.info.bitCount);
        EXPECT_EQ(img.MaskedCount(), 8 * 16);
        EXPECT_TRUE(img.Masked(0, 15));
        EXPECT_FALSE(img.Masked(12, 2));  // white stays opaque
        EXPECT_EQ(img.Pixel(12, 2), kWhite);
    }
    KeepForReadback(out_.File("green.cur"), "green.cur");
}

TEST_F(SaveIconTest, FlagClearLeavesEveryPixelOpaque) {
    std::vector<FormatEntry> formats = {{16, 1}, {16, 4}, {16, 8}, {16, 24}, {16, 32}, {48, 32}};
    Render("opaque", formats, 20, 20, [](int, int) { return kWhite; });
    IconFile f = Save(out_.File("opaque.ico"), formats, 0, 0);
    ASSERT_EQ(f.images.size(), 6u);
    for (const Image &img : f.images) {
        EXPECT_EQ(img.MaskedCount(), 0) << img.info.bitCount;
        EXPECT_EQ(img.Pixel(4, 4), kWhite) << img.info.bitCount;
    }
    // Without alpha in the bitmap, every 32-bit pixel is opaque in its own
    // alpha too, so readers that take the alpha show what the mask shows.
    for (size_t i : {4u, 5u}) {
        const Image &deep = f.images[i];
        EXPECT_EQ(deep.AlphaCount(255), deep.info.width * deep.info.height) << deep.info.width;
    }
}

TEST_F(SaveIconTest, MissingBitmapIsReportedAndTheOtherFormatsStillWritten) {
    MessageRecorder recorder;
    std::vector<FormatEntry> formats = {{16, 4}, {32, 8}, {48, 24}};
    Render("missing", {{32, 8}, {48, 24}}, 32, 32, [](int x, int) { return x < 5 ? kRed : kBlue; });
    IconFile f = Save(out_.File("missing.ico"), formats, 0, 0);
    ASSERT_EQ(recorder.calls().size(), 1u);
    const MessageRecord &m = recorder.calls()[0];
    EXPECT_EQ(m.owner, (HWND) nullptr);
    EXPECT_EQ(m.caption, "");
    EXPECT_EQ(m.flags, (UINT)MB_OK);
    ASSERT_FALSE(m.text.empty());
    EXPECT_EQ(m.text.find_first_not_of("0123456789"), std::string::npos) << m.text;
    EXPECT_NE(m.text, "0");
    ASSERT_EQ(f.images.size(), 2u);
    EXPECT_EQ(f.images[0].info.width, 32);
    EXPECT_EQ(f.images[1].info.width, 48);
    // The rendered bitmaps are deleted once used.
    EXPECT_FALSE(FileExists(TempName("missing", {32, 8})));
    EXPECT_FALSE(FileExists(TempName("missing", {48, 24})));
}

TEST_F(SaveIconTest, TheSameFormatTwiceMeetsItsDeletedBitmap) {
    MessageRecorder recorder;
    std::vector<FormatEntry> formats = {{16, 4}, {16, 4}};
    Render("twice", {{16, 4}}, 16, 16, [](int, int) { return kRed; });
    IconFile f = Save(out_.File("twice.ico"), formats, 0, 0);
    EXPECT_EQ(recorder.calls().size(), 1u);
    EXPECT_EQ(f.images.size(), 1u);
}

TEST_F(SaveIconTest, NoFormatsWritesAnEmptyFile) {
    std::string ico = out_.File("empty.ico"), cur = out_.File("empty.cur");
    EXPECT_EQ(saveICON(nullptr, 1, 0, nullptr, ico.c_str(), 0, nullptr), 1);
    EXPECT_EQ(saveICON(nullptr, 1, 0, nullptr, cur.c_str(), 0, nullptr), 1);
    EXPECT_EQ(ReadFileBytes(ico), (std::vector<uint8_t>{0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(ReadFileBytes(cur), (std::vector<uint8_t>{0, 0, 2, 0, 0, 0}));
}

// The alpha is resampled as the colours are: stretched onto 16, 32 and 48
// pixels, the mask covers exactly the pixels whose colour came from hidden ones.
TEST_F(SaveIconTest, AlphaIsStretchedWithItsColours) {
    std::vector<FormatEntry> formats = {{16, 32}, {32, 32}, {48, 32}};
    auto hidden = [](int x, int y) { return (x * 7 + y * 3) % 5 == 0; };
    RenderWithAlpha("stretch", formats, 20, 20, [&](int x, int y) { return hidden(x, y) ? kRed : kGreen; },
                    [&](int x, int y) -> uint8_t { return hidden(x, y) ? 64 : 255; });
    IconFile f = Save(out_.File("stretch.ico"), formats, 0, 0);
    ASSERT_EQ(f.images.size(), 3u);
    for (const Image &img : f.images) {
        SCOPED_TRACE(img.info.width);
        int masked = 0;
        for (int y = 0; y < img.info.height; ++y)
            for (int x = 0; x < img.info.width; ++x) {
                ASSERT_EQ(img.Masked(x, y), img.Pixel(x, y) == kRed) << x << "," << y;
                ASSERT_EQ(img.Alpha(x, y), img.Masked(x, y) ? 64 : 255) << x << "," << y;
                masked += img.Masked(x, y);
            }
        EXPECT_GT(masked, 0);
    }
}

// Bitmaps without alpha (24 bits, or 32 bits whose fourth bytes are all 0)
// give the same images, and the transparent colour still applies on top of
// a picture's alpha.
TEST_F(SaveIconTest, PlainBitmapsAndTheTransparentColourWithAlpha) {
    std::vector<FormatEntry> formats = {{16, 4}, {32, 8}, {32, 24}, {32, 32}};
    auto picture = [](int x, int y) { return x < 10 ? kWhite : (y < 12 ? kRed : kBlue); };
    Render("plain", formats, 30, 30, picture);
    Save(out_.File("plain.ico"), formats, 1, 0);
    std::vector<uint8_t> plain = ReadFileBytes(out_.File("plain.ico"));
    RenderWithAlpha("plain", formats, 30, 30, picture, [](int, int) -> uint8_t { return 0; });
    Save(out_.File("plain.ico"), formats, 1, 0);
    std::vector<uint8_t> zero = ReadFileBytes(out_.File("plain.ico"));
    EXPECT_FALSE(plain.empty());
    EXPECT_TRUE(plain == zero);

    // Alpha hides the bottom rows; white is hidden by its colour.
    RenderWithAlpha("both", formats, 30, 30, picture, [](int, int y) -> uint8_t { return y >= 25 ? 0 : 255; });
    IconFile f = Save(out_.File("both.ico"), formats, 1, 0);
    ASSERT_EQ(f.images.size(), 4u);
    for (const Image &img : f.images) {
        SCOPED_TRACE(img.info.width * 100 + img.info.bitCount);
        int size = img.info.width;
        EXPECT_TRUE(img.Masked(0, 0));             // white
        EXPECT_TRUE(img.Masked(size - 1, size - 1));  // below the alpha's edge
        EXPECT_FALSE(img.Masked(size - 1, 0));       // red shows
        if (img.info.bitCount == 32) {
            EXPECT_EQ(img.Alpha(0, 0), 0);
            EXPECT_EQ(img.Alpha(size - 1, size - 1), 0);
            EXPECT_EQ(img.Alpha(size - 1, 0), 255);
        }
    }
}

// Cursors: the hot spot given for the largest image, scaled to each size,
// as the platform's loader finds it; the top-left corner when none is given.
TEST_F(SaveIconTest, CursorHotSpotWhereAskedOrAtTheCorner) {
    std::vector<FormatEntry> formats = {{16, 4}, {32, 8}, {48, 24}};
    struct Case {
        const char *text;
        POINT at16, at32, at48;
    } cases[] = {
        {"hotspot=47,24", {15, 8}, {31, 16}, {47, 24}},
        {"hotspot=6,45", {2, 15}, {4, 30}, {6, 45}},
        {"hotspot=200,1", {15, 0}, {31, 0}, {47, 1}},  // outside: kept on the last pixel
        {"", {0, 0}, {0, 0}, {0, 0}},
        {nullptr, {0, 0}, {0, 0}, {0, 0}},
        {"hotspot=garbage", {0, 0}, {0, 0}, {0, 0}},
    };
    int n = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text ? c.text : "(null)");
        Render("arrow", formats, 48, 48, [](int x, int y) { return x + y < 40 ? kBlack : kWhite; });
        std::string path = out_.File("arrow" + std::to_string(n++) + ".cur");
        // The name of the rendered bitmaps comes from the output's base name.
        for (const FormatEntry &fe : formats)
            MoveFileA(TempName("arrow", fe).c_str(), TempName(BaseName(path), fe).c_str());
        EXPECT_EQ(saveICON(nullptr, 1, 0, c.text, path.c_str(), 3, formats.data()), 1);
        IconFile f = ReadIconFile(path);
        ASSERT_EQ(f.dir.entries.size(), 3u);
        const POINT want[3] = {c.at16, c.at32, c.at48};
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(f.dir.entries[i].planes, want[i].x) << formats[i].size;
            EXPECT_EQ(f.dir.entries[i].bitCount, want[i].y) << formats[i].size;
            UniqueIcon cursor((HICON)LoadImageA(nullptr, path.c_str(), IMAGE_CURSOR, formats[i].size, formats[i].size,
                                                LR_LOADFROMFILE));
            ASSERT_TRUE(cursor) << formats[i].size;
            ICONINFO info;
            ASSERT_TRUE(GetIconInfo(cursor.get(), &info));
            UniqueBitmap colour(info.hbmColor), mask(info.hbmMask);
            EXPECT_FALSE(info.fIcon);
            EXPECT_EQ((LONG)info.xHotspot, want[i].x) << formats[i].size;
            EXPECT_EQ((LONG)info.yHotspot, want[i].y) << formats[i].size;
        }
        KeepForReadback(path, std::string("hotspot_") + std::to_string(n) + ".cur");
    }
    // The loader that takes a cursor file whole, at the size it chooses.
    HCURSOR loaded = LoadCursorFromFileA(out_.File("arrow0.cur").c_str());
    ASSERT_NE(loaded, nullptr);
    ICONINFO info;
    ASSERT_TRUE(GetIconInfo(loaded, &info));
    UniqueBitmap colour(info.hbmColor), mask(info.hbmMask);
    BITMAP bm = {};
    GetObjectA(info.hbmMask, sizeof bm, &bm);
    const POINT atSize = bm.bmWidth == 16 ? cases[0].at16 : bm.bmWidth == 32 ? cases[0].at32 : cases[0].at48;
    EXPECT_EQ((LONG)info.xHotspot, atSize.x) << bm.bmWidth;
    EXPECT_EQ((LONG)info.yHotspot, atSize.y) << bm.bmWidth;
    DestroyCursor(loaded);
}

// Every rendered bitmap is removed, also those of formats that make no image.
TEST_F(SaveIconTest, RenderedBitmapsAreRemovedWhateverBecomesOfThem) {
    MessageRecorder recorder;
    std::vector<FormatEntry> formats = {{16, 4}, {0, 8}, {32, 24}, {48, 7}};
    Render("gone", {{16, 4}, {0, 8}, {48, 7}}, 16, 16, [](int, int) { return kRed; });
    // Not a bitmap the loader takes.
    ASSERT_TRUE(WriteBytes(TempName("gone", {32, 24}), std::vector<uint8_t>(100, 'x')));
    IconFile f = Save(out_.File("gone.ico"), formats, 0, 0);
    EXPECT_EQ(f.images.size(), 1u);
    for (const FormatEntry &fe : formats) EXPECT_FALSE(FileExists(TempName("gone", fe))) << fe.size << "x" << fe.bits;
}

// The platform's own loader reads our file and agrees on the mask.
TEST_F(SaveIconTest, WinesLoaderReadsTheIconAndItsMask) {
    std::vector<FormatEntry> formats = {{16, 4}, {32, 8}, {32, 32}, {48, 24}};
    auto picture = [](int x, int y) { return (x + y) % 7 == 0 ? kWhite : RGB(0, 0, 128); };
    for (const FormatEntry &format : formats) {
        SCOPED_TRACE(format.size * 100 + format.bits);
        std::vector<FormatEntry> one = {format};
        Render("loader", one, format.size, format.size, picture);
        std::string path = out_.File("loader.ico");
        IconFile f = Save(path, one, 1, 0);
        ASSERT_EQ(f.images.size(), 1u);
        HICON icon = (HICON)LoadImageA(nullptr, path.c_str(), IMAGE_ICON, format.size, format.size, LR_LOADFROMFILE);
        ASSERT_NE(icon, (HICON) nullptr) << GetLastError();
        ICONINFO ii;
        ASSERT_TRUE(GetIconInfo(icon, &ii));
        BITMAP bm;
        GetObjectA(ii.hbmMask, sizeof bm, &bm);
        EXPECT_EQ(bm.bmWidth, format.size);
        EXPECT_EQ(bm.bmHeight, format.size);  // a colour icon keeps its mask apart
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, ii.hbmMask);
        for (int y = 0; y < format.size; ++y)
            for (int x = 0; x < format.size; ++x)
                ASSERT_EQ(GetPixel(dc, x, y) != 0, f.images[0].Masked(x, y)) << x << "," << y;
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(ii.hbmMask);
        DeleteObject(ii.hbmColor);
        DestroyIcon(icon);
    }
}

// An output path longer than the platform's 260 characters is refused whole:
// cut, it would name another file (here one without extension, a cursor).
TEST_F(SaveIconTest, AnOutputPathTooLongForThePlatformWritesNothing) {
    std::string path = out_.File(std::string(300 - out_.path().size() - 5, 'n') + ".ico");
    ASSERT_EQ(path.size(), 300u);
    EXPECT_EQ(saveICON(nullptr, 0, 0, nullptr, path.c_str(), 0, nullptr), 1);
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(out_.File("n*").c_str(), &found);
    EXPECT_EQ(find, INVALID_HANDLE_VALUE) << "written as " << found.cFileName;
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
}

}  // namespace
