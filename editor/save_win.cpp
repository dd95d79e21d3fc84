// Save, Save as and Print of the icon editor.
#include "editor/save_win.h"

#include <commdlg.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "common/files_win.h"
#include "common/handles.h"
#include "common/paths.h"
#include "common/printsheet_win.h"
#include "common/seams.h"
#include "common/windowutil.h"
#include "contracts/gydib.h"
#include "contracts/gygraph.h"
#include "conversion/bmpreader_win.h"
#include "conversion/imagelib_win.h"
#include "conversion/imageowners.h"
#include "editor/resource.h"
#include "editor/tool_rules.h"
#include "editor/views_win.h"
#include "iconlib/colortable_win.h"
#include "iconlib/icofile.h"

namespace {

// Locks a global block for a scope.
class GlobalLockScope {
public:
    explicit GlobalLockScope(HGLOBAL block) : block_(block), p_(block ? GlobalLock(block) : nullptr) {}
    ~GlobalLockScope() {
        if (p_) GlobalUnlock(block_);
    }
    GlobalLockScope(const GlobalLockScope &) = delete;
    GlobalLockScope &operator=(const GlobalLockScope &) = delete;
    char *get() const { return static_cast<char *>(p_); }

private:
    HGLOBAL block_;
    void *p_;
};

// The depth an image is written at: the one it was stored at, when the icon
// format takes it, so that a changed 32-bit image keeps its 32 bits (the
// editing depth makes the file's first true-colour image 24-bit); else the
// editing depth.
int OwnDepth(const EditorImage &image) {
    switch (image.fileBits) {
    case 1:
    case 4:
    case 8:
    case 24:
    case 32: return (int)image.fileBits;
    default: return image.depth;
    }
}

struct BitmapInfo256 {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
};

// A packed DIB of the picture at depth written as a BMP file.
bool WritePictureBmp(HBITMAP picture, int depth, const std::string &path) {
    UniqueGlobal dib(DIBFromBitmap(picture, BI_RGB, (WORD)depth, nullptr));
    return dib && WriteDIBEx(path.c_str(), dib.get(), (WORD)depth, 0);
}

// The image's icon block from its current picture: through the scratch
// bitmap and the BMP reader, into a DIB section of the image's size, depth
// and colour table (a larger picture keeps its top-left part), then the mask
// from the transparent colour and the pixels marked transparent. False, the
// image unchanged, on any failure.
bool BuildIconBlock(EditorImage *image, const std::string &scratch) {
    HBITMAP picture = image->history.current();
    int width = image->width, height = image->height, depth = OwnDepth(*image);
    IconBlockLayout layout;
    if (!picture || width <= 0 || height <= 0 || !ComputeIconBlockLayout(width, height, depth, &layout)) return false;
    if (!WritePictureBmp(picture, depth, scratch)) {
        DeleteFileA(scratch.c_str());
        return false;
    }
    UniqueGlobal read(ReadBMPFile(scratch.c_str(), LoadText(GetModuleHandleA(nullptr), IDS_TITLE).c_str()));
    DeleteFileA(scratch.c_str());
    GlobalLockScope packed(read.get());
    if (!packed.get()) return false;
    BITMAPINFOHEADER *source = reinterpret_cast<BITMAPINFOHEADER *>(packed.get());

    BitmapInfo256 info = {};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = height;
    info.header.biPlanes = 1;
    info.header.biBitCount = (WORD)depth;
    info.header.biCompression = BI_RGB;
    RGBQUAD sourceTable[256] = {};
    WORD sourceColors = DIBNumColors(packed.get());
    memcpy(sourceTable, packed.get() + source->biSize, (sourceColors > 256 ? 256 : sourceColors) * sizeof(RGBQUAD));
    IconColorTable(depth, source->biBitCount, sourceTable, info.colors);

    WindowDC screen(nullptr);
    void *bits = nullptr;
    UniqueBitmap section(CreateDIBSection(screen.get(), reinterpret_cast<BITMAPINFO *>(&info), DIB_RGB_COLORS, &bits,
                                          nullptr, 0));
    UniqueMemDC dc(CreateCompatibleDC(screen.get()));
    if (!section || !bits || !dc) return false;
    {
        SelectObjectScope use(dc.get(), section.get());
        int rows = source->biHeight;
        if (!SetDIBitsToDevice(dc.get(), 0, 0, source->biWidth, rows, 0, 0, 0, rows, FindDIBBits(packed.get()),
                               reinterpret_cast<BITMAPINFO *>(source), DIB_RGB_COLORS))
            return false;
        GdiFlush();
    }
    std::vector<uint8_t> block(layout.blockSize, 0);
    WriteBlockHeader(block.data(), width, height, depth);
    memcpy(block.data() + kBitmapInfoHeaderSize, info.colors, layout.colorEntries * sizeof(RGBQUAD));
    memcpy(block.data() + layout.colorOffset, bits, (size_t)height * layout.colorRowBytes);
    BlockPixels pixels = {block.data() + layout.colorOffset, block.data() + layout.maskOffset, width, height, depth};
    if (image->transparent) ApplyTransparentColor(pixels, image->transparentX, image->transparentY);
    else AlphaFromMask(pixels);
    if (PixelMarks marks = image->marks.current()) ApplyPixelMarks(pixels, *marks);
    image->iconBlock.swap(block);
    image->header = reinterpret_cast<BITMAPINFOHEADER *>(image->iconBlock.data());
    image->colorBits = image->iconBlock.data() + layout.colorOffset;
    image->maskBits = image->iconBlock.data() + layout.maskOffset;
    return true;
}

void PutU16(std::vector<uint8_t> *out, size_t at, uint16_t v) {
    (*out)[at] = (uint8_t)v, (*out)[at + 1] = (uint8_t)(v >> 8);
}
void PutU32(std::vector<uint8_t> *out, size_t at, uint32_t v) {
    PutU16(out, at, (uint16_t)v), PutU16(out, at + 2, (uint16_t)(v >> 16));
}

// One image of the file being written: its directory entry (offset left to
// fill) and its data.
struct FilePart {
    uint8_t entry[16];
    const std::vector<uint8_t> *data;
};

FilePart StoredPart(const IconDirEntry &e, const std::vector<uint8_t> &data) {
    FilePart part = {{e.width, e.height, e.colorCount, e.reserved}, &data};
    part.entry[4] = (uint8_t)e.planes, part.entry[5] = (uint8_t)(e.planes >> 8);
    part.entry[6] = (uint8_t)e.bitCount, part.entry[7] = (uint8_t)(e.bitCount >> 8);
    return part;
}

FilePart RebuiltPart(const EditorImage &image, IconFileType type) {
    IconImageRecord rec = {};
    rec.width = image.width, rec.height = image.height, rec.bitDepth = (uint32_t)OwnDepth(image);
    rec.header = const_cast<uint8_t *>(image.iconBlock.data());
    rec.blockSize = (uint32_t)image.iconBlock.size();
    rec.hotspotX = image.entry.planes, rec.hotspotY = image.entry.bitCount;  // a cursor's, as read
    FilePart part = {{}, &image.iconBlock};
    FillDirectoryEntry(rec, type, 0, part.entry);
    return part;
}

std::vector<uint8_t> AssembleFile(uint16_t type, const std::vector<FilePart> &parts) {
    size_t total = kIconFileHeaderSize + kIconDirEntrySize * parts.size();
    for (const FilePart &p : parts) total += p.data->size();
    std::vector<uint8_t> out(kIconFileHeaderSize + kIconDirEntrySize * parts.size(), 0);
    out.reserve(total);
    PutU16(&out, 2, type);
    PutU16(&out, 4, (uint16_t)parts.size());
    uint32_t offset = (uint32_t)out.size();
    for (size_t i = 0; i < parts.size(); ++i) {
        size_t at = kIconFileHeaderSize + kIconDirEntrySize * i;
        memcpy(&out[at], parts[i].entry, 8);
        PutU32(&out, at + 8, (uint32_t)parts[i].data->size());
        PutU32(&out, at + 12, offset);
        offset += (uint32_t)parts[i].data->size();
    }
    for (const FilePart &p : parts) out.insert(out.end(), p.data->begin(), p.data->end());
    return out;
}

// The library's conversion of one exported picture: the scratch bitmap read,
// written under the output name ("BMP:" or "BMP24:" in front of a bitmap's).
bool ConvertExport(const std::string &source, const std::string &output, int depth) {
    EnsureImageLibrary();
    ImageInfoPtr info(AcquireImageInfo());
    ExceptionPtr e(AcquireExceptionInfo());
    SetFileName(info->filename, source);
    ImagePtr images(ReadImage(info.get(), e.get()));
    if (!images) return false;
    std::string target = ExportTarget(output, depth);
    // The library of this series has no "BMP24" writer: a version 3 bitmap
    // of a true-colour image (no alpha) is the same 24-bit file.
    bool trueColor = target.compare(0, 6, "BMP24:") == 0;
    // A bitmap has no alpha, and "BMP:" asks for a palette: an icon source
    // read with its mask as alpha, in direct colour, would otherwise be
    // written with 32 or 24-bit pixels.
    bool bitmap = target.compare(0, 4, "BMP:") == 0 || trueColor;
    if (trueColor) target = "BMP3:" + target.substr(6);
    SetFileName(info->filename, target);
    SetImageInfo(info.get(), 1, e.get());
    for (Image *i = images.get(); i; i = i->next) {
        SetFileName(i->filename, target);
        if (bitmap) i->matte = MagickFalse;
        if (bitmap) SetImageType(i, trueColor ? TrueColorType : PaletteType);
    }
    return WriteImage(info.get(), images.get()) != MagickFalse;
}

// "a|b|c|" as the dialog's list "a\0b\0c\0\0".
std::string DialogFilter(UINT id) {
    std::string filter = LoadText(GetModuleHandleA(nullptr), id);
    for (char &c : filter)
        if (c == '|') c = '\0';
    filter.push_back('\0');
    return filter;
}

// The save dialog; "" when cancelled.
std::string AskFileName(HWND owner, UINT titleId, UINT filterId, const char *defaultExtension, int filterIndex,
                        const char *folder) {
    char file[MAX_PATH] = "";
    std::string title = LoadText(GetModuleHandleA(nullptr), titleId);
    std::string filter = DialogFilter(filterId);
    OPENFILENAMEA request = {};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.lpstrFilter = filter.c_str();
    request.nFilterIndex = filterIndex;
    request.lpstrFile = file;
    request.nMaxFile = MAX_PATH;
    request.lpstrInitialDir = folder && *folder ? folder : nullptr;
    request.lpstrTitle = title.c_str();
    request.lpstrDefExt = defaultExtension;
    request.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_SHOWHELP | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
    if (!RunSaveDialog(&request)) return "";
    return file;
}

void Tell(HWND owner, UINT id, UINT icon) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    ShowMessage(owner, LoadText(instance, id).c_str(), LoadText(instance, IDS_TITLE).c_str(), MB_OK | icon);
}

}  // namespace

