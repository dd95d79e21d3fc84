#include "editor/picture_win.h"

#include <cstring>

#include "common/handles.h"
#include "common/paths.h"
#include "conversion/imagelib_win.h"
#include "conversion/imageowners.h"
#include "editor/views_win.h"

namespace {

const size_t kBmpFileHeaderSize = 14;

struct PictureState {
    int current = 0;      // index into the icon
    int workingSize = 0;  // the canvas's side
    int activeSize = 0;   // the current image's height
    int colors = 0;       // of the working size: 2, 16, 256, -1
    RECT active = {};     // where ShowPicture draws, image pixels
    UniqueMemDC canvas;   // holds the colour plane
    UniqueBitmap plane;
    HGDIOBJ planeOld = nullptr;
    bool transparencyView = false;
    COLORREF key = 0;
};
PictureState g_state;
EditorIcon g_icon;

void ResetActiveRect() { SetRect(&g_state.active, 0, 0, g_state.activeSize, g_state.activeSize); }

EditorImage *Current() {
    if (g_state.current < 0 || g_state.current >= g_icon.count) return nullptr;
    return &g_icon.images[g_state.current];
}

void DeleteBitmap(HBITMAP bitmap) {
    if (bitmap) DeleteObject(bitmap);
}

// Copies the canvas's active square into a new screen bitmap.
HBITMAP CopyActiveSquare() {
    if (!g_state.canvas) return nullptr;
    WindowDC screen(nullptr);
    int side = g_state.activeSize;
    UniqueBitmap copy(CreateCompatibleBitmap(screen.get(), side, side));
    UniqueMemDC dc(CreateCompatibleDC(screen.get()));
    if (!copy || !dc) return nullptr;
    SelectObjectScope keep(dc.get(), copy.get());
    if (!BitBlt(dc.get(), 0, 0, side, side, g_state.canvas.get(), 0, 0, SRCCOPY)) return nullptr;
    return copy.release();
}

// Every pixel to black or white, through a monochrome bitmap and back.
void ReduceToBlackAndWhite(HDC dc, int width, int height) {
    UniqueBitmap mono(CreateBitmap(width, height, 1, 1, nullptr));
    UniqueMemDC monoDc(CreateCompatibleDC(dc));
    if (!mono || !monoDc) return;
    SelectObjectScope keep(monoDc.get(), mono.get());
    BitBlt(monoDc.get(), 0, 0, width, height, dc, 0, 0, SRCCOPY);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    BitBlt(dc, 0, 0, width, height, monoDc.get(), 0, 0, SRCCOPY);
}

}  // namespace

Quantum ByteToQuantum(uint8_t value) { return (Quantum)(value * (QuantumRange / 255.0) + 0.5); }

EditorIcon &TheIcon() { return g_icon; }
int CurrentImageIndex() { return g_state.current; }
int ActiveSize() { return g_state.activeSize; }
int WorkingColors() { return g_state.colors; }
HDC CanvasDC() { return g_state.canvas.get(); }

void SetTransparencyView(bool on, COLORREF key) {
    bool changed = on != g_state.transparencyView || (on && key != g_state.key);
    g_state.transparencyView = on;
    g_state.key = key;
    if (changed && Views().workArea) InvalidateRect(Views().workArea, nullptr, FALSE);
}

bool TransparencyViewOn(COLORREF *key) {
    if (key) *key = g_state.key;
    return g_state.transparencyView;
}

