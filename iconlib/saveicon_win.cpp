// saveICON: turns the rendered bitmaps of a conversion into the images of one
// icon or cursor file. Each bitmap is loaded by the platform's loader, read at
// its own depth, resampled by GDI onto the format's size and colour table,
// given its transparency mask (from the picture's own alpha when the bitmap
// carries one, and from the transparent colour), and deleted.
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "common/handles.h"
#include "common/paths.h"
#include "common/seams.h"
#include "iconlib/colortable_win.h"
#include "iconlib/hotspot.h"
#include "iconlib/icofile.h"
#include "iconlib/iconlib.h"

namespace {

// State kept between calls: the last output path and the last temporary name.
char g_lastOutputPath[MAX_PATH];
char g_lastTempName[MAX_PATH];

// A BITMAPINFO with room for a full 256-entry colour table.
struct BitmapInfo256 {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];

    BitmapInfo256(int width, int height, int bits) {
        memset(this, 0, sizeof(*this));
        header.biSize = sizeof(BITMAPINFOHEADER);
        header.biWidth = width;
        header.biHeight = height;  // bottom-up
        header.biPlanes = 1;
        header.biBitCount = (WORD)bits;
        header.biCompression = BI_RGB;
    }
    BITMAPINFO *get() { return reinterpret_cast<BITMAPINFO *>(this); }
};

// A picture read out of a device-dependent bitmap: header, table and pixels.
struct PackedPicture {
    std::unique_ptr<BitmapInfo256> info;
    std::vector<uint8_t> pixels;
};

// Bit depth and colour count of the packed form of a bitmap whose
// planes x bits-per-pixel is `depth`.
void PackedDepth(int depth, int *bits, int *colors) {
    if (depth > 16) {
        *bits = 24, *colors = 0;
    } else if (depth > 8) {
        *bits = 16, *colors = 0;
    } else if (depth > 4) {
        *bits = 8, *colors = 1 << depth;
    } else if (depth > 1) {
        *bits = 4, *colors = 1 << depth;
    } else {
        *bits = 1, *colors = 2;
    }
}

