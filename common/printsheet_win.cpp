#include "common/printsheet_win.h"

#include <commdlg.h>

#include "common/handles.h"
#include "common/seams.h"
#include "common/windowutil.h"

namespace {

HGDIOBJ Arial(int height, int weight) {
    return CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");
}

struct Fonts {
    UniqueGdiObject title{Arial(70, FW_BOLD)}, bold{Arial(40, FW_BOLD)}, normal{Arial(40, FW_NORMAL)};
    HGDIOBJ Of(SheetFont f) const {
        return f == SheetFont::kTitle ? title.get() : f == SheetFont::kBold ? bold.get() : normal.get();
    }
};

}  // namespace

SheetTexts LoadSheetTexts(HINSTANCE instance, UINT title, UINT fileLabel, UINT countLabel, UINT imageFormat,
                          const std::string &path) {
    SheetTexts texts;
    texts.title = LoadText(instance, title);
    texts.fileLabel = LoadText(instance, fileLabel);
    texts.countLabel = LoadText(instance, countLabel);
    texts.imageFormat = LoadText(instance, imageFormat);
    texts.path = path;
    return texts;
}

HDC AskPrinter(HWND owner, HINSTANCE instance) {
    PRINTDLGA request = {};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.hInstance = instance;
    request.Flags = PD_RETURNDC;
    BOOL chosen = RunPrintDialog(&request);
    // The dialog's settings are ours to free, whatever it answered.
    UniqueGlobal devMode(request.hDevMode), devNames(request.hDevNames);
    if (chosen != 1) {
        if (request.hDC) DeleteDC(request.hDC);
        return nullptr;
    }
    return request.hDC;
}

bool PrintSheet(HDC dc, const std::vector<SheetPage> &pages, const std::string &document, HBITMAP rule,
                const SheetPicturePainter &paint) {
    Fonts fonts;
    BITMAP ruleInfo = {};
    if (rule) GetObjectA(rule, sizeof ruleInfo, &ruleInfo);
    UniqueMemDC ruleDC(CreateCompatibleDC(dc));
    SelectObjectScope selectRule(ruleDC.get(), rule);
    HGDIOBJ oldFont = GetCurrentObject(dc, OBJ_FONT);
    DOCINFOA info = {};
    info.cbSize = sizeof info;
    info.lpszDocName = document.c_str();
    bool ok = true;
    for (const SheetPage &page : pages) {
        if (StartDocA(dc, &info) <= 0) {
            ok = false;
            break;
        }
        if (StartPage(dc) <= 0) {
            AbortDoc(dc);
            ok = false;
            break;
        }
        SetMapMode(dc, MM_TEXT);
        SetBkMode(dc, TRANSPARENT);
        for (const SheetItem &item : page) {
            switch (item.kind) {
            case SheetItem::kText:
                SelectObject(dc, fonts.Of(item.font));
                TextOutA(dc, item.x, item.y, item.text.c_str(), (int)item.text.size());
                break;
            case SheetItem::kRule:
                if (rule)
                    StretchBlt(dc, item.x, item.y, item.width, item.height, ruleDC.get(), 0, 0, ruleInfo.bmWidth,
                               ruleInfo.bmHeight, SRCCOPY);
                break;
            case SheetItem::kIcon: paint(dc, item); break;
            }
        }
        EndPage(dc);
        ok = EndDoc(dc) > 0 && ok;
    }
    SelectObject(dc, oldFont);
    return ok;
}