HBITMAP ImageToBitmap(ImageInfo *info, Image *image) {
    if (!info || !image) return nullptr;
    // The library's BMP3 writer gives the plain 40-byte info header every
    // system's CreateDIBitmap takes.
    CopyBounded(info->magick, MaxTextExtent, "BMP3");
    CopyBounded(image->magick, MaxTextExtent, "BMP3");
    info->adjoin = MagickFalse;
    // Direct colour: the screen bitmap is made from 24-bit rows whatever
    // palette the image was read with.
    SetImageStorageClass(image, DirectClass);
    ExceptionPtr e(AcquireExceptionInfo());
    size_t length = image->columns * image->rows;
    void *blob = ImageToBlob(info, image, &length, e.get());
    if (!blob) return nullptr;
    std::vector<uint8_t> bmp((const uint8_t *)blob, (const uint8_t *)blob + length);
    RelinquishMagickMemory(blob);
    if (bmp.size() < kBmpFileHeaderSize + sizeof(BITMAPINFOHEADER) || bmp[0] != 'B' || bmp[1] != 'M') return nullptr;
    // What follows the file header: the info header, the colour table, the
    // bits (at bfOffBits from the file's start).
    std::vector<uint8_t> dib(bmp.begin() + kBmpFileHeaderSize, bmp.end());
    uint32_t bitsOffset = 0;
    memcpy(&bitsOffset, &bmp[10], 4);
    BITMAPINFOHEADER header;
    memcpy(&header, dib.data(), sizeof header);
    if (header.biSize < sizeof header || header.biSize > dib.size() ||
        bitsOffset < kBmpFileHeaderSize + header.biSize || bitsOffset > bmp.size())
        return nullptr;
    // Rows of 4-byte multiples; a height of either sign.
    uint64_t rowBytes = ((uint64_t)header.biWidth * header.biBitCount + 31) / 32 * 4;
    uint64_t rows = header.biHeight < 0 ? -(int64_t)header.biHeight : header.biHeight;
    if (header.biWidth <= 0 || header.biCompression != BI_RGB || rowBytes * rows > bmp.size() - bitsOffset)
        return nullptr;
    WindowDC screen(nullptr);
    return CreateDIBitmap(screen.get(), (const BITMAPINFOHEADER *)dib.data(), CBM_INIT,
                          dib.data() + (bitsOffset - kBmpFileHeaderSize), (const BITMAPINFO *)dib.data(),
                          DIB_RGB_COLORS);
}