bool ReadAtOwnDepth(HBITMAP bitmap, PackedPicture *out) {
    BITMAP bm;
    if (!GetObjectA(bitmap, sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return false;
    int bits, colors;
    PackedDepth(bm.bmPlanes * bm.bmBitsPixel, &bits, &colors);
    out->info.reset(new BitmapInfo256(bm.bmWidth, bm.bmHeight, bits));
    if (colors && colors < (1 << bits)) out->info->header.biClrUsed = colors;
    size_t rowBytes = (((size_t)bm.bmWidth * bits + 31) / 32) * 4;
    out->pixels.assign(rowBytes * bm.bmHeight, 0);
    WindowDC screen(nullptr);
    return GetDIBits(screen.get(), bitmap, 0, bm.bmHeight, out->pixels.data(), out->info->get(),
                     DIB_RGB_COLORS) == bm.bmHeight;
}

// The colour table of a target picture at `bits`: the source's own table
// when it has the same depth, else the library's standard one.
void TargetColorTable(int bits, const PackedPicture &src, RGBQUAD *table) {
    int srcBits = src.info->header.biBitCount;
    if ((bits == 4 || bits == 8) && srcBits == bits)
        memcpy(table, src.info->colors, ((size_t)1 << bits) * sizeof(RGBQUAD));
    else
        StandardColorTable(bits, table);
}

// A DIB section selected into its own memory DC.
struct DibCanvas {
    UniqueMemDC dc;
    UniqueBitmap bitmap;
    void *bits = nullptr;
    HGDIOBJ old = nullptr;

    bool Create(BITMAPINFO *info) {
        WindowDC screen(nullptr);
        dc.reset(CreateCompatibleDC(screen.get()));
        bitmap.reset(CreateDIBSection(screen.get(), info, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (!dc || !bitmap || !bits) return false;
        old = SelectObject(dc.get(), bitmap.get());
        return true;
    }
    ~DibCanvas() {
        if (old) SelectObject(dc.get(), old);
    }
};

// Resamples `src` onto a size x size picture at `bits` in `dst`: a plain copy
// when the sizes agree, else a colour-on-colour stretch (no blending). GDI
// maps every pixel to the nearest entry of the target table.
bool Resample(const PackedPicture &src, int size, int bits, BitmapInfo256 *dstInfo, DibCanvas *dst) {
    DibCanvas source;
    if (!source.Create(src.info->get())) return false;
    memcpy(source.bits, src.pixels.data(), src.pixels.size());
    TargetColorTable(bits, src, dstInfo->colors);
    if (!dst->Create(dstInfo->get())) return false;
    int w = src.info->header.biWidth, h = src.info->header.biHeight;
    BOOL ok;
    if (w == size && h == size) {
        ok = BitBlt(dst->dc.get(), 0, 0, size, size, source.dc.get(), 0, 0, SRCCOPY);
    } else {
        SetStretchBltMode(dst->dc.get(), COLORONCOLOR);
        ok = StretchBlt(dst->dc.get(), 0, 0, size, size, source.dc.get(), 0, 0, w, h, SRCCOPY);
    }
    GdiFlush();
    return ok != FALSE;
}

bool IsTransparent(COLORREF pixel, COLORREF color) {
    if (color == 0) return pixel == 0xFFFFFF || pixel == 0xFEFEFE;
    return pixel == color;
}

// Hides pixel (x, y), y from the top: sets its mask bit and, with `blacken`,
// makes its colour black (index 0 in a 1-bit image; elsewhere the colour
// black, which at 4 and 8 bits selects the nearest table entry).
void HidePixel(DibCanvas *canvas, IconImageRecord *rec, const IconBlockLayout &layout, uint32_t x, uint32_t y,
               bool blacken) {
    uint32_t size = rec->width;
    rec->maskBits[MaskByteIndex(size, size, x, y)] |= MaskBitValue(x);
    if (!blacken) return;
    if (rec->bitDepth == 1) {
        GdiFlush();
        uint8_t *bits = static_cast<uint8_t *>(canvas->bits);
        bits[(size_t)(size - 1 - y) * layout.colorRowBytes + x / 8] &= (uint8_t)~MaskBitValue(x);
    } else {
        SetPixel(canvas->dc.get(), x, y, 0);
    }
}

// Marks the pixels of the transparent colour in the mask and blackens them;
// their entry in `alpha` (size x size, top row first) becomes 0.
void BuildMask(DibCanvas *canvas, IconImageRecord *rec, const IconBlockLayout &layout, COLORREF color,
               std::vector<uint8_t> *alpha) {
    uint32_t size = rec->width;
    for (uint32_t x = 0; x < size; ++x) {
        for (uint32_t y = 0; y < size; ++y) {
            if (!IsTransparent(GetPixel(canvas->dc.get(), x, y), color)) continue;
            HidePixel(canvas, rec, layout, x, y, true);
            (*alpha)[(size_t)y * size + x] = 0;
        }
    }
    GdiFlush();
}

// The alpha a rendered bitmap carries, if any: a 32-bit bitmap whose fourth
// bytes are not all zero (the conversion writes a picture's alpha there; a
// plain bitmap has none). Read through the platform's loader as a DIB
// section, which keeps the file's bytes, into a 24-bit grey picture of the
// bitmap's own size (the alpha in all three channels), so that it is
// resampled exactly as the colours are.
bool LoadAlphaPicture(const std::string &name, PackedPicture *out) {
    UniqueBitmap section(static_cast<HBITMAP>(
        LoadImageA(nullptr, name.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    DIBSECTION ds;
    if (!section || GetObjectA(section.get(), sizeof(ds), &ds) != sizeof(ds)) return false;
    const BITMAPINFOHEADER &h = ds.dsBmih;
    if (h.biBitCount != 32 || h.biCompression != BI_RGB || !ds.dsBm.bmBits || ds.dsBm.bmWidth <= 0 ||
        ds.dsBm.bmHeight <= 0 || ds.dsBm.bmWidthBytes < ds.dsBm.bmWidth * 4)
        return false;
    int width = ds.dsBm.bmWidth, height = ds.dsBm.bmHeight;
    out->info.reset(new BitmapInfo256(width, height, 24));
    size_t rowBytes = (((size_t)width * 24 + 31) / 32) * 4;
    out->pixels.assign(rowBytes * height, 0);
    const uint8_t *bits = static_cast<const uint8_t *>(ds.dsBm.bmBits);
    bool any = false;
    for (int row = 0; row < height; ++row) {
        // Both are bottom-up unless the section is top-down.
        int from = h.biHeight < 0 ? height - 1 - row : row;
        const uint8_t *src = bits + (size_t)from * ds.dsBm.bmWidthBytes;
        uint8_t *dst = &out->pixels[(size_t)row * rowBytes];
        for (int x = 0; x < width; ++x) {
            uint8_t a = src[4 * x + 3];
            any = any || a != 0;
            dst[3 * x] = dst[3 * x + 1] = dst[3 * x + 2] = a;
        }
    }
    return any;
}

// The picture's own alpha resampled onto size x size, top row first; false
// when the rendered bitmap carries none.
bool LoadResampledAlpha(const std::string &name, int size, std::vector<uint8_t> *alpha) {
    PackedPicture picture;
    if (!LoadAlphaPicture(name, &picture)) return false;
    BitmapInfo256 info(size, size, 24);
    DibCanvas canvas;
    if (!Resample(picture, size, 24, &info, &canvas)) return false;
    size_t rowBytes = (((size_t)size * 24 + 31) / 32) * 4;
    const uint8_t *bits = static_cast<const uint8_t *>(canvas.bits);
    alpha->resize((size_t)size * size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) (*alpha)[(size_t)y * size + x] = bits[(size_t)(size - 1 - y) * rowBytes + 3 * x];
    return true;
}

// Hides every pixel less than half opaque. Below 32 bits its colour becomes
// black, as for the transparent colour. A 32-bit image keeps the colour of a
// pixel that is partly opaque: its alpha, applied straight, shows it faintly
// where a black colour would darken every soft edge.
void MaskByAlpha(DibCanvas *canvas, IconImageRecord *rec, const IconBlockLayout &layout,
                 const std::vector<uint8_t> &alpha) {
    uint32_t size = rec->width;
    for (uint32_t y = 0; y < size; ++y) {
        for (uint32_t x = 0; x < size; ++x) {
            uint8_t a = alpha[(size_t)y * size + x];
            if (a >= 128) continue;
            HidePixel(canvas, rec, layout, x, y, rec->bitDepth != 32 || a == 0);
        }
    }
    GdiFlush();
}

// The fourth byte of every 32-bit pixel from `alpha` (size x size, top row first).
void PutAlphaBytes(DibCanvas *canvas, const IconImageRecord &rec, const IconBlockLayout &layout,
                   const std::vector<uint8_t> &alpha) {
    uint32_t size = rec.width;
    uint8_t *bits = static_cast<uint8_t *>(canvas->bits);
    for (uint32_t y = 0; y < size; ++y) {
        uint8_t *row = bits + (size_t)(size - 1 - y) * layout.colorRowBytes;
        for (uint32_t x = 0; x < size; ++x) row[4 * x + 3] = alpha[(size_t)y * size + x];
    }
}

// Builds one record from its rendered bitmap. False when the bitmap could
// not be loaded or read (the record is then left out of the file).
bool BuildImage(const FormatEntry &format, BOOL transparent, COLORREF color, const std::string &tempName,
                IconImageRecord *rec, std::vector<uint8_t> *block) {
    IconBlockLayout layout;
    if (format.size <= 0 || !ComputeIconBlockLayout(format.size, format.size, format.bits, &layout)) return false;
    memset(rec, 0, sizeof(*rec));
    rec->width = rec->height = format.size;
    rec->bitDepth = format.bits;
    block->assign(layout.blockSize, 0);
    BindRecordToBlock(rec, block->data(), layout);
    WriteBlockHeader(block->data(), format.size, format.size, format.bits);

    UniqueBitmap loaded(static_cast<HBITMAP>(LoadImageA(nullptr, tempName.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
    if (!loaded) {
        char text[16];
        snprintf(text, sizeof(text), "%d", (int)GetLastError());
        ShowMessage(nullptr, text, "", MB_OK);
        return false;
    }
    PackedPicture picture;
    if (!ReadAtOwnDepth(loaded.get(), &picture)) return false;
    loaded.reset();

    BitmapInfo256 dstInfo(format.size, format.size, format.bits);
    DibCanvas canvas;
    if (!Resample(picture, format.size, format.bits, &dstInfo, &canvas)) return false;
    memcpy(block->data() + kBitmapInfoHeaderSize, dstInfo.colors, 4 * layout.colorEntries);
    // The alpha of every pixel, top row first: the picture's own when the
    // bitmap carries one, else opaque; the transparent colour clears it.
    std::vector<uint8_t> alpha;
    if (LoadResampledAlpha(tempName, format.size, &alpha))
        MaskByAlpha(&canvas, rec, layout, alpha);
    else
        alpha.assign((size_t)format.size * format.size, 255);
    if (transparent) BuildMask(&canvas, rec, layout, color, &alpha);
    if (format.bits == 32) PutAlphaBytes(&canvas, *rec, layout, alpha);
    memcpy(rec->colorBits, canvas.bits, (size_t)layout.colorRowBytes * format.size);
    return true;
}

}  // namespace

extern "C" int WINAPI saveICON(HWND owner, int transparent, COLORREF color, const char *reserved,
                               const char *outputPath, int count, const FormatEntry *formats) {
    if (!outputPath) return 1;
    // A path the platform cannot take whole is refused: cut, it names another file.
    if (strnlen(outputPath, MAX_PATH) >= MAX_PATH) return 1;
    CopyBounded(g_lastOutputPath, sizeof(g_lastOutputPath), outputPath);
    std::string temp = TempFolder();
    std::string base = BaseName(outputPath);

    // A cursor's hot spot, given in the text argument for the largest image;
    // (0, 0), the top-left corner, when none is given.
    int hotX, hotY;
    ParseHotspotText(reserved, &hotX, &hotY);
    int largest = LargestFormatSize(formats, count);

    std::vector<IconImageRecord> records;
    std::vector<std::vector<uint8_t>> blocks;
    for (int i = 0; i < count && formats; ++i) {
        char name[3 * MAX_PATH];
        snprintf(name, sizeof(name), "%s\\%s_%d_%d.bmp", temp.c_str(), base.c_str(), formats[i].size,
                 formats[i].bits);
        CollapseBackslashesInPlace(name);
        CopyBounded(g_lastTempName, sizeof(g_lastTempName), name);
        IconImageRecord rec;
        std::vector<uint8_t> block;
        bool built = BuildImage(formats[i], transparent, color, name, &rec, &block);
        DeleteFileA(name);  // used once, whether or not it made an image
        if (!built) continue;
        ScaleHotspot(hotX, hotY, largest, formats[i].size, &rec.hotspotX, &rec.hotspotY);
        records.push_back(rec);
        blocks.push_back(std::move(block));  // the vector's buffer moves, rec's pointers stay valid
    }

    // The set is one contiguous allocation: a count followed by the records.
    std::vector<uint8_t> setMemory(offsetof(IconSet, images) + sizeof(IconImageRecord) * (records.empty() ? 1 : records.size()));
    IconSet *set = reinterpret_cast<IconSet *>(setMemory.data());
    set->count = (uint32_t)records.size();
    if (!records.empty()) memcpy(set->images, records.data(), sizeof(IconImageRecord) * records.size());
    WriteIconToICOFile(set, g_lastOutputPath);
    return 1;
}
