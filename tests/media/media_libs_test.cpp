// GYmpeg.dll and Qcrw.dll taken as the suite takes them (LoadLibrary, then
// the entries by ordinal), on clips and raw files made at test time from
// known colours (make_media.sh). Frame bitmaps are read back by Wine's own
// loader; raw pictures are parsed from the PNM they come in.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "common/handles.h"
#include "contracts/gympeg.h"
#include "contracts/qcrw.h"
#include "tests/common/testutil_win.h"
#include "tests/media/media_fixtures.h"

namespace {

std::string Input(const std::string &name) { return MediaInput(name); }

// A window that records the progress commands GYmpeg sends it.
std::vector<LPARAM> g_progress;
LRESULT CALLBACK ProgressProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == 40) g_progress.push_back(lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}
HWND ProgressWindow() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ProgressProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "MediaTestProgress";
    RegisterClassA(&wc);
    return CreateWindowExA(0, "MediaTestProgress", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
}

class MpegLibraryTest : public ::testing::Test {
protected:
    MpegLibraryTest() : temp_("gympeg-temp"), tempScope_(temp_.path() + "\\"), library_(LoadLibraryA("GYmpeg.dll")) {}
    int Extract(const std::string &clip, HWND progress = nullptr) {
        ExtractMpegFramesProc extract =
            library_ ? (ExtractMpegFramesProc)GetProcAddress(library_.get(), MAKEINTRESOURCEA(1)) : nullptr;
        EXPECT_NE(extract, nullptr);
        return extract ? extract(Input(clip).c_str(), progress) : -1;
    }
    ScratchDir temp_;
    TempFolderScope tempScope_;
    UniqueModule library_;
};

// Every clip kind gives its four frames, in display order, under both
// names, at the clip's picture size (72 x 40 is not whole macroblocks).
TEST_F(MpegLibraryTest, FramesOfEveryClipKindUnderBothNames) {
    const struct {
        const char *clip, *base;
        int width, height;
    } clips[] = {{"clip1.mpg", "clip1", 64, 48},
                 {"clip2.mpeg", "clip2", 72, 40},
                 {"clip3.m2v", "clip3", 64, 48},
                 {"clip4.m1v", "clip4", 64, 48}};
    for (const auto &c : clips) {
        SCOPED_TRACE(c.clip);
        ASSERT_EQ(Extract(c.clip), 4);
        for (int i = 0; i < 4; ++i) {
            char own[64], shared[64];
            snprintf(own, sizeof own, "GY%s_%04d.bmp", c.base, i);
            snprintf(shared, sizeof shared, "GY_%04d.bmp", i);
            for (const char *name : {own, shared}) {
                UniqueBitmap bmp((HBITMAP)LoadImageA(nullptr, temp_.File(name).c_str(), IMAGE_BITMAP, 0, 0,
                                                     LR_LOADFROMFILE | LR_CREATEDIBSECTION));
                ASSERT_TRUE(bmp) << name;
                BITMAP bm = {};
                GetObjectA(bmp.get(), sizeof bm, &bm);
                EXPECT_EQ(bm.bmWidth, c.width) << name;
                EXPECT_EQ(bm.bmHeight, c.height) << name;
                EXPECT_EQ(bm.bmBitsPixel, 24) << name;
                for (POINT p : {POINT{c.width / 2, c.height / 2}, POINT{2, 2}, POINT{c.width - 3, c.height - 3}})
                    EXPECT_TRUE(Near(BitmapPixel(bmp.get(), p.x, p.y), kFrameColours[i], 24))
                        << name << " at " << p.x << "," << p.y;
            }
        }
        EXPECT_FALSE(FileExists(temp_.File(std::string("GY") + c.base + "_0004.bmp")));
    }
}

TEST_F(MpegLibraryTest, ProgressMovesUpToTheWholeClip) {
    HWND window = ProgressWindow();
    ASSERT_NE(window, nullptr);
    g_progress.clear();
    EXPECT_EQ(Extract("clip1.mpg", window), 4);
    DestroyWindow(window);
    ASSERT_GE(g_progress.size(), 2u);
    EXPECT_EQ(g_progress.front(), 0);
    EXPECT_EQ(g_progress.back(), 100);
    for (size_t i = 1; i < g_progress.size(); ++i) EXPECT_GE(g_progress[i], g_progress[i - 1]);
    // A handle that is no window is not written to.
    EXPECT_EQ(Extract("clip4.m1v", (HWND)(INT_PTR)0x1234), 4);
}

// Files that are no clip, a clip cut before its first frame, a missing file:
// no frame, and no frame file left behind.
TEST_F(MpegLibraryTest, WhatIsNoClipGivesNoFrame) {
    for (const char *clip : {"broken.mpg", "cut.mpg", "no-such-clip.mpg", "quad.dng"}) {
        EXPECT_EQ(Extract(clip), 0) << clip;
        EXPECT_FALSE(FileExists(temp_.File("GY_0000.bmp"))) << clip;
    }
    ExtractMpegFramesProc extract = (ExtractMpegFramesProc)GetProcAddress(library_.get(), MAKEINTRESOURCEA(1));
    ASSERT_NE(extract, nullptr);
    EXPECT_EQ(extract(nullptr, nullptr), 0);
    EXPECT_EQ(extract("", nullptr), 0);
}

