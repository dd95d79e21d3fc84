#include "display/displayops_win.h"

#include <cstring>

#include "common/files_win.h"
#include "common/paths.h"
#include "common/seams.h"
#include "common/codepage_win.h"
#include "contracts/gydib.h"
#include "conversion/bmpreader_win.h"
#include "conversion/driver_win.h"
#include "conversion/imageowners.h"

namespace {

// Icon files of a conversion are a few hundred kilobytes; anything past this
// is not one of them.
const size_t kMaxIconFileBytes = 64u << 20;

// The record's block bytes, as the DIB helpers hand them over (from the
// process heap).
struct HeapBlock {
    explicit HeapBlock(void *p) : p_(p) {}
    ~HeapBlock() {
        if (p_) HeapFree(GetProcessHeap(), 0, p_);
    }
    HeapBlock(const HeapBlock &) = delete;
    HeapBlock &operator=(const HeapBlock &) = delete;

private:
    void *p_;
};

}  // namespace

std::string WorkingBitmapPath() { return CollapseBackslashes(TempFolder() + "GY.bmp"); }

bool LoadDisplayFile(const std::string &path, DisplayFile *file, std::string *error) {
    std::vector<uint8_t> bytes;
    bool opened = false;
    if (!ReadWholeFile(path, kMaxIconFileBytes, &bytes, &opened))
        return *error = opened ? "the file is too large" : "the file cannot be opened", false;
    DisplayFile loaded;
    loaded.path = path;
    if (!ReadDisplayImageSet(bytes.data(), bytes.size(), &loaded.set, error)) return false;
    loaded.effects.resize(loaded.set.images.size());
    *file = std::move(loaded);
    return true;
}

HICON IconOfRecord(const DisplayImageRecord &record) {
    if (record.bytes.empty()) return nullptr;
    return CreateIconFromResourceEx(const_cast<BYTE *>(record.bytes.data()), (DWORD)record.bytes.size(), TRUE,
                                    0x00030000, (int)record.width, (int)record.height, LR_DEFAULTCOLOR);
}

bool WriteWorkingBitmap(HBITMAP bitmap, int depth, const std::string &workingFile) {
    if (!bitmap) return false;
    UniqueGlobal dib(BitmapToDIB(bitmap, nullptr));
    if (!dib) return false;
    return WriteDIBEx(workingFile.c_str(), dib.get(), (WORD)depth, 0) != FALSE;
}

bool TakeWorkingBitmap(const std::string &workingFile, DisplayImageRecord *record) {
    UniqueGlobal dib(ReadBMPFile(workingFile.c_str()));
    DeleteFileA(workingFile.c_str());
    if (!dib) return false;
    IconImageRecord image;
    memset(&image, 0, sizeof(image));
    if (!DIBToIconImage(&image, dib.get(), FALSE)) return false;
    HeapBlock owner(image.block);
    return SetRecordImage(record, image.block, image.blockSize);
}

bool StoreBitmapInRecord(HBITMAP bitmap, const std::string &workingFile, DisplayImageRecord *record) {
    if (!WriteWorkingBitmap(bitmap, (int)record->bitDepth, workingFile)) {
        DeleteFileA(workingFile.c_str());
        return false;
    }
    return TakeWorkingBitmap(workingFile, record);
}

