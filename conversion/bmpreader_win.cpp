#include "conversion/bmpreader_win.h"

#include <cstring>
#include <vector>

#include "common/files_win.h"
#include "common/handles.h"
#include "common/seams.h"
#include "conversion/bmpfile.h"

namespace {

void Report(const char *text, const char *caption) { ShowMessage(nullptr, text, caption, MB_OK | MB_ICONSTOP); }

}  // namespace

HGLOBAL ReadBMPFile(const char *path, const char *program) {
    std::vector<uint8_t> bytes;
    bool opened = false;
    // Not shared, existing files only; blocks above 1 GB are not bitmaps anyone made.
    if (!ReadWholeFile(path, 0x40000000, &bytes, &opened, 0)) {
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