bool SaveEditorIcon(EditorIcon *icon, const std::string &path, const std::string &scratch) {
    IconFileType type = icon->fileType == kCursorType ? kCursorType : kIconType;
    std::vector<FilePart> parts;
    for (int i = 0; i < icon->count; ++i) {
        EditorImage &image = icon->images[i];
        // Untouched images go back as stored: no loss of their own colour
        // table, alpha or compression.
        if (image.history.index() == 0 && !image.transparent) {
            parts.push_back(StoredPart(image.entry, image.fileBlock));
            continue;
        }
        if (!BuildIconBlock(&image, scratch)) return false;
        parts.push_back(RebuiltPart(image, type));
    }
    for (size_t k = 0; k < icon->keptEntries.size() && k < icon->keptBlocks.size(); ++k)
        parts.push_back(StoredPart(icon->keptEntries[k], icon->keptBlocks[k]));
    if (parts.empty() || parts.size() > 0xFFFF) return false;
    return ReplaceFileWhole(path, AssembleFile((uint16_t)type, parts));
}

namespace {

// The scratch bitmap of an exported picture: "<temp>\\<base>_<width>_<depth>.bmp".
std::string ExportScratch(const std::string &tempFolder, const std::string &chosen, const std::string &tail) {
    return CollapseBackslashes(tempFolder + "\\" + BaseName(chosen) + "_" + tail);
}

// An image with a picture: the picture at the image's depth, converted.
bool ExportPicture(const EditorImage &image, const std::string &chosen, const std::string &tempFolder) {
    int depth = OwnDepth(image);
    std::string output = ExportName(chosen, image.width, depth);
    if (output.empty()) return false;
    std::string scratch =
        ExportScratch(tempFolder, chosen, std::to_string(image.width) + "_" + std::to_string(depth) + ".bmp");
    bool done = WritePictureBmp(image.history.current(), depth, scratch) && ConvertExport(scratch, output, depth);
    DeleteFileA(scratch.c_str());
    return done;
}

// An image without a picture (one past the images the editor opens): its
// stored data as a one-image icon, "<temp>\\<base>_<index>.ico", converted.
// The scratch goes to the temporary folder, never beside the chosen name,
// where it could take the place of a file of the user's.
bool ExportStored(const FilePart &part, IconFileType type, size_t index, const std::string &chosen,
                  const std::string &tempFolder) {
    IconImageInfo info;
    std::string error;
    if (!ParseIconImage(part.data->data(), part.data->size(), &info, &error) || info.width <= 0 || !info.bitCount)
        return false;
    std::string output = ExportName(chosen, info.width, info.bitCount);
    if (output.empty()) return false;
    std::string scratch = ExportScratch(tempFolder, chosen, std::to_string(index) + ".ico");
    bool done =
        WriteWholeFile(scratch, AssembleFile((uint16_t)type, {part})) && ConvertExport(scratch, output, info.bitCount);
    DeleteFileA(scratch.c_str());
    return done;
}

}  // namespace

