// GYdib: DIBs made from bitmaps and windows, written, read back by Wine's
// loader and by our reader, measured, and turned into icon images.
#include <gtest/gtest.h>

#include <cstring>

#include "common/handles.h"
#include "contracts/gydib.h"
#include "iconlib/icofile.h"
#include "iconlib/iconlib.h"
#include "tests/common/testutil_win.h"

namespace {

COLORREF Pattern(int x, int y) { return RGB(x * 20, y * 30, (x + y) * 10); }

// A 24-bit bitmap of the pattern (a DIB section, as the suite's pictures are).
HBITMAP PatternBitmap(int w, int h) {
    BITMAPINFOHEADER bi = {};
    bi.biSize = sizeof(bi), bi.biWidth = w, bi.biHeight = h, bi.biPlanes = 1, bi.biBitCount = 24;
    void *bits = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, (BITMAPINFO *)&bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    uint8_t *p = (uint8_t *)bits;
    int row = ((w * 24 + 31) / 32) * 4;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            COLORREF c = Pattern(x, y);
            uint8_t *px = p + (h - 1 - y) * row + 3 * x;
            px[0] = GetBValue(c), px[1] = GetGValue(c), px[2] = GetRValue(c);
        }
    return bmp;
}

COLORREF DibPixel24(const char *dib, int x, int y) {
    const BITMAPINFOHEADER *h = (const BITMAPINFOHEADER *)dib;
    const uint8_t *bits = (const uint8_t *)FindDIBBits((LPSTR)dib);
    int row = ((h->biWidth * 24 + 31) / 32) * 4;
    const uint8_t *px = bits + (h->biHeight - 1 - y) * row + 3 * x;
    return RGB(px[2], px[1], px[0]);
}

struct Locked {
    explicit Locked(HDIB d) : dib(d), p((char *)GlobalLock(d)) {}
    ~Locked() { GlobalUnlock(dib); }
    HDIB dib;
    char *p;
};

TEST(GYdib, HeaderMeasures) {
    // Header, room for a table, a few pixels.
    std::vector<char> block(2048);
    BITMAPINFOHEADER &h = *(BITMAPINFOHEADER *)block.data();
    h.biSize = sizeof(h), h.biWidth = 4, h.biHeight = 4, h.biPlanes = 1, h.biBitCount = 8;
    EXPECT_EQ(DIBNumColors((LPSTR)&h), 256);
    EXPECT_EQ(PaletteSize((LPSTR)&h), 1024);
    EXPECT_EQ(FindDIBBits((LPSTR)&h) - block.data(), 40 + 1024);
    h.biClrUsed = 16;
    EXPECT_EQ(PaletteSize((LPSTR)&h), 64);
    h.biClrUsed = 0, h.biBitCount = 1;
    EXPECT_EQ(DIBNumColors((LPSTR)&h), 2);
    h.biBitCount = 24;
    EXPECT_EQ(PaletteSize((LPSTR)&h), 0);
    h.biBitCount = 32, h.biCompression = BI_BITFIELDS;
    EXPECT_EQ(FindDIBBits((LPSTR)&h) - block.data(), 40 + 12);  // the three masks
    BITMAPCOREHEADER core = {sizeof(core), 4, 4, 1, 4};
    EXPECT_EQ(PaletteSize((LPSTR)&core), 16 * 3);
}

TEST(GYdib, BitmapToDibSaveAndReadBack) {
    ScratchDir dir("gydib");
    UniqueBitmap bmp(PatternBitmap(7, 5));
    UniqueGlobal dib(BitmapToDIB(bmp.get(), nullptr));
    ASSERT_TRUE(dib);
    {
        Locked l(dib.get());
        const BITMAPINFOHEADER *h = (const BITMAPINFOHEADER *)l.p;
        EXPECT_EQ(h->biWidth, 7);
        EXPECT_EQ(h->biHeight, 5);
        EXPECT_EQ(h->biBitCount, 24);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x) EXPECT_EQ(DibPixel24(l.p, x, y), Pattern(x, y));
    }
    std::string path = dir.File("pattern.bmp");
    ASSERT_TRUE(SaveDIB(dib.get(), path.c_str()));
    // Wine's loader reads the same pixels.
    UniqueBitmap loaded((HBITMAP)LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    ASSERT_TRUE(loaded);
    UniqueMemDC dc(CreateCompatibleDC(nullptr));
    {
        SelectObjectScope s(dc.get(), loaded.get());
        EXPECT_EQ(GetPixel(dc.get(), 6, 4), Pattern(6, 4));
        EXPECT_EQ(GetPixel(dc.get(), 3, 1), Pattern(3, 1));
    }
    // Our reader gives back the block that was written.
    UniqueGlobal back(ReadBmpFile(path.c_str()));
    ASSERT_TRUE(back);
    Locked a(dib.get()), b(back.get());
    ASSERT_EQ(GlobalSize(back.get()), 40u + 24 * 5);
    EXPECT_EQ(0, memcmp(a.p + 40, b.p + 40, 24 * 5));
    EXPECT_EQ(ReadBmpFile(dir.File("none.bmp").c_str()), nullptr);
    EXPECT_FALSE(SaveDIB(dib.get(), dir.File("no\\such\\folder.bmp").c_str()));
}

