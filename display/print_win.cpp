// The print dialog goes through RunPrintDialog (common/seams.h).
#include "display/print_win.h"

#include <vector>

#include "common/handles.h"
#include "common/printsheet_win.h"
#include "common/windowutil.h"
#include "display/displaytools_resource.h"

namespace {

// The icon is drawn into a 24-bit picture of its printed size first and that
// picture is sent to the printer: an icon drawn on a printer's context
// directly goes through its mask pixel by pixel, which takes the PostScript
// driver minutes for one 48 x 48 icon.
void DrawSheetIcon(HDC dc, const DisplayImageRecord &r, const SheetItem &item) {
    if (r.bytes.empty() || item.width <= 0 || item.height <= 0) return;
    UniqueIcon icon(CreateIconFromResourceEx(const_cast<BYTE *>(r.bytes.data()), (DWORD)r.bytes.size(), TRUE,
                                             0x00030000, (int)r.width, (int)r.height, 0));
    if (!icon) return;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = item.width;
    info.bmiHeader.biHeight = -item.height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void *bits = nullptr;
    UniqueBitmap picture(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueMemDC mem(CreateCompatibleDC(nullptr));
    if (!picture || !mem) return;
    {
        SelectObjectScope select(mem.get(), picture.get());
        RECT all = {0, 0, item.width, item.height};
        FillRect(mem.get(), &all, (HBRUSH)GetStockObject(WHITE_BRUSH));
        DrawIconEx(mem.get(), 0, 0, icon.get(), item.width, item.height, 0, nullptr, DI_IMAGE);
        GdiFlush();
    }
    StretchDIBits(dc, item.x, item.y, item.width, item.height, 0, 0, item.width, item.height, bits, &info,
                  DIB_RGB_COLORS, SRCCOPY);
}

}  // namespace

void PrintIconFile(HWND owner, HINSTANCE instance, const DisplayImageSet &set, const std::string &path) {
    UniqueMemDC printer(AskPrinter(owner, instance));  // deleted with DeleteDC, as a memory DC is
    if (!printer) return;
    HDC dc = printer.get();
    const int pageWidth = GetDeviceCaps(dc, PHYSICALWIDTH), pageHeight = GetDeviceCaps(dc, PHYSICALHEIGHT);

    SheetTexts texts =
        LoadSheetTexts(instance, IDS_PRINT_TITLE, IDS_PRINT_FILE, IDS_PRINT_COUNT, IDS_PRINT_IMAGE, path);
    std::vector<SheetImage> images;
    for (const DisplayImageRecord &r : set.images) images.push_back({(int)r.width, (int)r.height, (int)r.bitDepth});
    UniqueBitmap rule((HBITMAP)LoadImageA(instance, MAKEINTRESOURCEA(IDB_PRINT_RULE), IMAGE_BITMAP, 0, 0,
                                          LR_CREATEDIBSECTION));
    // Failures of the printing calls are not reported: the printer's own
    // queue tells the user.
    PrintSheet(dc, LayOutSheet(pageWidth, pageHeight, images, texts), LoadText(instance, IDS_PRINT_DOCUMENT),
               rule.get(),
               [&](HDC printerDc, const SheetItem &item) { DrawSheetIcon(printerDc, set.images[item.image], item); });
}