int ExportEditorIcon(EditorIcon *icon, const std::string &chosen, const std::string &tempFolder) {
    IconFileType type = icon->fileType == kCursorType ? kCursorType : kIconType;
    int written = 0;
    for (int i = 0; i < icon->count; ++i) {
        const EditorImage &image = icon->images[i];
        if (image.history.current()) {
            written += ExportPicture(image, chosen, tempFolder);
        } else {
            // Its block of the last save, else as the file held it.
            FilePart part =
                image.iconBlock.empty() ? StoredPart(image.entry, image.fileBlock) : RebuiltPart(image, type);
            written += ExportStored(part, type, (size_t)i, chosen, tempFolder);
        }
    }
    for (size_t k = 0; k < icon->keptEntries.size() && k < icon->keptBlocks.size(); ++k)
        written += ExportStored(StoredPart(icon->keptEntries[k], icon->keptBlocks[k]), type, icon->count + k, chosen,
                                tempFolder);
    return written;
}

namespace {

// A picture stretched onto the printer's item, through a packed DIB with the
// system palette (a printer takes no screen bitmap).
void PrintPicture(HDC dc, HBITMAP picture, const SheetItem &item) {
    UniquePalette system(GetSystemPalette());
    UniqueGlobal dib(BitmapToDIB(picture, system.get()));
    GlobalLockScope packed(dib.get());
    if (!packed.get()) return;
    BITMAPINFOHEADER *h = reinterpret_cast<BITMAPINFOHEADER *>(packed.get());
    StretchDIBits(dc, item.x, item.y, item.width, item.height, 0, 0, h->biWidth, h->biHeight,
                  FindDIBBits(packed.get()), reinterpret_cast<BITMAPINFO *>(h), DIB_RGB_COLORS, SRCCOPY);
}

}  // namespace

