// GYdib: packed DIBs made from bitmaps and windows, written to and read from
// .bmp files, and turned into icon images.
#include <cstring>
#include <memory>
#include <vector>

#include "common/handles.h"
#include "contracts/gydib.h"
#include "conversion/bmpfile.h"
#include "iconlib/icofile.h"

namespace {

const DWORD kCoreHeaderSize = sizeof(BITMAPCOREHEADER);

// Locks a DIB for one scope.
class LockedDib {
public:
    explicit LockedDib(HDIB dib) : dib_(dib), p_(dib ? static_cast<char *>(GlobalLock(dib)) : nullptr) {}
    ~LockedDib() {
        if (p_) GlobalUnlock(dib_);
    }
    LockedDib(const LockedDib &) = delete;
    LockedDib &operator=(const LockedDib &) = delete;
    char *get() const { return p_; }
    BITMAPINFOHEADER *header() const { return reinterpret_cast<BITMAPINFOHEADER *>(p_); }
    size_t size() const { return p_ ? GlobalSize(dib_) : 0; }

private:
    HDIB dib_;
    char *p_;
};

bool IsCore(const char *header) { return reinterpret_cast<const BITMAPINFOHEADER *>(header)->biSize == kCoreHeaderSize; }

uint64_t RowBytes(int64_t width, int bits) { return (((uint64_t)width * bits + 31) / 32) * 4; }

// The bit count a bitmap's depth is stored at.
WORD StoredDepth(const BITMAP &bm) {
    int depth = bm.bmPlanes * bm.bmBitsPixel;
    if (depth <= 1) return 1;
    if (depth <= 4) return 4;
    if (depth <= 8) return 8;
    if (depth <= 16) return 16;
    if (depth <= 24) return 24;
    return 32;
}

// The whole size of a DIB block from its header: header, table, pixels.
// Every DIB has one plane; any other count is refused (the pixel rows are
// laid out by the bit count alone, so a plane count of 0 would measure a
// block without pixels). All products are taken in 64 bits.
bool BlockSize(const char *header, size_t available, size_t *out) {
    if (available < kCoreHeaderSize) return false;
    const BITMAPINFOHEADER *h = reinterpret_cast<const BITMAPINFOHEADER *>(header);
    uint64_t pixels;
    if (IsCore(header)) {
        const BITMAPCOREHEADER *c = reinterpret_cast<const BITMAPCOREHEADER *>(header);
        if (c->bcPlanes != 1) return false;
        pixels = RowBytes(c->bcWidth, c->bcBitCount) * c->bcHeight;
    } else {
        if (available < sizeof(BITMAPINFOHEADER) || h->biSize < sizeof(BITMAPINFOHEADER)) return false;
        if (h->biPlanes != 1) return false;
        if (h->biCompression == BI_RGB || h->biCompression == BI_BITFIELDS) {
            int64_t height = h->biHeight < 0 ? -(int64_t)h->biHeight : h->biHeight;
            pixels = RowBytes(h->biWidth < 0 ? 0 : h->biWidth, h->biBitCount) * (uint64_t)height;
        } else {
            pixels = h->biSizeImage;
        }
    }
    uint64_t total = (uint64_t)h->biSize + PaletteSize(const_cast<LPSTR>(header)) + pixels;
    if (total > available) return false;
    *out = (size_t)total;
    return true;
}

// Reads a bitmap into a new DIB at `bits` (its own depth when 0).
HDIB MakeDib(HBITMAP bitmap, WORD bits, HPALETTE palette) {
    BITMAP bm;
    if (!bitmap || !GetObjectA(bitmap, sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return nullptr;
    if (bits == 0) bits = StoredDepth(bm);
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return nullptr;
    uint32_t colors = bits <= 8 ? 1u << bits : 0;
    uint64_t pixelBytes = RowBytes(bm.bmWidth, bits) * (uint64_t)bm.bmHeight;
    uint64_t total = sizeof(BITMAPINFOHEADER) + 4ull * colors + pixelBytes;
    if (total > 0x40000000) return nullptr;
    UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, (SIZE_T)total));
    if (!memory) return nullptr;
    LockedDib dib(memory.get());
    if (!dib.get()) return nullptr;
    BITMAPINFOHEADER *h = dib.header();
    h->biSize = sizeof(BITMAPINFOHEADER);
    h->biWidth = bm.bmWidth;
    h->biHeight = bm.bmHeight;
    h->biPlanes = 1;
    h->biBitCount = bits;
    h->biCompression = BI_RGB;
    h->biSizeImage = (DWORD)pixelBytes;
    WindowDC screen(nullptr);
    HPALETTE old = nullptr;
    if (palette) {
        old = SelectPalette(screen.get(), palette, FALSE);
        RealizePalette(screen.get());
    }
    int rows = GetDIBits(screen.get(), bitmap, 0, bm.bmHeight, FindDIBBits(dib.get()),
                         reinterpret_cast<BITMAPINFO *>(h), DIB_RGB_COLORS);
    if (old) SelectPalette(screen.get(), old, FALSE);
    // GetDIBits fills the header's fields again; keep it a plain bottom-up DIB.
    h->biClrUsed = 0;
    h->biClrImportant = 0;
    h->biCompression = BI_RGB;
    if (rows != bm.bmHeight) return nullptr;
    return memory.release();
}

// A device-dependent bitmap of a DIB (for changing its depth through GDI).
HBITMAP BitmapOfDib(const char *dib) {
    WindowDC screen(nullptr);
    const BITMAPINFOHEADER *h = reinterpret_cast<const BITMAPINFOHEADER *>(dib);
    int width = IsCore(dib) ? reinterpret_cast<const BITMAPCOREHEADER *>(dib)->bcWidth : h->biWidth;
    int height = IsCore(dib) ? reinterpret_cast<const BITMAPCOREHEADER *>(dib)->bcHeight : h->biHeight;
    if (height < 0) height = -height;
    void *bits = nullptr;
    BITMAPINFOHEADER target = {};
    target.biSize = sizeof(target);
    target.biWidth = width;
    target.biHeight = height;
    target.biPlanes = 1;
    target.biBitCount = 32;
    target.biCompression = BI_RGB;
    UniqueBitmap section(CreateDIBSection(screen.get(), reinterpret_cast<BITMAPINFO *>(&target), DIB_RGB_COLORS,
                                          &bits, nullptr, 0));
    if (!section) return nullptr;
    int rows = SetDIBits(screen.get(), section.get(), 0, height, FindDIBBits(const_cast<LPSTR>(dib)),
                         reinterpret_cast<const BITMAPINFO *>(dib), DIB_RGB_COLORS);
    if (rows != height) return nullptr;
    return section.release();
}

bool WriteAll(HANDLE file, const void *data, size_t size) {
    DWORD done = 0;
    return WriteFile(file, data, (DWORD)size, &done, nullptr) && done == size;
}

}  // namespace