TEST(GYdib, LowerDepthsThroughDibFromBitmapAndWriteDibEx) {
    ScratchDir dir("gydib-depth");
    UniqueBitmap bmp(PatternBitmap(9, 6));
    for (WORD bits : {1, 4, 8, 16, 32}) {
        UniqueGlobal dib(DIBFromBitmap(bmp.get(), BI_RGB, bits, nullptr));
        ASSERT_TRUE(dib) << bits;
        Locked l(dib.get());
        EXPECT_EQ(((BITMAPINFOHEADER *)l.p)->biBitCount, bits);
        EXPECT_EQ(PaletteSize(l.p), bits <= 8 ? 4 << bits : 0);
    }
    EXPECT_EQ(DIBFromBitmap(bmp.get(), BI_RLE8, 8, nullptr), nullptr);
    UniqueGlobal dib(BitmapToDIB(bmp.get(), nullptr));
    std::string path = dir.File("eight.bmp");
    ASSERT_TRUE(WriteDIBEx(path.c_str(), dib.get(), 8, 0));
    std::vector<uint8_t> bytes = ReadFileBytes(path);
    ASSERT_GT(bytes.size(), 54u);
    EXPECT_EQ(bytes[28], 8);  // bit count in the written header
    UniqueBitmap loaded((HBITMAP)LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    ASSERT_TRUE(loaded);
    BITMAP bm;
    GetObjectA(loaded.get(), sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 9);
    ASSERT_TRUE(WriteDIBEx(dir.File("same.bmp").c_str(), dib.get(), 0, 0));
    EXPECT_EQ(ReadFileBytes(dir.File("same.bmp")).size(), 54u + 28 * 6);
}

TEST(GYdib, DibToIconImageMakesAnIconWineLoads) {
    UniqueBitmap bmp(PatternBitmap(32, 32));
    std::string out = TestOutputDir("conversion") + "\\gydib_icon.ico";
    for (WORD bits : {4, 8, 24, 32}) {
        UniqueGlobal dib(DIBFromBitmap(bmp.get(), BI_RGB, bits, nullptr));
        IconImageRecord rec;
        ASSERT_TRUE(DIBToIconImage(&rec, dib.get(), 0)) << bits;
        EXPECT_EQ(rec.width, 32u);
        EXPECT_EQ(rec.height, 32u);
        EXPECT_EQ(rec.bitDepth, bits);
        IconBlockLayout layout;
        ComputeIconBlockLayout(32, 32, bits, &layout);
        EXPECT_EQ(rec.blockSize, layout.blockSize);
        EXPECT_EQ(rec.header, rec.block);
        EXPECT_EQ(((BITMAPINFOHEADER *)rec.header)->biHeight, 64);
        {
            Locked l(dib.get());
            EXPECT_EQ(0, memcmp(rec.colorBits, FindDIBBits(l.p), layout.colorRowBytes * 32));
        }
        std::vector<uint8_t> setMemory(sizeof(IconSet));
        IconSet *set = (IconSet *)setMemory.data();
        set->count = 1;
        set->images[0] = rec;
        WriteIconToICOFile(set, out.c_str());
        HeapFree(GetProcessHeap(), 0, rec.block);
        UniqueIcon icon((HICON)LoadImageA(nullptr, out.c_str(), IMAGE_ICON, 32, 32, LR_LOADFROMFILE));
        EXPECT_TRUE(icon) << bits;
    }
    // A 16-bit DIB goes through GDI to 24 bits.
    UniqueGlobal dib16(DIBFromBitmap(bmp.get(), BI_RGB, 16, nullptr));
    IconImageRecord rec;
    ASSERT_TRUE(DIBToIconImage(&rec, dib16.get(), 0));
    EXPECT_EQ(rec.bitDepth, 24u);
    HeapFree(GetProcessHeap(), 0, rec.block);
}

// A DIB with a plane count other than 1, in a block as large as the header
// measured it (header and table, no pixels for 0 planes): refused, never
// read past its end.
TEST(GYdib, DibsWithPlaneCountsOtherThanOneAreRefused) {
    struct Case {
        WORD planes, bits;
    } cases[] = {{0, 8}, {0xFFFF, 0xFFFF}};
    ScratchDir dir("gydib-planes");
    for (const Case &c : cases) {
        UniqueGlobal dib(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(BITMAPINFOHEADER) + 1024));
        ASSERT_TRUE(dib);
        {
            Locked l(dib.get());
            BITMAPINFOHEADER &h = *(BITMAPINFOHEADER *)l.p;
            h.biSize = sizeof(h), h.biWidth = 32, h.biHeight = 32, h.biPlanes = c.planes, h.biBitCount = c.bits;
        }
        IconImageRecord rec = {};
        EXPECT_FALSE(DIBToIconImage(&rec, dib.get(), 0)) << c.planes << " planes";
        EXPECT_FALSE(SaveDIB(dib.get(), dir.File("planes.bmp").c_str())) << c.planes;
    }
}

TEST(GYdib, SystemPaletteAndWindowCopy) {
    UniquePalette palette(GetSystemPalette());
    ASSERT_TRUE(palette);
    PALETTEENTRY entries[256];
    EXPECT_GE(GetPaletteEntries(palette.get(), 0, 256, entries), 20u);

    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 100, 100, 60, 40, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(window);
    {
        WindowDC dc(window);
        UniqueHandle<HGDIOBJ, GdiObjectTraits> brush(CreateSolidBrush(RGB(200, 30, 90)));
        RECT r = {0, 0, 60, 40};
        FillRect(dc.get(), &r, (HBRUSH)brush.get());
        GdiFlush();
    }
    UniqueGlobal dib(CopyWindowToDIB(window, 2));
    ASSERT_TRUE(dib);
    Locked l(dib.get());
    const BITMAPINFOHEADER *h = (const BITMAPINFOHEADER *)l.p;
    EXPECT_EQ(h->biWidth, 60);
    EXPECT_EQ(h->biHeight, 40);
    EXPECT_GE(h->biBitCount, 24);
    DestroyWindow(window);
    EXPECT_EQ(CopyWindowToDIB(nullptr, 2), nullptr);
}

}  // namespace