Image *BitmapToImage(ImageInfo *info, HBITMAP bitmap) {
    const EditorImage *image = Current();
    if (!info || !bitmap || !image) return nullptr;
    int side = image->width;
    char size[32];
    snprintf(size, sizeof size, "%dx%d", side, side);
    CloneString(&info->size, size);
    ImagePtr result(AcquireImage(info));  // sized from info->size
    if (!result) return nullptr;
    // The picture drawn into a 32-bit top-down section: rows of blue, green,
    // red, unused.
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = side;
    bi.bmiHeader.biHeight = -side;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    WindowDC screen(nullptr);
    UniqueMemDC sectionDc(CreateCompatibleDC(screen.get())), pictureDc(CreateCompatibleDC(screen.get()));
    if (!sectionDc || !pictureDc) return nullptr;
    void *bits = nullptr;
    UniqueBitmap section(CreateDIBSection(screen.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!section || !bits) return nullptr;
    {
        SelectObjectScope keepSection(sectionDc.get(), section.get());
        SelectObjectScope keepPicture(pictureDc.get(), bitmap);
        BitBlt(sectionDc.get(), 0, 0, side, side, pictureDc.get(), 0, 0, SRCCOPY);
    }
    GdiFlush();
    ExceptionPtr e(AcquireExceptionInfo());
    const uint8_t *row = (const uint8_t *)bits;
    for (int y = 0; y < side; ++y, row += 4 * side) {
        PixelPacket *pixels = GetAuthenticPixels(result.get(), 0, y, side, 1, e.get());
        if (!pixels) break;
        for (int x = 0; x < side; ++x) {
            pixels[x].blue = ByteToQuantum(row[4 * x]);
            pixels[x].green = ByteToQuantum(row[4 * x + 1]);
            pixels[x].red = ByteToQuantum(row[4 * x + 2]);
            pixels[x].opacity = OpaqueOpacity;
        }
        if (!SyncAuthenticPixels(result.get(), e.get())) break;
    }
    return result.release();
}

void ReleaseEditorIcon(EditorIcon *icon) {
    for (int32_t i = 0; i < icon->count && i < (int32_t)kMaxEditorImages; ++i) {
        icon->images[i].history.Clear(DeleteBitmap);
        icon->images[i] = EditorImage();
    }
    icon->count = 0;
    icon->fileType = 0;
    icon->keptEntries.clear();
    icon->keptBlocks.clear();
}

// One image of the file as the library reads it: a compressed image by the
// PNG reader from its bytes, any other as a file of that one image (its
// entry pointing just past the directory). Null when the library cannot.
ImagePtr ReadOneImage(const IconFileData &file, size_t i, ExceptionInfo *e) {
    const IconDirEntry &entry = file.directory.entries[i];
    const uint8_t *block = file.bytes.data() + entry.offset;
    ImageInfoPtr info(AcquireImageInfo());
    std::vector<uint8_t> alone;
    if (file.png[i]) {
        CopyBounded(info->magick, MaxTextExtent, "PNG");
        alone.assign(block, block + entry.bytes);
    } else {
        CopyBounded(info->magick, MaxTextExtent, "ICO");
        uint8_t head[kIconFileHeaderSize + kIconDirEntrySize] = {
            0, 0, (uint8_t)file.directory.type, 0, 1, 0, entry.width, entry.height, entry.colorCount, entry.reserved};
        uint32_t at = sizeof head;
        memcpy(head + 10, &entry.planes, 2);
        memcpy(head + 12, &entry.bitCount, 2);
        memcpy(head + 14, &entry.bytes, 4);
        memcpy(head + 18, &at, 4);
        alone.assign(head, head + sizeof head);
        alone.insert(alone.end(), block, block + entry.bytes);
    }
    ImagePtr image(BlobToImage(info.get(), alone.data(), alone.size(), e));
    if (image && GetImageListLength(image.get()) != 1) image.reset();
    return image;
}

bool LoadEditorIcon(const IconFileData &file, EditorIcon *icon) {
    ReleaseEditorIcon(icon);
    const std::vector<IconDirEntry> &entries = file.directory.entries;
    if (entries.empty() || file.shapes.size() != entries.size() || file.png.size() != entries.size()) return false;
    EnsureImageLibrary();
    // Each image is read alone from the bytes our parser has checked, so
    // that both see the same file and one image's trouble is named by its
    // place; compressed images go to the PNG reader itself.
    ImageInfoPtr info(AcquireImageInfo());
    ExceptionPtr e(AcquireExceptionInfo());
    icon->fileType = file.directory.type;
    bool trueColorSeen = false;
    for (size_t i = 0; i < entries.size(); ++i) {
        const IconDirEntry &entry = entries[i];
        std::vector<uint8_t> block(file.bytes.begin() + entry.offset, file.bytes.begin() + entry.offset + entry.bytes);
        if (i >= kMaxEditorImages) {
            icon->keptEntries.push_back(entry);
            icon->keptBlocks.push_back(std::move(block));
            continue;
        }
        ImagePtr read = ReadOneImage(file, i, e.get());
        HBITMAP picture = read ? ImageToBitmap(info.get(), read.get()) : nullptr;
        if (!picture) {
            ReleaseEditorIcon(icon);
            return false;
        }
        EditorImage &image = icon->images[i];
        image.width = (int32_t)read->columns;
        image.height = (int32_t)read->rows;
        image.depth = EditorDepth(PaletteColors(file.shapes[i].bits), &trueColorSeen);
        image.entry = entry;
        image.fileBits = file.shapes[i].bits;
        image.png = file.png[i];
        image.fileBlock = std::move(block);
        image.history.Start(picture);
        ++icon->count;
    }
    return icon->count > 0;
}

bool MakeCanvas(int workingSize, int colors) {
    DeleteCanvas();
    g_state.workingSize = workingSize;
    g_state.colors = colors;
    WindowDC screen(nullptr);
    g_state.canvas.reset(CreateCompatibleDC(screen.get()));
    g_state.plane.reset(CreateCompatibleBitmap(screen.get(), workingSize, workingSize));
    if (!g_state.canvas || !g_state.plane) {
        DeleteCanvas();
        return false;
    }
    g_state.planeOld = SelectObject(g_state.canvas.get(), g_state.plane.get());
    ClearCanvas();
    const EditorImage *image = Current();
    g_state.activeSize = image ? image->height : workingSize;
    ResetActiveRect();
    RefreshSmallView();
    ClearPositionFields(true);
    LayoutWorkArea();
    return true;
}

void DeleteCanvas() {
    if (g_state.canvas && g_state.planeOld) SelectObject(g_state.canvas.get(), g_state.planeOld);
    g_state.planeOld = nullptr;
    g_state.canvas.reset();
    g_state.plane.reset();
}

void ClearCanvas() {
    if (!g_state.canvas) return;
    RECT all = {0, 0, g_state.workingSize, g_state.workingSize};
    FillRect(g_state.canvas.get(), &all, (HBRUSH)GetStockObject(WHITE_BRUSH));
}

void ShowPicture(HBITMAP picture) {
    BITMAP info;
    if (!picture || !g_state.canvas || !GetObjectA(picture, sizeof info, &info)) return;
    int width = g_state.active.right - g_state.active.left, height = g_state.active.bottom - g_state.active.top;
    WindowDC screen(nullptr);
    UniqueBitmap temporary(CreateCompatibleBitmap(screen.get(), width, height));
    UniqueMemDC temporaryDc(CreateCompatibleDC(screen.get())), pictureDc(CreateCompatibleDC(screen.get()));
    if (!temporary || !temporaryDc || !pictureDc) return;
    {
        SelectObjectScope keepTemporary(temporaryDc.get(), temporary.get());
        SelectObjectScope keepPicture(pictureDc.get(), picture);
        SetStretchBltMode(temporaryDc.get(), COLORONCOLOR);
        StretchBlt(temporaryDc.get(), 0, 0, width, height, pictureDc.get(), 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
        if (g_state.colors == 2) ReduceToBlackAndWhite(temporaryDc.get(), width, height);
        BitBlt(g_state.canvas.get(), g_state.active.left, g_state.active.top, width, height, temporaryDc.get(), 0, 0,
               SRCCOPY);
    }
    RefreshSmallView();
    ResetActiveRect();
}

void PushPicture(HBITMAP picture) {
    EditorImage *image = Current();
    if (!image || !picture) {
        DeleteBitmap(picture);
        return;
    }
    DeleteBitmap(image->history.Push(picture));
    image->marks.Push(image->marks.current());
    SetUndoButton(true);
}

PixelMarks CurrentMarks() {
    const EditorImage *image = Current();
    return image ? image->marks.current() : PixelMarks();
}

void SetCurrentMarks(PixelMarks marks) {
    if (EditorImage *image = Current()) image->marks.Replace(std::move(marks));
}

void UndoPicture() {
    EditorImage *image = Current();
    if (!image || !image->history.canUndo()) return;
    // Nothing refers to an emptied slot's picture any more.
    DeleteBitmap(image->history.Undo());
    image->marks.Undo();
    if (!image->history.canUndo()) SetUndoButton(false);
    ShowPicture(image->history.current());
}

HBITMAP Snapshot() {
    // The small view is brought up and painted as the user sees the stroke
    // land; the picture itself comes from the canvas, so that a small view
    // partly off the screen or under another window cannot spoil it.
    if (Views().smallView)
        SetWindowPos(Views().smallView, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    PaintSmallView();
    return CopyActiveSquare();
}

bool CopyPicture(HWND owner) {
    const EditorImage *image = Current();
    if (!image || !image->history.current() || !OpenClipboard(owner)) return false;
    EmptyClipboard();
    // The clipboard owns the copy once it takes it.
    HBITMAP copy = (HBITMAP)CopyImage(image->history.current(), IMAGE_BITMAP, 0, 0, 0);
    bool put = copy && SetClipboardData(CF_BITMAP, copy);
    if (!put) DeleteBitmap(copy);
    CloseClipboard();
    return put;
}

void SwitchImage(int index) {
    if (index < 0 || index >= g_icon.count) return;
    g_state.current = index;
    const EditorImage &image = g_icon.images[index];
    g_state.activeSize = image.height;
    ResetActiveRect();
    if (Views().session) {
        EditorSettings &s = Views().session->settings;
        s.cx = s.cy = (uint32_t)image.height;
        s.x = s.y = 0;
    }
    ClearCanvas();
    LayoutWorkArea();
    RefreshSmallView();
    ClearPositionFields(true);
    ShowPicture(image.history.current());
    if (Views().session && Views().session->settings.Palette && Views().palette)
        ShowWindow(Views().palette, image.depth == 1 ? SW_HIDE : SW_SHOWNA);
    SetUndoButton(image.history.canUndo());
    if (Views().frame) InvalidateRect(Views().frame, nullptr, TRUE);
}

void StartOnLastImage() { g_state.current = g_icon.count > 0 ? g_icon.count - 1 : 0; }