extern "C" {

WORD WINAPI DIBNumColors(LPSTR header) {
    if (!header) return 0;
    if (IsCore(header)) {
        WORD bits = reinterpret_cast<BITMAPCOREHEADER *>(header)->bcBitCount;
        return bits <= 8 ? (WORD)(1u << bits) : 0;
    }
    const BITMAPINFOHEADER *h = reinterpret_cast<const BITMAPINFOHEADER *>(header);
    if (h->biClrUsed != 0) return h->biClrUsed > 0xFFFF ? 0xFFFF : (WORD)h->biClrUsed;
    return h->biBitCount <= 8 ? (WORD)(1u << h->biBitCount) : 0;
}

WORD WINAPI PaletteSize(LPSTR header) {
    if (!header) return 0;
    if (IsCore(header)) return (WORD)(DIBNumColors(header) * sizeof(RGBTRIPLE));
    const BITMAPINFOHEADER *h = reinterpret_cast<const BITMAPINFOHEADER *>(header);
    // The three colour masks of a bit-field DIB sit where a table would.
    uint32_t masks = (h->biSize == sizeof(BITMAPINFOHEADER) && h->biCompression == BI_BITFIELDS) ? 12 : 0;
    uint32_t bytes = DIBNumColors(header) * (uint32_t)sizeof(RGBQUAD) + masks;
    return bytes > 0xFFFF ? 0xFFFF : (WORD)bytes;
}

LPSTR WINAPI FindDIBBits(LPSTR header) {
    if (!header) return nullptr;
    return header + reinterpret_cast<BITMAPINFOHEADER *>(header)->biSize + PaletteSize(header);
}

HDIB WINAPI BitmapToDIB(HBITMAP bitmap, HPALETTE palette) { return MakeDib(bitmap, 0, palette); }

HDIB WINAPI DIBFromBitmap(HBITMAP bitmap, DWORD compression, WORD bitCount, HPALETTE palette) {
    if (compression != BI_RGB) return nullptr;
    return MakeDib(bitmap, bitCount, palette);
}

BOOL WINAPI SaveDIB(HDIB dib, const char *path) {
    if (!dib || !path) return FALSE;
    LockedDib locked(dib);
    size_t size;
    if (!locked.get() || !BlockSize(locked.get(), locked.size(), &size)) return FALSE;
    size_t headerAndTable = (size_t)(FindDIBBits(locked.get()) - locked.get());
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfSize = (DWORD)(sizeof(file) + size);
    file.bfOffBits = (DWORD)(sizeof(file) + headerAndTable);
    UniqueFile out(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out) return FALSE;
    if (!WriteAll(out.get(), &file, sizeof(file)) || !WriteAll(out.get(), locked.get(), size)) {
        out.reset();
        DeleteFileA(path);
        return FALSE;
    }
    return TRUE;
}

BOOL WINAPI WriteDIBEx(const char *path, HDIB dib, WORD bitCount, DWORD reserved) {
    if (!dib || !path) return FALSE;
    WORD own;
    {
        LockedDib locked(dib);
        if (!locked.get()) return FALSE;
        own = IsCore(locked.get()) ? reinterpret_cast<BITMAPCOREHEADER *>(locked.get())->bcBitCount
                                   : locked.header()->biBitCount;
    }
    if (bitCount == 0 || bitCount == own) return SaveDIB(dib, path);
    UniqueBitmap bitmap;
    {
        LockedDib locked(dib);
        size_t size;
        if (!BlockSize(locked.get(), locked.size(), &size)) return FALSE;
        bitmap.reset(BitmapOfDib(locked.get()));
    }
    if (!bitmap) return FALSE;
    UniqueGlobal converted(MakeDib(bitmap.get(), bitCount, nullptr));
    return converted ? SaveDIB(converted.get(), path) : FALSE;
}

HDIB WINAPI ReadBmpFile(const char *path) {
    if (!path) return nullptr;
    UniqueFile file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return nullptr;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > 0x40000000) return nullptr;
    std::vector<uint8_t> bytes((size_t)size.QuadPart);
    DWORD got = 0;
    if (!bytes.empty() && (!ReadFile(file.get(), bytes.data(), (DWORD)bytes.size(), &got, nullptr) || got != bytes.size()))
        return nullptr;
    std::vector<uint8_t> block;
    if (ParseBmpFile(bytes.data(), bytes.size(), &block) != kBmpOk) return nullptr;
    UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, block.size()));
    if (!memory) return nullptr;
    LockedDib locked(memory.get());
    if (!locked.get()) return nullptr;
    memcpy(locked.get(), block.data(), block.size());
    return memory.release();
}