// A PNM picture as Qcrw returns it.
struct Pnm {
    int width = 0, height = 0, colors = 0;
    std::vector<uint8_t> pixels;
    COLORREF At(int x, int y) const {
        const uint8_t *p = &pixels[((size_t)y * width + x) * colors];
        return colors == 3 ? RGB(p[0], p[1], p[2]) : RGB(p[0], p[0], p[0]);
    }
};
bool ParsePnm(const BYTE *blob, LONG length, Pnm *out) {
    std::string text((const char *)blob, (size_t)std::min<LONG>(length, 64));
    char kind = 0;
    int max = 0, used = 0;
    if (sscanf(text.c_str(), "P%c %d %d %d%n", &kind, &out->width, &out->height, &max, &used) != 4) return false;
    out->colors = kind == '6' ? 3 : kind == '5' ? 1 : 0;
    size_t start = (size_t)used + 1, size = (size_t)out->width * out->height * out->colors;
    if (!out->colors || max != 255 || start + size != (size_t)length) return false;
    out->pixels.assign(blob + start, blob + start + size);
    return true;
}

class RawLibraryTest : public ::testing::Test {
protected:
    RawLibraryTest() : library_(LoadLibraryA("Qcrw.dll")) {}
    void SetUp() override {
        ASSERT_TRUE(library_);
        byArgs_ = (DecodeRawPictureProc)GetProcAddress(library_.get(), MAKEINTRESOURCEA(1));
        wbz_ = (DecodeRawPathProc)GetProcAddress(library_.get(), MAKEINTRESOURCEA(2));
        wb1_ = (DecodeRawPathProc)GetProcAddress(library_.get(), MAKEINTRESOURCEA(3));
        free_ = (FreeRawBlobProc)GetProcAddress(library_.get(), "FreeRawBlob");
        ASSERT_TRUE(byArgs_ && wbz_ && wb1_ && free_);
    }
    // Ordinal 1 with "-h" (half) or without.
    LONG Decode(const std::string &file, bool half, BYTE **blob) {
        std::string path = Input(file);
        const char *half_[] = {"Glyphery", "-h", path.c_str(), nullptr};
        const char *whole[] = {"Glyphery", path.c_str(), nullptr};
        return half ? byArgs_(3, half_, blob) : byArgs_(2, whole, blob);
    }
    UniqueModule library_;
    DecodeRawPictureProc byArgs_ = nullptr;
    DecodeRawPathProc wbz_ = nullptr, wb1_ = nullptr;
    FreeRawBlobProc free_ = nullptr;
};

// The mosaic's quarters come back in their colours, at half size with "-h"
// and whole through every entry; the block is the caller's to free.
TEST_F(RawLibraryTest, MosaicColoursAtHalfAndWholeSize) {
    const struct {
        const char *what;
        std::function<LONG(BYTE **)> call;
        int width, height;
    } calls[] = {
        {"ordinal 1 -h", [&](BYTE **b) { return Decode("quad.dng", true, b); }, 32, 24},
        {"ordinal 1", [&](BYTE **b) { return Decode("quad.dng", false, b); }, 64, 48},
        {"ordinal 2", [&](BYTE **b) { return wbz_(Input("quad.wbz").c_str(), 0, b); }, 64, 48},
        {"ordinal 3", [&](BYTE **b) { return wb1_(Input("quad.wb1").c_str(), 0, b); }, 64, 48},
    };
    const COLORREF quarters[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 255)};
    for (const auto &c : calls) {
        SCOPED_TRACE(c.what);
        BYTE *blob = nullptr;
        LONG length = c.call(&blob);
        ASSERT_GT(length, 0);
        ASSERT_NE(blob, nullptr);
        EXPECT_EQ(blob[0], 'P');
        Pnm pnm;
        EXPECT_TRUE(ParsePnm(blob, length, &pnm));
        free_(blob);
        EXPECT_EQ(pnm.width, c.width);
        EXPECT_EQ(pnm.height, c.height);
        if (pnm.width != c.width || pnm.height != c.height) continue;
        for (int q = 0; q < 4; ++q) {
            int x = (q % 2) * c.width / 2 + c.width / 4, y = (q / 2) * c.height / 2 + c.height / 4;
            EXPECT_TRUE(Near(pnm.At(x, y), quarters[q], 40)) << "quarter " << q;
        }
    }
    // The process heap's own call frees a block too, from any module.
    BYTE *blob = nullptr;
    ASSERT_GT(Decode("quad.dng", true, &blob), 0);
    EXPECT_TRUE(HeapFree(GetProcessHeap(), 0, blob));
    free_(nullptr);
}

// The raw extensions of current cameras hold the same data: each decodes.
TEST_F(RawLibraryTest, TheSameMosaicUnderOtherRawNames) {
    for (const char *name : {"quad.nef", "quad.arw", "quad.raf", "quad.rw2", "quad.pef", "quad.srw", "quad.CRW"}) {
        BYTE *blob = nullptr;
        LONG length = Decode(name, true, &blob);
        EXPECT_GT(length, 0) << name;
        free_(blob);
    }
}

// What is no raw picture, or a cut one, is refused: no length, no block.
TEST_F(RawLibraryTest, BrokenRawFilesAreRefused) {
    for (const char *name : {"broken.nef", "cut.dng", "no-such.dng", "clip1.mpg"}) {
        BYTE *blob = (BYTE *)1;
        EXPECT_EQ(Decode(name, true, &blob), 0) << name;
        EXPECT_EQ(blob, nullptr) << name;
        blob = (BYTE *)1;
        EXPECT_EQ(wbz_(Input(name).c_str(), 0, &blob), 0) << name;
        EXPECT_EQ(blob, nullptr) << name;
    }
    const char *noFile[] = {"Glyphery", "-h", nullptr};
    BYTE *blob = nullptr;
    EXPECT_EQ(byArgs_(2, noFile, &blob), 0);
    EXPECT_EQ(byArgs_(3, nullptr, &blob), 0);
    EXPECT_EQ(wb1_(nullptr, 0, &blob), 0);
    EXPECT_EQ(blob, nullptr);
}

}  // namespace