namespace {

// Every retouched picture becomes its image's icon image.
void FoldEffects(DisplayFile *file, const std::string &workingFile) {
    for (size_t i = 0; i < file->set.images.size(); ++i)
        if (file->effects[i]) StoreBitmapInRecord(file->effects[i].get(), workingFile, &file->set.images[i]);
}

// Puts a file written beside `path` in its place.
bool ReplaceWith(const std::string &beside, const std::string &path) {
    if (MoveFileExA(beside.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    DeleteFileA(beside.c_str());
    return false;
}

}  // namespace

bool SaveDisplayFile(DisplayFile *file, const std::string &workingFile) {
    FoldEffects(file, workingFile);
    std::string beside = file->path + ".gynew";
    if (!WriteWholeFile(beside, DisplayImageSetBytes(file->set))) return false;
    return ReplaceWith(beside, file->path);
}

bool SaveDisplayBitmap(DisplayFile *file, const std::string &targetFolder, const std::string &name,
                       const std::string &workingFile) {
    FoldEffects(file, workingFile);
    std::string icon = CollapseBackslashes(targetFolder + "\\temp.ico");
    std::string bitmap = CollapseBackslashes(targetFolder + "\\" + name + ".bmp");
    if (!WriteWholeFile(icon, DisplayImageSetBytes(file->set))) return false;
    EnsureImageLibrary();
    ImageInfoPtr info(AcquireImageInfo());
    ExceptionPtr e(AcquireExceptionInfo());
    bool ok = CopyBounded(info->filename, MaxTextExtent, AnsiToUtf8(icon));
    ImagePtr image(ok ? ReadImage(info.get(), e.get()) : nullptr);
    DeleteFileA(icon.c_str());
    if (!image) return false;
    // The bitmap is written beside the old one first, as a version 3 bitmap
    // named as it stands (no pattern in the name is read).
    std::string beside = bitmap + ".gynew";
    SetImageOption(info.get(), "filename:literal", "true");
    if (!CopyBounded(info->filename, MaxTextExtent, "BMP3:" + AnsiToUtf8(beside)) ||
        !CopyBounded(image->filename, MaxTextExtent, "BMP3:" + AnsiToUtf8(beside)))
        return false;
    if (!WriteImage(info.get(), image.get())) {
        DeleteFileA(beside.c_str());
        return false;
    }
    return ReplaceWith(beside, bitmap);
}

void ApplyEffect(const ApplyRequest &request, DisplayFile *file, DisplayObserver *observer) {
    if (request.image >= file->set.images.size()) return;
    DisplayImageRecord &current = file->set.images[request.image];
    observer->Repaint();
    UniqueBitmap picture(observer->Snapshot());
    if (!WriteWorkingBitmap(picture.get(), (int)current.bitDepth, request.workingFile)) {
        DeleteFileA(request.workingFile.c_str());
        return;
    }
    if (request.runNow) {
        file->effects[request.image].reset(
            observer->Build(request.workingFile, request.code, request.displaySize, request.params));
    } else if (EffectRunsOnApply(request.code)) {
        if (!request.applyToAll) {
            file->effects[request.image].reset(
                observer->Build(request.workingFile, request.code, request.displaySize, request.params));
        } else {
            for (size_t i = 0; i < file->set.images.size(); ++i)
                file->effects[i].reset(observer->Build(request.workingFile, request.code,
                                                       (int)file->set.images[i].width, request.params));
        }
    }
    if (file->effects[request.image]) {
        TakeWorkingBitmap(request.workingFile, &current);
        observer->Repaint();
    }
    DeleteFileA(request.workingFile.c_str());
}

size_t ReplaceColorInBitmap(HBITMAP bitmap, COLORREF from, COLORREF to) {
    BITMAP info;
    if (!bitmap || !GetObjectA(bitmap, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight <= 0) return 0;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = info.bmWidth;
    bi.bmiHeader.biHeight = -info.bmHeight;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> pixels((size_t)info.bmWidth * info.bmHeight);
    UniqueMemDC dc(CreateCompatibleDC(nullptr));
    if (!GetDIBits(dc.get(), bitmap, 0, info.bmHeight, pixels.data(), &bi, DIB_RGB_COLORS)) return 0;
    // DIB pixels are 0x00RRGGBB; colour references 0x00BBGGRR.
    auto pixelOf = [](COLORREF c) { return (uint32_t)(GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c)); };
    uint32_t want = pixelOf(from), put = pixelOf(to);
    size_t changed = 0;
    for (uint32_t &p : pixels)
        if ((p & 0xFFFFFF) == want) {
            p = put;
            ++changed;
        }
    if (changed) SetDIBits(dc.get(), bitmap, 0, info.bmHeight, pixels.data(), &bi, DIB_RGB_COLORS);
    return changed;
}