bool PrintEditorIcon(HDC dc, const EditorIcon &icon, const std::string &iconPath) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    SheetTexts texts =
        LoadSheetTexts(instance, IDS_TITLE, IDS_PRINT_ICO_FILE, IDS_PRINT_FORMATS, IDS_PRINT_FORMAT_LINE, iconPath);
    std::vector<SheetImage> images;
    for (int i = 0; i < icon.count; ++i) {
        const EditorImage &image = icon.images[i];
        images.push_back({image.height, image.height, OwnDepth(image)});
    }
    // Each picture three times its size under its line.
    SheetStyle style;
    style.valueColumn = false;
    style.below = 50;
    style.scale = 3;
    std::vector<SheetPage> pages =
        LayOutSheet(GetDeviceCaps(dc, PHYSICALWIDTH), GetDeviceCaps(dc, PHYSICALHEIGHT), images, texts, style);
    // A section, which a memory context of the printer's takes (a screen
    // bitmap it would not).
    UniqueBitmap rule((HBITMAP)LoadImageA(instance, MAKEINTRESOURCEA(IDB_RULE_LINE), IMAGE_BITMAP, 0, 0,
                                          LR_CREATEDIBSECTION));
    return PrintSheet(dc, pages, LoadText(instance, IDS_PRINT_DOCUMENT), rule.get(),
                      [&](HDC printer, const SheetItem &item) {
                          HBITMAP picture = icon.images[item.image].history.current();
                          if (picture) PrintPicture(printer, picture, item);
                      });
}

bool SaveCommand(HWND frame, int id) {
    EditorSession *session = Views().session;
    if (!session || (id != CMD_SAVE && id != CMD_SAVE_AS && id != CMD_PRINT)) return false;
    EditorSettings &s = session->settings;
    if (id == CMD_SAVE) {
        std::string path = session->iconPath;
        if (path.empty()) path = AskFileName(frame, IDS_SAVE_TITLE, IDS_SAVE_FILTER, "*.ico", 1, s.save_path);
        if (path.empty()) return true;
        // Later saves go to the file chosen (a name too long for the field is
        // not kept, and asked again).
        if (path.size() < sizeof session->iconPath) CopyBounded(session->iconPath, sizeof session->iconPath, path);
        if (!SaveEditorIcon(&TheIcon(), path, session->scratchBitmap)) Tell(frame, IDS_CANNOT_SAVE, MB_ICONSTOP);
    } else if (id == CMD_SAVE_AS) {
        std::string chosen = AskFileName(frame, IDS_TITLE, IDS_SAVE_AS_FILTER, "*.bmp", (int)s.save_type + 1, nullptr);
        int images = TheIcon().count + (int)TheIcon().keptBlocks.size();
        if (!chosen.empty() && ExportEditorIcon(&TheIcon(), chosen, TempFolder()) < images)
            Tell(frame, IDS_CANNOT_EXPORT, MB_ICONWARNING);
    } else {
        UniqueMemDC printer(AskPrinter(frame, GetModuleHandleA(nullptr)));  // deleted with DeleteDC
        if (printer && !PrintEditorIcon(printer.get(), TheIcon(), session->iconPath))
            Tell(frame, IDS_CANNOT_PRINT, MB_ICONSTOP);
    }
    return true;
}
