#include "editor/textdlg_win.h"

#include <commdlg.h>

#include <string>

#include "common/handles.h"
#include "common/pickers_win.h"
#include "common/seams.h"
#include "common/windowutil.h"
#include "editor/picture_win.h"
#include "editor/resource.h"
#include "editor/views_win.h"

namespace {

typedef UniqueHandle<HGDIOBJ, GdiObjectTraits> UniqueGdi;

const int kMaxText = 127;

// What the dialog gathers; kept for the run, as the user left it.
struct TextRequest {
    std::string text;
    LOGFONTA font = {};
    COLORREF colour = RGB(0, 0, 0);
    bool surround = false;
    COLORREF back = RGB(0, 0, 0);
    bool fontSet = false;
};

TextRequest g_request;

// Bold "MS Sans Serif" of 12 points at 110 % of the screen's resolution.
void DefaultFont(HWND owner, LOGFONTA *font) {
    WindowDC dc(owner);
    *font = LOGFONTA();
    font->lfHeight = -(GetDeviceCaps(dc.get(), LOGPIXELSY) * 12 / 110);
    font->lfWeight = FW_BOLD;
    font->lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(font->lfFaceName, "MS Sans Serif", LF_FACESIZE);
}

void Tell(HWND owner, UINT id, UINT icon) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    ShowMessage(owner, LoadText(instance, id).c_str(), LoadText(instance, IDS_TITLE).c_str(), MB_OK | icon);
}

void ChooseTextFont(HWND dialog) {
    CHOOSEFONTA request = {};
    request.lStructSize = sizeof request;
    request.hwndOwner = dialog;
    request.lpLogFont = &g_request.font;
    request.rgbColors = g_request.colour;
    request.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    if (!ChooseFontA(&request)) return;
    g_request.colour = request.rgbColors;
    InvalidateRect(GetDlgItem(dialog, IDC_TEXT_COLOR_SAMPLE), nullptr, TRUE);
}

void ChooseBackColour(HWND dialog) {
    if (PickColour(dialog, &g_request.back)) InvalidateRect(GetDlgItem(dialog, IDC_TEXT_BACK_SWATCH), nullptr, TRUE);
}

void EnableSurround(HWND dialog) {
    bool on = IsDlgButtonChecked(dialog, IDC_TEXT_SURROUND) == BST_CHECKED;
    EnableWindow(GetDlgItem(dialog, IDC_TEXT_BACK_SWATCH), on);
    EnableWindow(GetDlgItem(dialog, IDC_TEXT_MODIFY), on);
}

void OnInit(HWND dialog) {
    if (!g_request.fontSet) {
        DefaultFont(dialog, &g_request.font);
        g_request.fontSet = true;
    }
    SendDlgItemMessageA(dialog, IDC_TEXT_EDIT, EM_LIMITTEXT, kMaxText, 0);
    CheckDlgButton(dialog, IDC_TEXT_SURROUND, g_request.surround ? BST_CHECKED : BST_UNCHECKED);
    EnableSurround(dialog);
}

bool OnOk(HWND dialog) {
    char text[kMaxText + 1] = "";
    GetDlgItemTextA(dialog, IDC_TEXT_EDIT, text, sizeof text);
    if (!text[0]) {
        Tell(dialog, IDS_NO_TEXT, MB_ICONWARNING);
        SetFocus(GetDlgItem(dialog, IDC_TEXT_EDIT));
        return false;
    }
    g_request.text = text;
    g_request.surround = IsDlgButtonChecked(dialog, IDC_TEXT_SURROUND) == BST_CHECKED;
    return true;
}

void OnDrawSwatch(const DRAWITEMSTRUCT *item) {
    COLORREF colour = item->CtlID == IDC_TEXT_COLOR_SAMPLE ? g_request.colour : g_request.back;
    UniqueGdi brush(CreateSolidBrush(colour));
    FillRect(item->hDC, &item->rcItem, (HBRUSH)brush.get());
    FrameRect(item->hDC, &item->rcItem, (HBRUSH)GetStockObject(BLACK_BRUSH));
}

INT_PTR CALLBACK TextDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: OnInit(dialog); return TRUE;
    case WM_DRAWITEM: OnDrawSwatch(reinterpret_cast<const DRAWITEMSTRUCT *>(lParam)); return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_TEXT_FONT: ChooseTextFont(dialog); return TRUE;
        case IDC_TEXT_MODIFY: ChooseBackColour(dialog); return TRUE;
        case IDC_TEXT_SURROUND: EnableSurround(dialog); return TRUE;
        case IDOK:
            if (OnOk(dialog)) EndDialog(dialog, IDOK);
            return TRUE;
        case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
        default: return FALSE;
        }
    default: return FALSE;
    }
}

// The text (and its box) with its top-left corner at a point of a surface.
void DrawRequest(HDC dc, POINT at) {
    UniqueGdi font(CreateFontIndirectA(&g_request.font));
    SelectObjectScope useFont(dc, font.get());
    RECT extent = {0, 0, 0, 0};
    DrawTextA(dc, g_request.text.c_str(), -1, &extent, DT_CALCRECT | DT_NOPREFIX);
    if (g_request.surround) {
        UniqueGdi back(CreateSolidBrush(g_request.back));
        SelectObjectScope useBack(dc, back.get());
        Rectangle(dc, at.x - 5, at.y - 5, at.x + extent.right + 8, at.y + extent.bottom + 5);
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, g_request.colour);
    RECT place = {at.x, at.y, at.x + extent.right, at.y + extent.bottom};
    DrawTextA(dc, g_request.text.c_str(), -1, &place, DT_NOPREFIX);
}

// The text enters the picture at the clicked pixel, at the font's own size
// in image pixels (what the WorkArea then shows enlarged).
void DrawIntoCanvas(POINT at) {
    HDC canvas = CanvasDC();
    int z = Views().zoom > 0 ? Views().zoom : 1;
    if (!canvas || ActiveSize() <= 0) return;
    POINT pixel = {at.x / z, at.y / z};
    DrawRequest(canvas, pixel);
    GdiFlush();
    PaintSmallView();
    if (Views().workArea) InvalidateRect(Views().workArea, nullptr, FALSE);
}

}  // namespace

bool InsertText(HWND work, POINT at) {
    if (DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_INSERT_TEXT), work, TextDialogProc, 0) !=
        IDOK)
        return false;
    DrawIntoCanvas(at);
    return true;
}
