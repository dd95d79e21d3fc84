#include "display/print_win.h"

#include <vector>

#include "common/handles.h"
#include "common/seams.h"
#include "common/windowutil.h"
#include "display/displaytools_resource.h"
#include "display/printsheet.h"

namespace {

struct Fonts {
    UniqueHandle<HGDIOBJ, GdiObjectTraits> title, bold, normal;
    HGDIOBJ Of(SheetFont f) const {
        return f == SheetFont::kTitle ? title.get() : f == SheetFont::kBold ? bold.get() : normal.get();
    }
};

HGDIOBJ Arial(int height, int weight) {
    return CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");
}

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

void DrawItem(HDC dc, HDC ruleDC, SIZE rule, const Fonts &fonts, const DisplayImageSet &set, const SheetItem &item) {
    switch (item.kind) {
    case SheetItem::kText: {
        SelectObject(dc, fonts.Of(item.font));
        TextOutA(dc, item.x, item.y, item.text.c_str(), (int)item.text.size());
        break;
    }
    case SheetItem::kRule:
        StretchBlt(dc, item.x, item.y, item.width, item.height, ruleDC, 0, 0, rule.cx, rule.cy, SRCCOPY);
        break;
    case SheetItem::kIcon: DrawSheetIcon(dc, set.images[item.image], item); break;
    }
}

}  // namespace

void PrintIconFile(HWND owner, HINSTANCE instance, const DisplayImageSet &set, const std::string &path) {
    PRINTDLGA request = {};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.hInstance = instance;
    request.Flags = PD_RETURNDC;
    BOOL chosen = RunPrintDialog(&request);
    // The dialog's settings are ours to free, whatever it answered.
    UniqueGlobal devMode(request.hDevMode), devNames(request.hDevNames);
    if (chosen != 1 || !request.hDC) {
        if (request.hDC) DeleteDC(request.hDC);
        return;
    }
    UniqueMemDC printer(request.hDC);  // deleted with DeleteDC, as a memory DC is
    HDC dc = printer.get();
    const int pageWidth = GetDeviceCaps(dc, PHYSICALWIDTH), pageHeight = GetDeviceCaps(dc, PHYSICALHEIGHT);

    SheetTexts texts;
    texts.title = LoadText(instance, IDS_PRINT_TITLE);
    texts.fileLabel = LoadText(instance, IDS_PRINT_FILE);
    texts.countLabel = LoadText(instance, IDS_PRINT_COUNT);
    texts.imageFormat = LoadText(instance, IDS_PRINT_IMAGE);
    texts.path = path;
    std::vector<SheetImage> images;
    for (const DisplayImageRecord &r : set.images) images.push_back({(int)r.width, (int)r.height, (int)r.bitDepth});
    std::vector<SheetPage> pages = LayOutSheet(pageWidth, pageHeight, images, texts);

    Fonts fonts;
    fonts.title.reset(Arial(70, FW_BOLD));
    fonts.bold.reset(Arial(40, FW_BOLD));
    fonts.normal.reset(Arial(40, FW_NORMAL));
    UniqueBitmap rule((HBITMAP)LoadImageA(instance, MAKEINTRESOURCEA(IDB_PRINT_RULE), IMAGE_BITMAP, 0, 0,
                                          LR_CREATEDIBSECTION));
    BITMAP ruleInfo = {};
    if (rule) GetObjectA(rule.get(), sizeof ruleInfo, &ruleInfo);
    SIZE ruleSize = {ruleInfo.bmWidth, ruleInfo.bmHeight};
    UniqueMemDC ruleDC(CreateCompatibleDC(dc));
    SelectObjectScope selectRule(ruleDC.get(), rule.get());
    HGDIOBJ oldFont = GetCurrentObject(dc, OBJ_FONT);

    const std::string document = LoadText(instance, IDS_PRINT_DOCUMENT);
    DOCINFOA info = {};
    info.cbSize = sizeof info;
    info.lpszDocName = document.c_str();
    // Failures of the printing calls are not reported: the printer's own
    // queue tells the user.
    for (const SheetPage &page : pages) {
        StartDocA(dc, &info);
        StartPage(dc);
        SetMapMode(dc, MM_TEXT);
        for (const SheetItem &item : page) DrawItem(dc, ruleDC.get(), ruleSize, fonts, set, item);
        EndPage(dc);
        EndDoc(dc);
    }
    SelectObject(dc, oldFont);
}
