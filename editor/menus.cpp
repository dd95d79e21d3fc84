#include "editor/menus.h"

#include "common/handles.h"
#include "common/windowutil.h"
#include "editor/resource.h"

namespace {

// The menu items carried at run time: (menu bar position, insert position,
// label, command, image index in bitmap 1 or -1).
struct RuntimeItem {
    int menu, position;
    UINT label, command;
    int image;
};
const RuntimeItem kRuntimeItems[] = {
    {0, 0, IDS_MENU_SAVE, CMD_SAVE, 2},        {0, 1, IDS_MENU_SAVE_AS, CMD_SAVE_AS, 46},
    {0, 3, IDS_MENU_PRINT, CMD_PRINT, 45},     {0, 5, IDS_MENU_CLOSE, CMD_CLOSE, 21},
    {4, 0, IDS_MENU_SWIRL, CMD_SWIRL, 3},      {4, 1, IDS_MENU_EXPLODE, CMD_EXPLODE, 0},
    {4, 2, IDS_MENU_EMBOSS, CMD_EMBOSS, -1},   {4, 4, IDS_MENU_WAVE, CMD_WAVE, 2},
    {8, 0, IDS_MENU_BORDER, CMD_BORDER, 11},   {8, 1, IDS_MENU_FRAME, CMD_FRAME, 9},
    {8, 3, IDS_MENU_SHARPEN, CMD_SHARPEN, -1}, {8, 5, IDS_MENU_FLIP, CMD_FLIP, 12},
    {8, 6, IDS_MENU_FLOP, CMD_FLOP, 13},       {8, 7, IDS_MENU_ROTATE, CMD_ROTATE, 23},
    {10, 0, IDS_MENU_INDEX, CMD_HELP_INDEX, -1}, {10, 1, IDS_MENU_FIND, CMD_HELP_FIND, -1},
    {10, 3, IDS_MENU_ABOUT, CMD_ABOUT, -1},
};
const size_t kRuntimeCount = sizeof kRuntimeItems / sizeof kRuntimeItems[0];

// Bitmap 1's images on light grey; a 24-bit list on screens of more than 8
// bits per pixel, else the plain one.
HIMAGELIST CreateMenuImages(HINSTANCE instance) {
    int bits;
    {
        WindowDC screen(nullptr);
        bits = GetDeviceCaps(screen.get(), BITSPIXEL) * GetDeviceCaps(screen.get(), PLANES);
    }
    UniqueBitmap strip((HBITMAP)LoadImageA(instance, MAKEINTRESOURCEA(IDB_TOOLBAR), IMAGE_BITMAP, 0, 0, 0));
    if (!strip) return nullptr;
    BITMAP info = {};
    GetObjectA(strip.get(), sizeof info, &info);
    HIMAGELIST list = ImageList_Create(16, 16, ILC_MASK | (bits > 8 ? ILC_COLOR24 : ILC_COLOR), info.bmWidth / 16, 0);
    if (list) ImageList_AddMasked(list, strip.get(), RGB(192, 192, 192));
    return list;
}

const int kTextGap = 8;  // pixels between the check-mark column and the text

}  // namespace

MenuArt::~MenuArt() {
    if (images_) ImageList_Destroy(images_);
}

void MenuArt::Build(HINSTANCE instance, HMENU bar) {
    items_.clear();
    items_.reserve(kRuntimeCount);  // the menu keeps pointers into it
    for (const RuntimeItem &item : kRuntimeItems) items_.push_back({LoadText(instance, item.label), item.image});
    for (size_t i = 0; i < kRuntimeCount; ++i) {
        HMENU menu = GetSubMenu(bar, kRuntimeItems[i].menu);
        if (!menu) continue;
        InsertMenuA(menu, kRuntimeItems[i].position, MF_BYPOSITION | MF_OWNERDRAW, kRuntimeItems[i].command,
                    (LPCSTR)&items_[i]);
    }
    if (!images_) images_ = CreateMenuImages(instance);
}

bool MeasureMenuItem(HWND frame, MEASUREITEMSTRUCT *measure) {
    if (measure->CtlType != ODT_MENU || !measure->itemData) return false;
    const OwnerMenuItem *item = reinterpret_cast<const OwnerMenuItem *>(measure->itemData);
    // Measured in the variable-width system font.
    WindowDC dc(frame);
    SelectObjectScope font(dc.get(), GetStockObject(SYSTEM_FONT));
    RECT text = {0, 0, 0, 0};
    DrawTextA(dc.get(), item->text.c_str(), -1, &text, DT_SINGLELINE | DT_CALCRECT);
    measure->itemWidth = (UINT)(text.right + GetSystemMetrics(SM_CXMENUCHECK) + kTextGap);
    measure->itemHeight = (UINT)(text.bottom + 6);
    return true;
}

bool DrawMenuItem(const MenuArt &art, const DRAWITEMSTRUCT *draw) {
    if (draw->CtlType != ODT_MENU || !draw->itemData) return false;
    const OwnerMenuItem *item = reinterpret_cast<const OwnerMenuItem *>(draw->itemData);
    HDC dc = draw->hDC;
    RECT r = draw->rcItem;
    bool selected = (draw->itemState & ODS_SELECTED) != 0;
    bool disabled = (draw->itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
    if (item->image >= 0 && art.images())
        ImageList_Draw(art.images(), item->image, dc, r.left + 2, r.top + (r.bottom - r.top - 16) / 2, ILD_TRANSPARENT);
    COLORREF oldText = SetTextColor(
        dc, GetSysColor(disabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    int oldMode = SetBkMode(dc, TRANSPARENT);
    r.left += GetSystemMetrics(SM_CXMENUCHECK) + kTextGap;
    DrawTextA(dc, item->text.c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    SetBkMode(dc, oldMode);
    SetTextColor(dc, oldText);
    return true;
}

LRESULT MenuCharResult(HMENU menu, char key) {
    int count = GetMenuItemCount(menu), current = -1;
    std::vector<int> matches;
    for (int i = 0; i < count; ++i) {
        if (GetMenuState(menu, i, MF_BYPOSITION) & MF_HILITE) current = i;
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_DATA;
        if (!GetMenuItemInfoA(menu, i, TRUE, &info) || !(info.fType & MFT_OWNERDRAW) || !info.dwItemData) continue;
        const std::string &text = reinterpret_cast<const OwnerMenuItem *>(info.dwItemData)->text;
        size_t amp = text.find('&');
        if (amp != std::string::npos && amp + 1 < text.size() &&
            CharLowerA((LPSTR)(UINT_PTR)(BYTE)text[amp + 1]) == CharLowerA((LPSTR)(UINT_PTR)(BYTE)key))
            matches.push_back(i);
    }
    if (matches.empty()) return MNC_IGNORE;
    if (matches.size() == 1) return MAKELRESULT(matches[0], MNC_EXECUTE);
    for (int i : matches)
        if (i > current) return MAKELRESULT(i, MNC_SELECT);
    return MAKELRESULT(matches[0], MNC_SELECT);
}