HPALETTE WINAPI GetSystemPalette(void) {
    WindowDC screen(nullptr);
    if (!screen.get()) return nullptr;
    int count = (GetDeviceCaps(screen.get(), RASTERCAPS) & RC_PALETTE) ? GetDeviceCaps(screen.get(), SIZEPALETTE) : 0;
    std::vector<uint8_t> memory(sizeof(LOGPALETTE) + 256 * sizeof(PALETTEENTRY));
    LOGPALETTE *pal = reinterpret_cast<LOGPALETTE *>(memory.data());
    pal->palVersion = 0x300;
    if (count > 0 && count <= 256)
        pal->palNumEntries = (WORD)GetSystemPaletteEntries(screen.get(), 0, count, pal->palPalEntry);
    // A true-colour screen has no system palette: its static colours are
    // those of the default palette.
    if (pal->palNumEntries == 0)
        pal->palNumEntries = (WORD)GetPaletteEntries(static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), 0, 256,
                                                     pal->palPalEntry);
    return CreatePalette(pal);
}

BOOL WINAPI DIBToIconImage(IconImageRecord *record, HDIB dib, BOOL reserved) {
    if (!record || !dib) return FALSE;
    LockedDib locked(dib);
    size_t size;
    if (!locked.get() || !BlockSize(locked.get(), locked.size(), &size)) return FALSE;
    UniqueGlobal converted;
    const char *src = locked.get();
    const BITMAPINFOHEADER *h = locked.header();
    bool direct = !IsCore(src) && h->biCompression == BI_RGB && h->biHeight > 0 &&
                  (h->biBitCount == 1 || h->biBitCount == 4 || h->biBitCount == 8 || h->biBitCount == 24 ||
                   h->biBitCount == 32);
    LockedDib *lockedConverted = nullptr;
    std::unique_ptr<LockedDib> holder;
    if (!direct) {
        // Other depths, top-down and bit-field DIBs go through GDI to 24 bits.
        UniqueBitmap bitmap(BitmapOfDib(src));
        if (!bitmap) return FALSE;
        converted.reset(MakeDib(bitmap.get(), 24, nullptr));
        if (!converted) return FALSE;
        holder.reset(new LockedDib(converted.get()));
        lockedConverted = holder.get();
        src = lockedConverted->get();
        h = lockedConverted->header();
    }
    uint32_t width = h->biWidth, height = h->biHeight, bits = h->biBitCount;
    IconBlockLayout layout;
    if (!ComputeIconBlockLayout(width, height, bits, &layout)) return FALSE;
    uint8_t *block = static_cast<uint8_t *>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, layout.blockSize));
    if (!block) return FALSE;
    memset(record, 0, sizeof(*record));
    record->width = width;
    record->height = height;
    record->bitDepth = bits;
    BindRecordToBlock(record, block, layout);
    WriteBlockHeader(block, width, height, bits);
    uint32_t tableEntries = DIBNumColors(const_cast<LPSTR>(src));
    if (tableEntries > layout.colorEntries) tableEntries = layout.colorEntries;
    memcpy(block + kBitmapInfoHeaderSize, src + h->biSize, 4 * tableEntries);
    memcpy(record->colorBits, FindDIBBits(const_cast<LPSTR>(src)), (size_t)layout.colorRowBytes * height);
    return TRUE;
}

HDIB WINAPI CopyWindowToDIB(HWND window, WORD area) {
    if (!window || !IsWindow(window)) return nullptr;
    RECT r;
    HDC dc;
    if (area == 2) {
        GetClientRect(window, &r);
        dc = GetDC(window);
    } else {
        GetWindowRect(window, &r);
        OffsetRect(&r, -r.left, -r.top);
        dc = GetWindowDC(window);
    }
    if (!dc) return nullptr;
    HDIB dib = nullptr;
    int w = r.right - r.left, h = r.bottom - r.top;
    if (w > 0 && h > 0) {
        UniqueMemDC memory(CreateCompatibleDC(dc));
        UniqueBitmap bitmap(CreateCompatibleBitmap(dc, w, h));
        if (memory && bitmap) {
            {
                SelectObjectScope select(memory.get(), bitmap.get());
                BitBlt(memory.get(), 0, 0, w, h, dc, 0, 0, SRCCOPY);
            }
            dib = BitmapToDIB(bitmap.get(), nullptr);
        }
    }
    ReleaseDC(window, dc);
    return dib;
}

}  // extern "C"
