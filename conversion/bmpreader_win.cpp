#include "conversion/bmpreader_win.h"

#include <cstring>
#include <vector>

#include "common/handles.h"
#include "common/seams.h"
#include "conversion/bmpfile.h"

namespace {

// Reads the whole file; false when it cannot be opened or read.
bool ReadWholeFile(const char *path, std::vector<uint8_t> *bytes, bool *opened) {
    // Not shared, existing files only.
    UniqueFile file(CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    *opened = (bool)file;
    if (!file) return false;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > 0x40000000) return false;
    bytes->resize((size_t)size.QuadPart);
    DWORD got = 0;
    if (!bytes->empty() && (!ReadFile(file.get(), bytes->data(), (DWORD)bytes->size(), &got, nullptr) ||
                            got != bytes->size()))
        return false;
    return true;
}

void Report(const char *text, const char *caption) { ShowMessage(nullptr, text, caption, MB_OK | MB_ICONSTOP); }

}  // namespace

HGLOBAL ReadBMPFile(const char *path) {
    const char *program = "Glyphery";
    std::vector<uint8_t> bytes;
    bool opened = false;
    if (!ReadWholeFile(path, &bytes, &opened)) {
        Report(opened ? "Error reading file" : "Error opening file", program);
        return nullptr;
    }
    std::vector<uint8_t> block;
    switch (ParseBmpFile(bytes.data(), bytes.size(), &block)) {
    case kBmpOk: break;
    case kBmpFileHeaderShort: Report("Error reading file", program); return nullptr;
    case kBmpBadSignature: Report("Not a recognised BMP format file", program); return nullptr;
    case kBmpInfoHeaderShort: Report("Error reading file", path); return nullptr;
    case kBmpNotWindows3: Report("OS/2 style BMPs Not Supported", path); return nullptr;
    case kBmpTopDown: Report("Top-down BMPs Not Supported", path); return nullptr;
    case kBmpBadGeometry: Report("Failed to allocate memory for DIB", path); return nullptr;
    case kBmpColorTableShort:
    case kBmpBadOffset: Report("Error reading file", path); return nullptr;
    case kBmpPixelsShort: Report("Error reading file", program); return nullptr;
    }
    UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, block.size()));
    if (!memory) {
        Report("Failed to allocate memory for DIB", path);
        return nullptr;
    }
    void *p = GlobalLock(memory.get());
    if (!p) {
        Report("Failed to allocate memory for DIB", path);
        return nullptr;
    }
    memcpy(p, block.data(), block.size());
    GlobalUnlock(memory.get());
    return memory.release();
}
